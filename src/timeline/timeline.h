// The transit timeline as values, built from the runs an output holds: one lane per transit with
// its time span, the days each orb was in effect exactly as the listing gives them, its exact
// hits, and the pair's deviation from exact sampled anew from the ephemeris; per run the moving
// planet's retrograde stretches. Moments are day numbers with fraction in universal time; angles
// are radians. Where it is drawn: timeline_layout.h.
//
// A listed day D covers the moments from the local midnight that starts it to the one that ends
// it, so an orb entered on D1 and left on D2 is shaded over D1 and D2 whole: the curve crosses
// the orb's line somewhere within the shade's first and last day. An orb still in effect when the
// period began (or ended) is shaded from (or to) the period's edge and marked open there. A pass
// that stays outside an orb has no shade of that orb; its curve shows how near it came.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "timeline/deviation_curve.h"
#include "timeline/retrograde_stretches.h"
#include "transits/transit_results.h"

namespace meridel {

struct TimelineHit {
    double moment = 0;    // as listed, to the minute
    std::string dayText;  // its local date as the picture labels it: "Dec 21"
    std::string text;     // as the listing gives it: "Exact conjunction 2020-12-21 18:21 GMT"
};

struct TimelineLane {
    std::size_t run = 0;  // index into Timeline::runs
    std::int16_t moving = 0, second = 0, aspect = 0;
    std::string label;    // "Jupiter conjunction Saturn", "Saturn trine natal Sun"
    TimeSpan span;        // the transit: from the outer orb's first day to its last
    std::array<double, kOrbCount> orbs{};                 // radians, outer first
    std::array<std::vector<TimeSpan>, kOrbCount> orbDays;  // per orb, the stretches listed
    std::vector<TimelineHit> hits;
    std::vector<CurvePoint> curve;  // over the span, in time order
};

struct TimelineRun {
    double start = 0, end = 0;  // the listed period: local midnight of the first day to after the last
    int zoneMinutes = 0;
    std::string movingName;
    std::vector<TimeSpan> retrograde;  // of the moving planet, within the period
};

struct Timeline {
    std::string title;     // "World transits of Jupiter and Saturn"
    std::string subtitle;  // the period, the birth data and the zone of the dates
    double start = 0, end = 0;  // from the earliest run's start to the latest run's end
    int zoneMinutes = 0;        // the zone the time axis counts days in: the first run's
    std::array<std::int16_t, kOrbCount> orbDegrees{};  // the first run's, for the legend
    std::optional<double> now;  // inside start..end only
    std::vector<TimelineRun> runs;
    std::vector<TimelineLane> lanes;  // run by run, in the order the listing writes them
};

// The timeline of these runs, its curves from the sky (each run in its own zodiac; the sky's
// Pluto table must be loaded when a run involves Pluto). `now` is marked when it falls within the
// period.
Timeline BuildTimeline(const std::vector<RunRecord>& runs, const Sky& sky, std::optional<double> now);

// The curve's deviation at `moment`, along its chord; nothing outside the curve or in a gap.
std::optional<double> DeviationOnCurve(const TimelineLane& lane, double moment);

}  // namespace meridel
