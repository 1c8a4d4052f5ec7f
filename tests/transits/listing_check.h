// Checks a written listing against what the sky did (sky_events.h), both ways: every orb entry
// and exit the listing gives is the day of a crossing and every crossing that changes a day's
// state is listed; every exact hit listed is one the sky check found within a minute, and every
// one it found is listed; minima and "r" marks are those of the sky. Used on the scan engine's
// lines and on meridel-list's printed output alike.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ephemeris/data_folder.h"
#include "ephemeris/pluto_table.h"
#include "sky_events.h"

namespace meridel::skycheck {

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

// The orb dates a listing must give: for each aspect, local day and direction, the outermost orb
// whose state at the day's closing midnight differs from its opening one (crossings in and out
// of an orb within one day change nothing a listing can show).
inline std::multiset<std::tuple<int, int, std::string>> ExpectedOrbDates(const SkyEvents& sky, const Case& c) {
    std::map<std::tuple<int, int, std::int32_t>, int> net;  // (aspect, orb, day) -> inward minus outward
    for (const Crossing& x : sky.crossings) {
        // The listing compares a day's two midnights: where either has no position (Pluto or the
        // Moon at an end of their range) it claims no crossing on that day.
        const std::int32_t day = c.LocalDay(x.moment);
        if (!c.HasValue(c.Midnight(day)) || !c.HasValue(c.Midnight(day + 1))) continue;
        net[{x.aspect, x.orb, day}] += x.inward ? 1 : -1;
    }
    std::map<std::tuple<int, std::int32_t, bool>, int> outermost;  // (aspect, day, inward) -> orb
    for (const auto& [key, count] : net) {
        if (count == 0) continue;
        const auto [aspect, orb, day] = key;
        const auto k = std::make_tuple(aspect, day, count > 0);
        outermost[k] = outermost.count(k) ? std::min(outermost[k], orb) : orb;
    }
    std::multiset<std::tuple<int, int, std::string>> expected;  // (aspect, column, date)
    for (const auto& [key, orb] : outermost) {
        const auto [aspect, day, inward] = key;
        expected.emplace(aspect, inward ? 1 + orb : 7 - orb, Date(day));
    }
    // With an outer orb of 15 degrees one transit can leave it on the day the next enters it (the
    // handover); on the last day of the period the next one is not begun.
    const std::string last = Date(c.end);
    bool handover = false;
    for (const auto& [aspect, column, date] : expected) handover = handover || (column == 7 && date == last);
    for (auto it = expected.begin(); c.orbs[0] == 15 && handover && it != expected.end();) {
        it = std::get<1>(*it) == 1 && std::get<2>(*it) == last ? expected.erase(it) : std::next(it);
    }
    return expected;
}

// The moment (UT) a listed exact hit names: its local date and minute.
inline double ListedMoment(const Case& c, const Cells& row) {
    const int minutes = std::stoi(row[8].substr(0, 2)) * 60 + std::stoi(row[8].substr(3, 2));
    return DayOf(row[4]) - 0.5 + minutes * kMinute - c.zone / 1440.0;
}

// Degrees and minutes of a "D°M'" cell, in arc minutes.
inline double ArcMinutes(const std::string& cell) {
    return std::stoi(cell) * 60 + std::stoi(cell.substr(cell.find("\xC2\xB0") + 2));
}

inline void ExpectListingMatches(const std::vector<Cells>& rows, const Case& c) {
    const SkyEvents sky = FindSkyEvents(c);
    std::multiset<std::tuple<int, int, std::string>> listed;  // (aspect, column, date)
    std::vector<std::pair<int, double>> listedHits;           // (aspect, moment)

    // Retrograde: moving backwards over the half hour after the moment.
    auto expectMark = [&c](std::string& cell, double moment) {
        const bool marked = cell.back() == 'r';
        if (marked) cell.pop_back();
        const double motion = Signed(c.Longitude(c.moving, moment + 1.0 / 48) - c.Longitude(c.moving, moment));
        EXPECT_EQ(marked, c.marks && motion < 0) << cell;
    };
    // The smallest approach of the aspect nearest the moment.
    auto nearestApproach = [&sky](int aspect, double moment) {
        const Approach* best = nullptr;
        for (const Approach& x : sky.approaches) {
            if (x.aspect == aspect && (!best || std::fabs(x.moment - moment) < std::fabs(best->moment - moment))) best = &x;
        }
        return best;
    };

    int a = 0;
    for (Cells row : rows) {
        for (int i = 1; i <= 5; ++i) a = AspectName[i] == row[0] ? i : a;
        ASSERT_GT(a, 0) << "a transit's first row names its aspect";
        for (int col : {1, 2, 3, 5, 6, 7}) {
            if (row[col].empty()) continue;
            expectMark(row[col], c.Midnight(DayOf(row[col])));
            listed.emplace(a, col, row[col]);
        }
        if (row[4].empty()) continue;
        const std::int32_t day = DayOf(row[4]);
        expectMark(row[4], c.Midnight(day + 1));
        if (row[4].back() == '*') {
            EXPECT_EQ(row[8].substr(6), c.zoneText);
            listedHits.emplace_back(a, ListedMoment(c, row));
            continue;
        }
        const double shown = ArcMinutes(row[8]);
        // A pass under way when the period began may have been closest before it: its deviation
        // already grows at the first midnight, or where the positions begin when that midnight
        // has none (Pluto or the Moon at the start of their range). The period has no day of
        // that approach to name.
        double first = c.Midnight(c.start);
        while (!c.HasValue(first) && first < c.Midnight(c.start + 1)) first += kMinute;
        EXPECT_GE(day, c.start) << "minimum " << row[4] << " before the period";
        const bool closestBefore = day <= c.start && c.Deviation(a, first + 1.0 / 24) > c.Deviation(a, first);
        EXPECT_FALSE(closestBefore) << "minimum " << row[4] << " of an approach before the period";
        const Approach* nearest = nearestApproach(a, c.Midnight(day) + 0.5);
        ASSERT_TRUE(nearest) << "no approach near the minimum of " << row[4];
        if (shown < c.orbs[2] * 60) {
            // Within the inner orb: the smallest deviation itself, on its own local day.
            EXPECT_EQ(c.LocalDay(nearest->moment), day) << "minimum " << row[4];
            EXPECT_NEAR(nearest->deviation / kDegree * 60, shown, 0.5 + 1e-3) << "minimum " << row[4];
            EXPECT_GE(nearest->deviation, kHitLimit - kHitLimitMargin) << "an exact hit listed as a minimum " << row[4];
            continue;
        }
        // Outside it: the smallest deviation at a local midnight, on the day it starts or the day
        // before when the deviation still falls after that midnight. A pass with one midnight
        // inside its orb names the midnight before it, a day early.
        EXPECT_LT(std::fabs(nearest->moment + c.zone / 1440.0 - day), 1.5) << "minimum " << row[4];
        auto text = [&](std::int32_t d) {
            const long m = std::lround(c.Deviation(a, c.Midnight(d)) / kDegree * 60);
            return std::to_string(m / 60) + "°" + std::to_string(m % 60) + "'";
        };
        EXPECT_TRUE(row[8] == text(day) || row[8] == text(day + 1)) << row[4] << " " << row[8];
    }
    EXPECT_EQ(listed, ExpectedOrbDates(sky, c));

    // Exact hits both ways: each listed one is a hit of the sky within a minute, on the local day
    // of the hit, and each hit of the sky is listed once.
    std::vector<bool> matched(sky.approaches.size(), false);
    for (const auto& [aspect, moment] : listedHits) {
        bool found = false;
        for (std::size_t i = 0; i < sky.approaches.size() && !found; ++i) {
            const Approach& x = sky.approaches[i];
            if (matched[i] || x.aspect != aspect || x.deviation >= kHitLimit + kHitLimitMargin) continue;
            if (std::fabs(x.moment - moment) > kMinute * 1.001) continue;
            matched[i] = found = true;
            if (std::fabs(x.moment - c.Midnight(c.LocalDay(x.moment))) > kMinute) {
                EXPECT_EQ(c.LocalDay(moment), c.LocalDay(x.moment)) << "hit written on another day: " << Date(c.LocalDay(moment));
            }
        }
        EXPECT_TRUE(found) << AspectName[aspect] << " hit listed at " << Date(c.LocalDay(moment)) << " "
                           << (moment + c.zone / 1440.0 + 0.5 - c.LocalDay(moment)) * 1440 << " min: not in the sky";
    }
    for (std::size_t i = 0; i < sky.approaches.size(); ++i) {
        const Approach& x = sky.approaches[i];
        if (matched[i] || x.deviation >= kHitLimit - kHitLimitMargin) continue;
        ADD_FAILURE() << AspectName[x.aspect] << " hit of the sky not listed: " << Date(c.LocalDay(x.moment)) << " "
                      << (x.moment + c.zone / 1440.0 + 0.5 - c.LocalDay(x.moment)) * 1440 << " min local, deviation "
                      << x.deviation / kDegree * 3600 << "\"";
    }
}

// The program's sky, as a run computes with it: the installed data folder, the Pluto table loaded.
inline const Sky& ProgramSky() {
    static const Sky sky = [] {
        const Sky made = InstalledSky();
        std::string error;
        auto table = LoadPlutoData(made.DataFolder(), "pluto.slx", error);
        EXPECT_TRUE(table) << error;
        return made.WithPlutoLines(std::move(table));
    }();
    return sky;
}

// Suites that compute positions: the date tables and the program's sky, once.
class EphemerisSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ProgramSky();
    }
};

}  // namespace meridel::skycheck
