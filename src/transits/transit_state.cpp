#include "transits/transit_state.h"

#include <algorithm>
#include <cmath>

#include "calendar/date_text.h"
#include "ephemeris/planet_longitude.h"

namespace meridel {

bool TransitRow::Empty() const {
    for (int o = 0; o < kOrbCount; ++o) {
        if (entered[o] || left[o]) return false;
    }
    return aspectName == 0 && !HasClosest();
}

void TransitRequest::SetOrbs(const std::array<std::int16_t, kOrbCount>& degrees) {
    OrbDegrees = degrees;
    for (int o = 0; o < kOrbCount; ++o) Orbs[o] = OrbDegrees[o] * kFullCircle / 360.0;
}

std::int32_t ResultTableLastRow(std::int64_t inclusiveDays) {
    double rows = std::nearbyint(static_cast<double>(inclusiveDays) / 58.0 * 8.0);
    return static_cast<std::int32_t>(std::clamp(rows, 200.0, 32760.0));
}

std::string DayText(const ScanState& state) { return ShortDateText(state.Day, 2, "-", ",", false); }

bool IsRowEmpty(const ScanState& state, std::int32_t row) { return ResultRowAt(state, row).Empty(); }

TransitRow& ResultRow(ScanState& state, std::int32_t row) {
    const auto index = static_cast<std::size_t>(row);
    if (index >= state.ResultRows.size()) state.ResultRows.resize(std::max(index + 1, 2 * state.ResultRows.size()));
    return state.ResultRows[index];
}

const TransitRow& ResultRowAt(const ScanState& state, std::int32_t row) {
    static const TransitRow empty;
    if (row < 0 || row >= static_cast<std::int32_t>(state.ResultRows.size())) return empty;
    return state.ResultRows[static_cast<std::size_t>(row)];
}

}  // namespace meridel
