// The two time-zone lists (results and birth), the local zone, the birth-time lists' handlers
// and the natal planet's longitude at the birth moment.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <cmath>

#include "calendar/daycount.h"
#include "ephemeris/planet_longitude.h"
#include "ui/controls.h"
#include "ui/frmMain.h"

namespace meridel {

namespace {

constexpr int kGreenwichEntry = 24;

// The 48 entries: 0 is empty; entry i >= 1 is (i - 24) * 30 minutes east of Greenwich.
QStringList PlainZoneTexts() {
    QStringList texts{QString()};
    for (int k = 11; k >= 0; --k) {
        texts << QStringLiteral("GMT-%1:30").arg(k);
        texts << (k == 0 ? QStringLiteral("GMT") : QStringLiteral("GMT-%1:00").arg(k));
    }
    for (int k = 0; k <= 11; ++k) {
        if (k > 0) texts << QStringLiteral("GMT+%1:00").arg(k);
        texts << QStringLiteral("GMT+%1:30").arg(k);
    }
    return texts;
}

struct NorthAmericanZone {
    int entry;
    const char* text;
};

constexpr NorthAmericanZone kNorthAmericanZones[] = {
    {19, "NDT"}, {18, "ADT"}, {17, "NST"}, {16, "AST/EDT"}, {14, "EST/CDT"},
    {12, "CST/MDT"}, {10, "MST/PDT"}, {8, "PST/AKDT"}, {6, "AKST/HADT"}, {4, "HAST"},
};

}  // namespace

void frmMain::SetUpTimezoneComboBoxes(bool blnPreserveIndices) {
    const QStringList plain = PlainZoneTexts();
    for (int i = 0; i < 2; ++i) {
        QComboBox* list = cboTimezone[i];
        SavedTimezoneIndices[i] = static_cast<std::int16_t>(blnPreserveIndices ? list->currentIndex() : 0);
        list->clear();
        list->addItems(plain);
        if (chkDisplayNATZabbr->isChecked())
            for (const NorthAmericanZone& zone : kNorthAmericanZones)
                list->setItemText(zone.entry, QString::fromLatin1(zone.text));
        list->setCurrentIndex(blnStartUpCompleted ? SavedTimezoneIndices[i] : -1);
    }
}

std::int16_t frmMain::LocalTimezoneMinutes() {
    return static_cast<std::int16_t>(std::nearbyint(-static_cast<double>(get_timezone()) / 60.0));
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

void frmMain::ComputeNatalLongitude() {
    const int localMinutes = (cboHour->currentIndex() - 1) * 60 + (cboMinute->currentIndex() - 1) * 5;
    const int zoneMinutes = (cboTimezone[1]->currentIndex() - kGreenwichEntry) * 30;
    const int universalMinutes = localMinutes - zoneMinutes;
    const double jd = request.RequestDays[2] - 0.5 + universalMinutes / 1440.0;
    const std::int16_t natal = request.PlanetCodes[1];
    if (natal < kSun || natal > kMoon) return;
    request.NatalLongitudes[natal] = PlanetLongitude(natal, jd);
}

}  // namespace meridel
