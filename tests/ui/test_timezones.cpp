#include "ephemeris/planet_longitude.h"
#include "window_fixture.h"

namespace meridel {
namespace {

using Timezones = WindowTest;

// Both lists hold the 48 zones; the North American abbreviations replace some texts in place.
TEST_F(Timezones, ListsWithAndWithoutAbbreviationsKeepThePositions) {
    frmMain& w = Start();
    const std::pair<int, const char*> plain[] = {
        {0, ""}, {1, "GMT-11:30"}, {14, "GMT-5:00"}, {24, "GMT"}, {25, "GMT+0:30"}, {35, "GMT+5:30"}, {47, "GMT+11:30"}};
    for (QComboBox* list : w.cboTimezone) {
        ASSERT_EQ(list->count(), 48);
        for (auto [entry, text] : plain) EXPECT_EQ(list->itemText(entry), text);
    }
    w.cboTimezone[0]->setCurrentIndex(14);
    w.cboTimezone[1]->setCurrentIndex(19);
    w.chkDisplayNATZabbr->setChecked(true);
    const std::pair<int, const char*> abbreviated[] = {{4, "HAST"}, {6, "AKST/HADT"}, {8, "PST/AKDT"},
                                                       {10, "MST/PDT"}, {12, "CST/MDT"}, {14, "EST/CDT"},
                                                       {16, "AST/EDT"}, {17, "NST"}, {18, "ADT"}, {19, "NDT"}};
    for (auto [entry, text] : abbreviated) EXPECT_EQ(w.cboTimezone[1]->itemText(entry), text);
    EXPECT_EQ(w.cboTimezone[0]->itemText(5), "GMT-9:30");
    EXPECT_EQ(w.cboTimezone[0]->currentText(), "EST/CDT");
    EXPECT_EQ(w.cboTimezone[1]->currentIndex(), 19);

    w.chkDisplayNATZabbr->setChecked(false);
    EXPECT_EQ(w.cboTimezone[0]->currentText(), "GMT-5:00");
    EXPECT_EQ(w.cboTimezone[1]->currentText(), "GMT-2:30");
}

TEST_F(Timezones, NatalLongitudeIsTakenAtTheBirthMomentInUniversalTime) {
    frmMain& w = Start();
    SiderealZodiac = false;
    const std::int32_t day = 2451545;  // 2000-01-01
    w.request.RequestDays[2] = day;
    w.request.PlanetCodes[1] = kMoon;  // 12:35 at GMT-5:00 is 17:35 UT
    w.cboHour->setCurrentIndex(13);
    w.cboMinute->setCurrentIndex(8);
    w.cboTimezone[1]->setCurrentIndex(14);
    w.ComputeNatalLongitude();
    EXPECT_DOUBLE_EQ(w.request.NatalLongitudes[kMoon], PlanetLongitude(kMoon, day - 0.5 + 1055.0 / 1440.0));
}

}  // namespace
}  // namespace meridel
