// Start-up state, the zone lists and the layout.
#include "window_fixture.h"

namespace meridel {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, FirstRunWithoutSavedState) {
    frmMain& w = Start();
    // Personal, tropical, this year, no birth data, Mars and Jupiter, orbs 10, 5, 2, the local zone.
    EXPECT_EQ(Controls(w), "2024-1-1|2024-12-31|--|Mars|Jupiter|10°|5°|2°|GMT+1:00||||"
                           "World 0|Sidereal 0|NA 0|1|for first 10°");
    // Personal mode shows its frames; the output buttons wait for output.
    EXPECT_TRUE(IsShown(w.fraBirthDate));
    for (QWidget* hidden : std::initializer_list<QWidget*>{w.cmdClear, w.cmdFile, w.lblShortDate, w.cmdShowAllTransits})
        EXPECT_FALSE(IsShown(hidden)) << hidden->objectName().toStdString();
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(StartUp, ResultsZoneFollowsTheLocalOffset) {
    // UTC-5, UTC, UTC+5:30, UTC+5:45 (35.5 to even), UTC-11:30; beyond the list: -12, +12, +14.
    const std::pair<int, int> cases[] = {{18000, 14}, {0, 24},     {-19800, 35}, {-20700, 36},
                                         {41400, 1},  {43200, 1}, {-43200, 47}, {-50400, 47}};
    for (auto [secondsWest, index] : cases) {
        frmMain& w = Start(secondsWest);
        EXPECT_EQ(w.cboTimezone[0]->currentIndex(), index) << "offset west " << secondsWest;
    }
}

// The width is fixed and the height has a minimum; a taller window gives the output box the
// height it gains and moves the bottom row of buttons down with it, inside the window.
TEST_F(StartUp, ResizeKeepsTheWidthAndMovesTheBottomRow) {
    frmMain& w = Start();
    const int width = w.FormWidth();
    w.resize(w.width() + 120, w.height() - 60);
    const std::vector<QWidget*> row = {w.cmdQuit, w.cmdSaveState, w.cmdFile, w.cmdTimeline};
    std::vector<int> tops;
    for (QWidget* b : row) tops.push_back(b->y());
    const int box = w.txbOutput->height(), least = w.height();
    EXPECT_EQ(w.FormWidth(), width);
    w.resize(w.width(), w.height() - 60);
    EXPECT_EQ(w.height(), least) << "no lower than the minimum";
    w.resize(w.width() - 50, w.height() + 100);
    EXPECT_EQ(w.FormWidth(), width);
    EXPECT_EQ(w.txbOutput->height(), box + 100);
    for (std::size_t i = 0; i < row.size(); ++i)
        EXPECT_EQ(row[i]->y(), tops[i] + 100) << row[i]->objectName().toStdString();
    EXPECT_LE(w.cmdQuit->geometry().bottom(), w.height());
}

}  // namespace
}  // namespace meridel
