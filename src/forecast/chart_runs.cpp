#include "forecast/chart_runs.h"

#include "ephemeris/planet_longitude.h"
#include "request/choices.h"

namespace meridel {

std::vector<ChartPair> ChartPairs(bool world) {
    std::vector<ChartPair> pairs;
    for (std::int16_t moving = kSun; moving <= kPluto; ++moving) {
        if (world) {
            for (std::int16_t second = moving + 1; second <= kPluto; ++second) pairs.push_back({moving, second});
        } else {
            for (std::int16_t natal = kSun; natal <= kMoon; ++natal) pairs.push_back({moving, natal});
        }
    }
    return pairs;
}

std::vector<RequestInput> ChartRunInputs(const RequestInput& input) {
    std::vector<RequestInput> inputs;
    for (const ChartPair& pair : ChartPairs(input.world)) {
        RequestInput run = input;
        run.allPlanets = true;
        run.planets = {pair.moving - FirstPlanetCode(input.world, 0), pair.second - FirstPlanetCode(input.world, 1)};
        inputs.push_back(run);
    }
    return inputs;
}

}  // namespace meridel
