#include "ephemeris/planet_longitude.h"
#include "window_fixture.h"

namespace meridel {
namespace {

using Timezones = WindowTest;

TEST_F(Timezones, BothListsHoldTheFortyEightZones) {
    frmMain& w = Start();
    for (QComboBox* list : w.cboTimezone) {
        ASSERT_EQ(list->count(), 48);
        EXPECT_EQ(list->itemText(0), "");
        EXPECT_EQ(list->itemText(1), "GMT-11:30");
        EXPECT_EQ(list->itemText(2), "GMT-11:00");
        EXPECT_EQ(list->itemText(14), "GMT-5:00");
        EXPECT_EQ(list->itemText(23), "GMT-0:30");
        EXPECT_EQ(list->itemText(24), "GMT");
        EXPECT_EQ(list->itemText(25), "GMT+0:30");
        EXPECT_EQ(list->itemText(26), "GMT+1:00");
        EXPECT_EQ(list->itemText(35), "GMT+5:30");
        EXPECT_EQ(list->itemText(47), "GMT+11:30");
    }
}

TEST_F(Timezones, NorthAmericanAbbreviationsKeepThePositions) {
    frmMain& w = Start();
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
    EXPECT_EQ(w.focusWidget(), w.cmdStart);

    w.chkDisplayNATZabbr->setChecked(false);
    EXPECT_EQ(w.cboTimezone[0]->currentText(), "GMT-5:00");
    EXPECT_EQ(w.cboTimezone[1]->currentText(), "GMT-2:30");
}

TEST_F(Timezones, LocalOffsetInMinutesRoundsHalvesToEven) {
    struct Case {
        std::int32_t secondsWest;
        int minutesEast;
    };
    for (Case c : {Case{-19800, 330}, Case{3600, -60}, Case{90, -2}, Case{-90, 2}, Case{0, 0}}) {
        FixedClock fixed(2024, c.secondsWest);
        setClock(&fixed);
        EXPECT_EQ(frmMain::LocalTimezoneMinutes(), c.minutesEast) << c.secondsWest;
        setClock(nullptr);
    }
}

TEST_F(Timezones, NatalLongitudeIsTakenAtTheBirthMomentInUniversalTime) {
    frmMain& w = Start();
    SiderealZodiac = false;
    const std::int32_t day = 2451545;  // 2000-01-01
    w.request.RequestDays[2] = day;
    w.request.PlanetCodes[1] = kMars;

    w.cboHour->setCurrentIndex(1);  // 00:00 at GMT+1:00
    w.cboMinute->setCurrentIndex(1);
    w.cboTimezone[1]->setCurrentIndex(26);
    w.ComputeNatalLongitude();
    EXPECT_DOUBLE_EQ(w.request.NatalLongitudes[kMars], PlanetLongitude(kMars, day - 0.5 - 60.0 / 1440.0));

    w.request.PlanetCodes[1] = kMoon;  // 12:35 at GMT-5:00 is 17:35 UT
    w.cboHour->setCurrentIndex(13);
    w.cboMinute->setCurrentIndex(8);
    w.cboTimezone[1]->setCurrentIndex(14);
    w.ComputeNatalLongitude();
    EXPECT_DOUBLE_EQ(w.request.NatalLongitudes[kMoon], PlanetLongitude(kMoon, day - 0.5 + 1055.0 / 1440.0));
    EXPECT_NE(w.request.NatalLongitudes[kMoon], PlanetLongitude(kMoon, day - 0.5 + 755.0 / 1440.0));
}

}  // namespace
}  // namespace meridel
