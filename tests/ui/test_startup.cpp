#include "window_fixture.h"

namespace meridel {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, FirstRunWithoutSavedState) {
    frmMain& w = Start(2024, -3600);
    EXPECT_TRUE(w.blnStartUpCompleted);
    EXPECT_TRUE(w.optPersonal->isChecked());
    EXPECT_TRUE(w.optTropical->isChecked());
    EXPECT_EQ(w.txbYear[0]->text() + w.txbMonth[0]->text() + w.txbDay[0]->text(), "202411");
    EXPECT_EQ(w.txbYear[1]->text() + w.txbMonth[1]->text() + w.txbDay[1]->text(), "20241231");
    EXPECT_EQ(w.lblDate[1]->text(), "December 31, 2024 CE");
    EXPECT_TRUE(w.txbYear[2]->text().isEmpty());
    EXPECT_EQ(w.cboHour->currentIndex(), 0);
    EXPECT_EQ(w.cboOrbs[0]->currentText() + w.cboOrbs[1]->currentText() + w.cboOrbs[2]->currentText(),
              "10°5°2°");
    EXPECT_EQ(w.cboPlanet[0]->currentText(), "Mars");
    EXPECT_EQ(w.cboPlanet[1]->currentText(), "Jupiter");
    EXPECT_EQ(w.cboTimezone[0]->currentText(), "GMT+1:00");
    EXPECT_EQ(w.cboTimezone[1]->currentIndex(), -1);
    EXPECT_EQ(w.cboSearchAspect->currentText(), "conjunction");
    EXPECT_EQ(w.Label1->text(), "for first 10°");
    EXPECT_EQ(w.cmdStart->text(), "Show all personal transits by Mars of natal Jupiter");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w.SavedPlanetIndex[i], -1);

    // Personal mode shows its frames; the output buttons wait for output.
    EXPECT_TRUE(IsShown(w.fraBirthDate));
    EXPECT_TRUE(IsShown(w.cmdShowAll[1]));
    for (QWidget* hidden : std::initializer_list<QWidget*>{w.cmdClear, w.cmdFile, w.lblShortDate, w.cmdShowAllTransits})
        EXPECT_FALSE(IsShown(hidden)) << hidden->objectName().toStdString();
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(StartUp, ResultsZoneFollowsTheLocalOffset) {
    // UTC-5, UTC, UTC+5:30, UTC+5:45 (35.5 to even), UTC-11:30; beyond the list: -12, +12, +14.
    const std::pair<int, int> cases[] = {{18000, 14}, {0, 24},     {-19800, 35}, {-20700, 36},
                                         {41400, 1},  {43200, 1}, {-43200, 47}, {-50400, 47}};
    for (auto [secondsWest, index] : cases) {
        frmMain& w = Start(2024, secondsWest);
        EXPECT_EQ(w.cboTimezone[0]->currentIndex(), index) << "offset west " << secondsWest;
    }
}

}  // namespace
}  // namespace meridel
