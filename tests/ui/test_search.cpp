// Search and the all-planets buttons.
#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace meridel {
namespace {

using Search = WindowTest;

// The great conjunction of 2020 is within 10° on the day after the end date: the search steps
// past it and lists the next one, then moves the date fields to the stretch it scanned.
TEST_F(Search, SkipsTheTransitUnderWayAndMovesTheDatesUnlessKept) {
    frmMain& w = Start();
    SetWorld("Jupiter", "Saturn");
    SetDate(1, "2020", "12", "31");
    w.chkKeepDates->setChecked(false);
    w.cmdSearch_Click();
    EXPECT_TRUE(shown.messages.empty()) << LastText();
    EXPECT_EQ(Controls(w).substr(0, 20), "2040-7-15|2041-10-3|");
    EXPECT_EQ(w.lblDate[1]->text(), QStringLiteral("October 3, 2041 CE"));
    EXPECT_FALSE(w.lblShortDate->isVisibleTo(&w));

    // Ticked: the next search (from the moved end date) lists the 2060 conjunction, dates stay.
    w.chkKeepDates->setChecked(true);
    w.cmdSearch_Click();
    EXPECT_TRUE(w.OutputText().contains(QStringLiteral("| 2060-04-07* |"))) << w.OutputText().toStdString();
    EXPECT_EQ(Controls(w).substr(0, 20), "2040-7-15|2041-10-3|");
}

using ShowAll = WindowTest;

// Saturn with the seven other inner planets, then Pluto. An inner orb of 1°, which a single Sun
// run refuses, does not stop the listing; the lists and the append box are as they were after it.
TEST_F(ShowAll, WorldRunsEveryPairAndRestoresTheControls) {
    frmMain& w = Start();
    SetWorld("Mars", "Saturn");
    w.cboOrbs[2]->setCurrentIndex(0);
    w.chkAppendToOutput->setChecked(false);
    shown.Clear();
    w.cmdShowAll_Click(0);
    EXPECT_EQ(w.Output.Runs().size(), 8u);
    EXPECT_TRUE(shown.messages.empty()) << LastText();
    EXPECT_TRUE(shown.popUps.empty());
    EXPECT_EQ(w.cboPlanet[0]->currentText() + w.cboPlanet[1]->currentText(), "MarsSaturn");
    EXPECT_FALSE(w.chkAppendToOutput->isChecked());
    EXPECT_EQ(w.cmdStart->text(), QStringLiteral("Show all world transits between Mars and Saturn"));

    // A refusal before any run (the request layer's) leaves the box its text.
    SetDate(0, "2024", "13", "1");
    w.txbOutput->setPlainText(QStringLiteral("kept"));
    shown.Clear();
    w.cmdShowAll_Click(0);
    ExpectOneMessage("The start date is invalid.", "Invalid input");
    EXPECT_EQ(w.OutputText(), QStringLiteral("kept"));
    EXPECT_EQ(w.cmdStart->text(), QStringLiteral("Show all world transits between Mars and Saturn"));
}

// Records what the planet lists and the start button show while a message is up.
class ListsBehindMessages : public RecordingDialogs {
public:
    explicit ListsBehindMessages(const frmMain& w) : w_(w) {}
    void ShowMessage(const std::string& text, MessageIcon icon, const std::string& title) override {
        behind.push_back(w_.cboPlanet[0]->currentText() + "|" + w_.cmdStart->text());
        RecordingDialogs::ShowMessage(text, icon, title);
    }
    QStringList behind;

private:
    const frmMain& w_;
};

// Before 1600 only Pluto's closing run is refused: once, over the lists as the user chose them.
// Stop ends the whole listing, the closing run included.
TEST_F(ShowAll, RefusalOverTheChosenListsAndStopEndsTheListing) {
    frmMain& w = Start();
    SetWorld("Mars", "Jupiter");
    SetDate(0, "1599", "1", "1");
    SetDate(1, "1599", "2", "28");
    ListsBehindMessages lists(w);
    Dialogs* previous = SetDialogs(&lists);
    w.cmdShowAll_Click(0);
    SetDialogs(previous);
    ASSERT_EQ(lists.messages.size(), 1u);
    EXPECT_EQ(lists.messages[0].text, "Start date is too early for Pluto.");
    EXPECT_EQ(lists.behind.join("").toStdString(), "Mars|Show all world transits between Mars and Jupiter");
    EXPECT_EQ(w.Output.Runs().size(), 7u);

    SetYears("1600", "2099");
    QTimer::singleShot(100, [&] { QTest::mouseClick(w.cmdStart, Qt::LeftButton); });
    w.cmdShowAll_Click(0);
    EXPECT_EQ(w.Output.Runs().size(), 1u);
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("Stopped")));
    EXPECT_FALSE(w.OutputText().contains(QStringLiteral("Pluto")));
    EXPECT_TRUE(shown.messages.empty()) << LastText();
    EXPECT_EQ(w.cboPlanet[0]->currentText() + "|" + w.cmdStart->text(),
              "Mars|Show all world transits between Mars and Jupiter");
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
    EXPECT_EQ(w.Output.Runs().size(), 1u);
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("Stopped")));
    QTest::qWait(50);
    ExpectOneMessage("Save program state for next run?", "Quit");
    EXPECT_TRUE(w.isVisible()) << "answered Cancel";
    EXPECT_FALSE(w.ProgramEnded);
}

}  // namespace
}  // namespace meridel
