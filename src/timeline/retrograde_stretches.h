// When a planet moves backwards, for the timeline: its retrograde stretches within a period.
#pragma once

#include <cstdint>
#include <vector>

#include "ephemeris/sky.h"

namespace meridel {

// A stretch of time (UT moments). An open side is cut by the period: the stretch began before
// it or goes on after it.
struct TimeSpan {
    double start = 0, end = 0;
    bool openStart = false, openEnd = false;
};

// The stretches within from..to in which the planet is retrograde by the listing's own test
// (IsRetrogradeAt, in the sky's zodiac), each station found to about a minute. None for the Sun
// and the Moon.
std::vector<TimeSpan> RetrogradeStretches(const Sky& sky, std::int16_t code, double from, double to);

}  // namespace meridel
