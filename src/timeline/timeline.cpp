#include "timeline/timeline.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "calendar/date_text.h"
#include "calendar/daycount.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "exports/export_view.h"
#include "transits/orb_geometry.h"
#include "transits/orb_stretches.h"

namespace meridel {

namespace {

// How far a curve may stray from the ephemeris between samples, as a share of the outer orb
// (the lane's height): well under a pixel.
constexpr double kCurveTolerance = 0.003;

// Up to this long, a picture's hit labels give the local time too.
constexpr double kAboutAWeek = 8;

const char* const kShortMonths[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string TwoDigits(int n) { return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10); }

std::string ClockOf(int minuteOfDay) { return TwoDigits(minuteOfDay / 60) + ":" + TwoDigits(minuteOfDay % 60); }

// What a hit's label says besides the month and the day.
struct LabelParts {
    bool year = false;  // the picture spans more than one calendar year
    bool time = false;  // it spans less than about a week
};

std::string HitLabel(const ExactHit& hit, LabelParts parts) {
    EuroDate date;
    date.DayNumber = hit.date.day;
    DateFromDayNumber(date);
    std::string label = std::string(kShortMonths[date.Month]) + " " + std::to_string(date.Day);
    if (parts.year) label += ", " + std::to_string(date.Year);
    if (parts.time) label += " " + ClockOf(hit.minuteOfDay);
    return label;
}

std::string DayText(std::int32_t day) { return ShortDateText(day, 2, "-", ",", false); }

// "Sun and Saturn", "Jupiter and natal Moon".
std::string PairText(const TransitRequest& h) { return h.planet1 + (h.world ? " and " : " and natal ") + h.planet2; }

std::string PeriodText(std::int32_t first, std::int32_t last) {
    return LongDateText(first) + ", to " + LongDateText(last);
}

std::string BirthPhrase(const TransitRequest& h) {
    return "birth at " + LongDateText(h.BirthDay()) + ", " + h.birthHour + ":" + h.birthMinute + " " + h.birthZone +
           (h.sidereal ? " (sidereal)" : " (tropical)");
}

bool SameBirth(const TransitRequest& a, const TransitRequest& b) {
    return a.BirthDay() == b.BirthDay() && a.birthHour == b.birthHour && a.birthMinute == b.birthMinute &&
           a.birthZone == b.birthZone && a.sidereal == b.sidereal;
}

// The last day a run covered, never before the day its period began.
std::int32_t LastDayDrawn(const RunRecord& r) { return std::max(r.LastDayScanned(), r.request.StartDay - 1); }

// What the runs have in common, said once above the picture, and what the lanes cannot show.
void Describe(const std::vector<RunRecord>& runs, Timeline& out) {
    const TransitRequest& first = runs.front().request;
    bool allWorld = true, allPersonal = true, sameMoving = true, sameSecond = true, sameBirth = true, sameZone = true;
    std::int32_t firstDay = first.StartDay, lastDay = LastDayDrawn(runs.front());
    std::int16_t common = -1;  // a planet of every World pair
    for (std::int16_t code : {first.Moving(), first.Second()}) {
        bool inAll = true;
        for (const RunRecord& r : runs) inAll = inAll && (r.request.Moving() == code || r.request.Second() == code);
        if (inAll && common < 0) common = code;
    }
    std::vector<std::string> empty;
    for (const RunRecord& r : runs) {
        const TransitRequest& h = r.request;
        allWorld = allWorld && h.world;
        allPersonal = allPersonal && !h.world;
        sameMoving = sameMoving && h.Moving() == first.Moving();
        sameSecond = sameSecond && h.Second() == first.Second();
        sameBirth = sameBirth && SameBirth(h, first);
        sameZone = sameZone && h.zoneText == first.zoneText;
        firstDay = std::min(firstDay, h.StartDay);
        lastDay = std::max(lastDay, LastDayDrawn(r));
        if (r.transits.empty()) empty.push_back(PairText(h));
        if (r.stoppedAfter) {
            out.notes.push_back((runs.size() > 1 ? PairText(h) + ": stopped" : std::string("Stopped")) +
                                " early, so drawn up to " + LongDateText(LastDayDrawn(r)) +
                                "; the period asked ran to " + LongDateText(h.EndDay) + ".");
        }
    }
    // A single run without transits says so where its lanes would be.
    if (runs.size() > 1 && !empty.empty()) {
        std::string note = "No transits: ";
        for (std::size_t i = 0; i < empty.size(); ++i) note += (i == 0 ? "" : "; ") + empty[i];
        out.notes.push_back(note + ".");
    }
    if (runs.size() == 1) {
        out.title = first.world ? "World transits of " + first.planet1 + " and " + first.planet2
                                : first.planet1 + " transits of natal " + first.planet2;
    } else if (allPersonal && sameMoving) {
        out.title = BodyName[first.Moving()] + " transits of natal planets";
    } else if (allPersonal && sameSecond) {
        out.title = "Transits of natal " + BodyName[first.Second()];
    } else if (allWorld && common > 0) {
        out.title = "World transits of " + BodyName[common];
    } else {
        out.title = allWorld ? "World transits" : allPersonal ? "Personal transits" : "Transits";
    }
    out.subtitle = PeriodText(firstDay, std::max(firstDay, lastDay));
    if (allPersonal && sameBirth) out.subtitle += "; " + BirthPhrase(first);
    if (sameZone) out.subtitle += "; dates in " + first.zoneText;
}

TimeSpan SpanOf(const OrbStretch& s, const TimelineRun& run) {
    return {s.openStart ? run.start : LocalMidnight(s.firstDay, run.zoneMinutes),
            s.openEnd ? run.end : LocalMidnight(s.lastDay + 1, run.zoneMinutes), s.openStart, s.openEnd};
}

// Where the curve is lowest around a listed day: the closest approach of a pass without a hit.
double LowestAround(const std::vector<CurvePoint>& curve, std::int32_t day, int zoneMinutes) {
    const double from = LocalMidnight(day, zoneMinutes) - 0.5, to = LocalMidnight(day + 1, zoneMinutes) + 0.5;
    double best = from + 1, lowest = 10;
    for (const CurvePoint& p : curve) {
        if (p.moment < from || p.moment > to || !(p.deviation < lowest)) continue;
        lowest = p.deviation;
        best = p.moment;
    }
    return best;
}

// Adds one transit to its aspect's lane: its span, its orbs' days, its marks and its curve.
void AddTransit(TimelineLane& lane, const TransitRecord& transit, const RunRecord& record, const TimelineRun& run,
                PairPositions& pair, LabelParts parts) {
    const TransitRequest& h = record.request;
    const OrbStretches stretches = OrbStretchesOf(transit, h.StartDay, LastDayDrawn(record));
    for (int o = 0; o < kOrbCount; ++o) {
        for (const OrbStretch& s : stretches[o]) lane.orbDays[o].push_back(SpanOf(s, run));
    }
    const TimeSpan span = stretches[kOuterOrb].empty()
                              ? TimeSpan{run.start, run.end, true, true}
                              : TimeSpan{SpanOf(stretches[kOuterOrb].front(), run).start,
                                         SpanOf(stretches[kOuterOrb].back(), run).end,
                                         stretches[kOuterOrb].front().openStart, stretches[kOuterOrb].back().openEnd};
    if (stretches[kOuterOrb].empty()) lane.orbDays[kOuterOrb].push_back(span);
    lane.spans.push_back(span);

    std::vector<double> exact;
    for (const TransitRow& row : transit.rows) {
        if (row.hit) exact.push_back(row.hit->moment);
    }
    std::vector<CurvePoint> curve = SampleDeviation(pair, transit.aspect, span.start, span.end, exact);
    const std::string title = TransitTitle(h, transit.aspect);
    for (const TransitRow& row : transit.rows) {
        if (row.hit) {
            const ExactHit& hit = *row.hit;
            lane.marks.push_back({true, hit.moment, hit.deviation, HitLabel(hit, parts),
                                  title + " exact " + DayText(hit.date.day) + " " + ClockOf(hit.minuteOfDay) + " " +
                                      h.zoneText});
        } else if (row.minimum) {
            const ClosestApproach& m = *row.minimum;
            const std::string deviation = AngleToDegMinText(m.deviation);
            lane.marks.push_back({false, LowestAround(curve, m.date.day, run.zoneMinutes), m.deviation, deviation,
                                  title + " closest " + DayText(m.date.day) + ", " + deviation + " from exact"});
        }
    }
    // The curve breaks between two transits of the lane, where the pair is beyond the outer orb.
    if (!lane.curve.empty()) lane.curve.push_back({lane.curve.back().moment, std::nan("")});
    lane.curve.insert(lane.curve.end(), curve.begin(), curve.end());
}

}  // namespace

Timeline BuildTimeline(const std::vector<RunRecord>& runs, const Sky& sky, std::optional<double> now) {
    Timeline out;
    if (runs.empty()) return out;
    Describe(runs, out);
    out.zoneMinutes = runs.front().request.zoneMinutes;
    out.orbDegrees = runs.front().request.OrbDegrees;

    std::int32_t firstDay = runs.front().request.StartDay, lastDay = LastDayDrawn(runs.front());
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const TransitRequest& h = runs[r].request;
        TimelineRun& run = out.runs.emplace_back();
        run.start = LocalMidnight(h.StartDay, h.zoneMinutes);
        run.end = std::max(run.start, LocalMidnight(LastDayDrawn(runs[r]) + 1, h.zoneMinutes));
        run.stopped = runs[r].stoppedAfter.has_value();
        run.zoneMinutes = h.zoneMinutes;
        run.movingName = BodyName[h.Moving()];
        out.start = r == 0 ? run.start : std::min(out.start, run.start);
        out.end = r == 0 ? run.end : std::max(out.end, run.end);
        firstDay = std::min(firstDay, h.StartDay);
        lastDay = std::max(lastDay, LastDayDrawn(runs[r]));
    }
    EuroDate firstDate, lastDate;
    firstDate.DayNumber = firstDay;
    lastDate.DayNumber = std::max(firstDay, lastDay);
    DateFromDayNumber(firstDate);
    DateFromDayNumber(lastDate);
    const LabelParts parts{firstDate.Year != lastDate.Year, out.end - out.start < kAboutAWeek};

    std::map<std::tuple<std::int16_t, double, double>, std::vector<TimeSpan>> retrogradeKnown;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const TransitRequest& h = runs[r].request;
        const TransitPair positions(sky, h);
        TimelineRun& run = out.runs[r];
        const auto key = std::make_tuple(h.Moving(), run.start, run.end);
        if (!retrogradeKnown.count(key)) retrogradeKnown[key] = RetrogradeStretches(positions.sky(), h.Moving(), run.start, run.end);
        run.retrograde = retrogradeKnown[key];

        std::array<double, kOrbCount> orbs{};
        for (int o = 0; o < kOrbCount; ++o) orbs[o] = h.OrbDegrees[o] * kFullCircle / 360.0;
        PairPositions pair(positions, run.start, CurveStep(h.Moving(), h.Second(), h.world, orbs[kOuterOrb] * kCurveTolerance));
        // One lane per aspect the run's transits took, all its transits in it.
        for (std::int16_t aspect = 1; aspect <= 5; ++aspect) {
            TimelineLane* lane = nullptr;
            for (const TransitRecord& transit : runs[r].transits) {
                if (transit.aspect != aspect || transit.rows.empty()) continue;
                if (!lane) {
                    lane = &out.lanes.emplace_back();
                    lane->run = r;
                    lane->moving = h.Moving();
                    lane->second = h.Second();
                    lane->aspect = aspect;
                    lane->label = TransitTitle(h, aspect);
                    lane->orbs = orbs;
                }
                AddTransit(*lane, transit, runs[r], run, pair, parts);
            }
            if (!lane) continue;
            for (auto& days : lane->orbDays) {
                std::stable_sort(days.begin(), days.end(), [](const TimeSpan& a, const TimeSpan& b) { return a.start < b.start; });
            }
            std::stable_sort(lane->marks.begin(), lane->marks.end(),
                             [](const TimelineMark& a, const TimelineMark& b) { return a.moment < b.moment; });
        }
    }
    if (now && *now >= out.start && *now <= out.end) out.now = now;
    return out;
}

std::optional<double> DeviationOnCurve(const TimelineLane& lane, double moment) {
    const auto& c = lane.curve;
    const auto after = std::lower_bound(c.begin(), c.end(), moment,
                                        [](const CurvePoint& p, double t) { return p.moment < t; });
    if (after == c.end() || (after == c.begin() && after->moment > moment)) return std::nullopt;
    if (after->moment == moment) return std::isnan(after->deviation) ? std::nullopt : std::optional(after->deviation);
    const CurvePoint& a = *(after - 1);
    const CurvePoint& b = *after;
    const double value = a.deviation + (b.deviation - a.deviation) * (moment - a.moment) / (b.moment - a.moment);
    if (std::isnan(value)) return std::nullopt;
    return value;
}

void MarkChart(Timeline& timeline, const SkyOwnEvents& events, const std::string& zoneText) {
    timeline.groupByMoving = true;
    static const char* const kShort[] = {"", "Su", "Me", "Ve", "Ma", "Ju", "Sa", "Ur", "Ne", "Pl", "Mo"};
    const auto when = [&](double moment) {
        const UtcMinute local = LocalMinuteOf(moment, timeline.zoneMinutes);
        return " " + IsoDate(local.day) + " " + ClockText(local.minuteOfDay) + " " + zoneText;
    };
    std::vector<SkyMark>& marks = timeline.skyMarks;
    for (const Station& s : events.stations) {
        marks.push_back({s.moment, std::string(kShort[s.body]) + (s.retrograde ? " R" : " D"), StationWords(s) + when(s.moment)});
    }
    for (const Lunation& l : events.lunations) {
        marks.push_back({l.moment, l.full ? "Full" : "New", LunationWords(l) + when(l.moment)});
    }
    for (const Eclipse& e : events.eclipses) {
        marks.push_back({e.moment, e.solar ? "Sol. ecl." : "Lun. ecl.", EclipseWords(e) + when(e.moment)});
    }
    std::stable_sort(marks.begin(), marks.end(), [](const SkyMark& a, const SkyMark& b) { return a.moment < b.moment; });
}

}  // namespace meridel
