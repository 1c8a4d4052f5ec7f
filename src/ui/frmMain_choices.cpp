// The window's choices: the planet, orb, birth-time, aspect and zone lists filled from the request
// layer's vocabulary, the World/Personal switch, the run buttons' captions and the small
// handlers of these lists.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/dialogs.h"
#include "request/choices.h"
#include "request/date_checks.h"
#include "ui/controls.h"
#include "ui/frmMain.h"

namespace meridel {

namespace {

QStringList Texts(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) list << QString::fromStdString(text);
    return list;
}

// Fills planet list `list` for the mode and selects the position the memory gives.
void FillPlanetList(QComboBox* combo, bool world, int list, const PlanetMemory& memory) {
    combo->clear();
    for (int position = 0; PlanetAtPosition(world, list, position) <= LastPlanetCode(world, list); ++position)
        combo->addItem(QString::fromStdString(PlanetNameAtPosition(world, list, position)));
    combo->setCurrentIndex(memory.PositionToShow(world, list, combo->count()));
}

}  // namespace

bool frmMain::IsWorldMode() const { return optWorld->isChecked(); }

void frmMain::FillSelectionLists() {
    FillPlanetLists();
    for (QComboBox* list : cboOrbs) {
        list->clear();
        for (int k = 0; k < kOrbChoices; ++k) list->addItem(QString::fromStdString(OrbText(OrbDegreesAtPosition(k))));
    }
    cboOrbs[0]->setCurrentIndex(9);
    cboOrbs[1]->setCurrentIndex(4);
    cboOrbs[2]->setCurrentIndex(1);

    cboHour->clear();
    cboHour->addItems(Texts(HourTexts()));
    cboHour->setCurrentIndex(-1);

    cboMinute->clear();
    cboMinute->addItems(Texts(MinuteTexts()));
    cboMinute->setCurrentIndex(-1);

    cboSearchAspect->clear();
    cboSearchAspect->addItems(Texts(SearchAspectTexts(session.request.AspectCount)));
    cboSearchAspect->setCurrentIndex(-1);
}

void frmMain::FillPlanetLists() {
    FillingPlanetLists = true;
    for (int list = 0; list < 2; ++list) FillPlanetList(cboPlanet[list], IsWorldMode(), list, SavedPlanetIndex);
    FillingPlanetLists = false;
}

void frmMain::cboPlanet_Click(int index) {
    if (!blnStartUpCompleted || FillingPlanetLists) return;
    SavedPlanetIndex.Remember(IsWorldMode(), index, cboPlanet[index]->currentIndex());
    UpdateRunCaptions();
    cmdStart->setFocus();
}

void frmMain::ShowModeControls() {
    const bool personal = optPersonal->isChecked();
    fraZodiac->setVisible(personal);
    fraBirthDate->setVisible(personal);
    cmdShowAll[1]->setVisible(personal);
    lblPlanet[0]->setText(personal ? QStringLiteral("Transiting planet") : QStringLiteral("Inner planet"));
    lblPlanet[1]->setText(personal ? QStringLiteral("Natal planet") : QStringLiteral("Outer planet"));
}

void frmMain::SwitchMode() {
    if (!blnStartUpCompleted) return;
    ShowModeControls();
    FillPlanetLists();
    for (int list = 0; list < 2; ++list) SavedPlanetIndex.Remember(IsWorldMode(), list, cboPlanet[list]->currentIndex());
    UpdateRunCaptions();
}

void frmMain::optWorld_Click() { SwitchMode(); }

void frmMain::optPersonal_Click() { SwitchMode(); }

void frmMain::cboOrbs_Click(int) {
    if (!blnStartUpCompleted) return;
    // The check's message only: the lists keep what was chosen.
    const RequestInput input = ReadRequestInput();
    if (const auto refusal = CheckOrbs(input, PlanetAtPosition(input.world, 0, input.planets[0])))
        ShowMessages(refusal->messages);
    UpdateSearchOrbLabel();
    cmdStart->setFocus();
}

void frmMain::UpdateSearchOrbLabel() {
    Label1->setText(QString::fromStdString(SearchOrbLabel(cboOrbs[0]->currentIndex())));
}

void frmMain::cboSearchAspect_Click() {
    if (!blnStartUpCompleted || TypingInList) return;
    cmdSearch->setFocus();
}

void frmMain::UpdateRunCaptions() {
    const bool world = IsWorldMode();
    const std::string s0 = cboPlanet[0]->currentText().toStdString();
    const std::string s1 = cboPlanet[1]->currentText().toStdString();
    cmdStart->setText(QString::fromStdString(RunCaption(world, s0, s1)));
    cmdShowAll[0]->setText(QString::fromStdString(ShowAllCaption(world, 0, s0, s1)));
    if (!world) cmdShowAll[1]->setText(QString::fromStdString(ShowAllCaption(world, 1, s0, s1)));
}

void frmMain::SetUpTimezoneComboBoxes(bool blnPreserveIndices) {
    const QStringList texts = Texts(ZoneTexts(chkDisplayNATZabbr->isChecked()));
    for (QComboBox* list : cboTimezone) {
        const int kept = blnPreserveIndices ? list->currentIndex() : 0;
        list->clear();
        list->addItems(texts);
        list->setCurrentIndex(blnStartUpCompleted ? kept : -1);
    }
}

void frmMain::cboTimezone_Click(int) {
    if (!blnStartUpCompleted) return;
    if (IsShown(cmdStart) && cmdStart->isEnabled()) cmdStart->setFocus();
}

void frmMain::chkDisplayNATZabbr_Click() {
    // Runs during start-up too: a restored tick must rebuild the lists.
    SetUpTimezoneComboBoxes(true);
    if (IsShown(cmdStart) && cmdStart->isEnabled()) cmdStart->setFocus();
}

void frmMain::cboHour_Click() {
    if (blnStartUpCompleted && !TypingInList) cmdStart->setFocus();
}

void frmMain::cboMinute_Click() {
    if (blnStartUpCompleted && !TypingInList) cmdStart->setFocus();
}

}  // namespace meridel
