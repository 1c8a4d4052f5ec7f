#include <QTest>

#include "window_fixture.h"

namespace meridel {
namespace {

using Layout = WindowTest;

// The width is fixed; the height has a minimum, and the output box and bottom row follow it.
TEST_F(Layout, ResizeKeepsTheWidthAndMovesTheBottomRow) {
    frmMain& w = Start();
    w.resize(w.width() + 120, w.height() - 60);
    EXPECT_EQ(w.FormWidth(), 13800);
    EXPECT_EQ(w.FormHeight(), 6500);
    EXPECT_EQ(HeightTwips(w.txbOutput), 1500);
    EXPECT_EQ(TopTwips(w.cmdQuit), 5400);
    w.resize(w.width() - 50, w.height() + 100);
    EXPECT_EQ(w.FormWidth(), 13800);
    EXPECT_EQ(w.FormHeight(), 8000);
    EXPECT_EQ(TopTwips(w.txbOutput), 3750);
    EXPECT_EQ(HeightTwips(w.txbOutput), 3000);
    for (QWidget* b : std::initializer_list<QWidget*>{w.cmdQuit, w.cmdClear, w.cmdRestoreState, w.cmdFile})
        EXPECT_EQ(TopTwips(b), 6900) << b->objectName().toStdString();
    EXPECT_EQ(TopTwips(w.chkOpenOutputFile), 6930);
    EXPECT_LE(w.cmdQuit->geometry().bottom(), w.height());
}

TEST_F(Layout, TimerShowsTheOutputButtonsWhenThereIsOutput) {
    frmMain& w = Start();
    QTest::keyClicks(w.txbOutput, "notes");
    QTest::qWait(700);
    EXPECT_TRUE(IsShown(w.cmdClear));
    EXPECT_TRUE(IsShown(w.cmdFile));
    EXPECT_FALSE(w.cmdFile->isEnabled());  // until a run has ended

    // While a run goes on the file button hides and the running date follows the scan.
    w.cmdStart->setText("Stop");
    w.scan.DayText = "2024-03-05";
    w.Timer1_Timer();
    EXPECT_FALSE(IsShown(w.cmdFile));
    EXPECT_TRUE(IsShown(w.cmdClear));
    EXPECT_EQ(w.lblShortDate->text(), "2024-03-05");

    w.UpdateRunCaptions();
    w.txbOutput->clear();
    w.Timer1_Timer();
    EXPECT_FALSE(IsShown(w.cmdClear));
    EXPECT_FALSE(IsShown(w.cmdFile));
}

}  // namespace
}  // namespace meridel
