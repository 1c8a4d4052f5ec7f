// Renders the main window as it looks at first start into a PNG, and optionally during and
// after a real run:
//   ui_screenshot FIRST.png [RUNNING.png [DONE.png]]
// or the whole chart's window after a Personal chart of a year, its table filled, and its
// timeline with the Sun's group folded:
//   ui_screenshot --forecast FILE.png [TIMELINE.png]
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QStyleHints>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "calendar/clock.h"
#include "dialogs/dialogs.h"
#include "ui/frmForecast.h"
#include "ui/frmMain.h"
#include "persist/registry.h"
#include "ui/frmTimeline.h"

namespace {

bool Save(QWidget& window, const char* path) {
    QApplication::processEvents();
    const QString out = QString::fromLocal8Bit(path);
    QDir().mkpath(QFileInfo(out).absolutePath());
    if (window.grab().save(out)) return true;
    std::fprintf(stderr, "cannot write %s\n", path);
    return false;
}

// The same birth for every picture: 22 September 1987, 14:30 GMT+1:00.
void SetBirth(meridel::frmMain& window) {
    window.txbYear[2]->setText(QStringLiteral("1987"));
    window.txbMonth[2]->setText(QStringLiteral("9"));
    window.txbDay[2]->setText(QStringLiteral("22"));
    for (int row = 0; row < 3; ++row) window.UpdateDateLabel(row);
    window.cboHour->setCurrentIndex(15);
    window.cboMinute->setCurrentIndex(7);
    window.cboTimezone[1]->setCurrentIndex(26);
}

// A real Personal run: RUNNING.png is taken while the scan goes on, DONE.png after it ends.
bool ShowARun(meridel::frmMain& window, const char* runningPath, const char* donePath) {
    window.txbYear[0]->setText(QStringLiteral("1990"));
    window.txbYear[1]->setText(QStringLiteral("2799"));
    SetBirth(window);
    window.cboPlanet[0]->setCurrentIndex(5);  // Saturn
    window.cboPlanet[1]->setCurrentIndex(0);  // Sun
    bool ok = true;
    // Later than a double-click's second click, which the window does not take for Stop.
    QTimer::singleShot(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 200, [&] {
        window.Timer1_Timer();
        ok = Save(window, runningPath);
        window.cmdStart_Click();  // the caption reads "Stop": this stops the run
    });
    window.cmdStart_Click();
    window.Timer1_Timer();
    return ok && (!donePath || Save(window, donePath));
}

// The Personal chart of 2024 for the birth data above, in the forecast window once it has ended.
bool ShowAChart(meridel::frmMain& window, const char* path, const char* timelinePath) {
    window.txbYear[0]->setText(QStringLiteral("2024"));
    window.txbYear[1]->setText(QStringLiteral("2024"));
    window.txbMonth[1]->setText(QStringLiteral("12"));
    window.txbDay[1]->setText(QStringLiteral("31"));
    SetBirth(window);
    window.cmdWholeChart_Click();
    meridel::frmForecast& chart = *window.ForecastWindow;
    while (chart.Running()) {
        QApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (chart.Chart().runs.empty() || !Save(chart, path)) return false;
    if (!timelinePath) return true;
    chart.cmdTimeline_Click();
    chart.TimelineWindow->cmdGroups.front()->click();
    return Save(*chart.TimelineWindow, timelinePath);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));  // as the program does
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_screenshot FIRST.png [RUNNING.png [DONE.png]] | --forecast FILE.png [TIMELINE.png]\n");
        return 2;
    }
    meridel::FixedClock fixed(2024, -3600);
    meridel::SetClock(&fixed);
    meridel::RecordingDialogs dialogs;
    meridel::SetDialogs(&dialogs);
    meridel::UseMemorySettings();  // a first start, whatever the user saved

    meridel::frmMain window;
    window.Form_Load();
    if (std::strcmp(argv[1], "--forecast") == 0) {
        const bool ok = (argc == 3 || argc == 4) && ShowAChart(window, argv[2], argc == 4 ? argv[3] : nullptr);
        meridel::SetDialogs(nullptr);
        meridel::SetClock(nullptr);
        return ok ? 0 : 1;
    }
    if (!Save(window, argv[1])) return 1;
    if (argc > 2 && !ShowARun(window, argv[2], argc > 3 ? argv[3] : nullptr)) return 1;
    meridel::SetDialogs(nullptr);
    meridel::SetClock(nullptr);
    return 0;
}
