// The whole chart carried out: every run of a Personal or World chart (chart_runs.h) into one
// listing, as the all-planets listing separates its runs, and the sky's own events of the period
// (sky_events.h). Everything it reads comes in its parameters and everything it finds goes out in
// its result: a worker thread may run it while the window goes on, given a sky of its own copy.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "forecast/sky_events.h"
#include "request/request_input.h"
#include "transits/transit_results.h"

namespace meridel {

struct ChartResult {
    // The sky the runs were made in (with the Pluto table they loaded), for the exports.
    Sky sky;
    // One record per run carried out, in chart order (ChartPairs): runs[i] is the pair i. A
    // stopped or refused chart holds the runs before it (a stopped run's record included).
    std::vector<RunRecord> runs;
    // The listing of all runs, each with its heading, separated as in the output box (CR LF).
    std::string text;
    // Where run i's listing begins in text (its heading; the separator before it excluded).
    std::vector<std::size_t> runTextStart;
    // The sky's own events from the local midnight that begins the period to the one that ends
    // it, in the chart's zodiac; empty when the chart was refused or stopped.
    SkyOwnEvents events;
    // The period as asked (before any run moved its start back) and the results zone.
    std::int32_t firstDay = 0, lastDay = 0;
    int zoneMinutes = 0;
    // A refused request (the first run's checks, the orbs' order, or a later run's range): its
    // messages, which the caller shows. Runs before a later run's refusal are kept.
    std::optional<Refusal> refusal;
    bool stopped = false;

    // Run i's listing as the box shows it.
    std::string RunText(std::size_t i) const;
};

// Called after each run: runs done so far, of the chart's total.
using ChartProgress = std::function<void(int done, int total)>;

// Runs the chart of `input` (input.world chooses World or Personal; its planet lists are
// ignored) in `sky`. progress, when given, is called as runs finish. When *stop (if given)
// becomes true, the run in progress ends within a day of its scan and the chart ends with
// stopped set. Shows no message and touches no global state.
ChartResult RunChart(const Sky& sky, const RequestInput& input, const ChartProgress& progress = {},
                     const std::atomic<bool>* stop = nullptr);

}  // namespace meridel
