// A click on the start button or an all-planets button: the request checked by the request layer,
// and the scan carried out in the window with its output, Stop and end of run.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleHints>
#include <QTimer>

#include "request/all_planets.h"
#include "request/run_driver.h"
#include "ui/controls.h"
#include "ui/frmMain.h"

namespace meridel {

namespace {

// The window's part in a run: the yield, the running date, the busy and idle states.
class WindowRun : public RunWindow {
public:
    explicit WindowRun(frmMain& window) : w_(window) {}

    void YieldToWindow() override { QCoreApplication::processEvents(); }
    bool StopRequested() override { return w_.session.StopRequested; }
    void ShowDay(const std::string& dayText) override {
        w_.lblShortDate->setText(QString::fromStdString(dayText));
        w_.lblShortDate->repaint();
    }
    void RunBegins() override {
        w_.SetBusyState();
        w_.chkAppendToOutput->hide();
    }
    void RunEnds(bool stopped) override {
        w_.SetIdleState();
        if (stopped) w_.lblShortDate->hide();
    }
    void RowWritten() override { w_.ShowOutputEnd(); }

private:
    frmMain& w_;
};

}  // namespace

void frmMain::cmdStart_Click() {
    if (cmdStart->text() == QStringLiteral("Stop")) {
        // The second click of a double-click on the start button lands here.
        if (RunState.StartClicked.isValid() &&
            RunState.StartClicked.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
            return;
        }
        session.RunAborted = true;
        session.StopRequested = true;
        RunState.StopClicked = true;
        return;
    }
    RunState.StartClicked.start();
    const RequestCheck check = CheckRun(ReadRequestInput(), session);
    if (!Passed(check.updates, check.refusal) || !check.run) return;
    SetFormHeight(intHeight);
    ScanTransits(*check.run);
}

void frmMain::ScanTransits(const TransitRequest& run) {
    RunState.ScanRunning = true;
    RunState.StopClicked = false;
    WindowRun window(*this);
    const RunEnd end = ExecuteRun(session, run, scan, Output, chkAppendToOutput->isChecked(), window);
    RunState.ScanRunning = false;
    if (!session.request.AllPlanetsMode) {
        if (end == RunEnd::Finished) {
            if (AnyTransit(scan)) {
                ActiveDialogs().ShowPopUp("Done", 1200, 300, 2000, TopTwips(cmdShowAll[1]) + 450,
                                LeftTwips(cmdShowAll[1]) - 1500);
            } else if (const auto message = NoTransitsMessage(scan, false)) {
                ShowMessages({*message});
            }
        }
        if (OutputIsEmpty()) {
            chkAppendToOutput->setChecked(false);
            SetFormHeight(CompactHeight);
        }
        // Shown after a stopped run too: a ticked box the user cannot see would append the next run.
        chkAppendToOutput->setVisible(!OutputIsEmpty());
    }
    ShowOutputEnd();
    // A close asked for during the scan waited for it to unwind; carry it out now.
    if (RunState.CloseRequested) QTimer::singleShot(0, this, &QWidget::close);
}

void frmMain::cmdShowAll_Click(int index) {
    const RequestInput input = ReadRequestInput();
    if (!Passed({}, CheckAllPlanets(input))) return;

    const int savedFirst = cboPlanet[0]->currentIndex();
    const int savedSecond = cboPlanet[1]->currentIndex();
    const bool savedAppend = chkAppendToOutput->isChecked();
    auto restoreLists = [&] {
        cboPlanet[0]->setCurrentIndex(savedFirst);
        cboPlanet[1]->setCurrentIndex(savedSecond);
    };
    RunState.AllPlanetsMode = true;

    QComboBox* walked = cboPlanet[WalkedList(input.world, index)];
    bool started = false;  // the first request passed its checks and the box was emptied
    bool ended = false;    // nothing more runs, not even the closing run
    WalkAllPlanets(input, index, [&](const AllPlanetsStep& step) {
        // A window closed during a scan closes once the scan has unwound: start nothing more.
        if (ended || RunState.CloseRequested) return true;
        // The lists show the pair being run, and the request is read from them as the start
        // button reads it.
        if (step.closingRun) {
            cboPlanet[0]->setCurrentIndex(-1);
        } else {
            walked->setCurrentIndex(step.input.planets[static_cast<std::size_t>(WalkedList(input.world, index))]);
        }
        const RequestCheck check = CheckRun(ReadRequestInput(), session);
        if (check.refusal) {
            // Shown over the lists as the user chose them. The first request's refusal (a typing
            // error in a date, say) would meet every other request as well: it ends the listing
            // before the box loses its text.
            restoreLists();
            Passed(check.updates, check.refusal);
            ended = !started;
            return true;
        }
        ApplyUpdates(check.updates);
        if (!started) {
            Output.Clear();  // and the runs it held
            chkAppendToOutput->setChecked(true);
            started = true;
        }
        if (!check.run) return session.RunAborted;  // a pair of a planet with itself, skipped
        SetFormHeight(intHeight);
        ScanTransits(*check.run);
        // Stop ends the whole listing; a full box leaves the closing run its designed turn.
        ended = RunState.StopClicked;
        return session.RunAborted;
    });

    restoreLists();
    chkAppendToOutput->setChecked(savedAppend);
    RunState.AllPlanetsMode = false;
}

}  // namespace meridel
