// The saved state: saving the window's choices, restoring them, and quitting (which offers to
// save) and closing the window.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>

#include "dialogs/dialogs.h"
#include "ui/frmMain.h"
#include "ui/frmTimeline.h"
#include "ui/frmView.h"
#include "ui/registry.h"

namespace meridel {

namespace {

const std::string kMrd = "\\MRD";

// Timer ticks (500 ms each) after which quitting asks again.
constexpr std::int16_t kJustStoredTicks = 10;

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }
std::string Position(const QComboBox* list) { return std::to_string(list->currentIndex()); }

std::string Restored(const std::string& keyPart, const std::string& name, const std::string& defaultValue) {
    std::string value;
    RestoreRegistryValue(keyPart, name, value, defaultValue);
    return value;
}

// A list position from the store, kept within the list as it is filled now: beyond the end
// the last entry, below -1 no selection. Setting it fires the list's handler.
void SetRestoredPosition(QComboBox* list, const std::string& text) {
    int position = NumberFromRegistryText(text);
    if (position >= list->count()) position = list->count() - 1;
    if (position < -1) position = -1;
    list->setCurrentIndex(position);
}

// While the lists are set one at a time, an in-between combination (say the outer orb already
// restored, the middle not yet) can fail a check that the saved state as a whole passes. The
// store's problems are never shown either, so nothing the restore triggers reaches the user.
class QuietDialogs {
public:
    QuietDialogs() : previous_(setDialogs(&silent_)) {}
    ~QuietDialogs() { setDialogs(previous_); }
    QuietDialogs(const QuietDialogs&) = delete;
    QuietDialogs& operator=(const QuietDialogs&) = delete;

private:
    RecordingDialogs silent_;
    Dialogs* previous_;
};

}  // namespace

void frmMain::cmdSaveState_Click() {
    // Every value is written even after a failure; the state counts as saved only when the
    // store took all of them. The first failure's status says why.
    bool saved = true;
    std::string failure;
    auto save = [&](const std::string& keyPart, const std::string& name, const std::string& value) {
        std::string status;
        if (SaveRegistryValue(keyPart, name, value, &status)) return;
        if (saved) failure = status;
        saved = false;
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
        return;
    }
    dialogs().message("The program state could not be saved.\n" + failure, MessageIcon::Exclamation,
                      cmdSaveState->text().toStdString());
}

void frmMain::AgeStateJustStored() {
    if (!StateJustStored) return;
    ++StateStoredTicks;
    if (StateStoredTicks > kJustStoredTicks) StateJustStored = false;
}

void frmMain::EndProgram() {
    ProgramEnded = true;
    if (Viewer) Viewer->hide();
    if (TimelineWindow) TimelineWindow->hide();
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
    // A save that failed has said why; the question comes again rather than lose the state.
    for (;;) {
        switch (dialogs().askYesNoCancel("Save program state for next run?", cmdQuit->text().toStdString())) {
            case Answer::Yes:
                cmdSaveState_Click();
                if (!StateJustStored) continue;
                EndProgram();
                return;
            case Answer::No:
                EndProgram();
                return;
            case Answer::Cancel:
                return;
        }
    }
}

void frmMain::Form_Unload() {
    if (ProgramEnded) return;
    cmdQuit_Click();
}


void frmMain::cmdRestoreState_Click() {
    std::string saved;
    if (!RestoreRegistryValue(kMrd, "StateSaved", saved, "")) return;
    QuietDialogs quiet;

    for (int i = 0; i < 3; ++i) {
        const std::string name = std::to_string(i);
        txbYear[i]->setText(QString::fromStdString(Restored(kMrd + "\\Year", name, "")));
        txbMonth[i]->setText(QString::fromStdString(Restored(kMrd + "\\Month", name, "")));
        txbDay[i]->setText(QString::fromStdString(Restored(kMrd + "\\Day", name, "")));
        // Applied to the lists of the mode selected now; the mode switch below may refill them.
        if (i < 2) SetRestoredPosition(cboPlanet[i], Restored(kMrd + "\\PlanetLI", name, name));
    }
    const char* orbDefaults[3] = {"9", "4", "1"};
    for (int i = 0; i < 3; ++i)
        SetRestoredPosition(cboOrbs[i], Restored(kMrd + "\\OrbsLI", std::to_string(i), orbDefaults[i]));

    if (Restored(kMrd, "World", "N") == "Y") {
        optWorld->setChecked(true);
        SavedPlanetIndex[0] = static_cast<std::int16_t>(cboPlanet[0]->currentIndex());
        SavedPlanetIndex[2] = static_cast<std::int16_t>(cboPlanet[1]->currentIndex());
    } else {
        optPersonal->setChecked(true);
        SavedPlanetIndex[1] = static_cast<std::int16_t>(cboPlanet[0]->currentIndex());
        SavedPlanetIndex[3] = static_cast<std::int16_t>(cboPlanet[1]->currentIndex());
    }
    if (Restored(kMrd, "Tropical", "Y") == "Y")
        optTropical->setChecked(true);
    else
        optSidereal->setChecked(true);

    chkDisplayNATZabbr->setChecked(NumberFromRegistryText(Restored(kMrd, "NATZ", "1")) != 0);
    SetRestoredPosition(cboTimezone[0], Restored(kMrd, "TZ0", "24"));
    SetRestoredPosition(cboTimezone[1], Restored(kMrd, "TZ1", "24"));

    StopDateText = QString::fromStdString(Restored(kMrd, "Stop", ""));
    txbAllTransitsDateFormat->setText(QString::fromStdString(Restored(kMrd, "ATDateFmt", "")));

    SetRestoredPosition(cboSearchAspect, Restored(kMrd, "SrchAsp", "0"));
    SetRestoredPosition(cboHour, Restored(kMrd, "BirthHour", "0"));
    SetRestoredPosition(cboMinute, Restored(kMrd, "BirthMinute", "0"));
    // The words beside the dates follow the restored boxes, which Start reads (start-up brings
    // them up to date itself, cleaning the boxes as it does).
    if (blnStartUpCompleted) {
        for (int row = 0; row < 3; ++row) ShowDateWords(row);
    }

    StateJustStored = true;
    StateStoredTicks = 0;
}

}  // namespace meridel
