#include "forecast/chart_export.h"

namespace meridel {

std::string ExportChart(OutputFormat format, const ChartResult& chart, const std::vector<AgendaEntry>& agenda,
                        const std::string& stampUtc) {
    if (format == OutputFormat::Text) return AgendaText(agenda);
    // The sky's own events (chart.events) join the runs here once the exports write them.
    return ExportRuns(format, chart.runs, chart.sky, stampUtc);
}

}  // namespace meridel
