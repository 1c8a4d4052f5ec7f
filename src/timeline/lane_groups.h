// A chart's timeline in groups of lanes, one group per moving planet, that a window folds away and
// opens again: the lanes of a folded group leave the picture and a note names the group.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "timeline/timeline.h"

namespace meridel {

// The moving planets of the lanes, in lane order, each once.
std::vector<std::int16_t> LaneGroups(const Timeline& timeline);

// The timeline without the lanes whose moving planet is in `folded`; a note under the subtitle
// says which groups are folded and how many lanes they hold.
Timeline WithGroupsFolded(const Timeline& timeline, const std::set<std::int16_t>& folded);

}  // namespace meridel
