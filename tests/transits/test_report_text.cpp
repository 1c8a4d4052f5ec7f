#include <gtest/gtest.h>

#include "calendar/date_text.h"
#include "ephemeris/names.h"
#include "recording_hooks.h"
#include "transits/aspect_geometry.h"
#include "transits/date_limits.h"
#include "transits/transit_report.h"

using namespace meridel;

namespace {

class ReportText : public ::testing::Test {
protected:
    void SetUp() override {
        InitDateTables();
        SetNameTables();
        request.StartDay = 2451545;  // 2000-01-01
        request.EndDay = 2451910;    // 2000-12-31
        request.RequestDays = {2451545, 2451910, 2447893};  // birth 1990-01-01
        request.OrbDegrees = {8, 5, 3, 0};
    }
    TransitRequest request;
};

// Code points, not bytes.
std::size_t Characters(const std::string& s) {
    std::size_t n = 0;
    for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

}  // namespace

TEST_F(ReportText, ColumnTitlesSitAtTheirPositions) {
    ScanState state;
    state.HeadingText = "Heading";
    RecordingHooks hooks;
    WriteTableHeader(request, state, hooks);
    ASSERT_EQ(hooks.lines.size(), 3u);
    EXPECT_EQ(hooks.lines[0], "Heading");
    EXPECT_EQ(hooks.lines[2], std::string(119, '-'));
    EXPECT_TRUE(state.HeaderWritten);
    const std::string& t = hooks.lines[1];
    EXPECT_EQ(Characters(t), 111u);
    EXPECT_EQ(t, "Aspect      | Start 8°    Start 5°    Start 3°    | Minimum at  | End 3°      End 5°      "
                 "End 8°      | Minimum");
}

TEST_F(ReportText, CellsAreCutAndPaddedByCharacters) {
    ResultRow row;
    row[0] = "Conjunction!!";       // 13: cut
    row[1] = "?";                    // prints blank
    row[4] = "2000-01-01r*";         // 12: whole
    row[7] = "12345678901°X";        // 13 characters, 14 bytes: cut after the degree sign
    row[8] = "a long last column stays whole";
    const std::string line = RowText(row);
    EXPECT_EQ(line.substr(0, 14), "Conjunction!| ");
    EXPECT_EQ(line.substr(14, 12), std::string(12, ' '));
    EXPECT_NE(line.find("| 2000-01-01r*| "), std::string::npos);
    EXPECT_NE(line.find("12345678901°| a long last column stays whole"), std::string::npos);
    EXPECT_EQ(FitCell("0°12'"), "0°12'       ");
}

TEST_F(ReportText, QuestionMarkCellsAreEmptiedOnlyWhenWritten) {
    ScanState state;
    state.ResultRows.resize(5);
    state.ResultRows[3][2] = "?";
    RecordingHooks full;
    full.capacity = 0;
    EXPECT_FALSE(WriteRow(state, 3, full));
    EXPECT_EQ(state.ResultRows[3][2], "?");
    EXPECT_TRUE(full.lines.empty());
    RecordingHooks open;
    EXPECT_TRUE(WriteRow(state, 3, open));
    EXPECT_EQ(state.ResultRows[3][2], "");
}

TEST_F(ReportText, Headings) {
    HeadingTexts texts{true, "Sun", "Mars", "", "", "", true};
    EXPECT_EQ(MakeHeading(request, texts), "World transits for Sun and Mars from January 1, 2000, to December 31, 2000");
    texts.Planet1 = "Venus";
    EXPECT_EQ(MakeHeading(request, texts),
              "World transits for Venus and Mars from January 1, 2000, to December 31, 2000 ('r' = Venus retrograde)");
    request.AllPlanetsMode = true;
    texts.Planet1.reset();
    EXPECT_EQ(MakeHeading(request, texts),
              "World transits for Pluto and Mars from January 1, 2000, to December 31, 2000 ('r' not shown)");
    request.AllPlanetsMode = false;
    HeadingTexts personal{false, "Saturn", "Moon", "07", "05", "GMT+1:00", false};
    EXPECT_EQ(MakeHeading(request, personal), "Saturn transits of natal Moon, Jan. 1, 2000, to Dec. 31, 2000, birth at "
                                              "Jan. 1, 1990, 07:05 GMT+1:00 (sidereal)");
}

TEST(TextOfAngles, DegreesMinutesAndTimes) {
    const double perDegree = 6.28318530717959 / 360.0;
    EXPECT_EQ(AngleToDegMinText(6.28318530717959), "360°0'");
    EXPECT_EQ(AngleToDegMinText((359 + 59.6 / 60) * perDegree), "359°59'");
    EXPECT_EQ(AngleToDegMinText((29 + 59.6 / 60) * perDegree), "30°0'");
    EXPECT_EQ(AngleToDegMinText((5 + 7.2 / 60) * perDegree), "5°7'");
    EXPECT_EQ(AngleToDegMinText(-0.1), "");
    EXPECT_EQ(AngleToDegMinText(6.3), "");
    EXPECT_EQ(DayFractionToTimeText(0.999999), "23:59");
    EXPECT_EQ(DayFractionToTimeText(0.5), "12:00");
    EXPECT_EQ(DayFractionToTimeText((7 * 3600 + 5 * 60 + 29) / 86400.0), "07:05");
    EXPECT_EQ(DayFractionToTimeText((7 * 3600 + 59 * 60 + 30) / 86400.0), "08:00");
    EXPECT_EQ(DayFractionToTimeText(1.0), "");
    EXPECT_EQ(DayFractionToTimeText(-0.01), "");
}

TEST(Separation, ShortWayRoundAndDirection) {
    std::int16_t direction = 0;
    EXPECT_NEAR(AngularSeparation(0.1, 6.2, direction), 0.1 + 6.28318530717959 - 6.2, 1e-12);
    EXPECT_EQ(direction, 1);
    EXPECT_DOUBLE_EQ(AngularSeparation(1, 4, direction), 3);
    EXPECT_EQ(direction, -1);
}

TEST(RangeMessages, NameTheBodyOfTheCode) {
    SetNameTables();
    EXPECT_EQ(DateRangeMessage(kSecondBodyAfterRange, 9, 10), "Date is beyond allowable date range for Moon.");
    EXPECT_EQ(DateRangeMessage(kFirstBodyAfterRange, 9, 10), "Date is beyond allowable date range for Pluto.");
    EXPECT_EQ(DateRangeMessage(kSecondBodyBeforeRange, 9, 10), "Date is prior to allowable date range for Moon.");
    EXPECT_EQ(DateRangeMessage(kFirstBodyBeforeRange, 9, 10), "Date is prior to allowable date range for Pluto.");
}

TEST(ResultTable, CapacityAndGrowth) {
    EXPECT_EQ(ResultTableLastRow(3653), 504);  // 503.86 rounds up
    EXPECT_EQ(ResultTableLastRow(30), 200);
    EXPECT_EQ(ResultTableLastRow(1000000), 32760);
    ScanState state;
    state.ResultRows.resize(4);
    ResultCell(state, 3, 1) = "kept";
    EXPECT_TRUE(IsRowEmpty(state, 9));  // beyond the table: empty, not a read past it
    ResultCell(state, 9, 0) = "grown";
    EXPECT_GE(state.ResultRows.size(), 10u);
    EXPECT_EQ(ResultCellText(state, 3, 1), "kept");
    EXPECT_FALSE(IsRowEmpty(state, 9));
    ClearResultRows(state);
    EXPECT_TRUE(IsRowEmpty(state, 3));
    EXPECT_EQ(ResultCellText(state, 100000, 0), "");
}
