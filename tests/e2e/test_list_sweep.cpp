// meridel-list over requests drawn at random (a fixed seed) from everything it can be asked:
// World and Personal runs of any pair over the whole date range its bodies allow, tropical and
// sidereal, every zone of the list (the half hours, the North American texts), searches with the
// orbs they derive, all-planets listings, and periods at the very ends of the ranges. Each
// listing, each run of an all-planets listing and of a whole chart, must match the sky check both ways
// (listing_check.h), over the period and with the orbs its heading and titles name.
// MERIDEL_SWEEP_SEED and MERIDEL_SWEEP_REQUESTS widen the sweep on demand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <random>
#include <sstream>

#include "forecast/chart_runs.h"
#include "list_runner.h"
#include "request/choices.h"
#include "sky_own_check.h"
#include "sweep_random.h"

using namespace meridel;
using namespace meridel::testing;

namespace {

enum class Kind { Run, Search, AllPlanets };

struct Draw {
    Kind kind = Kind::Run;
    bool world = true;
    bool sidereal = false;
    std::int16_t planet1 = kSun, planet2 = kMercury;  // as --planet1 / --planet2 name them
    std::int32_t start = 0, end = 0;
    std::array<int, 3> orbs{10, 5, 2};
    int zoneEntry = kGreenwichEntry;
    bool northAmerican = false;
    std::int32_t birthDay = 0;
    int birthMinutes = 0, birthZoneEntry = kGreenwichEntry;
    int aspect = 0;  // Search: 1 conjunction .. 5 sextile
    int index = 0;   // AllPlanets

    double BirthMoment() const { return birthDay - 0.5 + (birthMinutes - ZoneMinutesAtPosition(birthZoneEntry)) / 1440.0; }
    std::string ZoneText(int entry) const { return ZoneTexts(northAmerican)[static_cast<std::size_t>(entry)]; }
};

const std::int32_t kFirstDay = Day(1, 1, 1), kLastDay = Day(2799, 12, 31);
const std::int32_t kFirstTableDay = Day(1600, 1, 1), kLastTableDay = Day(2099, 12, 31);

bool Fast(std::int16_t code) { return code <= kMars; }
bool FromTable(std::int16_t code) { return code == kPluto || code == kMoon; }

// The inner orb's least for the moving planet, as a run requires it.
int LeastInner(std::int16_t moving) {
    return moving == kMercury ? 3 : (moving == kSun || moving == kVenus || moving == kMars) ? 2 : 1;
}

std::array<int, 3> Orbs(std::mt19937& random, std::int16_t moving) {
    const int inner = Uniform(random, LeastInner(moving), 6);
    const int middle = Uniform(random, inner + 2, 10);
    return {Uniform(random, middle + 2, 15), middle, inner};
}

// A period of `days` within first..last, one time in three at its start, one in three at its end.
void Place(std::mt19937& random, Draw& d, std::int32_t first, std::int32_t last, int days) {
    switch (Uniform(random, 0, 2)) {
        case 0: d.start = first + Uniform(random, 0, 3); break;
        case 1: d.start = last - days - Uniform(random, 0, 3); break;
        default: d.start = Uniform(random, first, last - days); break;
    }
    d.end = d.start + days;
}

// A birth the natal body has a position for, in universal time too, not after `latest`.
void Birth(std::mt19937& random, Draw& d, std::int16_t natal, std::int32_t latest) {
    const std::int32_t first = FromTable(natal) ? kFirstTableDay + 1 : kFirstTableDay;
    const std::int32_t last = std::min(latest, FromTable(natal) ? kLastTableDay - 1 : kLastDay);
    d.birthDay = Uniform(random, 0, 3) == 0 ? (Uniform(random, 0, 1) ? first : last) : Uniform(random, first, last);
    d.birthMinutes = Uniform(random, 0, 23) * 60 + Uniform(random, 0, 11) * 5;
    d.birthZoneEntry = Uniform(random, 1, kZoneEntries - 1);
}

Draw DrawRequest(std::mt19937& random) {
    Draw d;
    d.zoneEntry = Uniform(random, 1, kZoneEntries - 1);
    d.northAmerican = Uniform(random, 0, 3) == 0;
    const int choice = Uniform(random, 0, 9);
    d.kind = choice < 6 ? Kind::Run : choice < 8 ? Kind::Search : Kind::AllPlanets;
    d.world = Uniform(random, 0, 1) == 0;
    if (d.kind == Kind::AllPlanets) {
        // Every pair with the fixed planet: a short period, within Pluto's (and the Moon's) range.
        d.index = d.world ? 0 : Uniform(random, 0, 1);
        d.planet1 = static_cast<std::int16_t>(Uniform(random, kSun, d.world ? kNeptune : kPluto));
        d.planet2 = static_cast<std::int16_t>(Uniform(random, d.world ? kMercury : kSun, d.world ? kPluto : kMoon));
        if (d.world && d.planet1 >= d.planet2) d.planet1 = static_cast<std::int16_t>(d.planet2 - 1);
        // A Personal period starts after a birth the Moon has a position for.
        Place(random, d, d.world ? kFirstTableDay : kFirstTableDay + 2, kLastTableDay, Uniform(random, 30, 240));
        d.orbs = Orbs(random, kMercury);  // every moving planet takes them
        if (!d.world) Birth(random, d, kMoon, d.start);
        d.sidereal = !d.world && Uniform(random, 0, 2) == 0;
        return d;
    }
    if (d.world) {
        d.planet1 = static_cast<std::int16_t>(Uniform(random, kSun, d.kind == Kind::Search ? kMars : kNeptune));
        d.planet2 = static_cast<std::int16_t>(Uniform(random, d.planet1 + 1, kPluto));
    } else {
        d.planet1 = static_cast<std::int16_t>(Uniform(random, kSun, d.kind == Kind::Search ? kSaturn : kPluto));
        d.planet2 = static_cast<std::int16_t>(Uniform(random, kSun, kMoon));
        d.sidereal = Uniform(random, 0, 2) == 0;
    }
    // The period's dates are checked against both bodies' ranges, the natal one's too.
    const bool table = FromTable(d.planet1) || FromTable(d.planet2);
    // A Personal period starts after a birth, and births are from 1600 on.
    const std::int32_t first = table || !d.world ? kFirstTableDay + 2 : kFirstDay;
    const std::int32_t last = table ? kLastTableDay : kLastDay;
    const bool fast = Fast(d.planet1) && (!d.world || Fast(d.planet2));
    if (d.kind == Kind::Search) {
        d.aspect = Uniform(random, 1, 5);
        // The search orb; the run derives the middle and inner orbs from it.
        const int least = d.planet1 == kMercury ? 7 : Fast(d.planet1) ? 6 : 5;
        d.orbs = {Uniform(random, least, 15), 2, 1};
        // From where the search looks on, the next transit lies within the range (mostly).
        Place(random, d, first, last - (fast ? 800 : 6000), 0);
        d.start = 0;
    } else {
        d.orbs = Orbs(random, d.planet1);
        Place(random, d, first, last, fast ? Uniform(random, 20, 500) : Uniform(random, 200, 2500));
    }
    if (!d.world) Birth(random, d, d.planet2, d.kind == Kind::Search ? d.end : d.start);
    return d;
}

std::string DateArgument(std::int32_t day) { return Date(day); }

std::string Arguments(const Draw& d) {
    std::string a = d.world ? "--world" : "--personal";
    a += " --planet1 " + BodyName[d.planet1] + " --planet2 " + BodyName[d.planet2];
    if (d.kind != Kind::Search) a += " --start " + DateArgument(d.start);
    a += " --end " + DateArgument(d.end);
    a += " --orbs " + std::to_string(d.orbs[0]) + "," + std::to_string(d.orbs[1]) + "," + std::to_string(d.orbs[2]);
    if (d.northAmerican) a += " --na-abbr";
    a += " --tz '" + d.ZoneText(d.zoneEntry) + "'";
    if (!d.world) {
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d", d.birthMinutes / 60, d.birthMinutes % 60);
        a += " --birth " + DateArgument(d.birthDay) + " --birth-time " + time + " --birth-tz '" +
             d.ZoneText(d.birthZoneEntry) + "'";
        if (d.sidereal) a += " --sidereal";
    }
    if (d.kind == Kind::Search) a += " --search " + SearchAspectTexts(5)[static_cast<std::size_t>(d.aspect - 1)];
    if (d.kind == Kind::AllPlanets) a += " --all-planets " + std::to_string(d.index);
    return a;
}

std::int16_t CodeOf(const std::string& name) {
    for (std::int16_t code = kSun; code <= kMoon; ++code)
        if (BodyName[code] == name) return code;
    ADD_FAILURE() << "no body named " << name;
    return kSun;
}

// "January 1, 2024" or "Jan. 1, 2024" (the year of 1 to 4 digits).
std::int32_t DayOfText(const std::string& text) {
    const std::size_t comma = text.rfind(", "), blank = text.rfind(' ', comma - 1);
    const std::string month = text.substr(0, blank);
    for (int m = 1; m <= 12; ++m) {
        if (month == MonthNames[m] || month == MonthAbbreviations[m])
            return Day(std::stoi(text.substr(comma + 2)), m, std::stoi(text.substr(blank + 1)));
    }
    ADD_FAILURE() << "no date: " << text;
    return 0;
}

std::string Between(const std::string& text, const std::string& after, const std::string& before) {
    const std::size_t from = text.find(after) + after.size();
    return text.substr(from, text.find(before, from) - from);
}

// The sky check's case for one printed run: pair and period from its heading, orbs from its
// titles, zone and birth from the request.
Case CaseOf(const std::string& run, const Draw& d) {
    const std::string heading = run.substr(0, run.find("\r\n"));
    const std::string titles = run.substr(heading.size() + 2, run.find("\r\n", heading.size() + 2) - heading.size() - 2);
    Case c{kSun, kSun, d.world, 0, 0};
    if (d.world) {
        const std::int16_t a = CodeOf(Between(heading, "World transits for ", " and "));
        const std::int16_t b = CodeOf(Between(heading, " and ", " from "));
        c.moving = std::min(a, b), c.second = std::max(a, b);
        const std::string rest = heading.substr(heading.find(" from ") + 6);
        c.start = DayOfText(rest.substr(0, rest.find(", to ")));
        c.end = DayOfText(Between(rest + " (", ", to ", " ("));
        c.marks = heading.find("('r' not shown)") == std::string::npos;
    } else {
        c.moving = CodeOf(heading.substr(0, heading.find(" transits of natal ")));
        const std::string natal = Between(heading, " transits of natal ", ", ");
        c.second = CodeOf(natal);
        const std::string rest = heading.substr(heading.find(natal + ", ") + natal.size() + 2);
        c.start = DayOfText(rest.substr(0, rest.find(", to ")));
        c.end = DayOfText(Between(rest, ", to ", ", birth at "));
        c.sidereal = d.sidereal;
        c.natal = SkyLongitude(c.second, d.BirthMoment(), c.sidereal);
    }
    std::size_t at = 0;
    for (int o = 0; o < 3; ++o) {
        at = titles.find("Start ", at) + 6;
        c.orbs[o] = static_cast<std::int16_t>(std::stoi(titles.substr(at)));
    }
    c.zone = ZoneMinutesAtPosition(d.zoneEntry);
    c.zoneText = d.ZoneText(d.zoneEntry);
    return c;
}

// What the store may be off from a direct call, per body (the fitting tool's measure).
constexpr double kFitError = 0.0005 / 3600 * kDegree;
// A deviation takes two positions (or a position and a natal one), each off by up to that.
constexpr double kNearness = 2 * kFitError;

// The run's pair computed with direct library calls, as meridel-list computes it under
// MERIDEL_DIRECT_POSITIONS (Pluto from the program's table both ways).
struct DirectPair {
    const Case& c;
    const Sky sky;
    const double natal;

    DirectPair(const Case& run, const Draw& d)
        : c(run), sky(ProgramSky().Direct().InZodiac(run.sidereal)),
          natal(run.world ? 0 : sky.PlanetLongitude(run.second, d.BirthMoment())) {}
    double Longitude(std::int16_t code, double t) const { return sky.PlanetLongitude(code, t); }
    double Deviation(int aspect, double t) const {
        const double difference = Signed(Longitude(c.moving, t) - (c.world ? Longitude(c.second, t) : natal));
        return std::fabs(std::fabs(difference) - AspectAngle[aspect]);
    }
    double Motion(double t) const { return Signed(Longitude(c.moving, t + 1.0 / 48) - Longitude(c.moving, t)); }
    // The smallest deviation on whole minutes near t (within a day and a half).
    double SmallestMinute(int aspect, double t) const {
        const double at = Lowest([&](double x) { return Deviation(aspect, x); }, t - 1.5, t + 1.5);
        const double minute = std::floor(at / kMinute) * kMinute;
        return std::min(Deviation(aspect, minute), Deviation(aspect, minute + kMinute));
    }
};

bool Near(double value, double boundary) { return std::fabs(value - boundary) <= kNearness; }

// Whether a row's two listings (store, direct) differ only where a value computed directly lies
// within the fit's error of the boundary between what they show: an orb's edge at a midnight, the
// standstill that sets an "r", the equal deviations of two minutes or two midnights, half an arc
// minute, or the exact hit's limit.
bool AtABoundary(const DirectPair& p, int aspect, const Cells& a, const Cells& b) {
    const Case& c = p.c;
    auto mark = [](const std::string& t) { return t.size() > 10 ? t.substr(10) : std::string(); };
    for (int col : {1, 2, 3, 5, 6, 7}) {
        if (a[col] == b[col]) continue;
        if (a[col].empty() || b[col].empty()) return false;
        const std::int32_t da = DayOf(a[col]), db = DayOf(b[col]);
        if (da == db) {  // only the mark: the moving body stands still at that midnight
            if (!Near(p.Motion(c.Midnight(da)), 0)) return false;
            continue;
        }
        if (std::abs(da - db) != 1 || mark(a[col]) != mark(b[col])) return false;
        const double midnight = c.Midnight(std::max(da, db));
        bool edge = false;
        for (const int orb : c.orbs) edge = edge || Near(p.Deviation(aspect, midnight), orb * kDegree);
        if (!edge) return false;
    }
    if (a[4] == b[4] && a[8] == b[8]) return true;
    if (a[4].empty() || b[4].empty()) return false;
    const bool hitA = a[4].back() == '*', hitB = b[4].back() == '*';
    const double around = c.Midnight(DayOf(a[4])) + 0.5;
    if (hitA != hitB) return Near(p.SmallestMinute(aspect, around), kHitLimit);
    if (hitA) {  // two neighbouring minutes, the hit's one the nearer to the aspect
        const double ta = ListedMoment(c, a), tb = ListedMoment(c, b);
        return std::fabs(std::fabs(ta - tb) - kMinute) < 1e-6 && Near(p.Deviation(aspect, ta), p.Deviation(aspect, tb));
    }
    const std::int32_t da = DayOf(a[4]), db = DayOf(b[4]);
    if (da != db) {
        if (std::abs(da - db) != 1) return false;
        // A smallest deviation at a midnight, or two midnights' deviations equal.
        const double midnight = c.Midnight(std::max(da, db));
        const bool flat = Near(p.Deviation(aspect, midnight - kMinute), p.Deviation(aspect, midnight + kMinute));
        bool even = false;
        for (std::int32_t d = std::min(da, db); d <= std::max(da, db) + 1; ++d)
            even = even || Near(p.Deviation(aspect, c.Midnight(d)), p.Deviation(aspect, c.Midnight(d + 1)));
        if (!flat && !even) return false;
    } else if (mark(a[4]) != mark(b[4])) {
        if (!Near(p.Motion(c.Midnight(da + 1)), 0)) return false;
    }
    if (a[8] == b[8]) return true;
    // The deviation shown in arc minutes: the smallest one, or one at a midnight near it.
    const double half = (ArcMinutes(a[8]) + ArcMinutes(b[8])) / 2 / 60 * kDegree;
    if (std::fabs(ArcMinutes(a[8]) - ArcMinutes(b[8])) != 1) return false;
    if (Near(p.SmallestMinute(aspect, around), half)) return true;
    for (std::int32_t d = std::min(da, db) - 1; d <= std::max(da, db) + 2; ++d)
        if (Near(p.Deviation(aspect, c.Midnight(d)), half)) return true;
    return false;
}

std::string Joined(const Cells& cells) {
    std::string text = cells[0];
    for (std::size_t i = 1; i < cells.size(); ++i) text += "|" + cells[i];
    return text;
}

using ListSweep = Listings;

}  // namespace

// The same requests listed with the position store and with direct library calls
// (MERIDEL_DIRECT_POSITIONS): the listings are the same but where a value lies within the
// store's error of a rounding boundary (AtABoundary). Every differing row is printed, and any
// other fails. MERIDEL_STORE_SWEEP_REQUESTS widens it (and MERIDEL_SWEEP_SEED reseeds it).
TEST_F(ListSweep, StoreAndDirectCallsGiveTheSameListings) {
    const int seed = EnvironmentNumber("MERIDEL_SWEEP_SEED", 16280);
    const int requests = EnvironmentNumber("MERIDEL_STORE_SWEEP_REQUESTS", 1000);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed + 1));
    int rows = 0, differing = 0, beyond = 0;
    for (int n = 0; n < requests; ++n) {
        const Draw d = DrawRequest(random);
        const std::string arguments = Arguments(d);
        SCOPED_TRACE("request " + std::to_string(n) + " of seed " + std::to_string(seed + 1) + ": meridel-list " + arguments);
        const RunResult stored = runList(arguments);
        // A search whose transit never comes within the range (a square of the Sun and Venus)
        // lists nothing, and would take direct calls over every day to the range's end.
        if (d.kind == Kind::Search && stored.exitCode == 1 && stored.err.find("[Date out of range] No complete") != std::string::npos) {
            ++beyond;
            continue;
        }
        const RunResult direct = runList(arguments, "MERIDEL_DIRECT_POSITIONS=1");
        ASSERT_EQ(stored.exitCode, direct.exitCode) << stored.err << direct.err;
        EXPECT_EQ(stored.err, direct.err);
        for (const std::string& run : splitRuns(stored.out)) rows += static_cast<int>(rowsOf(run).size());
        if (stored.out == direct.out || stored.exitCode != 0) continue;
        const std::vector<std::string> storedRuns = splitRuns(stored.out), directRuns = splitRuns(direct.out);
        ASSERT_EQ(storedRuns.size(), directRuns.size());
        for (std::size_t r = 0; r < storedRuns.size(); ++r) {
            const std::vector<Cells> a = rowsOf(storedRuns[r]), b = rowsOf(directRuns[r]);
            ASSERT_EQ(a.size(), b.size()) << storedRuns[r] << directRuns[r];
            const Case c = CaseOf(storedRuns[r], d);
            const DirectPair pair(c, d);
            int aspect = 0;
            for (std::size_t i = 0; i < a.size(); ++i) {
                for (int k = 1; k <= 5; ++k) aspect = AspectName[k] == a[i][0] ? k : aspect;
                if (a[i] == b[i]) continue;
                ++differing;
                std::printf("store and direct calls differ: meridel-list %s\n  store:  %s\n  direct: %s\n", arguments.c_str(),
                            Joined(a[i]).c_str(), Joined(b[i]).c_str());
                EXPECT_TRUE(a[i][0] == b[i][0] && AtABoundary(pair, aspect, a[i], b[i]))
                    << "no value lies at a boundary:\n" << Joined(a[i]) << "\n" << Joined(b[i]);
            }
            // The headings and everything else outside the rows are the same.
            EXPECT_EQ(storedRuns[r].substr(0, storedRuns[r].find("\r\n")), directRuns[r].substr(0, directRuns[r].find("\r\n")));
            if (a == b) {
                EXPECT_EQ(storedRuns[r], directRuns[r]);
            }
        }
    }
    std::printf("store against direct calls, seed %d: %d requests (%d searches past the range not compared), %d rows, "
                "%d differing\n",
                seed + 1, requests, beyond, rows, differing);
}

TEST_F(ListSweep, RandomRequestsOfTheWholeRangeMatchTheSky) {
    const int seed = EnvironmentNumber("MERIDEL_SWEEP_SEED", 16280);
    const int requests = EnvironmentNumber("MERIDEL_SWEEP_REQUESTS", 160);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    int runs = 0, rows = 0, hits = 0, fastHits = 0, plutoHits = 0, searchesBeyond = 0;
    for (int n = 0; n < requests; ++n) {
        const Draw d = DrawRequest(random);
        const std::string arguments = Arguments(d);
        SCOPED_TRACE("request " + std::to_string(n) + " of seed " + std::to_string(seed) + ": meridel-list " + arguments);
        const RunResult r = runList(arguments);
        if (d.kind == Kind::Search && r.exitCode == 1 && r.err.find("[Date out of range] No complete") != std::string::npos) {
            ++searchesBeyond;  // the next transit ends beyond the range: refused as designed
            continue;
        }
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const std::vector<std::string> printed = d.kind == Kind::AllPlanets ? splitRuns(r.out) : std::vector{r.out};
        for (const std::string& run : printed) {
            const Case c = CaseOf(run, d);
            SCOPED_TRACE(run.substr(0, run.find("\r\n")));
            const std::vector<Cells> listed = rowsOf(run);
            if (d.kind == Kind::Search) {
                EXPECT_GT(c.start, d.end) << "the search lists a transit after its end date";
                bool aspectListed = false;
                for (const Cells& row : listed) aspectListed = aspectListed || row[0] == AspectName[d.aspect];
                EXPECT_TRUE(aspectListed) << "the searched aspect is not listed";
            }
            ExpectListingMatches(listed, c);
            ++runs;
            rows += static_cast<int>(listed.size());
            int runHits = 0;
            for (const Cells& row : listed) runHits += row[4].find('*') != std::string::npos;
            hits += runHits;
            if (c.moving <= kMars || (c.world && c.second <= kMars)) fastHits += runHits;
            if (c.moving == kPluto || c.second == kPluto) plutoHits += runHits;
        }
    }
    std::printf("meridel-list sweep, seed %d: %d requests, %d runs checked, %d rows, %d exact hits (%d of fast planets, "
                "%d with Pluto), %d searches past the range\n",
                seed, requests, runs, rows, hits, fastHits, plutoHits, searchesBeyond);
    if (requests >= 40) {
        EXPECT_GE(runs, requests) << "most requests must reach a listing";
        EXPECT_GE(fastHits, 24) << "the sweep must meet dozens of fast planets' exact hits";
        EXPECT_GE(plutoHits, 24) << "and of Pluto's";
    }
}

// Whole charts drawn at random: every run of the chart, in chart order, matches the sky check,
// and the sky's own events its CSV gives match the sky's both ways.
TEST_F(ListSweep, WholeChartsMatchTheSky) {
    const int seed = EnvironmentNumber("MERIDEL_SWEEP_SEED", 16280);
    const int charts = EnvironmentNumber("MERIDEL_CHART_SWEEP_REQUESTS", 4);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed + 2));
    int runs = 0, events = 0;
    for (int n = 0; n < charts; ++n) {
        Draw d;
        d.kind = Kind::AllPlanets;
        d.world = n % 2 == 0;
        d.zoneEntry = Uniform(random, 1, kZoneEntries - 1);
        d.northAmerican = Uniform(random, 0, 3) == 0;
        Place(random, d, kFirstTableDay + 2, kLastTableDay, Uniform(random, 20, 150));
        d.orbs = Orbs(random, kMercury);
        if (!d.world) Birth(random, d, kMoon, d.start);
        d.sidereal = !d.world && Uniform(random, 0, 2) == 0;
        // The request's planets are set run by run: the arguments without them.
        std::string arguments = Arguments(d);
        arguments.erase(arguments.find(" --planet1"), arguments.find(" --start") - arguments.find(" --planet1"));
        arguments.erase(arguments.find(" --all-planets"));
        arguments += " --chart";
        SCOPED_TRACE("chart " + std::to_string(n) + " of seed " + std::to_string(seed) + ": meridel-list " + arguments);
        const RunResult text = runList(arguments);
        ASSERT_EQ(text.exitCode, 0) << text.err;
        const std::vector<std::string> printed = splitRuns(text.out);
        const std::vector<ChartPair> pairs = ChartPairs(d.world);
        ASSERT_EQ(printed.size(), pairs.size());
        for (std::size_t i = 0; i < printed.size(); ++i) {
            const Case c = CaseOf(printed[i], d);
            SCOPED_TRACE(printed[i].substr(0, printed[i].find("\r\n")));
            EXPECT_EQ(c.moving, pairs[i].moving);
            EXPECT_EQ(c.second, pairs[i].second);
            ExpectListingMatches(rowsOf(printed[i]), c);
            ++runs;
        }

        const RunResult csv = runList(arguments + " --format csv");
        ASSERT_EQ(csv.exitCode, 0) << csv.err;
        SkyOwnEvents given;
        auto moment = [](const std::string& ut) {
            return DayOf(ut) - 0.5 + (std::stoi(ut.substr(11, 2)) * 60 + std::stoi(ut.substr(14, 2))) / 1440.0;
        };
        for (std::size_t from = 0, at; (at = csv.out.find("\r\n", from)) != std::string::npos; from = at + 2) {
            std::vector<std::string> f;
            std::stringstream line(csv.out.substr(from, at - from));
            for (std::string field; std::getline(line, field, ',');) f.push_back(field);
            if (f.size() < 23 || f[3] != "Sky") continue;
            const std::int16_t body = CodeOf(f[5]);
            const double t = moment(f[22]);
            if (f[8].rfind("station", 0) == 0) given.stations.push_back({body, f[8] == "station retrograde", t, 0});
            if (f[8] == "ingress") {
                const auto sign = std::find(SignName.begin(), SignName.end(), f[6]) - SignName.begin();
                given.ingresses.push_back({body, static_cast<int>(sign), t, false});
            }
            if (f[8].find("moon") != std::string::npos) given.lunations.push_back({f[8] == "full moon", t, 0});
            if (f[8].find("eclipse") != std::string::npos) given.eclipses.push_back({f[8].find("solar") != std::string::npos, EclipseType::Partial, t});
        }
        const int zone = ZoneMinutesAtPosition(d.zoneEntry);
        ExpectSkyOwnEventsMatch(given, LocalMidnight(d.start, zone), LocalMidnight(d.end + 1, zone), d.sidereal);
        events += static_cast<int>(given.stations.size() + given.ingresses.size() + given.lunations.size());
    }
    std::printf("meridel-list chart sweep, seed %d: %d charts, %d runs checked, %d events of the sky\n", seed, charts, runs,
                events);
}
