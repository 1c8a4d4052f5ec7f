#include "request/run_driver.h"

#include "transits/transit_report.h"

namespace meridel {

namespace {

// The scan's hooks: the box takes the lines, the window serves the day, the session keeps Stop.
class DriverHooks : public ScanHooks {
public:
    DriverHooks(RequestSession& session, OutputBox& box, RunWindow& window)
        : session_(session), box_(box), window_(window) {}

    void yieldToWindow() override { window_.YieldToWindow(); }
    bool stopRequested() override { return session_.StopRequested; }
    void showDay(const std::string& dayText) override { window_.ShowDay(dayText); }
    void appendLine(const std::string& line) override { box_.AppendLine(line); }
    bool writeRow(const std::string& line) override {
        if (!box_.WriteRow(line, kOutputBoxTitle)) {
            session_.StopRequested = true;
            session_.RunAborted = true;
            return false;
        }
        window_.RowWritten();
        return true;
    }

private:
    RequestSession& session_;
    OutputBox& box_;
    RunWindow& window_;
};

}  // namespace

RunEnd ExecuteRun(RequestSession& session, const TransitRequest& run, ScanState& scan, OutputBox& box, bool append,
                  RunWindow& window) {
    box.BeginRun(append);
    DriverHooks hooks(session, box, window);
    TransitScan engine(run, session.sky, scan, hooks);
    engine.Begin();
    // A stop asked of an earlier run (one that filled the box as it ended) is not this run's; a
    // box already full at the column titles asks again, and the run stops at once with that one
    // message rather than meet the full box with every row.
    session.StopRequested = false;
    engine.WriteHeader();
    window.RunBegins();

    const ScanOutcome outcome = engine.Run();
    if (outcome == ScanOutcome::Stopped) {
        box.Append("Stopped");
        box.AddRun(scan.Results);
        window.RunEnds(true);
        session.StopRequested = false;
        return RunEnd::Stopped;
    }
    if (!AnyTransit(scan)) box.AppendLine(kNoTransitsLine);
    box.AddRun(scan.Results);
    window.RunEnds(false);
    return RunEnd::Finished;
}

std::optional<Message> NoTransitsMessage(const ScanState& scan, bool allPlanets) {
    if (allPlanets || AnyTransit(scan)) return std::nullopt;
    return Message{"There are no transits of this kind in the period specified.", MessageIcon::Information,
                   "No transits"};
}

}  // namespace meridel
