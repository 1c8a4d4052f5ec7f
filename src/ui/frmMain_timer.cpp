// The window's 500 ms timer: shows the output buttons when there is output and refreshes the
// running date while a scan goes on.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "ui/frmMain.h"

namespace meridel {

void frmMain::Timer1_Timer() {
    const bool running = cmdStart->text() == QStringLiteral("Stop");
    const bool hasOutput = !OutputIsEmpty();
    cmdFile->setVisible(!running && hasOutput);
    chkOpenOutputFile->setVisible(cmdFile->isVisibleTo(this));
    if (running) {
        lblShortDate->setText(QString::fromStdString(scan.DayText));
        lblShortDate->repaint();
    }
    cmdClear->setVisible(hasOutput);
    AgeStateJustStored();
}

}  // namespace meridel
