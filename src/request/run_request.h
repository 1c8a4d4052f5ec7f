// A run request: the checks a click on the start button makes, in their fixed order and with
// their designed messages, the preparation of the positions (Pluto's table, the date limits, the
// zodiac, the natal position), the move of the start date to before a transit already in effect,
// and the heading of the run that comes out of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "request/request_input.h"
#include "transits/transit_state.h"

namespace meridel {

// What the program keeps from one request to the next.
struct RequestSession {
    TransitRequest request;
    bool PlutoDataLoaded = false;  // the Pluto table has been read
    // Set on entry to a request; cleared when it reaches its scan (or skips a pair of the
    // all-planets listing); set again when the output box is full or Stop is clicked. The
    // all-planets listing stops at a request that leaves it set.
    bool RunAborted = false;
};

// What a check of a request gives: what it leaves in the controls, and either a refusal, or a
// run ready to scan (its heading), or neither (an all-planets pair skipped without a word).
struct RequestCheck {
    FieldUpdates updates;
    std::optional<Refusal> refusal;
    std::optional<RunHeading> run;
};

// The run request. On success session.request holds the run: planet codes, orbs, the (possibly
// moved) start day and the end day, the natal longitude; SiderealZodiac is set for it.
RequestCheck CheckRun(const RequestInput& input, RequestSession& session);

// Loads the Pluto table once, when a request may need it (World with Pluto as the outer planet,
// an all-planets listing, or Personal mode); the two designed messages otherwise.
std::optional<Refusal> EnsurePlutoData(const RequestInput& input, RequestSession& session);

// The steps a run and the search share once their own checks have passed: Pluto's table when
// either planet is Pluto, the date limits (the start date's only when asked, then the end
// date's), the zodiac switch and the natal position (refused when the birth moment lies outside
// the natal body's range).
std::optional<Refusal> PreparePositions(const RequestInput& input, RequestSession& session, bool checkStartDate);

// The natal planet's longitude at the birth moment (birth day, hour, minute and zone of the
// input), by SiderealZodiac as already set.
double NatalLongitude(const RequestInput& input, std::int16_t natalPlanet, std::int32_t birthDay);

// The latest day at or before startDay whose start finds no aspect inside the inner orb (when
// the start day does), or the earliest day with positions.
std::int32_t StartDayBeforeTransitInEffect(const TransitRequest& request, bool world, std::int32_t startDay,
                                           int zoneMinutes);

// The heading of a run of this input over request's StartDay..EndDay.
RunHeading HeadingOf(const RequestInput& input, const TransitRequest& request);

}  // namespace meridel
