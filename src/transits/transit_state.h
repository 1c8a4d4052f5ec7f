// The transit request and the working state of one scan. The main window owns one of each;
// the request checks fill TransitRequest, the scan engine resets and fills ScanState.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace meridel {

inline constexpr int kOrbCount = 3;        // 0 outer, 1 middle, 2 inner
inline constexpr int kResultColumns = 9;
inline constexpr int kFirstTransitRow = 3;  // rows 0..2: heading, column titles, rule

struct TransitRequest {
    std::array<std::int16_t, 2> PlanetCodes{};   // [0] moving/inner, [1] outer/natal
    std::array<std::int16_t, 4> OrbDegrees{};    // [0..2] outer, middle, inner; [3] unused
    std::array<double, 4> Orbs{};                // radians, OrbDegrees * 2pi / 360
    bool HandoverCheck = false;                  // outer orb is 15 degrees
    std::array<std::int32_t, 3> RequestDays{};   // start, end, birth day numbers
    std::int32_t StartDay = 0;                   // first and last civil day to scan
    std::int32_t EndDay = 0;
    std::array<double, 11> NatalLongitudes{};    // by planet code; only the natal planet's is set
    std::int16_t AspectCount = 5;
    bool AllPlanetsMode = false;
    bool RunAborted = false;
    bool PlutoDataLoaded = false;
    bool StopRequested = false;
};

using ResultRow = std::array<std::string, kResultColumns>;

struct ScanState {
    bool IsFirstDay = false;
    std::string DayText;
    double Longitudes[2][3] = {};        // [planet index][sample]
    double Separation[3] = {};           // [sample]
    double Deviation[6][3] = {};         // [aspect][sample]
    bool InOrb[6][kOrbCount][2] = {};    // [aspect][orb][k]: Deviation[a][k+1] < Orbs[o]
    std::int16_t OrbState[7][kOrbCount] = {};  // 0 out, 1 entering, 2 inside, 3 leaving
    double MinDeviation = 10.0;
    std::int32_t NextRow = kFirstTransitRow;
    std::int32_t RowOffset[7] = {};      // columns 2..6 used
    // Rows 0..R at scan start (ResultTableLastRow); grows through ResultCell when a run needs more.
    std::vector<ResultRow> ResultRows;
    std::string HeadingText;
    bool HeaderWritten = false;
};

// Last row index R of a new result table for an inclusive day count: days / 58 * 8 rounded
// half to even, clamped to 200..32760. The table has R + 1 rows.
std::int32_t ResultTableLastRow(std::int64_t inclusiveDays);

// True when all nine cells of the row are empty. Rows beyond the table count as empty.
bool IsRowEmpty(const ScanState& state, std::int32_t row);
// Every cell of ResultRows becomes empty; the table keeps its size.
void ClearResultRows(ScanState& state);
// The cell for writing. A row beyond the table grows the table first (to at least twice its
// size), so a run that needs more rows than the first size loses and overwrites nothing.
std::string& ResultCell(ScanState& state, std::int32_t row, int column);
// The cell for reading; "" for a row beyond the table.
const std::string& ResultCellText(const ScanState& state, std::int32_t row, int column);

}  // namespace meridel
