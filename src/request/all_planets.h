// The all-planets listing: one planet stays fixed while the other list is walked, each entry run
// as an ordinary request appending to one output, with a closing run for Pluto in World mode.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "request/request_input.h"

namespace meridel {

// The requests of the listing for button `index`, in order: the input with the walked list at each
// of its positions, then, in World mode, with no inner planet (the request runs Pluto, which the
// inner list does not offer). closingRun marks that last one: it follows even when the walk ends
// early at a request that leaves RunAborted set.
struct AllPlanetsStep {
    RequestInput input;
    bool closingRun = false;
};
std::vector<AllPlanetsStep> AllPlanetsSteps(const RequestInput& input, int index);

// Carries out the listing: `run` is asked to run each step in order and answers whether it left
// RunAborted set, which ends the walk; the closing run follows all the same.
void WalkAllPlanets(const RequestInput& input, int index, const std::function<bool(const AllPlanetsStep&)>& run);

// Which planet list the listing walks: the natal list for index 1 in Personal mode, else the first.
int WalkedList(bool world, int index);

// The runs skip the orb minimums of each planet, but orbs out of order would make every one of
// them meaningless: the listing refuses them once, before anything changes.
std::optional<Refusal> CheckAllPlanets(const RequestInput& input);

}  // namespace meridel
