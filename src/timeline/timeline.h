// The transit timeline as values, built from the runs an output holds: per run one lane for each
// aspect its transits took, holding every transit of that aspect with its time span, the days
// each orb was in effect as the listing gives them, its exact hits and the closest approach of
// each pass without one, and the pair's deviation from exact sampled anew from the ephemeris; per
// run the moving planet's retrograde stretches. Moments are day numbers with fraction in
// universal time; angles are radians. Where it is drawn: timeline_layout.h.
//
// A listed day D covers the moments from the local midnight that starts it to the one that ends
// it, so an orb entered on D1 and left on D2 is shaded over D1 and D2 whole: the curve crosses
// the orb's line somewhere within the shade's first and last day. An orb still in effect when the
// period began (or ended), whichever orb it is, is shaded from (or to) the period's edge and
// marked open there. A pass that stays outside an orb has no shade of that orb; its curve shows
// how near it came. A run that ended early is drawn as far as it went.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "timeline/deviation_curve.h"
#include "timeline/retrograde_stretches.h"
#include "transits/sky_own_events.h"
#include "transits/transit_results.h"

namespace meridel {

// An exact hit, or the closest approach of a pass that has none.
struct TimelineMark {
    bool exact = true;
    double moment = 0;     // a hit as listed, to the minute; a closest approach where the curve is lowest that day
    double deviation = 0;  // radians, as listed
    std::string label;     // what the picture writes above it: "Dec 21" (with the year or the time where the
                           // picture needs them) for a hit, "0°19'" for a closest approach
    std::string text;      // "Jupiter conjunct Saturn exact 2020-12-21 18:21 GMT"
};

struct TimelineLane {
    std::size_t run = 0;  // index into Timeline::runs
    std::int16_t moving = 0, second = 0, aspect = 0;
    std::string label;    // "Jupiter conjunct Saturn", "Saturn trine natal Sun"
    std::vector<TimeSpan> spans;  // its transits, each from the outer orb's first day to its last
    std::array<double, kOrbCount> orbs{};                 // radians, outer first
    std::array<std::vector<TimeSpan>, kOrbCount> orbDays;  // per orb, the stretches listed, in time order
    std::vector<TimelineMark> marks;  // in time order
    std::vector<CurvePoint> curve;  // over the spans, in time order; a NaN point between two transits
};

struct TimelineRun {
    double start = 0, end = 0;  // the period drawn: local midnight of the first day to after the last scanned
    bool stopped = false;       // ended early: end is where it stopped, not the period's end
    int zoneMinutes = 0;
    std::string movingName;
    std::vector<TimeSpan> retrograde;  // of the moving planet, within the period
};

// A moment of the sky marked on the time axis: a station, a New or Full Moon, an eclipse.
struct SkyMark {
    double moment = 0;  // UT
    std::string label;  // what the axis writes: "Me R", "Ju D", "New", "Full", "Sol. ecl.", "Lun. ecl."
    std::string text;   // "Mercury stations retrograde at 9°35' Aries 2025-03-15 06:46 GMT"
};

struct Timeline {
    std::string title;     // "World transits of Jupiter and Saturn"
    std::string subtitle;  // the period, the birth data and the zone of the dates
    // Said under the subtitle: a run that stopped early, the runs that found no transit.
    std::vector<std::string> notes;
    double start = 0, end = 0;  // from the earliest run's start to the latest run's end
    int zoneMinutes = 0;        // the zone the time axis counts days in: the first run's
    std::array<std::int16_t, kOrbCount> orbDegrees{};  // the first run's, for the legend
    std::optional<double> now;  // inside start..end only
    std::vector<TimelineRun> runs;
    std::vector<TimelineLane> lanes;  // run by run; within a run by aspect, conjunction first
    // A whole chart: its lanes stand under a heading for each moving planet, and the sky's
    // stations, lunations and eclipses are marked on the time axis (in time order).
    bool groupByMoving = false;
    std::vector<SkyMark> skyMarks;
};

// The timeline of these runs, its curves from the sky (each run in its own zodiac; the sky's
// Pluto table must be loaded when a run involves Pluto). `now` is marked when it falls within the
// period.
Timeline BuildTimeline(const std::vector<RunRecord>& runs, const Sky& sky, std::optional<double> now);

// Marks the sky's stations, lunations and eclipses on the timeline's axis and groups its lanes by
// moving planet, as a whole chart's picture shows them (times in the timeline's zone).
void MarkChart(Timeline& timeline, const SkyOwnEvents& events, const std::string& zoneText);

// The curve's deviation at `moment`, along its chord; nothing outside the curve or in a gap.
std::optional<double> DeviationOnCurve(const TimelineLane& lane, double moment);

}  // namespace meridel
