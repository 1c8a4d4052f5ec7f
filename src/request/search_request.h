// The next-transit search: its checks (the search orb with the middle and inner orbs it gives),
// the stepping from the day after the end date to the next stretch of days during which the
// chosen aspect is within the search orb, and the date fields moved to that stretch.
#pragma once

#include <cstdint>
#include <optional>

#include "request/run_request.h"
#include "transits/transit_pair.h"

namespace meridel {

// The middle and inner orbs (whole degrees) for a search orb and moving planet: always three
// orbs a run would accept. A refusal, titled "Search orb value", when the search orb is too
// small for that planet: below 7 degrees for Mercury, 6 for the Sun, Venus and Mars, 5 otherwise.
struct SearchOrbs {
    std::int16_t middle = 0, inner = 0;
};
std::optional<Refusal> CheckSearchOrb(bool personal, std::int16_t searchOrb, std::int16_t movingPlanet,
                                      SearchOrbs& orbs);

struct SearchCheck {
    FieldUpdates updates;
    std::optional<Refusal> refusal;
    std::int16_t aspect = 0;  // when it passed: the aspect searched for
};
// The search's checks; on success session.request holds the pair, the orbs derived from the
// search orb and the natal position, with StartDay and EndDay at -1.
SearchCheck CheckSearch(const RequestInput& input, RequestSession& session);

// Where the stepping ended: the stretch found (session.request.StartDay..EndDay, the run to
// scan), or the refusal it met at the end of a range.
struct SearchStretch {
    std::optional<Refusal> refusal;
    std::optional<TransitRequest> run;
};
// Steps from the day after the end date past a transit already under way, to the last day before
// the aspect comes within the search orb, then to the first day it is out again. The first test
// is at 0 h universal time of the day after the end date; the stepping uses local midnights.
SearchStretch FindNextTransit(const RequestInput& input, RequestSession& session, std::int16_t aspect,
                              const StepProgress& progress = {});

// The date fields the search moves to its stretch (unless "Keep start/end dates" is ticked).
FieldUpdates MovedDates(std::int32_t startDay, std::int32_t endDay);

}  // namespace meridel
