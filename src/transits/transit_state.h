// The working state of one scan, which the scan engine resets and fills.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "transits/transit_results.h"

namespace meridel {

// How an orb stands from one local midnight to the next.
enum OrbStep : std::int16_t { kOutside = 0, kEntering = 1, kInside = 2, kLeaving = 3 };

// How many rows below a transit's first row the next entry of each kind goes: a transit spans
// several rows when the pair enters and leaves the middle or inner orb more than once.
struct RowOffsets {
    std::int32_t middleEntered = 0;
    std::int32_t innerEntered = 0;
    std::int32_t closest = 0;
    std::int32_t innerLeft = 0;
    std::int32_t middleLeft = 0;
};

struct ScanState {
    bool IsFirstDay = false;
    std::int32_t Day = 0;               // the day being processed; DayText(state) names it

    double Separation[3] = {};           // [sample]
    double Deviation[6][3] = {};         // [aspect][sample]
    bool InOrb[6][kOrbCount][2] = {};    // [aspect][orb][k]: Deviation[a][k+1] < Orbs[o]
    OrbStep OrbState[6][kOrbCount] = {};
    double MinDeviation = 10.0;
    std::int32_t NextRow = 0;            // the first row of the transit being built
    RowOffsets RowOffset;
    // Sized by ResultTableLastRow at scan start; grows when a run needs more.
    std::vector<TransitRow> ResultRows;
    bool HeaderWritten = false;
    // What has been written so far.
    RunRecord Results;
};

// Last row index R of a new result table for an inclusive day count: days / 58 * 8 rounded
// half to even, clamped to 200..32760. The table has R + 1 rows.
std::int32_t ResultTableLastRow(std::int64_t inclusiveDays);

// ShortDateText of the day being processed, as the window's timer shows it (formed when asked:
// the scan itself never needs the text).
std::string DayText(const ScanState& state);

// True when the row holds nothing. Rows beyond the table count as empty.
bool IsRowEmpty(const ScanState& state, std::int32_t row);
// The row for writing. A row beyond the table grows the table first (to at least twice its
// size), so a run that needs more rows than the first size loses and overwrites nothing.
TransitRow& ResultRow(ScanState& state, std::int32_t row);
// The row for reading; an empty row beyond the table.
const TransitRow& ResultRowAt(const ScanState& state, std::int32_t row);

}  // namespace meridel
