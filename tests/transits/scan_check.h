// Runs a request through the scan engine with the real ephemeris, and checks the written listing
// against crossings the test finds on its own: an hourly grid of the pair's signed difference,
// refined by bisection, with its own angle arithmetic.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "calendar/date_text.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "recording_hooks.h"
#include "transits/aspect_geometry.h"
#include "transits/transit_report.h"

namespace meridel::scantest {

constexpr double kTwoPi = 6.28318530717959;
constexpr double kDegree = kTwoPi / 360.0;

inline std::int32_t Day(int y, int m, int d) {
    EuroDate e{y, m, d, kGregorianCalendar, 0, 0};
    return DayNumberFromDate(e);
}
inline std::int32_t DayOf(const std::string& date) {  // "YYYY-MM-DD"
    return Day(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)), std::stoi(date.substr(8, 2)));
}
inline std::string Date(std::int32_t day) { return ShortDateText(day, 2, "-", ",", false); }

struct Case {
    std::int16_t moving, second;
    bool world;
    std::int32_t start, end;
    int zone = 0;  // minutes east of Greenwich
    std::string zoneText = "GMT";
    std::array<std::int16_t, 3> orbs{10, 5, 2};
    double natal = -1;  // Personal: the natal longitude of `second`

    double Midnight(std::int32_t day) const { return day - 0.5 - zone / 1440.0; }
    std::int32_t LocalDay(double t) const { return static_cast<std::int32_t>(std::floor(t + 0.5 + zone / 1440.0)); }
    double Second(double t) const { return world ? PlanetLongitude(second, t) : natal; }
};

using Cells = std::array<std::string, 9>;

struct ScanRun {
    TransitRequest request;
    ScanRunInputs inputs;
    ScanState state;
    RecordingHooks hooks;
    ScanOutcome outcome{};
    std::vector<Cells> rows;  // the written rows, read back from their fixed positions
};

inline Cells ParseRow(const std::string& line) {
    static const std::size_t at[9] = {0, 14, 26, 38, 52, 66, 78, 90, 104};
    Cells cells;
    for (int c = 0; c < 9; ++c) {
        std::string s = line.substr(at[c], c < 8 ? 12 : std::string::npos);
        s.erase(s.find_last_not_of(' ') + 1);
        cells[c] = s;
    }
    return cells;
}

// `tableRows` > 0 replaces the first size of the result table, to make a run outgrow it.
inline void Scan(ScanRun& run, const Case& c, std::size_t tableRows = 0) {
    TransitRequest& r = run.request;
    r.PlanetCodes = {c.moving, c.second};
    for (int o = 0; o < 3; ++o) {
        r.OrbDegrees[o] = c.orbs[o];
        r.Orbs[o] = c.orbs[o] * kTwoPi / 360.0;
    }
    r.HandoverCheck = c.orbs[0] == 15;
    r.StartDay = r.RequestDays[0] = c.start;
    r.EndDay = r.RequestDays[1] = c.end;
    r.NatalLongitudes[c.second] = c.natal;
    run.inputs = {c.world, static_cast<std::int16_t>(c.zone), c.zoneText};
    TransitScan scan(r, run.state, run.inputs, run.hooks);
    scan.Begin();
    if (tableRows > 0) run.state.ResultRows.resize(tableRows);
    run.state.HeadingText = "heading";
    WriteTableHeader(r, run.state, run.hooks);
    run.outcome = scan.Run();
    for (std::size_t i = 3; i < run.hooks.lines.size(); ++i) run.rows.push_back(ParseRow(run.hooks.lines[i]));
}

// Reduced to (-pi, pi].
inline double Signed(double x) {
    x = std::remainder(x, kTwoPi);
    return x <= -kTwoPi / 2 ? x + kTwoPi : x;
}

template <class F>
double Root(F f, double a, double b) {
    const bool negativeAtA = f(a) < 0;
    for (int i = 0; i < 32; ++i) {
        const double m = (a + b) / 2;
        ((f(m) < 0) == negativeAtA ? a : b) = m;
    }
    return (a + b) / 2;
}

struct Expected {
    std::multiset<std::pair<int, std::string>> dates;  // (column, date) of every orb crossing
    std::multimap<int, double> exact;                  // aspect -> moment of an exact hit
    std::multimap<int, double> minima;                 // aspect -> local minimum of its deviation
};

inline Expected Independent(const Case& c) {
    Expected e;
    const double t0 = c.Midnight(c.start), t1 = c.Midnight(c.end + 1), step = 1.0 / 24;
    auto difference = [&c](double t) { return Signed(PlanetLongitude(c.moving, t) - c.Second(t)); };
    std::vector<double> t, diff;
    for (double x = t0;; x += step) {
        const double at = std::min(x, t1);
        if (PlanetLongitude(c.moving, at) >= 0 && c.Second(at) >= 0) {  // outside a body's range: nothing seen
            t.push_back(at);
            diff.push_back(difference(at));
        }
        if (x >= t1) break;
    }
    for (int a = 1; a <= 5; ++a) {
        const double angle = AspectAngle[a];
        auto dev = [&](std::size_t i) { return std::fabs(std::fabs(diff[i]) - angle); };
        std::map<std::pair<std::int32_t, int>, int> crossed;  // (local day, +1 in / -1 out) -> lowest orb
        for (std::size_t i = 1; i < t.size(); ++i) {
            for (int o = 0; o < 3; ++o) {
                const double orb = c.orbs[o] * kDegree;
                if ((dev(i - 1) < orb) == (dev(i) < orb)) continue;
                auto f = [&](double x) { return std::fabs(std::fabs(difference(x)) - angle) - orb; };
                auto key = std::make_pair(c.LocalDay(Root(f, t[i - 1], t[i])), dev(i) < orb ? 1 : -1);
                if (!crossed.count(key) || crossed[key] > o) crossed[key] = o;
            }
            for (double target : {angle, -angle}) {
                const double h0 = Signed(diff[i - 1] - target), h1 = Signed(diff[i] - target);
                if ((h0 < 0) == (h1 < 0) || std::fabs(h0 - h1) > 1) continue;
                e.exact.emplace(a, Root([&](double x) { return Signed(difference(x) - target); }, t[i - 1], t[i]));
                if (angle == 0 || angle > 3) break;  // one target only for 0 and 180 degrees
            }
            if (i >= 2 && dev(i - 1) < dev(i - 2) && dev(i - 1) <= dev(i) && dev(i - 1) < c.orbs[0] * kDegree) {
                e.minima.emplace(a, t[i - 1]);
            }
        }
        for (const auto& [key, o] : crossed) e.dates.emplace(key.second > 0 ? 1 + o : 7 - o, Date(key.first));
    }
    return e;
}

inline int AspectCodeOf(const std::string& name) {
    for (int a = 1; a <= 5; ++a) {
        if (AspectName[a] == name) return a;
    }
    return 0;
}

// Whether the moving planet goes backwards at t, or nothing to say near a station.
inline int Motion(const Case& c, double t) {
    const double speed = Signed(PlanetLongitude(c.moving, t + 1.0 / 24) - PlanetLongitude(c.moving, t - 1.0 / 24));
    if (std::fabs(speed) < 0.0001) return 0;
    return speed < 0 ? -1 : 1;
}

inline void ExpectMark(const Case& c, std::string& cell, double moment) {
    const bool marked = !cell.empty() && cell.back() == 'r';
    if (marked) cell.pop_back();
    const int motion = Motion(c, moment);
    if (motion != 0) {
        EXPECT_EQ(marked, motion < 0) << cell;
    }
}

// Every orb crossing, exact hit and minimum of the written listing against the independent ones.
inline void ExpectListingMatches(const ScanRun& run, const Case& c) {
    const Expected e = Independent(c);
    std::multiset<std::pair<int, std::string>> listed;
    std::size_t exactRows = 0;
    int aspect = 0;
    for (Cells row : run.rows) {
        if (!row[0].empty()) aspect = AspectCodeOf(row[0]);
        ASSERT_GT(aspect, 0) << "a transit's first row names its aspect";
        for (int col : {1, 2, 3, 5, 6, 7}) {
            if (row[col].empty()) continue;
            ExpectMark(c, row[col], c.Midnight(DayOf(row[col])));
            listed.emplace(col, row[col]);
        }
        if (row[4].empty()) continue;
        const std::size_t star = row[4].find('*');
        const std::int32_t day = DayOf(row[4]);
        ExpectMark(c, row[4], c.Midnight(day + 1));
        if (star != std::string::npos) {  // an exact hit: date*, time and zone
            ++exactRows;
            EXPECT_EQ(row[8].substr(6), c.zoneText);
            const double local = day - 0.5 + (std::stoi(row[8].substr(0, 2)) * 60 + std::stoi(row[8].substr(3, 2))) / 1440.0;
            double nearest = 1e9;
            for (auto [it, end] = e.exact.equal_range(aspect); it != end; ++it) {
                nearest = std::min(nearest, std::fabs(it->second + c.zone / 1440.0 - local));
            }
            EXPECT_LE(nearest * 1440, 1.0) << row[4] << " " << row[8];
            continue;
        }
        // A minimum: the day holding the nearest local minimum of the deviation, unless that
        // lies within 90 minutes of a midnight where one day or the other is fair.
        double best = 1e9;
        for (auto [it, end] = e.minima.equal_range(aspect); it != end; ++it) {
            if (std::fabs(it->second - c.Midnight(day) - 0.5) < std::fabs(best - c.Midnight(day) - 0.5)) best = it->second;
        }
        ASSERT_LT(std::fabs(best - c.Midnight(day) - 0.5), 1.5) << "no minimum near " << row[4];
        const double hours = (best + c.zone / 1440.0 + 0.5 - std::floor(best + c.zone / 1440.0 + 0.5)) * 24;
        if (hours > 1.5 && hours < 22.5) {
            EXPECT_EQ(Date(c.LocalDay(best)), row[4]);
        }
        // The deviation shown is the smallest of the local midnights: the one starting the day
        // named or the one ending it.
        const std::size_t degreeSign = row[8].find("\xC2\xB0");
        ASSERT_NE(degreeSign, std::string::npos) << row[8];
        const double shown = (std::stoi(row[8]) + std::stoi(row[8].substr(degreeSign + 2)) / 60.0) * kDegree;
        double nearestSample = 1e9;
        for (std::int32_t d : {day, day + 1}) {
            const double t = c.Midnight(d);
            const double dev = std::fabs(std::fabs(Signed(PlanetLongitude(c.moving, t) - c.Second(t))) - AspectAngle[aspect]);
            nearestSample = std::min(nearestSample, std::fabs(dev - shown));
        }
        EXPECT_LE(nearestSample, 0.51 / 60 * kDegree) << row[4] << " " << row[8];
    }
    EXPECT_EQ(listed, e.dates);
    EXPECT_EQ(exactRows, e.exact.size());
}

}  // namespace meridel::scantest
