// The planet, orb, birth-time and search-aspect lists, the World/Personal switch, the orb
// checks and the run buttons' captions.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/dialogs.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "ui/controls.h"
#include "ui/frmMain.h"

namespace meridel {

namespace {

constexpr int kOrbChoices = 15;

// Fills list with the names of planet codes first..last and selects the remembered position,
// clamped to the last entry, or the default when nothing is remembered.
void FillPlanetList(QComboBox* list, int first, int last, int remembered, int defaultPosition) {
    list->clear();
    for (int code = first; code <= last; ++code) list->addItem(QString::fromStdString(BodyName[code]));
    const int count = list->count();
    int position = defaultPosition;
    if (remembered >= count)
        position = count - 1;
    else if (remembered >= 0)
        position = remembered;
    list->setCurrentIndex(position);
}

}  // namespace

bool frmMain::IsWorldMode() const { return optWorld->isChecked(); }

void frmMain::FillSelectionLists() {
    FillPlanetLists();
    for (QComboBox* list : cboOrbs) {
        list->clear();
        for (int k = 1; k <= kOrbChoices; ++k) list->addItem(QString::number(k) + QStringLiteral("°"));
    }
    cboOrbs[0]->setCurrentIndex(9);
    cboOrbs[1]->setCurrentIndex(4);
    cboOrbs[2]->setCurrentIndex(1);

    cboHour->clear();
    cboHour->addItem(QString());
    for (int h = 0; h <= 23; ++h) cboHour->addItem(QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0')));
    cboHour->setCurrentIndex(-1);

    cboMinute->clear();
    cboMinute->addItem(QString());
    for (int m = 0; m <= 55; m += 5) cboMinute->addItem(QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')));
    cboMinute->setCurrentIndex(-1);

    cboSearchAspect->clear();
    for (int a = 1; a <= request.AspectCount; ++a)
        cboSearchAspect->addItem(QString::fromStdString(AspectName[a]).toLower());
    cboSearchAspect->setCurrentIndex(-1);
}

void frmMain::FillPlanetLists() {
    FillingPlanetLists = true;
    if (IsWorldMode()) {
        FillPlanetList(cboPlanet[0], kSun, kNeptune, SavedPlanetIndex[0], 3);
        FillPlanetList(cboPlanet[1], kMercury, kPluto, SavedPlanetIndex[2], 3);
    } else {
        FillPlanetList(cboPlanet[0], kSun, kPluto, SavedPlanetIndex[1], 3);
        FillPlanetList(cboPlanet[1], kSun, kMoon, SavedPlanetIndex[3], 4);
    }
    FillingPlanetLists = false;
}

void frmMain::cboPlanet_Click(int index) {
    if (!blnStartUpCompleted || FillingPlanetLists) return;
    const int mode = IsWorldMode() ? 0 : 1;
    SavedPlanetIndex[2 * index + mode] = static_cast<std::int16_t>(cboPlanet[index]->currentIndex());
    UpdateRunCaptions();
    cmdStart->setFocus();
}

void frmMain::optWorld_Click() {
    if (!blnStartUpCompleted) return;
    fraZodiac->hide();
    fraBirthDate->hide();
    lblPlanet[0]->setText(QStringLiteral("Inner planet"));
    lblPlanet[1]->setText(QStringLiteral("Outer planet"));
    FillPlanetLists();
    SavedPlanetIndex[0] = static_cast<std::int16_t>(cboPlanet[0]->currentIndex());
    SavedPlanetIndex[2] = static_cast<std::int16_t>(cboPlanet[1]->currentIndex());
    cmdShowAll[1]->hide();
    UpdateRunCaptions();
}

void frmMain::optPersonal_Click() {
    if (!blnStartUpCompleted) return;
    fraZodiac->show();
    fraBirthDate->show();
    lblPlanet[0]->setText(QStringLiteral("Transiting planet"));
    lblPlanet[1]->setText(QStringLiteral("Natal planet"));
    FillPlanetLists();
    SavedPlanetIndex[1] = static_cast<std::int16_t>(cboPlanet[0]->currentIndex());
    SavedPlanetIndex[3] = static_cast<std::int16_t>(cboPlanet[1]->currentIndex());
    UpdateRunCaptions();
    cmdShowAll[1]->show();
}

void frmMain::cboOrbs_Click(int) {
    if (!blnStartUpCompleted) return;
    CheckOrbs();
    UpdateSearchOrbLabel();
    cmdStart->setFocus();
}

void frmMain::UpdateSearchOrbLabel() {
    Label1->setText(QStringLiteral("for first %1°").arg(cboOrbs[0]->currentIndex() + 1));
}

void frmMain::cboSearchAspect_Click() {
    if (!blnStartUpCompleted || TypingInList) return;
    cmdSearch->setFocus();
}

bool frmMain::CheckOrbs() {
    const int planet = cboPlanet[0]->currentIndex() + 1;
    request.PlanetCodes[0] = static_cast<std::int16_t>(planet);
    const int inner = cboOrbs[2]->currentIndex();
    const std::string prefix = IsWorldMode() ? "With" : "With transiting";
    const std::string title = "Orb values";

    if (planet == kMercury && inner < 2) {
        dialogs().message(prefix + " Mercury the inner orb must be at least 3°.", MessageIcon::Information, title);
        return false;
    }
    if (inner == 0 && (planet == kSun || planet == kVenus || planet == kMars)) {
        dialogs().message(prefix + " Sun, Venus or Mars the inner orb must be at least 2°.", MessageIcon::Information,
                          title);
        return false;
    }
    return CheckOrbOrder();
}

bool frmMain::CheckOrbOrder() {
    const int outer = cboOrbs[0]->currentIndex();
    const int middle = cboOrbs[1]->currentIndex();
    const int inner = cboOrbs[2]->currentIndex();
    if (!(middle <= outer - 2 && inner <= middle - 2)) {
        dialogs().message("Orbs must be strictly decreasing and differ by at least 2°.", MessageIcon::Information,
                          "Orb values");
        return false;
    }
    return true;
}

void frmMain::UpdateRunCaptions() {
    const QString s0 = cboPlanet[0]->currentText();
    const QString s1 = cboPlanet[1]->currentText();
    if (IsWorldMode()) {
        cmdStart->setText(QStringLiteral("Show all world transits between ") + s0 + QStringLiteral(" and ") + s1);
        cmdShowAll[0]->setText(QStringLiteral("Show all transits between ") + s1 + QStringLiteral(" and other planets"));
    } else {
        cmdStart->setText(QStringLiteral("Show all personal transits by ") + s0 + QStringLiteral(" of natal ") + s1);
        cmdShowAll[0]->setText(QStringLiteral("Show all transits of natal ") + s1);
        cmdShowAll[1]->setText(QStringLiteral("Show all transits by transiting ") + s0);
    }
}

}  // namespace meridel
