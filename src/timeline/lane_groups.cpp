#include "timeline/lane_groups.h"

#include <algorithm>

#include "ephemeris/names.h"

namespace meridel {

std::vector<std::int16_t> LaneGroups(const Timeline& timeline) {
    std::vector<std::int16_t> groups;
    for (const TimelineLane& lane : timeline.lanes) {
        if (std::find(groups.begin(), groups.end(), lane.moving) == groups.end()) groups.push_back(lane.moving);
    }
    return groups;
}

Timeline WithGroupsFolded(const Timeline& timeline, const std::set<std::int16_t>& folded) {
    Timeline out = timeline;
    out.lanes.clear();
    std::string names;
    std::size_t hidden = 0;
    for (const std::int16_t group : LaneGroups(timeline)) {
        const bool isFolded = folded.count(group) > 0;
        if (isFolded) names += (names.empty() ? "" : ", ") + BodyName[static_cast<std::size_t>(group)];
        for (const TimelineLane& lane : timeline.lanes) {
            if (lane.moving != group) continue;
            if (isFolded) {
                ++hidden;
            } else {
                out.lanes.push_back(lane);
            }
        }
    }
    if (hidden > 0) {
        out.notes.push_back("Folded: " + names + " (" + std::to_string(hidden) + (hidden == 1 ? " lane)." : " lanes)."));
    }
    return out;
}

}  // namespace meridel
