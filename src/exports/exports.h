// The files the output can be written as: the listing's text, or an export of the runs it holds
// (CSV for spreadsheets, iCalendar for calendar programs, JSON for programs).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "transits/sky_own_events.h"
#include "transits/transit_results.h"

namespace meridel {

enum class OutputFormat { Text, Csv, ICalendar, Json };

// "text", "csv", "ics" or "json"; nullopt for any other name.
std::optional<OutputFormat> OutputFormatNamed(const std::string& name);

// By the file's extension, in any case: .csv, .ics (or .ical, .ifb), .json; Text for any other.
OutputFormat OutputFormatOfPath(const std::string& path);

// The runs as a CSV, iCalendar or JSON file (Text has no export: it is the output box's text).
// stampUtc: the moment written in iCalendar's DTSTAMP, as CurrentUtcStamp() gives it.
// events: the sky's own events of a chart, written beside its runs.
std::string ExportRuns(OutputFormat format, const std::vector<RunRecord>& runs, const Sky& sky, const std::string& stampUtc,
                       const SkyOwnEvents* events = nullptr);

// The computer's clock now in universal time, as 20240315T101500Z.
std::string CurrentUtcStamp();

}  // namespace meridel
