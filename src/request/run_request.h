// A run request: the checks a click on the start button makes, in their fixed order and with
// their designed messages, the preparation of the positions (Pluto's table, the date limits, the
// zodiac, the natal position), the move of the start date to before a transit already in effect,
// and the heading of the run that comes out of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ephemeris/sky.h"
#include "request/request_input.h"
#include "transits/transit_request.h"

namespace meridel {

// What the program keeps from one request to the next.
struct RequestSession {
    // The positions: made at start-up, given its Pluto table by the first request that needs it.
    Sky sky;
    TransitRequest request;
    // Set on entry to a request; cleared when it reaches its scan (or skips a pair of the
    // all-planets listing); set again when the output box is full or Stop is clicked. The
    // all-planets listing stops at a request that leaves it set.
    bool RunAborted = false;
    // Set by a click on Stop, or by closing the window during a run; cleared at scan start.
    bool StopRequested = false;
    // The Pluto table has been read (PlutoDataLoaded).
    bool PlutoDataLoaded() const { return sky.PlutoLines() != nullptr; }
};

// What a check of a request gives: what it leaves in the controls, and either a refusal, or a
// run ready to scan, or neither (an all-planets pair skipped without a word).
struct RequestCheck {
    FieldUpdates updates;
    std::optional<Refusal> refusal;
    std::optional<TransitRequest> run;
};

// The run request. On success session.request holds the run (and `run` a copy): planet codes,
// orbs, the (possibly moved) start day and the end day, the zodiac, the natal longitude and the
// texts of its heading.
RequestCheck CheckRun(const RequestInput& input, RequestSession& session);

// Loads the Pluto table once, when a request may need it (World with Pluto as the outer planet,
// an all-planets listing, or Personal mode); the two designed messages otherwise.
std::optional<Refusal> EnsurePlutoData(const RequestInput& input, RequestSession& session);

// The steps a run and the search share once their own checks have passed: Pluto's table when
// either planet is Pluto, the date limits (the start date's only when asked, then the end
// date's), the zodiac and the natal position (refused when the birth moment lies outside the
// natal body's range).
std::optional<Refusal> PreparePositions(const RequestInput& input, RequestSession& session, bool checkStartDate);

// The natal planet's longitude at the birth moment (birth day, hour, minute and zone of the
// input), in the sky's zodiac.
double NatalLongitude(const Sky& sky, const RequestInput& input, std::int16_t natalPlanet, std::int32_t birthDay);

// The latest day at or before startDay whose start (a local midnight in the request's zone)
// finds no aspect inside the inner orb (when the start day does), or the earliest day with
// positions.
std::int32_t StartDayBeforeTransitInEffect(const Sky& sky, const TransitRequest& request, std::int32_t startDay);

// Writes what the run's heading shows (the planet names, birth texts and zone text of the input)
// into request.
void NameRun(const RequestInput& input, TransitRequest& request);

}  // namespace meridel
