// The runs of the output as JSON for programs: {"runs": [...]}, one object per run with its
// request, its heading line and its transits, each with its passes and their exact hits; with the
// sky's own events of a chart, "stations", "ingresses", "lunations" and "eclipses" beside "runs"
// (times in the first run's results zone). The shape is described in the README. UTF-8; dates ISO 8601, exact hits also as RFC 3339 moments.
#pragma once

#include <string>
#include <vector>

#include "transits/sky_own_events.h"
#include "transits/transit_results.h"

namespace meridel {

std::string JsonExport(const std::vector<RunRecord>& runs, const SkyOwnEvents* events = nullptr);

// text as a JSON string, quotes included.
std::string JsonString(const std::string& text);

}  // namespace meridel
