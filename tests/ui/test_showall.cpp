#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace meridel {
namespace {

using ShowAll = WindowTest;

// Saturn with the seven other inner planets, then Pluto. An inner orb of 1°, which a single Sun
// run refuses, does not stop the listing; the lists and the append box are as they were after it.
TEST_F(ShowAll, WorldRunsEveryPairAndRestoresTheControls) {
    frmMain& w = Start();
    SetWorld("Mars", "Saturn");
    w.cboOrbs[2]->setCurrentIndex(0);
    w.chkAppendToOutput->setChecked(false);
    shown.clear();
    w.cmdShowAll_Click(0);
    EXPECT_EQ(w.ScansStarted, 8);
    EXPECT_TRUE(shown.messages.empty()) << LastText();
    EXPECT_TRUE(shown.popUps.empty());
    EXPECT_TRUE(w.OutputText().contains(QStringLiteral("World transits for Pluto and Saturn")));
    EXPECT_EQ(w.cboPlanet[0]->currentText() + w.cboPlanet[1]->currentText(), "MarsSaturn");
    EXPECT_FALSE(w.chkAppendToOutput->isChecked());
    EXPECT_FALSE(w.request.AllPlanetsMode);
    EXPECT_EQ(w.cmdStart->text(), QStringLiteral("Show all world transits between Mars and Saturn"));

    // Orbs out of order are refused once, before any run.
    w.cboOrbs[1]->setCurrentIndex(8);
    w.txbOutput->setPlainText(QStringLiteral("kept"));
    shown.clear();
    w.cmdShowAll_Click(0);
    ExpectOneMessage("Orbs must be strictly decreasing and differ by at least 2°.", "Orb values");
    EXPECT_EQ(w.ScansStarted, 8);
    EXPECT_EQ(w.OutputText(), QStringLiteral("kept"));
}

// Mars against natal Sun..Neptune; natal Pluto has no 2100, and that refusal ends the loop.
TEST_F(ShowAll, RefusedRunEndsTheLoop) {
    frmMain& w = Start();
    w.cboPlanet[1]->setCurrentText(QStringLiteral("Venus"));
    SetDate(2, "1990", "6", "15");
    w.cboHour->setCurrentIndex(13);
    w.cboTimezone[1]->setCurrentIndex(24);
    w.chkAppendToOutput->setChecked(true);
    SetYears("2099", "2100");
    w.cmdShowAll_Click(1);
    EXPECT_EQ(w.ScansStarted, 8);
    ExpectOneMessage("End date is too late for Pluto.");
    EXPECT_EQ(w.cboPlanet[1]->currentText(), QStringLiteral("Venus"));
    EXPECT_TRUE(w.chkAppendToOutput->isChecked());
}

// The box fills during the first run: the loop ends, and the closing Pluto run still follows
// and meets the full box at its column titles.
TEST_F(ShowAll, FullBoxEndsTheLoopButPlutoStillRuns) {
    frmMain& w = Start();
    SetWorld("Mars", "Mercury");
    SetYears("1600", "2099");
    w.cmdShowAll_Click(0);
    EXPECT_EQ(w.ScansStarted, 2);
    EXPECT_TRUE(w.OutputText().contains(QStringLiteral("World transits for Pluto and Mercury")));
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("Textbox is full -- ") + QString(119, QLatin1Char('-')) +
                                        QStringLiteral("\r\nStopped")));
    EXPECT_FALSE(w.request.AllPlanetsMode);
}

// Closing the window during a run: no further run, not even Pluto's; the window closes after.
TEST_F(ShowAll, ClosingTheWindowStartsNoFurtherRuns) {
    frmMain& w = Start();
    w.show();
    SetWorld("Venus", "Jupiter");
    SetYears("1600", "2099");
    QTimer::singleShot(100, [&] { w.close(); });
    w.cmdShowAll_Click(0);
    EXPECT_EQ(w.ScansStarted, 1);
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("Stopped")));
    EXPECT_EQ(w.cboPlanet[0]->currentText(), QStringLiteral("Venus"));
    EXPECT_FALSE(w.request.AllPlanetsMode);
    QTest::qWait(50);
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace meridel
