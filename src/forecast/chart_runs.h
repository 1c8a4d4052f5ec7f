// The runs of a whole chart, as requests: Personal, every moving planet Sun..Pluto against every
// natal body Sun..Pluto and the Moon (90 runs); World, every pair of moving planets Sun..Pluto
// (36 runs). In order of moving planet, then second body. Each is a run of the all-planets
// listing (its orbs checked once, for order, and not against each planet's smallest inner orb).
#pragma once

#include <cstdint>
#include <vector>

#include "request/request_input.h"

namespace meridel {

// The pairs of a chart, by planet code: {moving, second} (Personal: second is the natal body).
struct ChartPair {
    std::int16_t moving = 0, second = 0;
};
std::vector<ChartPair> ChartPairs(bool world);

// The chart's requests: `input` (period, orbs, zones, birth data, zodiac; its planets ignored)
// with the planet lists set to each pair, in ChartPairs order.
std::vector<RequestInput> ChartRunInputs(const RequestInput& input);

}  // namespace meridel
