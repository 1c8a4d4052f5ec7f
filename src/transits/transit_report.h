// The report's text: the heading of a run, the column titles and rule, and the fixed-width line
// of a result row. The window only appends what it is given and applies its size limit.
// Texts are UTF-8; widths count characters (code points), so "°" is one character.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "transits/transit_state.h"

namespace meridel {

class ScanHooks;

inline constexpr int kCellWidth = 12;      // every column but the last
inline constexpr int kRuleLength = 119;    // the rule under the column titles
inline constexpr const char* kNoTransitsLine = "No transits in this period.";

// What the heading needs from the window's controls.
struct HeadingTexts {
    bool WorldMode = true;                // optWorld
    std::optional<std::string> Planet1;   // selected text of cboPlanet(0); nullopt: nothing selected
    std::string Planet2;                  // selected text of cboPlanet(1)
    std::string BirthHour;                // selected texts of cboHour, cboMinute (Personal)
    std::string BirthMinute;
    std::string BirthZone;                // selected text of cboTimezone(1) (Personal)
    bool Tropical = true;                 // optTropical (Personal)
};

// The heading line of a run, from StartDay, EndDay, the birth day and AllPlanetsMode of the request.
std::string MakeHeading(const TransitRequest& request, const HeadingTexts& texts);

// 119 "-".
std::string RuleLine();

// The cell text cut or padded with blanks to exactly `width` characters.
std::string FitCell(const std::string& text, int width = kCellWidth);

// The text line of a row, without a line end: aspect (12) "| " start outer, middle, inner
// (12 each) "| " minimum at (12) "| " end inner, middle, outer (12 each) "| " minimum (whole).
// A cell that is exactly "?" prints as blanks.
std::string RowText(const ResultRow& row);

// Offers row `row` to the output; when the window takes it, "?" cells of the row become empty.
// Returns whether it was written.
bool WriteRow(ScanState& state, std::int32_t row, ScanHooks& hooks);

// Rows 0..2 of the table (HeadingText, the column titles from OrbDegrees, the rule), written in
// order: the heading and the rule as plain lines, the titles as a row. Sets HeaderWritten.
void WriteTableHeader(const TransitRequest& request, ScanState& state, ScanHooks& hooks);

}  // namespace meridel
