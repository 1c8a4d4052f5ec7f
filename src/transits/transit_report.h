// The listing's text, rendered from a run's values: the heading, the column titles and rule, and
// the fixed-width line of each row. Texts are UTF-8; widths count characters (code points), so
// "°" is one character.
#pragma once

#include <cstdint>
#include <string>

#include "transits/transit_results.h"

namespace meridel {

inline constexpr int kCellWidth = 12;      // every column but the last
inline constexpr int kRuleLength = 119;    // the rule under the column titles
inline constexpr const char* kNoTransitsLine = "No transits in this period.";

// "World transits for Jupiter and Saturn from January 1, 2019, to December 31, 2022 ('r' = ..."
// or the Personal heading with the birth data and the zodiac.
std::string HeadingLine(const TransitRequest& heading);

// "Aspect | Start 10° Start 5° Start 2° | Minimum at | End 2° End 5° End 10° | Minimum".
std::string TitlesLine(const std::array<std::int16_t, kOrbCount>& orbDegrees);

// 119 "-".
std::string RuleLine();

// The cell text cut or padded with blanks to exactly `width` characters.
std::string FitCell(const std::string& text, int width = kCellWidth);

// A listed day: "2020-12-21", with "r" when the moving planet is retrograde.
std::string DateCellText(const ListedDate& date);

// The text line of a row, without a line end: aspect (12) "| " start outer, middle, inner
// (12 each) "| " minimum at (12) "| " end inner, middle, outer (12 each) "| " minimum (whole).
// An exact hit shows its date and "*" (and "r") at "Minimum at", its time and the results zone's
// text at "Minimum"; a closest approach its date and its deviation as 0°12'.
std::string RowLine(const TransitRow& row, const std::string& zoneText);

}  // namespace meridel
