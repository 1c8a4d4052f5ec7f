#include <gtest/gtest.h>

#include "scan_check.h"
#include "transits/orb_geometry.h"
#include "transits/date_limits.h"

using namespace meridel;
using scantest::RecordingHooks;

TEST(ReportText, ColumnTitlesRuleAndHeading) {
    InitDateTables();
    TransitRequest request;
    request.OrbDegrees = {8, 5, 3, 0};
    ScanState state;
    state.HeadingText = "Heading";
    RecordingHooks hooks;
    WriteTableHeader(request, state, hooks);
    EXPECT_TRUE(state.HeaderWritten);
    EXPECT_EQ(hooks.lines, (std::vector<std::string>{
                               "Heading",
                               "Aspect      | Start 8°    Start 5°    Start 3°    | Minimum at  | End 3°      End 5°"
                               "      End 8°      | Minimum",
                               std::string(119, '-')}));
}

TEST(ReportText, CellsAreCutAndPaddedByCharacters) {
    ResultRow row;
    row[0] = "Conjunction!!";
    row[1] = "?";
    row[7] = "12345678901°X";  // 13 characters, 14 bytes
    row[8] = "a last column stays whole";
    EXPECT_EQ(RowText(row), "Conjunction!| " + std::string(36, ' ') + "| " + std::string(12, ' ') + "| " +
                                std::string(24, ' ') + "12345678901°| a last column stays whole");
    // "?" prints blank, and is emptied only once the row is written.
    ScanState state;
    state.ResultRows.assign(4, row);
    RecordingHooks full;
    full.capacity = 0;
    EXPECT_FALSE(WriteRow(state, 3, full));
    EXPECT_EQ(state.ResultRows[3][1], "?");
    RecordingHooks open;
    EXPECT_TRUE(WriteRow(state, 3, open));
    EXPECT_EQ(state.ResultRows[3][1], "");
}

TEST(ReportText, Headings) {
    InitDateTables();
    SetNameTables();
    TransitRequest request;
    request.StartDay = 2451545;
    request.EndDay = 2451910;
    request.RequestDays = {0, 0, 2447893};
    HeadingTexts texts{true, "Sun", "Mars", "", "", "", true};
    const std::string world = "World transits for Sun and Mars from January 1, 2000, to December 31, 2000";
    EXPECT_EQ(MakeHeading(request, texts), world);
    texts.Planet1 = "Venus";
    EXPECT_EQ(MakeHeading(request, texts), "World transits for Venus" + world.substr(22) + " ('r' = Venus retrograde)");
    request.AllPlanetsMode = true;
    texts.Planet1.reset();
    EXPECT_EQ(MakeHeading(request, texts), "World transits for Pluto" + world.substr(22) + " ('r' not shown)");
    HeadingTexts personal{false, "Saturn", "Moon", "07", "05", "GMT+1:00", false};
    EXPECT_EQ(MakeHeading(request, personal),
              "Saturn transits of natal Moon, Jan. 1, 2000, to Dec. 31, 2000, birth at Jan. 1, 1990, 07:05 GMT+1:00 "
              "(sidereal)");
}

TEST(ReportText, AnglesTimesAndRangeMessages) {
    const double degree = 6.28318530717959 / 360.0;
    EXPECT_EQ(AngleToDegMinText(360 * degree), "360°0'");
    EXPECT_EQ(AngleToDegMinText((359 + 59.6 / 60) * degree), "359°59'");
    EXPECT_EQ(AngleToDegMinText((29 + 59.6 / 60) * degree), "30°0'");
    EXPECT_EQ(AngleToDegMinText(-0.1) + AngleToDegMinText(6.3), "");
    EXPECT_EQ(DayFractionToTimeText(0.999999), "23:59");
    EXPECT_EQ(DayFractionToTimeText((7 * 3600 + 59 * 60 + 30) / 86400.0), "08:00");
    EXPECT_EQ(DayFractionToTimeText(1.0), "");
    SetNameTables();
    EXPECT_EQ(DateRangeMessage(kSecondBodyAfterRange, 9, 10), "Date is beyond allowable date range for Moon.");
    EXPECT_EQ(DateRangeMessage(kFirstBodyBeforeRange, 9, 10), "Date is prior to allowable date range for Pluto.");
}

TEST(ResultTable, CapacityAndGrowth) {
    EXPECT_EQ(ResultTableLastRow(3653), 504);  // 503.86 rounds up
    EXPECT_EQ(ResultTableLastRow(30), 200);
    EXPECT_EQ(ResultTableLastRow(1000000), 32760);
    ScanState state;
    state.ResultRows.resize(4);
    ResultCell(state, 3, 1) = "kept";
    EXPECT_TRUE(IsRowEmpty(state, 9));  // beyond the table: empty, and no read past it
    ResultCell(state, 9, 0) = "grown";
    EXPECT_EQ(ResultCellText(state, 3, 1) + ResultCellText(state, 9, 0), "keptgrown");
    ClearResultRows(state);
    EXPECT_TRUE(IsRowEmpty(state, 3));
}
