// The days a transit held each of its orbs, read back from the entries and exits its rows list.
// Exports and the timeline say from these which orbs were already held when the period began and
// which were still held when it ended, for every orb, not only the outer one.
//
// The listing records one change a day: the outermost orb entered, or else the outermost orb
// left. An entry into orb o therefore means the pair had just been inside every larger orb and
// outside o; an exit from o, that it is now inside every larger orb and outside o. Between two
// recorded changes the pair stays where it was, so each stretch between them is known: exactly
// from the change on either side that says so, otherwise as the smallest depth that both sides
// allow (an orb entered and left on the same days as a larger one is not seen by the listing).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "transits/transit_results.h"

namespace meridel {

// A stretch of local days within one orb: entered during firstDay, left during lastDay.
struct OrbStretch {
    std::int32_t firstDay = 0, lastDay = 0;
    bool openStart = false;  // held when the period began: firstDay is the period's first day
    bool openEnd = false;    // still held when it ended: lastDay is the period's last day
};

// Per orb index (outer first), the stretches in time order.
using OrbStretches = std::array<std::vector<OrbStretch>, kOrbCount>;

// The stretches of a transit listed for the period firstDay..lastDay.
OrbStretches OrbStretchesOf(const TransitRecord& transit, std::int32_t firstDay, std::int32_t lastDay);

}  // namespace meridel
