#include "exports/exports.h"

#include <cctype>
#include <chrono>
#include <ctime>

#include "exports/export_csv.h"
#include "exports/export_ics.h"
#include "exports/export_json.h"

namespace meridel {

std::optional<OutputFormat> OutputFormatNamed(const std::string& name) {
    if (name == "text") return OutputFormat::Text;
    if (name == "csv") return OutputFormat::Csv;
    if (name == "ics") return OutputFormat::ICalendar;
    if (name == "json") return OutputFormat::Json;
    return std::nullopt;
}

OutputFormat OutputFormatOfPath(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return OutputFormat::Text;
    std::string extension;
    for (std::size_t i = dot + 1; i < path.size(); ++i) {
        extension += static_cast<char>(std::tolower(static_cast<unsigned char>(path[i])));
    }
    if (extension == "csv") return OutputFormat::Csv;
    if (extension == "ics" || extension == "ical" || extension == "ifb") return OutputFormat::ICalendar;
    if (extension == "json") return OutputFormat::Json;
    return OutputFormat::Text;
}

std::string ExportRuns(OutputFormat format, const std::vector<RunRecord>& runs, const Sky& sky, const std::string& stampUtc,
                       const SkyOwnEvents* events) {
    switch (format) {
        case OutputFormat::Csv: return CsvExport(runs, events);
        case OutputFormat::ICalendar: return ICalendarExport(runs, sky, stampUtc, events);
        case OutputFormat::Json: return JsonExport(runs, events);
        case OutputFormat::Text: break;
    }
    return "";
}

std::string CurrentUtcStamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

}  // namespace meridel
