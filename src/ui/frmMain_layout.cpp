// The resize rule that keeps the output box and the bottom row at the window's bottom, the
// busy and idle control states of a run, and the check boxes' focus handlers.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include "ui/controls.h"
#include "ui/frmMain.h"
#include "ui/window_style.h"

namespace meridel {

int frmMain::FormWidth() const { return width() * kTwipsPerPixel + kFrameWidthTwips; }
int frmMain::FormHeight() const { return height() * kTwipsPerPixel + kFrameHeightTwips; }

void frmMain::SetFormWidth(int twips) {
    resize(TwipsToPixels(twips - kFrameWidthTwips), height());
    // A hidden window gets its resize event only when shown; lay it out now as well.
    if (!isVisible()) Form_Resize();
}

void frmMain::SetFormHeight(int twips) {
    resize(width(), TwipsToPixels(twips - kFrameHeightTwips));
    if (!isVisible()) Form_Resize();
}

void frmMain::Form_Resize() {
    if (isMinimized()) return;
    if (FormHeight() < CompactHeight) {
        SetFormHeight(CompactHeight);
        return;
    }
    if (FormWidth() != WindowWidth) {
        SetFormWidth(WindowWidth);
        return;
    }
    SetHeightTwips(txbOutput, FormHeight() - TopTwips(txbOutput) - 1250);
    SetWidthTwips(txbOutput, LeftTwips(cmdQuit) + WidthTwips(cmdQuit) - LeftTwips(txbOutput));
    SetTopTwips(cmdQuit, TopTwips(txbOutput) + HeightTwips(txbOutput) + 150);
    SetTopTwips(cmdHelp, TopTwips(cmdQuit));
    SetTopTwips(cmdClear, TopTwips(cmdHelp));
    SetTopTwips(cmdSaveState, TopTwips(cmdQuit));
    SetTopTwips(cmdRestoreState, TopTwips(cmdSaveState));
    SetLeftTwips(cmdRestoreState, LeftTwips(cmdSaveState) + WidthTwips(cmdSaveState) + 100);
    SetTopTwips(cmdFile, TopTwips(cmdSaveState));
    SetLeftTwips(cmdFile, 5950);
    SetTopTwips(chkOpenOutputFile, TopTwips(cmdFile) + 30);
    SetLeftTwips(chkOpenOutputFile, LeftTwips(cmdFile) + WidthTwips(cmdFile) + 100);
    SetTopTwips(cmdTimeline, TopTwips(cmdFile));
    SetLeftTwips(cmdTimeline, kTimelineLeftTwips);
}

void frmMain::SetBusyState() {
    SetEnabledByKind(*this, false, false, true, true, false);
    cmdStart->setText(QStringLiteral("Stop"));
    cmdStart->setEnabled(true);
    cmdQuit->setEnabled(true);
    txbOutput->setEnabled(true);
    lblShortDate->show();
}

void frmMain::SetIdleState() {
    SetEnabledByKind(*this, true, true, true, true, false);
    UpdateRunCaptions();
    lblShortDate->hide();
}

void frmMain::chkKeepDates_Click() {
    if (blnStartUpCompleted) cmdSearch->setFocus();
}

void frmMain::chkOpenOutputFile_Click() {
    if (blnStartUpCompleted) cmdFile->setFocus();
}

void frmMain::chkAppendToOutput_Click() {
    if (blnStartUpCompleted && cmdStart->isEnabled()) cmdStart->setFocus();
}

// The window's 500 ms timer: shows the output buttons when there is output and refreshes the
// running date while a scan goes on.
void frmMain::Timer1_Timer() {
    const bool running = cmdStart->text() == QStringLiteral("Stop");
    const bool hasOutput = !OutputIsEmpty();
    cmdFile->setVisible(!running && hasOutput);
    chkOpenOutputFile->setVisible(cmdFile->isVisibleTo(this));
    cmdTimeline->setVisible(cmdFile->isVisibleTo(this));
    cmdTimeline->setEnabled(cmdFile->isEnabled());
    cmdWholeChart->setEnabled(!running && WholeChartReady());
    if (running) {
        lblShortDate->setText(QString::fromStdString(DayText(scan)));
        lblShortDate->repaint();
    }
    cmdClear->setVisible(hasOutput);
    StateJustStored.Tick();
}

}  // namespace meridel
