#include "request/run_driver.h"

#include "transits/transit_report.h"

namespace meridel {

RunEnd ExecuteRun(RequestSession& session, const TransitRequest& run, ScanState& scan, OutputBox& box, bool append,
                  RunWindow& window) {
    box.BeginRun(append);
    TransitScan engine(run, session.sky, scan, box, window);
    engine.Begin();
    // A stop asked of an earlier run is not this run's; a box already full at the column titles
    // stops the run at once with one message rather than meet the full box with every row.
    session.StopRequested = false;
    engine.WriteHeader();
    window.RunBegins();

    const ScanOutcome outcome = engine.Run();
    if (engine.BoxFull()) {
        session.RunAborted = true;
        ShowMessages({{OutputBox::kFullMessage, MessageIcon::Exclamation, kOutputBoxTitle}});
    }
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
