#include <QTest>

#include "window_fixture.h"

namespace meridel {
namespace {

using Layout = WindowTest;

// Pixel rounding moves a twips value by at most half a pixel, and sums by a little more.
constexpr int kPixel = 15;

TEST_F(Layout, OutputBoxAndBottomRowFollowTheHeight) {
    frmMain& w = Start();
    struct Case {
        int height, outputHeight, rowTop;
    };
    for (Case c : {Case{6500, 1500, 5400}, Case{8000, 3000, 6900}}) {
        w.SetFormHeight(c.height);
        EXPECT_EQ(w.FormHeight(), c.height);
        EXPECT_EQ(TopTwips(w.txbOutput), 3750);
        EXPECT_EQ(HeightTwips(w.txbOutput), c.outputHeight);
        EXPECT_NEAR(WidthTwips(w.txbOutput), 13280, kPixel);
        for (QWidget* b : std::initializer_list<QWidget*>{w.cmdQuit, w.cmdHelp, w.cmdClear, w.cmdSaveState,
                                                          w.cmdRestoreState, w.cmdFile})
            EXPECT_EQ(TopTwips(b), c.rowTop) << b->objectName().toStdString();
        EXPECT_EQ(TopTwips(w.chkOpenOutputFile), c.rowTop + 30);
        // The bottom row stays inside the client area.
        EXPECT_LE(w.cmdQuit->geometry().bottom(), w.height());
    }
    EXPECT_NEAR(LeftTwips(w.cmdFile), 5950, kPixel);
    EXPECT_NEAR(LeftTwips(w.chkOpenOutputFile), 5950 + 2175 + 100, kPixel);
    EXPECT_NEAR(LeftTwips(w.cmdRestoreState), 120 + 1605 + 100, kPixel);
    EXPECT_NEAR(LeftTwips(w.cmdClear), 10200, kPixel);
    EXPECT_NEAR(LeftTwips(w.chkAppendToOutput), 9195, kPixel);
    EXPECT_NEAR(WidthTwips(w.fraSearch), 11450, kPixel);
    EXPECT_NEAR(LeftTwips(w.fraSearch), 1175, kPixel);
    EXPECT_NEAR(LeftTwips(w.lblShortDate) + WidthTwips(w.lblShortDate), 480 + 6285, kPixel);
}

TEST_F(Layout, WidthIsFixedAndHeightHasAMinimum) {
    frmMain& w = Start();
    w.resize(w.width() + 120, w.height() - 60);
    EXPECT_EQ(w.FormWidth(), 13800);
    EXPECT_EQ(w.FormHeight(), 6500);
    w.resize(w.width() - 50, w.height() + 200);
    EXPECT_EQ(w.FormWidth(), 13800);
    EXPECT_EQ(w.FormHeight(), 6500 + 200 * 15);
    EXPECT_EQ(HeightTwips(w.txbOutput), 1500 + 200 * 15);
}

TEST_F(Layout, TimerShowsTheOutputButtonsWhenThereIsOutput) {
    frmMain& w = Start();
    QTest::keyClicks(w.txbOutput, "notes");
    QTest::qWait(700);
    EXPECT_TRUE(IsShown(w.cmdClear));
    EXPECT_TRUE(IsShown(w.cmdFile));
    EXPECT_TRUE(IsShown(w.chkOpenOutputFile));
    EXPECT_FALSE(w.cmdFile->isEnabled());  // until a run has ended
    EXPECT_FALSE(w.chkOpenOutputFile->isEnabled());

    // While a run goes on the file button hides and the running date follows the scan.
    w.cmdStart->setText("Stop");
    w.scan.DayText = "2024-03-05";
    w.Timer1_Timer();
    EXPECT_FALSE(IsShown(w.cmdFile));
    EXPECT_FALSE(IsShown(w.chkOpenOutputFile));
    EXPECT_TRUE(IsShown(w.cmdClear));
    EXPECT_EQ(w.lblShortDate->text(), "2024-03-05");

    w.UpdateRunCaptions();
    w.txbOutput->clear();
    w.Timer1_Timer();
    EXPECT_FALSE(IsShown(w.cmdClear));
    EXPECT_FALSE(IsShown(w.cmdFile));
}

TEST_F(Layout, BusyAndIdleStates) {
    frmMain& w = Start();
    w.SetBusyState();
    EXPECT_EQ(w.cmdStart->text(), "Stop");
    for (QWidget* on : std::initializer_list<QWidget*>{w.cmdStart, w.cmdQuit, w.txbOutput, w.fraSearch})
        EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();
    for (QWidget* off : std::initializer_list<QWidget*>{w.cmdSearch, w.cmdShowAll[0], w.cboPlanet[0], w.optWorld,
                                                        w.chkKeepDates, w.txbYear[0], w.lblYear, w.cboHour})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    EXPECT_TRUE(IsShown(w.lblShortDate));

    w.SetIdleState();
    EXPECT_EQ(w.cmdStart->text(), "Show all personal transits by Mars of natal Jupiter");
    for (QWidget* on : std::initializer_list<QWidget*>{w.cmdSearch, w.cboPlanet[0], w.txbYear[0], w.lblYear,
                                                       w.cmdFile, w.chkOpenOutputFile})
        EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();
    EXPECT_FALSE(IsShown(w.lblShortDate));
}

TEST_F(Layout, CheckBoxesHandTheFocusOn) {
    frmMain& w = Start();
    w.chkKeepDates->setChecked(false);
    EXPECT_EQ(w.focusWidget(), w.cmdSearch);
    w.chkAppendToOutput->setChecked(true);
    EXPECT_EQ(w.focusWidget(), w.cmdStart);
    w.cmdStart->setEnabled(false);
    w.cmdHelp->setFocus();
    w.chkAppendToOutput->setChecked(false);
    EXPECT_EQ(w.focusWidget(), w.cmdHelp);
}

}  // namespace
}  // namespace meridel
