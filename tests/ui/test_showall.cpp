#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace meridel {
namespace {

using ShowAll = WindowTest;

void SetPeriod(frmMain& w, const char* start, const char* end) {
    w.txbYear[0]->setText(QString::fromLatin1(start));
    w.txbYear[1]->setText(QString::fromLatin1(end));
    w.cboTimezone[0]->setCurrentIndex(24);
}

// Saturn with the seven other inner planets, then Pluto. An inner orb of 1°, which a single Sun
// run refuses, does not stop the listing; the lists and the append box are as they were after it.
TEST_F(ShowAll, WorldRunsEveryPairAndRestoresTheControls) {
    frmMain& w = Start();
    w.optWorld->setChecked(true);
    w.cboPlanet[0]->setCurrentText(QStringLiteral("Mars"));
    w.cboPlanet[1]->setCurrentText(QStringLiteral("Saturn"));
    w.cboOrbs[2]->setCurrentIndex(0);
    w.chkAppendToOutput->setChecked(false);
    SetPeriod(w, "2024", "2024");
    shown.clear();
    w.cmdShowAll_Click(0);
    EXPECT_EQ(w.ScansStarted, 8);
    EXPECT_TRUE(shown.messages.empty()) << LastText();
    EXPECT_TRUE(shown.popUps.empty());
    EXPECT_EQ(w.cboPlanet[0]->currentText(), QStringLiteral("Mars"));
    EXPECT_EQ(w.cboPlanet[1]->currentText(), QStringLiteral("Saturn"));
    EXPECT_FALSE(w.chkAppendToOutput->isChecked());
    EXPECT_FALSE(w.request.AllPlanetsMode);
    EXPECT_EQ(w.cmdStart->text(), QStringLiteral("Show all world transits between Mars and Saturn"));
}

TEST_F(ShowAll, OrbsOutOfOrderAreRefusedOnceBeforeAnyRun) {
    frmMain& w = Start();
    w.optWorld->setChecked(true);
    SetPeriod(w, "2024", "2024");
    w.cboOrbs[1]->setCurrentIndex(8);
    w.txbOutput->setPlainText(QStringLiteral("kept"));
    shown.clear();
    w.cmdShowAll_Click(0);
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].text, "Orbs must be strictly decreasing and differ by at least 2°.");
    EXPECT_EQ(shown.messages[0].title, "Orb values");
    EXPECT_EQ(w.ScansStarted, 0);
    EXPECT_EQ(w.OutputText(), QStringLiteral("kept"));
}

// Mars against natal Sun..Neptune; natal Pluto has no 2100, and that refusal ends the loop.
TEST_F(ShowAll, RefusedRunEndsTheLoop) {
    frmMain& w = Start();
    w.optPersonal->setChecked(true);
    w.cboPlanet[0]->setCurrentText(QStringLiteral("Mars"));
    w.cboPlanet[1]->setCurrentText(QStringLiteral("Venus"));
    SetDate(w.txbYear[2], w.txbMonth[2], w.txbDay[2], "1990", "6", "15");
    w.cboHour->setCurrentIndex(13);
    w.cboTimezone[1]->setCurrentIndex(24);
    w.chkAppendToOutput->setChecked(true);
    SetPeriod(w, "2099", "2100");
    w.cmdShowAll_Click(1);
    EXPECT_EQ(w.ScansStarted, 8);
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(LastText(), "End date is too late for Pluto.");
    EXPECT_EQ(w.cboPlanet[1]->currentText(), QStringLiteral("Venus"));
    EXPECT_TRUE(w.chkAppendToOutput->isChecked());
}

// The box fills during the first run: the loop ends, and the closing Pluto run still follows
// and meets the full box at its column titles.
TEST_F(ShowAll, FullBoxEndsTheLoopButPlutoStillRuns) {
    frmMain& w = Start();
    w.optWorld->setChecked(true);
    w.cboPlanet[1]->setCurrentText(QStringLiteral("Mercury"));
    SetPeriod(w, "1600", "2099");
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
    w.optWorld->setChecked(true);
    w.cboPlanet[0]->setCurrentText(QStringLiteral("Venus"));
    SetPeriod(w, "1600", "2099");
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
