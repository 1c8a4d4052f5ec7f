#include "timeline/timeline.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <tuple>

#include "calendar/date_text.h"
#include "calendar/daycount.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"

namespace meridel {

namespace {

// How far a curve may stray from the ephemeris between samples, as a share of the outer orb
// (the lane's height): well under a pixel.
constexpr double kCurveTolerance = 0.003;

const char* const kShortMonths[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string TwoDigits(int n) { return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10); }

std::string LaneLabel(const TransitRequest& h, std::int16_t aspect) {
    return BodyName[h.Moving()] + " " + Lower(AspectName[aspect]) + " " + (h.world ? "" : "natal ") + BodyName[h.Second()];
}

TimelineHit HitOf(const ExactHit& hit, std::int16_t aspect, const std::string& zoneText) {
    EuroDate date;
    date.DayNumber = hit.date.day;
    DateFromDayNumber(date);
    const std::string time = TwoDigits(hit.minuteOfDay / 60) + ":" + TwoDigits(hit.minuteOfDay % 60);
    return {hit.moment, std::string(kShortMonths[date.Month]) + " " + std::to_string(date.Day),
            "Exact " + Lower(AspectName[aspect]) + " " + ShortDateText(hit.date.day, 2, "-", ",", false) + " " + time +
                " " + zoneText};
}

// The stretches of one orb as the transit's rows list them, in time order. An exit with nothing
// entered before it was in effect when the period began; an entry never left, when it ended.
std::vector<TimeSpan> OrbStretches(const TransitRecord& transit, int orb, const TimelineRun& run) {
    std::vector<std::pair<std::int32_t, bool>> events;  // day, entered
    for (const TransitRow& row : transit.rows) {
        if (row.entered[orb]) events.emplace_back(row.entered[orb]->day, true);
        if (row.left[orb]) events.emplace_back(row.left[orb]->day, false);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& x, const auto& y) { return std::tie(x.first, x.second) < std::tie(y.first, y.second); });
    std::vector<TimeSpan> stretches;
    std::optional<double> entered;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const auto [day, isEntry] = events[i];
        if (isEntry) {
            if (!entered) entered = LocalMidnight(day, run.zoneMinutes);
        } else if (entered) {
            stretches.push_back({*entered, LocalMidnight(day + 1, run.zoneMinutes), false, false});
            entered.reset();
        } else if (i == 0) {
            stretches.push_back({run.start, LocalMidnight(day + 1, run.zoneMinutes), true, false});
        }
    }
    if (entered) stretches.push_back({*entered, run.end, false, true});
    return stretches;
}

std::string PeriodText(std::int32_t first, std::int32_t last) {
    return LongDateText(first) + ", to " + LongDateText(last);
}

std::string BirthText(const TransitRequest& h) {
    return "birth at " + LongDateText(h.BirthDay()) + ", " + h.birthHour + ":" + h.birthMinute + " " + h.birthZone +
           (h.sidereal ? " (sidereal)" : " (tropical)");
}

bool SameBirth(const TransitRequest& a, const TransitRequest& b) {
    return a.BirthDay() == b.BirthDay() && a.birthHour == b.birthHour && a.birthMinute == b.birthMinute &&
           a.birthZone == b.birthZone && a.sidereal == b.sidereal;
}

// What the runs have in common, said once above the picture.
void Describe(const std::vector<RunRecord>& runs, Timeline& out) {
    const TransitRequest& first = runs.front().request;
    bool allWorld = true, allPersonal = true, sameMoving = true, sameSecond = true, sameBirth = true, sameZone = true;
    std::int32_t firstDay = first.StartDay, lastDay = first.EndDay;
    std::int16_t common = -1;  // a planet of every World pair
    for (std::int16_t code : {first.Moving(), first.Second()}) {
        bool inAll = true;
        for (const RunRecord& r : runs) inAll = inAll && (r.request.Moving() == code || r.request.Second() == code);
        if (inAll && common < 0) common = code;
    }
    for (const RunRecord& r : runs) {
        const TransitRequest& h = r.request;
        allWorld = allWorld && h.world;
        allPersonal = allPersonal && !h.world;
        sameMoving = sameMoving && h.Moving() == first.Moving();
        sameSecond = sameSecond && h.Second() == first.Second();
        sameBirth = sameBirth && SameBirth(h, first);
        sameZone = sameZone && h.zoneText == first.zoneText;
        firstDay = std::min(firstDay, h.StartDay);
        lastDay = std::max(lastDay, h.EndDay);
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
    out.subtitle = PeriodText(firstDay, lastDay);
    if (allPersonal && sameBirth) out.subtitle += "; " + BirthText(first);
    if (sameZone) out.subtitle += "; dates in " + first.zoneText;
}

}  // namespace

Timeline BuildTimeline(const std::vector<RunRecord>& runs, const Sky& sky, std::optional<double> now) {
    Timeline out;
    if (runs.empty()) return out;
    Describe(runs, out);
    out.zoneMinutes = runs.front().request.zoneMinutes;
    out.orbDegrees = runs.front().request.OrbDegrees;

    std::map<std::tuple<std::int16_t, double, double>, std::vector<TimeSpan>> retrogradeKnown;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const TransitRequest& h = runs[r].request;
        const TransitPair positions(sky, h);
        TimelineRun& run = out.runs.emplace_back();
        run.start = LocalMidnight(h.StartDay, h.zoneMinutes);
        run.end = LocalMidnight(h.EndDay + 1, h.zoneMinutes);
        run.zoneMinutes = h.zoneMinutes;
        run.movingName = BodyName[h.Moving()];
        const auto key = std::make_tuple(h.Moving(), run.start, run.end);
        if (!retrogradeKnown.count(key)) retrogradeKnown[key] = RetrogradeStretches(positions.sky(), h.Moving(), run.start, run.end);
        run.retrograde = retrogradeKnown[key];
        out.start = r == 0 ? run.start : std::min(out.start, run.start);
        out.end = r == 0 ? run.end : std::max(out.end, run.end);

        std::array<double, kOrbCount> orbs{};
        for (int o = 0; o < kOrbCount; ++o) orbs[o] = h.OrbDegrees[o] * kFullCircle / 360.0;
        PairPositions pair(positions, run.start, CurveStep(h.Moving(), h.Second(), h.world, orbs[kOuterOrb] * kCurveTolerance));
        for (const TransitRecord& transit : runs[r].transits) {
            TimelineLane& lane = out.lanes.emplace_back();
            lane.run = r;
            lane.moving = h.Moving();
            lane.second = h.Second();
            lane.aspect = transit.aspect;
            lane.label = LaneLabel(h, transit.aspect);
            lane.orbs = orbs;
            for (int o = 0; o < kOrbCount; ++o) lane.orbDays[o] = OrbStretches(transit, o, run);
            auto& outer = lane.orbDays[kOuterOrb];
            if (outer.empty()) outer.push_back({run.start, run.end, true, true});
            lane.span = {outer.front().start, outer.back().end, outer.front().openStart, outer.back().openEnd};
            std::vector<double> exact;
            for (const TransitRow& row : transit.rows) {
                if (!row.hit) continue;
                lane.hits.push_back(HitOf(*row.hit, transit.aspect, h.zoneText));
                exact.push_back(row.hit->moment);
            }
            lane.curve = SampleDeviation(pair, transit.aspect, lane.span.start, lane.span.end, exact);
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

}  // namespace meridel
