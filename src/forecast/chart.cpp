#include "forecast/chart.h"

#include "calendar/daycount.h"
#include "forecast/chart_runs.h"
#include "request/all_planets.h"
#include "request/choices.h"
#include "request/date_checks.h"
#include "request/run_driver.h"
#include "transits/transit_report.h"

namespace meridel {

namespace {

// A run's part in the chart: the scan asks it after every day and every row.
class ChartWindow : public RunWindow {
public:
    explicit ChartWindow(const std::atomic<bool>* stop) : stop_(stop) {}
    bool StopRequested() override { return Stopping(); }
    bool Stopping() const { return stop_ && stop_->load(std::memory_order_relaxed); }

private:
    const std::atomic<bool>* stop_;
};

// The separator the box puts between runs.
std::size_t SeparatorLength() { return 2 + RuleLine().size() + 2; }

}  // namespace

std::string ChartResult::RunText(std::size_t i) const {
    if (i >= runTextStart.size()) return "";
    const std::size_t end = i + 1 < runTextStart.size() ? runTextStart[i + 1] - SeparatorLength() : text.size();
    return text.substr(runTextStart[i], end - runTextStart[i]);
}

ChartResult RunChart(const Sky& sky, const RequestInput& input, const ChartProgress& progress,
                     const std::atomic<bool>* stop) {
    ChartResult result;
    result.sky = sky;
    if (auto refusal = CheckAllPlanets(input)) {
        result.refusal = std::move(refusal);
        return result;
    }
    RequestSession session;
    session.sky = sky;
    ChartWindow window(stop);
    StringOutput text;
    OutputBox box(text, std::nullopt);
    ScanState scan;
    const std::vector<RequestInput> inputs = ChartRunInputs(input);
    const int total = static_cast<int>(inputs.size());
    if (progress) progress(0, total);
    for (int i = 0; i < total; ++i) {
        if (window.Stopping()) {
            result.stopped = true;
            break;
        }
        const RequestCheck check = CheckRun(inputs[static_cast<std::size_t>(i)], session);
        if (check.refusal || !check.run) {
            result.refusal = check.refusal;
            break;
        }
        const std::size_t before = text.Text().size();
        const RunEnd end = ExecuteRun(session, *check.run, scan, box, true, window);
        result.runTextStart.push_back(before == 0 ? 0 : before + SeparatorLength());
        if (progress) progress(i + 1, total);
        if (end == RunEnd::Stopped) {
            result.stopped = true;
            break;
        }
    }
    result.sky = session.sky;
    result.runs = box.Runs();
    result.text = text.Text();
    if (result.runs.empty() || result.refusal || result.stopped) return result;

    // The period as asked, whatever start a run moved back to.
    const TransitRequest& first = result.runs.front().request;
    result.firstDay = ViewDateRow(input.dates[kStartRow]).day.value_or(first.StartDay);
    result.lastDay = first.EndDay;
    result.zoneMinutes = first.zoneMinutes;
    result.events = FindSkyOwnEvents(session.sky.InZodiac(first.sidereal), LocalMidnight(result.firstDay, result.zoneMinutes),
                                     LocalMidnight(result.lastDay + 1, result.zoneMinutes), stop);
    if (window.Stopping()) result.stopped = true;
    return result;
}

}  // namespace meridel
