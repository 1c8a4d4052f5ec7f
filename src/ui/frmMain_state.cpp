// The saved state: saving the window's choices, restoring them, and quitting (which offers to
// save) and closing the window.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <string>

#include "dialogs/dialogs.h"
#include "ui/frmMain.h"
#include "ui/frmTimeline.h"
#include "persist/frmView.h"
#include "store/saved_state.h"
#include "persist/registry.h"

namespace meridel {

namespace {

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

// A list position from the store, kept within the list as it is filled now: beyond the end
// the last entry, below -1 no selection. Setting it fires the list's handler.
void SetRestoredPosition(QComboBox* list, int position) {
    list->setCurrentIndex(std::clamp(position, -1, list->count() - 1));
}

}  // namespace

SavedState frmMain::ChoicesToKeep() const {
    // What a run reads, and the hidden boxes' texts, which only travel with the state.
    SavedState s = KeptChoices(ReadRequestInput());
    s.stopDate = Text(txbStopDate);
    s.allTransitsDateFormat = Text(txbAllTransitsDateFormat);
    return s;
}

void frmMain::cmdSaveState_Click() {
    // The state counts as saved only when the store took every value; the first failure says why.
    std::string failure;
    const bool saved = WriteSavedState(ChoicesToKeep(), [&failure](const std::string& keyPart, const std::string& name,
                                                                   const std::string& value) {
        std::string status;
        if (SaveRegistryValue(keyPart, name, value, &status)) return true;
        if (failure.empty()) failure = status;
        return false;
    });
    if (saved) {
        StateJustStored.Set();
        return;
    }
    ActiveDialogs().ShowMessage("The program state could not be saved.\n" + failure, MessageIcon::Exclamation,
                      cmdSaveState->text().toStdString());
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
        switch (ActiveDialogs().AskYesNoCancel("Save program state for next run?", cmdQuit->text().toStdString())) {
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
    const std::optional<SavedState> state = ReadSavedState(
        [](const std::string& keyPart, const std::string& name, std::string& value) {
            return RestoreRegistryValue(keyPart, name, value, "");
        });
    if (!state) return;
    // While the lists are set one at a time, an in-between combination (say the outer orb already
    // restored, the middle not yet) can fail a check that the saved state as a whole passes. The
    // store's problems are never shown either, so nothing the restore triggers reaches the user.
    RecordingDialogs silent;
    DialogsInUse quiet(silent);
    for (std::size_t row = 0; row < 3; ++row) {
        txbYear[row]->setText(Q(state->years[row]));
        txbMonth[row]->setText(Q(state->months[row]));
        txbDay[row]->setText(Q(state->days[row]));
        // Applied to the lists of the mode selected now; the mode switch below may refill them.
        if (row < 2) SetRestoredPosition(cboPlanet[row], state->planets[row]);
    }
    for (std::size_t i = 0; i < 3; ++i) SetRestoredPosition(cboOrbs[i], state->orbs[i]);
    (state->world ? optWorld : optPersonal)->setChecked(true);
    for (int list = 0; list < 2; ++list) SavedPlanetIndex.Remember(state->world, list, cboPlanet[list]->currentIndex());
    (state->tropical ? optTropical : optSidereal)->setChecked(true);
    chkDisplayNATZabbr->setChecked(state->northAmericanZones);
    SetRestoredPosition(cboTimezone[0], state->zones[0]);
    SetRestoredPosition(cboTimezone[1], state->zones[1]);
    StopDateText = Q(state->stopDate);
    txbAllTransitsDateFormat->setText(Q(state->allTransitsDateFormat));
    SetRestoredPosition(cboSearchAspect, state->searchAspect);
    SetRestoredPosition(cboHour, state->birthHour);
    SetRestoredPosition(cboMinute, state->birthMinute);
    // The words beside the dates follow the restored boxes, which Start reads (start-up brings
    // them up to date itself, cleaning the boxes as it does).
    if (blnStartUpCompleted) {
        for (int row = 0; row < 3; ++row) ShowDateWords(row);
    }
    StateJustStored.Set();
}

}  // namespace meridel
