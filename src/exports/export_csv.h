// The runs of the output as CSV (RFC 4180) for spreadsheets: a header row, then one row per line
// of each run's listing, that is per pass, a further exact hit of a pass on a row of its own with
// the same pass number. UTF-8, CR LF, fields quoted where they hold a comma, a quote or a line
// break. Dates are ISO 8601 (2020-12-21), times of exact hits 2020-12-21 18:20, which spreadsheets
// read as dates and times. The columns are listed in the README. The sky's own events of a chart
// follow as rows of mode "Sky": the body as planet 1, the event as aspect ("station retrograde",
// "ingress", "full moon", "total solar eclipse"), where it happens as planet 2 (the sign entered,
// or the position of a station or lunation), its times as the exact columns.
#pragma once

#include <string>
#include <vector>

#include "transits/sky_own_events.h"
#include "transits/transit_results.h"

namespace meridel {

std::string CsvExport(const std::vector<RunRecord>& runs, const SkyOwnEvents* events = nullptr);

// A field as RFC 4180 writes it: as it is, or in double quotes with each quote doubled.
std::string CsvField(const std::string& text);

}  // namespace meridel
