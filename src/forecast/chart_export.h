// A chart saved as a file: the agenda's lines as text, or the chart as CSV, iCalendar or JSON
// (the exports of its runs).
#pragma once

#include <string>
#include <vector>

#include "forecast/agenda.h"
#include "forecast/chart.h"
#include "exports/exports.h"

namespace meridel {

// Text: the lines of `agenda` (the rows a window shows, in its order). The exports: every run of
// the chart, whatever the agenda shows. stampUtc: iCalendar's DTSTAMP (CurrentUtcStamp()).
std::string ExportChart(OutputFormat format, const ChartResult& chart, const std::vector<AgendaEntry>& agenda,
                        const std::string& stampUtc);

}  // namespace meridel
