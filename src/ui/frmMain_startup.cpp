// Start-up of the main window: tables, defaults, lists, colours, fonts, size and place, in the
// order the handlers rely on. Every user handler stays quiet until the last step.
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "calendar/clock.h"
#include "calendar/date_text.h"
#include "ephemeris/data_folder.h"
#include "request/choices.h"
#include "ui/controls.h"
#include "ui/frmMain.h"
#include "ui/window_style.h"

namespace meridel {

namespace {

// Reads the list's position (nothing chosen counts as the first entry) and chooses it afresh,
// so that its handler runs.
void Reselect(QComboBox* list) {
    int index = list->currentIndex();
    if (index == -1) index = 0;
    list->setCurrentIndex(-1);
    list->setCurrentIndex(index);
}

void SetFontName(QWidget* control, const QString& name, QFont::StyleHint hint) {
    QFont font = control->font();
    font.setFamily(name);
    font.setStyleHint(hint);
    control->setFont(font);
}

}  // namespace

void frmMain::Form_Load() {
    blnStartUpCompleted = false;
    SetInitialDefaults();
    SavedPlanetIndex = {-1, -1, -1, -1};
    FillSelectionLists();
    SetUpTimezoneComboBoxes(false);
    cmdRestoreState_Click();

    // The mode switch's handler did not run for a restored mode; do its work here.
    const bool personal = optPersonal->isChecked();
    fraZodiac->setVisible(personal);
    fraBirthDate->setVisible(personal);
    cmdShowAll[1]->setVisible(personal);
    lblPlanet[0]->setText(personal ? QStringLiteral("Transiting planet") : QStringLiteral("Inner planet"));
    lblPlanet[1]->setText(personal ? QStringLiteral("Natal planet") : QStringLiteral("Outer planet"));
    FillPlanetLists();

    txbYear_LostFocus(0);
    txbYear_LostFocus(1);
    SetForeColorAll(*this, kControlForeColor);
    SetBackColorAll(*this, kWindowBackColor);
    SetWindowFonts();

    if (cboTimezone[0]->currentIndex() == -1) {
        // Offsets of +12:00 and beyond, or -12:00, have no entry: take the nearest real zone.
        cboTimezone[0]->setCurrentIndex(std::clamp(ZonePosition(LocalTimezoneMinutes()), 1, kZoneEntries - 1));
    }
    chkKeepDates->setChecked(true);
    txbDay_LostFocus(2);
    Reselect(cboHour);
    Reselect(cboMinute);
    lblShortDate->hide();

    // First placement from the designed size: a fifth of the way down, centred across.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const double designedWidth = kDesignedClientWidthTwips + kFrameWidthTwips;
        const double designedHeight = kDesignedClientHeightTwips + kFrameHeightTwips;
        const double top = (area.height() * kTwipsPerPixel - designedHeight) / 5.0;
        const double left = (area.width() * kTwipsPerPixel - designedWidth) / 2.0;
        move(area.x() + static_cast<int>(std::lround(left / kTwipsPerPixel)),
             area.y() + static_cast<int>(std::lround(top / kTwipsPerPixel)));
    }

    UpdateRunCaptions();
    UpdateSearchOrbLabel();

    WindowWidth = 13800;
    SetFormWidth(WindowWidth);
    CompactHeight = 6500;
    SetFormHeight(CompactHeight);
    intHeight = 8000;
    // The window manager enforces what the resize rule would restore anyway.
    setFixedWidth(TwipsToPixels(WindowWidth - kFrameWidthTwips));
    setMinimumHeight(TwipsToPixels(CompactHeight - kFrameHeightTwips));

    SetLeftTwips(chkAppendToOutput, LeftTwips(chkKeepDates) + WidthTwips(chkKeepDates) + 40);
    SetLeftTwips(cmdFile, (FormWidth() - (WidthTwips(cmdFile) + WidthTwips(chkOpenOutputFile) + 450)) / 2 + 750);
    SetLeftTwips(chkOpenOutputFile, LeftTwips(cmdFile) + WidthTwips(cmdFile) + 100);

    SetFontBoldAll(*this, false);
    SetFontNameAll(*this, QStringLiteral("Arial"), true, true);
    SetFontName(txbOutput, QStringLiteral("Courier New"), QFont::TypeWriter);

    lblAllTransitsDateFormat->hide();
    txbAllTransitsDateFormat->hide();
    cmdShowAllTransits->hide();

    SetWidthTwips(fraSearch, LeftTwips(chkAppendToOutput) + WidthTwips(chkAppendToOutput) + 200);
    SetLeftTwips(fraSearch, (FormWidth() - WidthTwips(fraSearch)) / 2);

    SetTopTwips(lblShortDate, TopTwips(cmdShowAllTransits) + 20);
    SetLeftTwips(lblShortDate, LeftTwips(cmdStart) + WidthTwips(cmdStart) - WidthTwips(lblShortDate));
    SetControlForeColor(lblShortDate, ColorFromWindowsValue(kRunningDateColor));

    SetTopTwips(cmdClear, TopTwips(cmdHelp));
    SetLeftTwips(cmdClear, LeftTwips(cmdHelp) - WidthTwips(cmdClear) - 100);

    show();

    cboSearchAspect->setCurrentIndex(1);
    cboSearchAspect->setCurrentIndex(0);
    ReselectSearchAndTimeLists();
    txbStopDate->hide();
    FocusButtonIfAvailable(cmdHelp);
    blnStartUpCompleted = true;
}

void frmMain::SetInitialDefaults() {
    FillingPlanetLists = false;
    session.request.AspectCount = 5;

    txbYear[0]->setText(QStringLiteral("%1").arg(activeClock().currentYear(), 4, 10, QLatin1Char('0')));
    txbMonth[0]->setText(QStringLiteral("1"));
    txbDay[0]->setText(QStringLiteral("1"));
    txbYear[1]->setText(txbYear[0]->text());
    txbMonth[1]->setText(QStringLiteral("12"));
    txbDay[1]->setText(QStringLiteral("31"));
    txbYear[2]->clear();
    txbMonth[2]->clear();
    txbDay[2]->clear();
    txbOutput->clear();

    cmdFile->setEnabled(false);
    optPersonal->setChecked(true);
    optTropical->setChecked(true);

    // The window's one sky: the data folder's position store, tropical, its Pluto table read when
    // a request first needs it.
    session.sky = InstalledSky();
}

void frmMain::SetWindowFonts() {
    SetFontNameAll(*this, QStringLiteral("Arial"), false, true);
    SetFontSizeAll(*this, 10);
    SetFontBoldAll(*this, true);

    QFont runningDate = lblShortDate->font();
    runningDate.setBold(false);
    lblShortDate->setFont(runningDate);
    SetControlForeColor(lblShortDate, ColorFromWindowsValue(kRunningDateColor));

    QFont output = txbOutput->font();
    output.setFamily(QStringLiteral("Courier New"));
    output.setStyleHint(QFont::TypeWriter);
    output.setPointSize(8);
    output.setBold(true);
    txbOutput->setFont(output);
}

void frmMain::ReselectSearchAndTimeLists() {
    Reselect(cboSearchAspect);
    Reselect(cboHour);
    Reselect(cboMinute);
}

}  // namespace meridel
