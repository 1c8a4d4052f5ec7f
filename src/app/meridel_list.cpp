// meridel-list: runs the window's own request code without showing the window and writes the
// output box's text to standard output. Message boxes go to standard error as "[TITLE] TEXT".
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <iostream>

#include "app/list_options.h"
#include "dialogs/dialogs.h"
#include "ui/frmMain.h"
#include "ui/registry.h"

namespace {

using meridel::ListOptions;

int usageError(const std::string& message) {
    std::cerr << "meridel-list: " << message << "\n\n" << meridel::ListUsage();
    return 2;
}

// Selects the entry showing exactly `text`; false when the list has none.
bool selectText(QComboBox* list, const std::string& text) {
    const int index = list->findText(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) return false;
    list->setCurrentIndex(index);
    return true;
}

void setDate(meridel::frmMain& w, int row, const meridel::DateArgument& date) {
    w.txbYear[row]->setText(QString::fromStdString(date.year));
    w.txbMonth[row]->setText(QString::fromStdString(date.month));
    w.txbDay[row]->setText(QString::fromStdString(date.day));
    w.UpdateDateLabel(row);
}

// Sets the controls as a user would; returns a usage message for a name no list offers.
std::string applyOptions(meridel::frmMain& w, const ListOptions& o) {
    (o.isWorld() ? w.optWorld : w.optPersonal)->setChecked(true);
    if (!o.isWorld()) (o.sidereal ? w.optSidereal : w.optTropical)->setChecked(true);
    w.chkDisplayNATZabbr->setChecked(o.northAmericanAbbreviations);
    if (!selectText(w.cboPlanet[0], o.planet1)) return "--planet1: no such body in the list: " + o.planet1;
    if (!selectText(w.cboPlanet[1], o.planet2)) return "--planet2: no such body in the list: " + o.planet2;
    if (!o.start.year.empty()) setDate(w, 0, o.start);
    setDate(w, 1, o.end);
    for (int i = 2; i >= 0; --i) w.cboOrbs[i]->setCurrentIndex(o.orbs[i] - 1);
    if (!selectText(w.cboTimezone[0], o.zone)) return "--tz: no such zone in the list: " + o.zone;
    if (o.birth) {
        setDate(w, 2, *o.birth);
        w.cboHour->setCurrentIndex(*o.birthHour + 1);
        w.cboMinute->setCurrentIndex(*o.birthMinute / 5 + 1);
        if (!selectText(w.cboTimezone[1], o.birthZone)) return "--birth-tz: no such zone in the list: " + o.birthZone;
    }
    if (o.searchAspect && !selectText(w.cboSearchAspect, *o.searchAspect)) {
        return "--search: no such aspect in the list: " + *o.searchAspect;
    }
    w.chkKeepDates->setChecked(o.keepDates);
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = meridel::ParseListArguments(args, error);
    if (!options) return usageError(error);
    if (options->help) {
        std::cout << meridel::ListUsage();
        return 0;
    }

    // The window is built but never shown on a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error carries the message boxes; keep Qt's note about a missing runtime folder off it.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = "/tmp/meridel-runtime-" + QByteArray::number(getuid());
        if (mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST) qputenv("XDG_RUNTIME_DIR", runtime);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Meridel"));

    // Setting the controls one by one passes through states a user never meant (an outer orb
    // below the middle one for a moment); their messages are not the request's and stay silent.
    // An empty store of its own: a batch run never reads or writes the user's saved state.
    meridel::UseMemorySettings();
    meridel::RecordingDialogs quiet;
    meridel::setDialogs(&quiet);
    meridel::frmMain window;
    window.Form_Load();
    // Start-up shows the window; a batch run has no screen to paint it on.
    window.hide();
    const std::string problem = applyOptions(window, *options);
    if (!problem.empty()) {
        meridel::setDialogs(nullptr);
        return usageError(problem);
    }

    meridel::RecordingDialogs shown(true);
    meridel::setDialogs(&shown);
    if (options->searchAspect) {
        window.cmdSearch_Click();
    } else if (options->allPlanets) {
        window.cmdShowAll_Click(*options->allPlanets);
    } else {
        window.cmdStart_Click();
    }
    const QByteArray text = window.OutputText().toUtf8();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    std::fflush(stdout);
    meridel::setDialogs(nullptr);
    return window.ScansStarted > 0 ? 0 : 1;
}
