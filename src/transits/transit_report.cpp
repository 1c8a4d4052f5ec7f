#include "transits/transit_report.h"

#include "calendar/date_text.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "transits/scan_engine.h"

namespace meridel {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

const std::string& Printed(const std::string& cell) {
    static const std::string blank;
    return cell == "?" ? blank : cell;
}

}  // namespace

std::string MakeHeading(const TransitRequest& request, const HeadingTexts& texts) {
    std::string p1;
    if (texts.Planet1) {
        p1 = *texts.Planet1;
    } else if (texts.WorldMode && request.AllPlanetsMode) {
        p1 = BodyName[kPluto];  // the all-planets run without an inner planet is Pluto's
    }
    const std::string& p2 = texts.Planet2;
    if (texts.WorldMode) {
        std::string heading = "World transits for " + p1 + " and " + p2 + " from " + LongDateText(request.StartDay) +
                              ", to " + LongDateText(request.EndDay);
        if (p1 != "Sun") heading += request.AllPlanetsMode ? " ('r' not shown)" : " ('r' = " + p1 + " retrograde)";
        return heading;
    }
    return p1 + " transits of natal " + p2 + ", " + MonthNameDateText(request.StartDay) + ", to " +
           MonthNameDateText(request.EndDay) + ", birth at " + MonthNameDateText(request.RequestDays[2]) + ", " +
           texts.BirthHour + ":" + texts.BirthMinute + " " + texts.BirthZone +
           (texts.Tropical ? " (tropical)" : " (sidereal)");
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

std::string RowText(const ResultRow& row) {
    std::string line;
    line.reserve(140);
    line += FitCell(Printed(row[0]));
    line += "| ";
    for (int c = 1; c <= 3; ++c) line += FitCell(Printed(row[c]));
    line += "| ";
    line += FitCell(Printed(row[4]));
    line += "| ";
    for (int c = 5; c <= 7; ++c) line += FitCell(Printed(row[c]));
    line += "| ";
    line += Printed(row[8]);
    return line;
}

bool WriteRow(ScanState& state, std::int32_t row, ScanHooks& hooks) {
    ResultRow& cells = state.ResultRows.at(static_cast<std::size_t>(row));
    if (!hooks.writeRow(RowText(cells))) return false;
    for (std::string& cell : cells) {
        if (cell == "?") cell.clear();
    }
    return true;
}

void WriteTableHeader(const TransitRequest& request, ScanState& state, ScanHooks& hooks) {
    const std::string degree = "\xC2\xB0";
    ResultCell(state, 2, 0) = RuleLine();
    ResultCell(state, 0, 0) = state.HeadingText;
    hooks.appendLine(state.HeadingText);
    ResultRow& titles = state.ResultRows[1];
    titles[0] = "Aspect";
    for (int o = 0; o < 3; ++o) {
        titles[1 + o] = "Start " + std::to_string(request.OrbDegrees[o]) + degree;
        titles[5 + o] = "End " + std::to_string(request.OrbDegrees[2 - o]) + degree;
    }
    titles[4] = "Minimum at";
    titles[8] = "Minimum";
    WriteRow(state, 1, hooks);
    hooks.appendLine(state.ResultRows[2][0]);
    state.HeaderWritten = true;
}

}  // namespace meridel
