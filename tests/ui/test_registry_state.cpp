// The window's saved state: save, restore, start-up restore and quitting.
#include <QTemporaryDir>

#include <fstream>
#include <string>

#include "persist/registry.h"
#include "window_fixture.h"

namespace meridel {
namespace {

class SavedState : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        path = dir.path().toStdString() + "/Vantorel/Meridel.ini";
        UseSettingsFile(path);
    }
    void TearDown() override {
        WindowTest::TearDown();
        UseMemorySettings();
    }
    // The program ends and is started again on the same store.
    frmMain& Restart() {
        window.reset();
        return Start();
    }
    void ExpectSaveQuestion() { ExpectOneMessage("Save program state for next run?", "Quit"); }

    QTemporaryDir dir;
    std::string path;
};

TEST_F(SavedState, SaveThenStartAgainRestoresEveryControl) {
    frmMain& w = Start();
    SetDate(0, "1999", "2", "3");
    SetDate(1, "2001", "11", "30");
    SetDate(2, "", "", "");
    w.cboPlanet[0]->setCurrentIndex(5);  // Saturn
    w.cboPlanet[1]->setCurrentIndex(9);  // Moon
    w.cboOrbs[2]->setCurrentIndex(3);
    w.cboOrbs[1]->setCurrentIndex(7);
    w.cboOrbs[0]->setCurrentIndex(11);   // 12, 8, 4 degrees
    w.optSidereal->setChecked(true);
    w.chkDisplayNATZabbr->setChecked(true);
    w.cboTimezone[0]->setCurrentIndex(30);
    w.cboTimezone[1]->setCurrentIndex(14);
    w.txbAllTransitsDateFormat->setText("7");
    w.cboSearchAspect->setCurrentIndex(3);
    w.cboHour->setCurrentIndex(14);
    w.cboMinute->setCurrentIndex(4);
    w.cmdSaveState_Click();

    frmMain& again = Restart();
    // An empty birth date was stored as blanks; start-up's date update cleans them away.
    EXPECT_EQ(Controls(again), "1999-2-3|2001-11-30|--|Saturn|Moon|12°|8°|4°|GMT+3:00|EST/CDT|13|15|"
                               "World 0|Sidereal 1|NA 1|7|for first 12°");
    EXPECT_EQ(again.StopDateText, " ");
    // The abbreviation replaces the zone's text in place: unticked, the same choice reads as before.
    again.chkDisplayNATZabbr->setChecked(false);
    EXPECT_EQ(again.cboTimezone[1]->currentText(), "GMT-5:00");
    // Start-up always begins the search list on its first aspect; the button restores it.
    EXPECT_EQ(again.cboSearchAspect->currentText(), "conjunction");

    again.cmdRestoreState_Click();
    EXPECT_EQ(again.cboSearchAspect->currentText(), "trine");
    // The button only fills the boxes: the blanks stay.
    EXPECT_EQ(again.txbYear[2]->text() + again.txbMonth[2]->text() + again.txbDay[2]->text(), "   ");
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(SavedState, RestoreInARunningWindowShowsNoPassingMessage) {
    frmMain& w = Start();
    SetDate(0, "2000", "1", "1");
    // Saved: orbs 5, 3, 1 with transiting Jupiter. Restored one list at a time onto 10, 5, 2,
    // the combination 5, 5, 2 would fail the orb check on the way.
    w.cboPlanet[0]->setCurrentIndex(4);
    w.cboOrbs[2]->setCurrentIndex(0);
    w.cboOrbs[1]->setCurrentIndex(2);
    w.cboOrbs[0]->setCurrentIndex(4);
    ASSERT_TRUE(shown.messages.empty());
    w.cmdSaveState_Click();
    w.cboOrbs[0]->setCurrentIndex(9);
    w.cboOrbs[1]->setCurrentIndex(4);
    w.cboOrbs[2]->setCurrentIndex(1);
    SetDate(0, "2010", "5", "6");
    LeaveBox(w.txbDay[0]);
    shown.Clear();
    w.cmdRestoreState_Click();
    EXPECT_TRUE(shown.messages.empty()) << LastText();
    // The words beside the restored date are those of the date Start will read.
    EXPECT_EQ(w.lblDate[0]->text(), QStringLiteral("January 1, 2000 CE"));
    EXPECT_EQ(w.cboOrbs[0]->currentIndex(), 4);
    EXPECT_EQ(w.cboOrbs[1]->currentIndex(), 2);
    EXPECT_EQ(w.cboOrbs[2]->currentIndex(), 0);
    // The window's own messages reach the user again afterwards.
    w.cboOrbs[1]->setCurrentIndex(3);
    EXPECT_EQ(shown.messages.size(), 1u);
}

TEST_F(SavedState, WorldModeReturnsWithThePlanetsRememberedForIt) {
    frmMain& w = Start();
    w.optWorld->setChecked(true);
    w.cboPlanet[0]->setCurrentIndex(2);  // Venus
    w.cboPlanet[1]->setCurrentIndex(4);  // Saturn
    w.cmdSaveState_Click();
    w.cboPlanet[0]->setCurrentIndex(3);  // Mars, remembered for World mode
    w.cboPlanet[1]->setCurrentIndex(5);  // Uranus
    w.optPersonal->setChecked(true);
    w.cmdRestoreState_Click();
    EXPECT_TRUE(w.optWorld->isChecked());
    EXPECT_EQ(w.cboPlanet[0]->currentText() + w.cboPlanet[1]->currentText(), "MarsUranus");
    // Now in World mode, a second restore brings the saved planets (the help says so).
    w.cmdRestoreState_Click();
    EXPECT_EQ(w.cboPlanet[0]->currentText() + w.cboPlanet[1]->currentText(), "VenusSaturn");

    // At start-up the saved planets themselves come back, with World mode's look.
    frmMain& again = Restart();
    EXPECT_TRUE(again.optWorld->isChecked());
    EXPECT_EQ(again.cboPlanet[0]->currentText() + again.cboPlanet[1]->currentText(), "VenusSaturn");
    EXPECT_FALSE(IsShown(again.fraBirthDate));
}

TEST_F(SavedState, NonsenseAndMissingValuesFallBackAndTheWindowStaysUsable) {
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/Vantorel"));
    std::ofstream(path, std::ios::binary) <<
        "[Software\\Vantorel\\MRD]\n"
        "StateSaved=Y\nTropical=maybe\nTZ0=1e999\nTZ1=-40\nNATZ=abc\nBirthHour=x\nBirthMinute=2.5\n"
        "[Software\\Vantorel\\MRD\\PlanetLI]\n0=abc\n1=99\n"
        "[Software\\Vantorel\\MRD\\OrbsLI]\n0=14.6\n1=  6 degrees\n"
        "[Software\\Vantorel\\MRD\\Year]\n0=12ab\n";
    frmMain& w = Start();
    // World missing: "N"; Tropical not "Y": sidereal; planet "abc": 0, and 99 beyond the list: the
    // last entry; orbs 14.6 rounded, kept within the list, "6 degrees" its leading number, missing:
    // the default; zone 1e999 clamped, -40 below the list: none; hour "x": 0; minute 2.5 to even;
    // year "12ab" cleaned by the start-up date update, month and day missing: empty.
    EXPECT_EQ(Controls(w), "12--|--|--|Sun|Moon|15°|7°|2°|GMT+11:30|||05|World 0|Sidereal 1|NA 0||for first 15°");
    EXPECT_TRUE(w.blnStartUpCompleted);
}

// No saves nothing, Cancel (on the frame's close button or Quit) keeps the window, Yes saves;
// within five seconds of a store (the start-up restore counts) quitting asks nothing.
TEST_F(SavedState, QuitAsksToSaveUnlessJustStored) {
    frmMain& w = Start();
    w.optWorld->setChecked(true);
    shown.answers = {Answer::No};
    w.cmdQuit_Click();
    EXPECT_TRUE(w.ProgramEnded);

    frmMain& second = Restart();
    EXPECT_FALSE(second.optWorld->isChecked());
    second.optWorld->setChecked(true);
    second.close();  // answered Cancel
    ExpectSaveQuestion();
    EXPECT_FALSE(second.ProgramEnded);
    EXPECT_TRUE(second.isVisible());
    shown.answers = {Answer::Yes};
    second.close();
    EXPECT_TRUE(second.ProgramEnded);
    EXPECT_FALSE(second.isVisible());

    frmMain& third = Restart();
    EXPECT_TRUE(third.optWorld->isChecked());
    for (int i = 0; i < 10; ++i) third.Timer1_Timer();
    third.cmdQuit_Click();
    EXPECT_TRUE(third.ProgramEnded);
    EXPECT_TRUE(shown.messages.empty());

    frmMain& later = Restart();
    for (int i = 0; i < 11; ++i) later.Timer1_Timer();  // 5.5 seconds
    later.cmdQuit_Click();  // answered Cancel
    ExpectSaveQuestion();
    EXPECT_FALSE(later.ProgramEnded);
}

// The store's folder is a file: nothing can be written. The save says so with the store's
// reason, and Quit, answered Yes, asks again rather than end without the state.
TEST_F(SavedState, SaveThatTheStoreRefusesSaysSoAndQuitAsksAgain) {
    std::ofstream(dir.path().toStdString() + "/Vantorel") << "x";
    frmMain& w = Start();
    w.cmdSaveState_Click();
    EXPECT_FALSE(w.StateJustStored);
    ASSERT_EQ(shown.messages.size(), 1u);
    const ShownMessage failure = shown.messages[0];
    EXPECT_EQ(failure.title, "Save state");
    EXPECT_EQ(failure.icon, MessageIcon::Exclamation);
    EXPECT_EQ(failure.text.rfind("The program state could not be saved.\n5 Unable to create (or find) key.  ", 0), 0u)
        << failure.text;
    EXPECT_GT(failure.text.size(), 80u) << "with the system's reason";

    shown.Clear();
    shown.answers = {Answer::Yes};  // then Cancel
    w.cmdQuit_Click();
    ASSERT_EQ(shown.messages.size(), 3u);
    EXPECT_EQ(shown.messages[0].text + "|" + shown.messages[1].text + "|" + shown.messages[2].text,
              "Save program state for next run?|" + failure.text + "|Save program state for next run?");
    EXPECT_FALSE(w.ProgramEnded);
    shown.answers = {Answer::No};
    w.cmdQuit_Click();
    EXPECT_TRUE(w.ProgramEnded);
}

}  // namespace
}  // namespace meridel
