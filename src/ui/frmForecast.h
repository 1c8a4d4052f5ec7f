// frmForecast: the whole chart of the main window's request as a table of its agenda, opened by
// the main window's "Whole chart" button. The chart runs on a thread of its own with its own
// copy of the sky, so both windows stay usable; Stop, a new chart or closing either window ends
// it and waits for the thread, keeping nothing of a chart that did not finish. The table filters
// and sorts; a double-click on a transit has the main window run that pair; "Save..." writes the
// chart, "Show timeline" draws it. Its size, filters and columns are kept in the settings store.
#pragma once

#include <QWidget>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "forecast/agenda.h"
#include "forecast/chart.h"
#include "request/request_input.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace meridel {

class AgendaModel;
class AgendaProxy;
class frmTimeline;

class frmForecast : public QWidget {
public:
    // runPair: what a double-click asks for, the run of one pair as the start button would make it.
    using PairRun = std::function<void(const RequestInput&)>;
    frmForecast(QWidget* parent, PairRun runPair);
    ~frmForecast() override;

    // Shows the window and starts the chart of `input` in a copy of `sky`; a chart under way is
    // stopped first.
    void StartChart(const Sky& sky, const RequestInput& input);
    bool Running() const { return worker_.joinable(); }
    // Asks a chart under way to stop and waits for its thread; nothing of it is kept.
    void StopChart();

    // The finished chart shown (empty before the first and after a stop) and its agenda.
    const ChartResult& Chart() const { return chart_; }
    std::vector<AgendaEntry> ShownEntries() const;

    QComboBox* cboMoving;  // "All", then Sun..Pluto and the Moon (by planet code)
    QComboBox* cboSecond;
    QComboBox* cboAspect;  // "All", then conjunction..sextile
    QComboBox* cboKind;    // "All", then the kind groups
    QLineEdit* txbFind;
    QTableView* table;
    QProgressBar* progress;
    QPushButton* cmdStop;
    QLabel* lblStatus;
    QPushButton* cmdTimeline;
    QPushButton* cmdSave;
    QPushButton* cmdClose;
    frmTimeline* TimelineWindow = nullptr;

    // Asks for a file and writes the chart there: text (the agenda shown), CSV, iCalendar or JSON
    // by the chosen file's extension.
    void cmdSave_Click();
    void cmdTimeline_Click();
    void table_DoubleClick(int row);
    // Checks on the thread: its progress, and the chart once it has ended.
    void PollChart();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyFilter();
    void ShowChart(ChartResult chart);
    void SetRunning(bool running);
    void RestoreSettings();
    void SaveSettings() const;

    PairRun runPair_;
    AgendaModel* model_;
    AgendaProxy* proxy_;
    QTimer* poll_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<int> done_{0}, total_{0};
    std::atomic<bool> finished_{false};
    ChartResult result_;     // written by the thread until finished_
    ChartResult chart_;      // the finished chart shown
    RequestInput input_;     // its request
    std::string lastSavePath_;
};

}  // namespace meridel
