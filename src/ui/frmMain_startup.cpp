// Start-up of the main window: tables, defaults, lists, colours, fonts, size and place, in the
// order the handlers rely on. Every user handler stays quiet until the last step.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "request/choices.h"
#include "request/first_start.h"
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
    SavedPlanetIndex = PlanetMemory();
    FillSelectionLists();
    SetUpTimezoneComboBoxes(false);
    cmdRestoreState_Click();

    // The mode switch's handler did not run for a restored mode; do its work here.
    ShowModeControls();
    FillPlanetLists();

    txbYear_LostFocus(0);
    txbYear_LostFocus(1);
    SetForeColorAll(*this, kControlForeColor);
    SetBackColorAll(*this, kWindowBackColor);
    SetWindowFonts();

    if (cboTimezone[0]->currentIndex() == -1) cboTimezone[0]->setCurrentIndex(LocalZonePosition());
    chkKeepDates->setChecked(true);
    txbDay_LostFocus(2);
    Reselect(cboHour);
    Reselect(cboMinute);
    lblShortDate->hide();

    // First placement from the designed size.
    PlaceOnScreen(*this, kDesignedClientWidthTwips + kFrameWidthTwips, kDesignedClientHeightTwips + kFrameHeightTwips);

    UpdateRunCaptions();
    UpdateSearchOrbLabel();

    SetFormWidth(WindowWidth);
    SetFormHeight(CompactHeight);
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
    session = FirstSession();
    const std::array<DateFields, 3> dates = FirstStartDates();
    for (std::size_t row = 0; row < 3; ++row) {
        txbYear[row]->setText(QString::fromStdString(dates[row].year));
        txbMonth[row]->setText(QString::fromStdString(dates[row].month));
        txbDay[row]->setText(QString::fromStdString(dates[row].day));
    }
    txbOutput->clear();
    cmdFile->setEnabled(false);
    optPersonal->setChecked(true);
    optTropical->setChecked(true);
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
