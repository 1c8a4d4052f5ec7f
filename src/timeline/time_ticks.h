// The time axis of the timeline: ticks at local midnights that start days, months and years, on
// two rows (a minor row of days, months or years, and above it the unit that holds them), spaced
// so that no label runs into the next.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace meridel {

// The width, in pixels, of a label's text.
using TextWidth = std::function<double(const std::string&)>;

struct TimeTick {
    double moment = 0;  // UT
    std::string label;  // "" for a tick without a label
};

struct TimeTicks {
    std::vector<TimeTick> major;  // months ("Jan 2024") over days; years over months; none over years
    std::vector<TimeTick> minor;  // days ("21"), months ("Jan") or years ("2024")
};

// Ticks of the period start..end (UT) for days counted in a zone zoneMinutes east of Greenwich,
// at pixelsPerDay, only those within from..to: a view lays out what it shows, and a day's ticks
// over thousands of years are too many to make. The minor row takes the finest unit whose widest
// label, followed by `gap` pixels, fits between its closest ticks; the choice depends on the
// scale, not on the part shown. Labels start just right of their tick.
TimeTicks ChooseTimeTicks(double start, double end, int zoneMinutes, double pixelsPerDay, const TextWidth& width,
                          double gap, double from, double to);

}  // namespace meridel
