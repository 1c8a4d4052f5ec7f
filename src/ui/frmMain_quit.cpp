// Saving the state, quitting and closing the window.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>

#include "dialogs/dialogs.h"
#include "ui/frmMain.h"
#include "ui/frmView.h"
#include "ui/registry.h"

namespace meridel {

namespace {

const std::string kMrd = "\\MRD";

// Timer ticks (500 ms each) after which quitting asks again.
constexpr std::int16_t kJustStoredTicks = 10;

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }
std::string Position(const QComboBox* list) { return std::to_string(list->currentIndex()); }

}  // namespace

void frmMain::cmdSaveState_Click() {
    // Every value is written even after a failure; the state counts as saved only when the
    // store took all of them.
    bool saved = true;
    auto save = [&saved](const std::string& keyPart, const std::string& name, const std::string& value) {
        saved = SaveRegistryValue(keyPart, name, value) && saved;
    };
    for (int i = 0; i < 3; ++i) {
        const std::string name = std::to_string(i);
        save(kMrd + "\\Year", name, Text(txbYear[i]));
        save(kMrd + "\\Month", name, Text(txbMonth[i]));
        save(kMrd + "\\Day", name, Text(txbDay[i]));
    }
    save(kMrd + "\\PlanetLI", "0", Position(cboPlanet[0]));
    save(kMrd + "\\PlanetLI", "1", Position(cboPlanet[1]));
    for (int i = 0; i < 3; ++i) save(kMrd + "\\OrbsLI", std::to_string(i), Position(cboOrbs[i]));
    save(kMrd, "World", optWorld->isChecked() ? "Y" : "N");
    save(kMrd, "Tropical", optTropical->isChecked() ? "Y" : "N");
    save(kMrd, "TZ0", Position(cboTimezone[0]));
    save(kMrd, "TZ1", Position(cboTimezone[1]));
    save(kMrd, "NATZ", chkDisplayNATZabbr->isChecked() ? "1" : "0");
    save(kMrd, "Stop", Text(txbStopDate));
    save(kMrd, "ATDateFmt", Text(txbAllTransitsDateFormat));
    save(kMrd, "SrchAsp", Position(cboSearchAspect));
    save(kMrd, "BirthHour", Position(cboHour));
    save(kMrd, "BirthMinute", Position(cboMinute));
    save(kMrd, "StateSaved", "Y");
    if (saved) {
        StateJustStored = true;
        StateStoredTicks = 0;
    }
}

void frmMain::AgeStateJustStored() {
    if (!StateJustStored) return;
    ++StateStoredTicks;
    if (StateStoredTicks > kJustStoredTicks) StateJustStored = false;
}

void frmMain::EndProgram() {
    ProgramEnded = true;
    if (Viewer) Viewer->hide();
    // Inside the window's own close this returns at once; otherwise it closes the window
    // without asking again (Form_Unload sees ProgramEnded).
    close();
    QCoreApplication::quit();
}

void frmMain::cmdQuit_Click() {
    if (StateJustStored) {
        EndProgram();
        return;
    }
    switch (dialogs().askYesNoCancel("Save program state for next run?", cmdQuit->text().toStdString())) {
        case Answer::Yes:
            cmdSaveState_Click();
            EndProgram();
            break;
        case Answer::No:
            EndProgram();
            break;
        case Answer::Cancel:
            break;
    }
}

void frmMain::Form_Unload() {
    if (ProgramEnded) return;
    // The window closes whatever the answer, and with it the program: a Cancel here must not
    // leave the program running without a window.
    cmdQuit_Click();
    if (!ProgramEnded) EndProgram();
}

}  // namespace meridel
