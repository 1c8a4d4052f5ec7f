// A ready run carried out: the output box emptied or separated, the heading, the day-by-day scan
// with Stop and the full box, and the lines that end it. The window takes part through RunWindow
// (scan_engine.h); the batch front-end passes one that takes no part.
#pragma once

#include <optional>
#include <string>

#include "request/run_request.h"
#include "transits/output_box.h"
#include "transits/scan_engine.h"

namespace meridel {

enum class RunEnd { Stopped, Finished };

// The title of the message a full box shows.
inline constexpr const char* kOutputBoxTitle = "Meridel";

// Runs `run` (a checked request) in the session's sky into the box (appended below the runs it
// holds, or into an emptied box). A click on Stop (the window's StopRequested) or a full box ends
// it with "Stopped"; a full box also says so and sets RunAborted. The run's record is added to
// the box's runs whatever its end.
RunEnd ExecuteRun(RequestSession& session, const TransitRequest& run, ScanState& scan, OutputBox& box, bool append,
                  RunWindow& window);

// The message a finished run that found no transit shows, outside the all-planets listing.
std::optional<Message> NoTransitsMessage(const ScanState& scan, bool allPlanets);

}  // namespace meridel
