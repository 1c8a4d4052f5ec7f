// Search and the all-planets buttons.
#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace meridel {
namespace {

using Search = WindowTest;

QString DateFields(const frmMain& w, int row) {
    return w.txbYear[row]->text() + "-" + w.txbMonth[row]->text() + "-" + w.txbDay[row]->text();
}

// The great conjunction of 2020 is within 10° on the day after the end date: the search steps
// past it and lists the next one, then moves the date fields to the stretch it scanned.
TEST_F(Search, SkipsTheTransitUnderWayAndMovesTheDatesUnlessKept) {
    frmMain& w = Start();
    SetWorld("Jupiter", "Saturn");
    SetDate(1, "2020", "12", "31");
    w.chkKeepDates->setChecked(false);
    w.cmdSearch_Click();
    EXPECT_TRUE(shown.messages.empty()) << LastText();
    EXPECT_EQ(DateFields(w, 0), QStringLiteral("2040-7-15"));
    EXPECT_EQ(DateFields(w, 1), QStringLiteral("2041-10-3"));
    EXPECT_EQ(w.lblDate[1]->text(), QStringLiteral("October 3, 2041 CE"));
    EXPECT_FALSE(w.lblShortDate->isVisibleTo(&w));

    // Ticked: the next search (from the moved end date) lists the 2060 conjunction, dates stay.
    w.chkKeepDates->setChecked(true);
    w.cmdSearch_Click();
    EXPECT_TRUE(w.OutputText().contains(QStringLiteral("| 2060-04-07* |"))) << w.OutputText().toStdString();
    EXPECT_EQ(DateFields(w, 0), QStringLiteral("2040-7-15"));
    EXPECT_EQ(DateFields(w, 1), QStringLiteral("2041-10-3"));
}

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
    EXPECT_FALSE(w.AllPlanetsMode);
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

// Closing the window during a run stops the scan first: no further run, not even Pluto's; once
// the scan has unwound the window asks, as Quit does. Cancel keeps it open with its listing.
TEST_F(ShowAll, ClosingTheWindowStopsTheScanAndStartsNoFurtherRuns) {
    frmMain& w = Start();
    w.show();
    SetWorld("Venus", "Jupiter");
    SetYears("1600", "2099");
    bool stillOpenDuringRun = false;
    QTimer::singleShot(100, [&] {
        w.close();
        stillOpenDuringRun = w.isVisible();
    });
    w.cmdShowAll_Click(0);
    EXPECT_TRUE(stillOpenDuringRun);
    EXPECT_EQ(w.ScansStarted, 1);
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("Stopped")));
    EXPECT_EQ(w.cboPlanet[0]->currentText(), QStringLiteral("Venus"));
    EXPECT_FALSE(w.AllPlanetsMode);
    QTest::qWait(50);
    ExpectOneMessage("Save program state for next run?", "Quit");
    EXPECT_TRUE(w.isVisible()) << "answered Cancel";
    EXPECT_FALSE(w.ProgramEnded);
    EXPECT_FALSE(w.CloseRequested);

    shown.answers = {Answer::No};
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.ProgramEnded);
}

}  // namespace
}  // namespace meridel
