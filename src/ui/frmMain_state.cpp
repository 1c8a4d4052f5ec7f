// Restoring the saved state into the window's controls.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <string>

#include "dialogs/dialogs.h"
#include "ui/frmMain.h"
#include "ui/registry.h"

namespace meridel {

namespace {

const std::string kMrd = "\\MRD";

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

    StateJustStored = true;
    StateStoredTicks = 0;
}

}  // namespace meridel
