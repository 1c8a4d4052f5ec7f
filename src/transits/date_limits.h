// Date limits of the position sources: the error codes the within-orb test reports, their
// messages, and the check of a request's start or end date.
#pragma once

#include <cstdint>
#include <string>

namespace meridel {

class Sky;
struct TransitRequest;

// Date-range codes set by IsWithinOrb into a variable owned by the caller.
enum DateRangeError : std::int16_t {
    kNoDateRangeError = 0,
    kSecondBodyAfterRange = -1,
    kFirstBodyAfterRange = -2,
    kSecondBodyBeforeRange = -3,
    kFirstBodyBeforeRange = -4,
};

// "Date is beyond allowable date range for Pluto." and the like, naming body codeA or codeB.
std::string DateRangeMessage(std::int16_t error, std::int16_t codeA, std::int16_t codeB);

// The message to show when the request's start date (which = 0) or end date (any other value)
// lies outside the range of one of its two bodies, tested at 0 h universal time of that day:
// "Start date is too early for Moon." and the like; every "too early" before any "too late",
// the first body before the second. "" when both bodies have positions.
std::string EphemerisDateLimitMessage(const Sky& sky, const TransitRequest& request, std::int16_t which);

}  // namespace meridel
