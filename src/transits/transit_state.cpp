#include "transits/transit_state.h"

#include <algorithm>
#include <cmath>

namespace meridel {

std::int32_t ResultTableLastRow(std::int64_t inclusiveDays) {
    double rows = std::nearbyint(static_cast<double>(inclusiveDays) / 58.0 * 8.0);
    return static_cast<std::int32_t>(std::clamp(rows, 200.0, 32760.0));
}

bool IsRowEmpty(const ScanState& state, std::int32_t row) {
    if (row < 0 || row >= static_cast<std::int32_t>(state.ResultRows.size())) return true;
    for (const std::string& cell : state.ResultRows[row]) {
        if (!cell.empty()) return false;
    }
    return true;
}

void ClearResultRows(ScanState& state) {
    for (ResultRow& row : state.ResultRows) {
        for (std::string& cell : row) cell.clear();
    }
}

std::string& ResultCell(ScanState& state, std::int32_t row, int column) {
    const auto index = static_cast<std::size_t>(row);
    if (index >= state.ResultRows.size()) state.ResultRows.resize(std::max(index + 1, 2 * state.ResultRows.size()));
    return state.ResultRows[index][column];
}

const std::string& ResultCellText(const ScanState& state, std::int32_t row, int column) {
    static const std::string empty;
    if (row < 0 || row >= static_cast<std::int32_t>(state.ResultRows.size())) return empty;
    return state.ResultRows[row][column];
}

}  // namespace meridel
