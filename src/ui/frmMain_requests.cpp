// The window's side of a request: its controls read into a plain description, what a check leaves
// in them put back, and a refusal's messages shown with the focus on the field it concerns.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "request/choices.h"
#include "ui/frmMain.h"

namespace meridel {

namespace {

std::string S(const QString& text) { return text.toStdString(); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

RequestInput frmMain::ReadRequestInput() const {
    RequestInput in;
    in.world = optWorld->isChecked();
    in.sidereal = optSidereal->isChecked();
    in.northAmericanZones = chkDisplayNATZabbr->isChecked();
    for (int row = 0; row < 3; ++row) {
        in.dates[static_cast<std::size_t>(row)] = {S(txbYear[row]->text()), S(txbMonth[row]->text()),
                                                   S(txbDay[row]->text())};
    }
    for (int i = 0; i < 2; ++i) in.planets[static_cast<std::size_t>(i)] = cboPlanet[i]->currentIndex();
    for (int o = 0; o < kOrbCount; ++o) in.orbs[static_cast<std::size_t>(o)] = cboOrbs[o]->currentIndex();
    in.resultZone = cboTimezone[0]->currentIndex();
    in.birthZone = cboTimezone[1]->currentIndex();
    in.hour = cboHour->currentIndex();
    in.minute = cboMinute->currentIndex();
    in.hourTyped = S(cboHour->currentText());
    in.minuteTyped = S(cboMinute->currentText());
    in.searchAspect = cboSearchAspect->currentIndex();
    in.keepDates = chkKeepDates->isChecked();
    in.allPlanets = RunState.AllPlanetsMode;
    return in;
}

void frmMain::ApplyUpdates(const FieldUpdates& updates) {
    for (int row = 0; row < 3; ++row) {
        if (const auto& fields = updates.dates[static_cast<std::size_t>(row)]) SetDateBoxes(row, *fields);
        if (const auto& label = updates.dateLabels[static_cast<std::size_t>(row)]) SetDateWords(row, *label);
    }
    if (updates.resultZone) cboTimezone[0]->setCurrentIndex(*updates.resultZone);
    if (updates.birthZone) cboTimezone[1]->setCurrentIndex(*updates.birthZone);
    if (updates.hour) cboHour->setCurrentIndex(*updates.hour);
    if (updates.minute) {
        cboMinute->setCurrentIndex(*updates.minute);
        cboMinute->repaint();
    }
    if (updates.hourTyped) cboHour->setEditText(Q(*updates.hourTyped));
    if (updates.minuteTyped) cboMinute->setEditText(Q(*updates.minuteTyped));
}

bool frmMain::Passed(const FieldUpdates& updates, const std::optional<Refusal>& refusal) {
    if (refusal) ShowMessages(refusal->messages);
    ApplyUpdates(updates);
    if (!refusal) return true;
    QWidget* field = nullptr;
    const int row = refusal->row;
    switch (refusal->field) {
        case Field::Year: field = txbYear[row]; break;
        case Field::Month: field = txbMonth[row]; break;
        case Field::Day: field = txbDay[row]; break;
        case Field::BirthHour: field = cboHour; break;
        case Field::BirthMinute: field = cboMinute; break;
        case Field::BirthZone: field = cboTimezone[1]; break;
        case Field::ResultZone: field = cboTimezone[0]; break;
        case Field::Planet1: field = cboPlanet[0]; break;
        case Field::Planet2: field = cboPlanet[1]; break;
        case Field::Orbs: field = cboOrbs[0]; break;
        case Field::SearchAspect: field = cboSearchAspect; break;
        case Field::None: break;
    }
    if (field && field->isVisible() && field->isEnabled()) field->setFocus();
    return false;
}

}  // namespace meridel
