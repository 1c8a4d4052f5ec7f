#include "forecast/chart_export.h"

namespace meridel {

std::string ExportChart(OutputFormat format, const ChartResult& chart, const std::vector<AgendaEntry>& agenda,
                        const std::string& stampUtc) {
    if (format == OutputFormat::Text) return AgendaText(agenda);
    return ExportRuns(format, chart.runs, chart.sky, stampUtc, &chart.events);
}

}  // namespace meridel
