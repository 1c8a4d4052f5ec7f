// Checks a written listing against what the test finds on its own: orb crossings and exact hits
// as sign changes of the pair's signed difference on an hourly grid, refined by bisection. Used
// on the scan engine's lines and on meridel-list's printed output alike.
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
#include "ephemeris/data_folder.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"

namespace meridel::skycheck {

constexpr double kDegree = 6.28318530717959 / 360.0;

inline std::int32_t Day(int y, int m, int d) {
    EuroDate e{y, m, d, kGregorianCalendar, 0, 0};
    return DayNumberFromDate(e);
}
inline std::int32_t DayOf(const std::string& date) {  // "YYYY-MM-DD..."
    return Day(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)), std::stoi(date.substr(8, 2)));
}
inline std::string Date(std::int32_t day) { return ShortDateText(day, 2, "-", ",", false); }
// Reduced to (-pi, pi].
inline double Signed(double x) {
    x = std::remainder(x, 360 * kDegree);
    return x <= -180 * kDegree ? x + 360 * kDegree : x;
}

// One run: the pair, its local days start..end (the start the listing's heading shows) and zone.
struct Case {
    std::int16_t moving, second;
    bool world;
    std::int32_t start, end;
    int zone = 0;  // minutes east of Greenwich
    std::string zoneText = "GMT";
    std::array<std::int16_t, 3> orbs{10, 5, 2};
    double natal = -1;  // Personal: the natal longitude of `second`
    bool marks = true;  // false: no date may carry an "r"

    double Midnight(std::int32_t day) const { return day - 0.5 - zone / 1440.0; }
    std::int32_t LocalDay(double t) const { return static_cast<std::int32_t>(std::floor(t + 0.5 + zone / 1440.0)); }
    double Difference(double t) const {
        return Signed(PlanetLongitude(moving, t) - (world ? PlanetLongitude(second, t) : natal));
    }
    double Deviation(int aspect, double t) const { return std::fabs(std::fabs(Difference(t)) - AspectAngle[aspect]); }
};

using Cells = std::array<std::string, 9>;

// The rows of one run's lines (heading, titles and rule first), read back from their fixed
// positions; shorter lines ("No transits in this period.") are no rows.
inline std::vector<Cells> RowsOf(const std::vector<std::string>& lines) {
    static const std::size_t at[9] = {0, 14, 26, 38, 52, 66, 78, 90, 104};
    std::vector<Cells> rows;
    for (std::size_t i = 3; i < lines.size(); ++i) {
        if (lines[i].size() < at[8]) continue;
        Cells& cells = rows.emplace_back();
        for (int col = 0; col < 9; ++col) {
            cells[col] = lines[i].substr(at[col], col < 8 ? 12 : std::string::npos);
            cells[col].erase(cells[col].find_last_not_of(' ') + 1);
        }
    }
    return rows;
}

template <class F>
double Root(F f, double a, double b) {
    const bool negativeAtA = f(a) < 0;
    for (int i = 0; i < 32; ++i) ((f((a + b) / 2) < 0) == negativeAtA ? a : b) = (a + b) / 2;
    return (a + b) / 2;
}

// Every orb crossing, exact hit, minimum (day and deviation) and "r" of a listing against the
// test's own; the rows of a transit follow the row that names its aspect.
inline void ExpectListingMatches(const std::vector<Cells>& rows, const Case& c) {
    std::multiset<std::pair<int, std::string>> expected, listed;  // (column, date)
    std::multimap<int, double> exact, minima;                       // aspect -> moment
    std::vector<double> t, diff;
    for (double x = c.Midnight(c.start); x < c.Midnight(c.end + 1) + 1.0 / 48; x += 1.0 / 24) {
        if (PlanetLongitude(c.moving, x) < 0 || (c.world && PlanetLongitude(c.second, x) < 0)) continue;  // no value
        t.push_back(std::min(x, c.Midnight(c.end + 1)));
        diff.push_back(c.Difference(t.back()));
    }
    for (int a = 1; a <= 5; ++a) {
        const double angle = AspectAngle[a];
        auto dev = [&](std::size_t i) { return std::fabs(std::fabs(diff[i]) - angle); };
        std::map<std::pair<std::int32_t, int>, int> crossed;  // (local day, +1 in / -1 out) -> lowest orb
        for (std::size_t i = 1; i < t.size(); ++i) {
            for (int o = 0; o < 3; ++o) {
                const double orb = c.orbs[o] * kDegree;
                if ((dev(i - 1) < orb) == (dev(i) < orb)) continue;
                const double at = Root([&](double x) { return c.Deviation(a, x) - orb; }, t[i - 1], t[i]);
                const auto key = std::make_pair(c.LocalDay(at), dev(i) < orb ? 1 : -1);
                crossed[key] = crossed.count(key) ? std::min(crossed[key], o) : o;
            }
            for (double aim : {angle, -angle}) {  // 0 and 180 degrees are one aim each
                const double h0 = Signed(diff[i - 1] - aim), h1 = Signed(diff[i] - aim);
                if ((h0 < 0) != (h1 < 0) && std::fabs(h0 - h1) < 1) {
                    exact.emplace(a, Root([&](double x) { return Signed(c.Difference(x) - aim); }, t[i - 1], t[i]));
                }
                if (angle == 0 || angle > 3) break;
            }
            if (i >= 2 && dev(i - 1) < dev(i - 2) && dev(i - 1) <= dev(i)) minima.emplace(a, t[i - 1]);
        }
        for (const auto& [key, o] : crossed) expected.emplace(key.second > 0 ? 1 + o : 7 - o, Date(key.first));
    }

    // Retrograde: moving backwards over the half hour after the moment.
    auto expectMark = [&c](std::string& cell, double moment) {
        const bool marked = cell.back() == 'r';
        if (marked) cell.pop_back();
        const double motion = Signed(PlanetLongitude(c.moving, moment + 1.0 / 48) - PlanetLongitude(c.moving, moment));
        EXPECT_EQ(marked, c.marks && motion < 0) << cell;
    };
    std::size_t exactRows = 0;
    int a = 0;
    for (Cells row : rows) {
        for (int i = 1; i <= 5; ++i) a = AspectName[i] == row[0] ? i : a;
        ASSERT_GT(a, 0) << "a transit's first row names its aspect";
        for (int col : {1, 2, 3, 5, 6, 7}) {
            if (row[col].empty()) continue;
            expectMark(row[col], c.Midnight(DayOf(row[col])));
            listed.emplace(col, row[col]);
        }
        if (row[4].empty()) continue;
        const std::int32_t day = DayOf(row[4]);
        expectMark(row[4], c.Midnight(day + 1));
        double nearest = 1e9;  // days from the listed moment, or the middle of the listed day
        const double shown = row[4].back() == '*'
                                 ? day - 0.5 + (std::stoi(row[8]) * 60 + std::stoi(row[8].substr(3, 2))) / 1440.0
                                 : day;
        for (auto [it, end] = (row[4].back() == '*' ? exact : minima).equal_range(a); it != end; ++it) {
            const double at = it->second + c.zone / 1440.0;
            if (std::fabs(at - shown) < std::fabs(nearest)) nearest = at - shown;
        }
        if (row[4].back() == '*') {
            ++exactRows;
            EXPECT_LE(std::fabs(nearest) * 1440, 1.0) << row[4] << " " << row[8];
            EXPECT_EQ(row[8].substr(6), c.zoneText);
            continue;
        }
        if (std::fabs(std::fabs(nearest) - 0.5) > 1.5 / 24) {  // not within 90 minutes of a midnight
            EXPECT_LT(std::fabs(nearest), 0.5) << "minimum " << row[4];
        }
        // Its deviation is the sample at the midnight starting the listed day, or the next one.
        auto text = [&](std::int32_t d) {
            const long m = std::lround(c.Deviation(a, c.Midnight(d)) / kDegree * 60);
            return std::to_string(m / 60) + "°" + std::to_string(m % 60) + "'";
        };
        EXPECT_TRUE(row[8] == text(day) || row[8] == text(day + 1)) << row[4] << " " << row[8];
    }
    EXPECT_EQ(listed, expected);
    // Hits are searched only around a daily minimum inside the inner orb, so a fast pair can pass
    // one unlisted (ExactHitsAreThoseOfAPlainMinuteDescent proves which are found).
    EXPECT_LE(exactRows, exact.size());
}

// Suites that compute positions: the tables, the data folder and the Pluto table, once.
class EphemerisSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InitEphemeris();
        InitDateTables();
        std::string error;
        ASSERT_TRUE(LoadPlutoData("pluto.slx", error)) << error;
    }
};

}  // namespace meridel::skycheck
