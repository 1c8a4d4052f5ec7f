#include "transits/transit_state.h"

#include <algorithm>
#include <cmath>

namespace meridel {

std::int32_t ResultTableLastRow(std::int64_t inclusiveDays) {
    double rows = std::nearbyint(static_cast<double>(inclusiveDays) / 58.0 * 8.0);
    return static_cast<std::int32_t>(std::clamp(rows, 200.0, 32760.0));
}

}  // namespace meridel
