#include "transits/orb_stretches.h"

#include <algorithm>

namespace meridel {

namespace {

struct OrbChange {
    std::int32_t day = 0;
    int orb = 0;
    bool entered = false;
};

}  // namespace

OrbStretches OrbStretchesOf(const TransitRecord& transit, std::int32_t firstDay, std::int32_t lastDay) {
    std::vector<OrbChange> changes;
    for (const TransitRow& row : transit.rows) {
        for (int o = kOuterOrb; o <= kInnerOrb; ++o) {
            if (row.entered[o]) changes.push_back({row.entered[o]->day, o, true});
            if (row.left[o]) changes.push_back({row.left[o]->day, o, false});
        }
    }
    std::stable_sort(changes.begin(), changes.end(), [](const OrbChange& a, const OrbChange& b) { return a.day < b.day; });

    // depth[i]: how many orbs the pair is inside between change i - 1 and change i. An entry into
    // o is made from depth o and leads to o + 1 or deeper; an exit from o leads to depth o.
    const std::size_t n = changes.size();
    std::vector<int> depth(n + 1, n == 0 ? 1 : 0);
    for (std::size_t i = 0; i <= n; ++i) {
        if (i > 0) {
            const OrbChange& before = changes[i - 1];
            depth[i] = std::max(depth[i], before.entered ? before.orb + 1 : before.orb);
        }
        if (i < n) {
            const OrbChange& after = changes[i];
            depth[i] = std::max(depth[i], after.entered ? after.orb : after.orb + 1);
        }
    }

    OrbStretches stretches;
    for (int o = kOuterOrb; o <= kInnerOrb; ++o) {
        for (std::size_t i = 0; i <= n; ++i) {
            if (depth[i] <= o || (i > 0 && depth[i - 1] > o)) continue;
            std::size_t last = i;
            while (last < n && depth[last + 1] > o) ++last;
            OrbStretch s;
            s.openStart = i == 0;
            s.openEnd = last == n;
            s.firstDay = s.openStart ? firstDay : changes[i - 1].day;
            s.lastDay = s.openEnd ? lastDay : changes[last].day;
            stretches[o].push_back(s);
        }
    }
    return stretches;
}

}  // namespace meridel
