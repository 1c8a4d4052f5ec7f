// The all-planets buttons: one planet stays fixed while the other list is walked, and each entry
// is run through the start button's own request, all appending to one output.
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "ui/frmMain.h"

namespace meridel {

void frmMain::cmdShowAll_Click(int index) {
    // The runs skip the orb minimums of each planet, but orbs out of order would make every one
    // of them meaningless: refuse once, before anything changes.
    if (!CheckOrbOrder()) return;

    const int savedFirst = cboPlanet[0]->currentIndex();
    const int savedSecond = cboPlanet[1]->currentIndex();
    const bool savedAppend = chkAppendToOutput->isChecked();
    txbOutput->clear();
    chkAppendToOutput->setChecked(true);
    request.AllPlanetsMode = true;

    const bool world = optWorld->isChecked();
    QComboBox* walked = (!world && index == 1) ? cboPlanet[1] : cboPlanet[0];
    // A window closed during a scan closes once the scan has unwound: start nothing more.
    for (int i = 0; i < walked->count() && !CloseRequested; ++i) {
        walked->setCurrentIndex(i);
        cmdStart_Click();
        if (request.RunAborted) break;
    }
    // With no inner planet chosen the request runs Pluto, which the inner list does not offer.
    if (world && !CloseRequested) {
        cboPlanet[0]->setCurrentIndex(-1);
        cmdStart_Click();
    }

    cboPlanet[0]->setCurrentIndex(savedFirst);
    cboPlanet[1]->setCurrentIndex(savedSecond);
    chkAppendToOutput->setChecked(savedAppend);
    request.AllPlanetsMode = false;
}

}  // namespace meridel
