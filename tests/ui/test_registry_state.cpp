// The window's saved state: save, restore, start-up restore and quitting.
#include <QTemporaryDir>

#include <fstream>
#include <string>

#include "ui/registry.h"
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
    void writeStore(const std::string& text) {
        ASSERT_TRUE(QDir().mkpath(dir.path() + "/Vantorel"));
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
    static void Tick(frmMain& w, int times) {
        for (int i = 0; i < times; ++i) w.Timer1_Timer();
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
    EXPECT_TRUE(w.StateJustStored);

    frmMain& again = Restart();
    EXPECT_EQ(again.txbYear[0]->text() + again.txbMonth[0]->text() + again.txbDay[0]->text(), "199923");
    EXPECT_EQ(again.txbYear[1]->text() + again.txbMonth[1]->text() + again.txbDay[1]->text(), "20011130");
    // An empty birth date was stored as blanks; start-up's date update cleans them away.
    EXPECT_EQ(again.txbYear[2]->text() + again.txbMonth[2]->text() + again.txbDay[2]->text(), "");
    EXPECT_TRUE(again.optPersonal->isChecked());
    EXPECT_EQ(again.cboPlanet[0]->currentText(), "Saturn");
    EXPECT_EQ(again.cboPlanet[1]->currentText(), "Moon");
    EXPECT_EQ(again.cboOrbs[0]->currentIndex(), 11);
    EXPECT_EQ(again.cboOrbs[1]->currentIndex(), 7);
    EXPECT_EQ(again.cboOrbs[2]->currentIndex(), 3);
    EXPECT_EQ(again.Label1->text(), "for first 12°");
    EXPECT_TRUE(again.optSidereal->isChecked());
    EXPECT_TRUE(again.chkDisplayNATZabbr->isChecked());
    EXPECT_EQ(again.cboTimezone[0]->currentIndex(), 30);
    EXPECT_EQ(again.cboTimezone[1]->currentText(), "EST/CDT");
    EXPECT_EQ(again.txbAllTransitsDateFormat->text(), "7");
    EXPECT_EQ(again.StopDateText, " ");
    EXPECT_EQ(again.cboHour->currentText() + ":" + again.cboMinute->currentText(), "13:15");
    // Start-up always begins the search list on its first aspect; the button restores it.
    EXPECT_EQ(again.cboSearchAspect->currentText(), "conjunction");
    EXPECT_TRUE(again.StateJustStored);

    again.cmdRestoreState_Click();
    EXPECT_EQ(again.cboSearchAspect->currentText(), "trine");
    // The button only fills the boxes: the blanks stay.
    EXPECT_EQ(again.txbYear[2]->text() + again.txbMonth[2]->text() + again.txbDay[2]->text(), "   ");
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(SavedState, RestoreInARunningWindowShowsNoPassingMessage) {
    frmMain& w = Start();
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
    shown.clear();
    w.cmdRestoreState_Click();
    EXPECT_TRUE(shown.messages.empty()) << LastText();
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

    // At start-up the saved planets themselves come back, with World mode's look.
    frmMain& again = Restart();
    EXPECT_TRUE(again.optWorld->isChecked());
    EXPECT_EQ(again.cboPlanet[0]->currentText() + again.cboPlanet[1]->currentText(), "VenusSaturn");
    EXPECT_FALSE(IsShown(again.fraBirthDate));
}

TEST_F(SavedState, NonsenseAndMissingValuesFallBackAndTheWindowStaysUsable) {
    writeStore(
        "[Software\\Vantorel\\MRD]\n"
        "StateSaved=Y\nTropical=maybe\nTZ0=1e9\nTZ1=-40\nNATZ=abc\nBirthHour=x\nBirthMinute=2.5\n"
        "[Software\\Vantorel\\MRD\\PlanetLI]\n0=abc\n1=99\n"
        "[Software\\Vantorel\\MRD\\OrbsLI]\n0=14.6\n1=  6 degrees\n"
        "[Software\\Vantorel\\MRD\\Year]\n0=12ab\n");
    frmMain& w = Start();
    EXPECT_TRUE(w.blnStartUpCompleted);
    EXPECT_TRUE(w.optPersonal->isChecked());               // World missing: "N"
    EXPECT_TRUE(w.optSidereal->isChecked());               // anything but "Y"
    EXPECT_EQ(w.cboPlanet[0]->currentText(), "Sun");       // no number: 0
    EXPECT_EQ(w.cboPlanet[1]->currentText(), "Moon");      // beyond the list: its last entry
    EXPECT_EQ(w.cboOrbs[0]->currentIndex(), 14);           // 15 rounded, kept within the list
    EXPECT_EQ(w.cboOrbs[1]->currentIndex(), 6);            // leading number only
    EXPECT_EQ(w.cboOrbs[2]->currentIndex(), 1);            // missing: its default
    EXPECT_EQ(w.cboTimezone[0]->currentIndex(), 47);
    EXPECT_FALSE(w.chkDisplayNATZabbr->isChecked());
    EXPECT_EQ(w.cboMinute->currentIndex(), 2);             // 2.5 rounds to even
    EXPECT_EQ(w.cboTimezone[1]->currentIndex(), -1);       // below the list: no zone
    EXPECT_EQ(w.cboHour->currentIndex(), 0);
    EXPECT_EQ(w.txbYear[0]->text(), "12");                 // cleaned by the start-up date update
    EXPECT_EQ(w.txbMonth[0]->text(), "");                  // missing: its default, empty
    EXPECT_TRUE(w.StateJustStored);
}

// No saves nothing, Cancel on the frame's close button still closes, Yes saves; within five
// seconds of a store (the start-up restore counts) quitting asks nothing.
TEST_F(SavedState, QuitAsksToSaveUnlessJustStored) {
    frmMain& w = Start();
    w.optWorld->setChecked(true);
    shown.answers = {Answer::No};
    w.cmdQuit_Click();
    EXPECT_TRUE(w.ProgramEnded);

    frmMain& second = Restart();
    EXPECT_FALSE(second.optWorld->isChecked());
    second.optWorld->setChecked(true);
    second.close();
    ExpectSaveQuestion();
    EXPECT_TRUE(second.ProgramEnded);
    EXPECT_FALSE(second.isVisible());

    frmMain& third = Restart();
    EXPECT_FALSE(third.optWorld->isChecked());
    third.optWorld->setChecked(true);
    shown.answers = {Answer::Yes};
    third.cmdQuit_Click();
    EXPECT_TRUE(third.ProgramEnded);

    frmMain& fourth = Restart();
    EXPECT_TRUE(fourth.optWorld->isChecked());
    Tick(fourth, 10);
    fourth.cmdQuit_Click();
    EXPECT_TRUE(fourth.ProgramEnded);
    EXPECT_TRUE(shown.messages.empty());
    EXPECT_FALSE(fourth.isVisible());

    frmMain& later = Restart();
    Tick(later, 11);  // 5.5 seconds
    EXPECT_FALSE(later.StateJustStored);
    later.cmdQuit_Click();  // answered Cancel: the program goes on
    ExpectSaveQuestion();
    EXPECT_FALSE(later.ProgramEnded);
    EXPECT_TRUE(later.isVisible());
}

TEST_F(SavedState, SaveThatTheStoreRefusesIsNotJustStored) {
    // The store's folder is a file: nothing can be written, and no message says so.
    std::ofstream(dir.path().toStdString() + "/Vantorel") << "x";
    frmMain& w = Start();
    w.cmdSaveState_Click();
    EXPECT_FALSE(w.StateJustStored);
    EXPECT_TRUE(shown.messages.empty());
    w.cmdQuit_Click();  // so quitting still offers to save
    ExpectSaveQuestion();
    EXPECT_FALSE(w.ProgramEnded);
}

}  // namespace
}  // namespace meridel
