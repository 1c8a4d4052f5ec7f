#include "transits/transit_report.h"

#include <cstdio>

#include "calendar/date_text.h"
#include "ephemeris/names.h"
#include "transits/orb_geometry.h"

namespace meridel {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

const char* const kDegreeSign = "\xC2\xB0";

}  // namespace

std::string HeadingLine(const TransitRequest& h) {
    const std::string& p1 = h.planet1;
    const std::string& p2 = h.planet2;
    if (h.world) {
        std::string heading = "World transits for " + p1 + " and " + p2 + " from " + LongDateText(h.StartDay) +
                              ", to " + LongDateText(h.EndDay);
        if (p1 != "Sun") heading += h.AllPlanetsMode ? " ('r' not shown)" : " ('r' = " + p1 + " retrograde)";
        return heading;
    }
    return p1 + " transits of natal " + p2 + ", " + MonthNameDateText(h.StartDay) + ", to " +
           MonthNameDateText(h.EndDay) + ", birth at " + MonthNameDateText(h.BirthDay()) + ", " + h.birthHour + ":" +
           h.birthMinute + " " + h.birthZone + (h.sidereal ? " (sidereal)" : " (tropical)");
}

std::string TitlesLine(const std::array<std::int16_t, kOrbCount>& orbDegrees) {
    auto title = [&](const char* word, int orb) { return std::string(word) + std::to_string(orbDegrees[orb]) + kDegreeSign; };
    std::string line = FitCell("Aspect") + "| ";
    for (int o = kOuterOrb; o <= kInnerOrb; ++o) line += FitCell(title("Start ", o));
    line += "| " + FitCell("Minimum at") + "| ";
    for (int o = kInnerOrb; o >= kOuterOrb; --o) line += FitCell(title("End ", o));
    return line + "| Minimum";
}

std::string RuleLine() { return std::string(kRuleLength, '-'); }

std::string FitCell(const std::string& text, int width) {
    std::string out;
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsContinuationByte(text[i])) {
            if (characters == width) break;
            ++characters;
        }
        out += text[i];
    }
    out.append(static_cast<std::size_t>(width - characters), ' ');
    return out;
}

std::string DateCellText(const ListedDate& date) {
    return ShortDateText(date.day, 2, "-", ",", false) + (date.retrograde ? "r" : "");
}

std::string RowLine(const TransitRow& row, const std::string& zoneText) {
    auto date = [](const std::optional<ListedDate>& d) { return FitCell(d ? DateCellText(*d) : ""); };
    std::string closestAt, closest;
    if (row.hit) {
        closestAt = ShortDateText(row.hit->date.day, 2, "-", ",", false) + "*" + (row.hit->date.retrograde ? "r" : "");
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d", row.hit->minuteOfDay / 60, row.hit->minuteOfDay % 60);
        closest = time + (" " + zoneText);
    } else if (row.minimum) {
        closestAt = DateCellText(row.minimum->date);
        closest = AngleToDegMinText(row.minimum->deviation);
    }
    std::string line;
    line.reserve(140);
    line += FitCell(row.aspectName > 0 ? AspectName[row.aspectName] : "") + "| ";
    for (int o = kOuterOrb; o <= kInnerOrb; ++o) line += date(row.entered[o]);
    line += "| " + FitCell(closestAt) + "| ";
    for (int o = kInnerOrb; o >= kOuterOrb; --o) line += date(row.left[o]);
    return line + "| " + closest;
}

}  // namespace meridel
