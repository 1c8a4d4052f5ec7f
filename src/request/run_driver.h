// A ready run carried out: the output box emptied or separated, the heading, the day-by-day scan
// with Stop and the full box, and the lines that end it. The window (or the batch front-end)
// takes part through RunWindow.
#pragma once

#include <optional>
#include <string>

#include "request/run_request.h"
#include "transits/output_box.h"
#include "transits/scan_engine.h"

namespace meridel {

// The window's part in a run. One thread: everything is called from within ExecuteRun.
class RunWindow {
public:
    virtual ~RunWindow() = default;
    // Once a day: serve pending clicks (Stop), paints and the timer.
    virtual void YieldToWindow() {}
    // The first day's date, to show at once (later days: DayText(ScanState), for the timer).
    virtual void ShowDay(const std::string&) {}
    // The run has written its heading: busy state, "Append to output" hidden.
    virtual void RunBegins() {}
    // Idle again (after a stop, the running date hidden too).
    virtual void RunEnds(bool stopped) { (void)stopped; }
    // A row went into the box: show its end.
    virtual void RowWritten() {}
};

enum class RunEnd { Stopped, Finished };

// The title of the message a full box shows.
inline constexpr const char* kOutputBoxTitle = "Meridel";

// Runs `run` (a checked request) in the session's sky into the box (appended below the runs it
// holds, or into an emptied box). A click on Stop or a full box (which also sets RunAborted) ends
// it with "Stopped". The run's record is added to the box's runs whatever its end.
RunEnd ExecuteRun(RequestSession& session, const TransitRequest& run, ScanState& scan, OutputBox& box, bool append,
                  RunWindow& window);

// The message a finished run that found no transit shows, outside the all-planets listing.
std::optional<Message> NoTransitsMessage(const ScanState& scan, bool allPlanets);

}  // namespace meridel
