#include "request/all_planets.h"

#include "request/choices.h"
#include "request/date_checks.h"

namespace meridel {

int WalkedList(bool world, int index) { return !world && index == 1 ? 1 : 0; }

std::vector<AllPlanetsStep> AllPlanetsSteps(const RequestInput& input, int index) {
    const int list = WalkedList(input.world, index);
    const int entries = LastPlanetCode(input.world, list) - FirstPlanetCode(input.world, list) + 1;
    std::vector<AllPlanetsStep> steps;
    for (int position = 0; position < entries; ++position) {
        AllPlanetsStep step{input, false};
        step.input.allPlanets = true;
        step.input.planets[static_cast<std::size_t>(list)] = position;
        steps.push_back(step);
    }
    if (input.world) {
        AllPlanetsStep closing{input, true};
        closing.input.allPlanets = true;
        closing.input.planets[0] = -1;
        steps.push_back(closing);
    }
    return steps;
}

void WalkAllPlanets(const RequestInput& input, int index, const std::function<bool(const AllPlanetsStep&)>& run) {
    bool walkEnded = false;
    for (const AllPlanetsStep& step : AllPlanetsSteps(input, index)) {
        if (walkEnded && !step.closingRun) continue;
        if (run(step)) walkEnded = true;
    }
}

std::optional<Refusal> CheckAllPlanets(const RequestInput& input) { return CheckOrbOrder(input); }

}  // namespace meridel
