// Renders the main window as it looks at first start into a PNG, and optionally a second one
// with birth data, a few output lines and a run going on:
//   ui_screenshot FIRST.png [RUNNING.png]
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <cstdio>

#include "calendar/clock.h"
#include "dialogs/dialogs.h"
#include "ui/frmMain.h"
#include "ui/registry.h"

namespace {

bool Save(QWidget& window, const char* path) {
    QApplication::processEvents();
    const QString out = QString::fromLocal8Bit(path);
    QDir().mkpath(QFileInfo(out).absolutePath());
    if (window.grab().save(out)) return true;
    std::fprintf(stderr, "cannot write %s\n", path);
    return false;
}

void ShowARun(meridel::frmMain& window) {
    window.txbYear[2]->setText(QStringLiteral("1987"));
    window.txbMonth[2]->setText(QStringLiteral("9"));
    window.txbDay[2]->setText(QStringLiteral("22"));
    window.UpdateDateLabel(2);
    window.cboHour->setCurrentIndex(15);
    window.cboMinute->setCurrentIndex(7);
    window.cboTimezone[1]->setCurrentIndex(26);
    window.cboPlanet[1]->setCurrentIndex(9);
    window.SetFormHeight(window.intHeight);
    QString rule(119, QLatin1Char('-'));
    window.txbOutput->setPlainText(QStringLiteral("Sample listing line, 119 characters wide:\n") + rule);
    window.scan.DayText = "2024-03-05";
    window.SetBusyState();
    window.Timer1_Timer();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));  // as the program does
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_screenshot FIRST.png [RUNNING.png]\n");
        return 2;
    }
    meridel::FixedClock fixed(2024, -3600);
    meridel::setClock(&fixed);
    meridel::RecordingDialogs dialogs;
    meridel::setDialogs(&dialogs);
    meridel::UseMemorySettings();  // a first start, whatever the user saved

    meridel::frmMain window;
    window.Form_Load();
    if (!Save(window, argv[1])) return 1;
    if (argc > 2) {
        ShowARun(window);
        if (!Save(window, argv[2])) return 1;
    }
    meridel::setDialogs(nullptr);
    meridel::setClock(nullptr);
    return 0;
}
