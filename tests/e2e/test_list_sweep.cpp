// meridel-list over requests drawn at random (a fixed seed) from everything it can be asked:
// World and Personal runs of any pair over the whole date range its bodies allow, tropical and
// sidereal, every zone of the list (the half hours, the North American texts), searches with the
// orbs they derive, all-planets listings, whole charts, and periods at the very ends of the ranges.
// Each run printed must match the sky check both ways (listing_check.h), over the period and with
// the orbs its heading and titles name. MERIDEL_SWEEP_SEED and MERIDEL_SWEEP_REQUESTS widen it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <regex>
#include <sstream>

#include "forecast/chart_runs.h"
#include "forecast/sky_events.h"
#include "list_runner.h"
#include "request/choices.h"
#include "sky_own_check.h"

using namespace meridel;
using namespace meridel::testing;

namespace {

int Uniform(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

int EnvironmentNumber(const char* name, int otherwise) {
    const char* text = std::getenv(name);
    return text ? std::atoi(text) : otherwise;
}

enum class Kind { Run, Search, AllPlanets, Chart };

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

    bool ManyRuns() const { return kind == Kind::AllPlanets || kind == Kind::Chart; }
    double BirthMoment() const { return birthDay - 0.5 + (birthMinutes - ZoneMinutesAtPosition(birthZoneEntry)) / 1440.0; }
    std::string ZoneText(int entry) const { return ZoneTexts(northAmerican)[static_cast<std::size_t>(entry)]; }
};

const std::int32_t kFirstDay = Day(1, 1, 1), kLastDay = Day(2799, 12, 31);
const std::int32_t kFirstTableDay = Day(1600, 1, 1), kLastTableDay = Day(2099, 12, 31);

bool Fast(std::int16_t code) { return code <= kMars; }
bool FromTable(std::int16_t code) { return code == kPluto || code == kMoon; }
std::int16_t Body(std::mt19937& random, int low, int high) {
    return static_cast<std::int16_t>(Uniform(random, low, high));
}

// Orbs a run takes with this moving planet (the inner one's least depends on it).
std::array<int, 3> Orbs(std::mt19937& random, std::int16_t moving) {
    const int least = moving == kMercury ? 3 : (moving == kSun || moving == kVenus || moving == kMars) ? 2 : 1;
    const int inner = Uniform(random, least, 6);
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

Draw DrawRequest(std::mt19937& random, bool chart) {
    Draw d;
    d.zoneEntry = Uniform(random, 1, kZoneEntries - 1);
    d.northAmerican = Uniform(random, 0, 3) == 0;
    const int choice = Uniform(random, 0, 9);
    d.kind = chart ? Kind::Chart : choice < 6 ? Kind::Run : choice < 8 ? Kind::Search : Kind::AllPlanets;
    const bool search = d.kind == Kind::Search;
    d.world = Uniform(random, 0, 1) == 0;
    d.sidereal = !d.world && Uniform(random, 0, 2) == 0;
    d.index = d.kind == Kind::AllPlanets && !d.world ? Uniform(random, 0, 1) : 0;
    if (d.world) {
        d.planet1 = Body(random, kSun, search ? kMars : kNeptune);
        d.planet2 = Body(random, d.planet1 + 1, kPluto);
    } else {
        d.planet1 = Body(random, kSun, search ? kSaturn : kPluto);
        d.planet2 = Body(random, kSun, kMoon);
    }
    // The period lies within every body's range, the natal one's too (Pluto's and the Moon's where
    // a listing has them all); a Personal period starts after a birth, and births are from 1600 on.
    const bool table = d.ManyRuns() || FromTable(d.planet1) || FromTable(d.planet2);
    const std::int32_t first = !table && d.world ? kFirstDay : kFirstTableDay + (d.world && d.ManyRuns() ? 0 : 2);
    const std::int32_t last = table ? kLastTableDay : kLastDay;
    const bool fast = Fast(d.planet1) && (!d.world || Fast(d.planet2));
    if (search) {
        d.aspect = Uniform(random, 1, 5);
        // The search orb; the run derives the middle and inner orbs from it.
        d.orbs = {Uniform(random, d.planet1 == kMercury ? 7 : Fast(d.planet1) ? 6 : 5, 15), 2, 1};
        // From where the search looks on, the next transit lies within the range (mostly).
        Place(random, d, first, last - (fast ? 800 : 6000), 0);
        d.start = 0;
    } else {
        d.orbs = Orbs(random, d.ManyRuns() ? std::int16_t{kMercury} : d.planet1);  // Mercury's suit every moving planet
        Place(random, d, first, last,
              d.ManyRuns() ? Uniform(random, 30, 240) : fast ? Uniform(random, 20, 500) : Uniform(random, 200, 2500));
    }
    if (!d.world) Birth(random, d, d.ManyRuns() ? std::int16_t{kMoon} : d.planet2, search ? d.end : d.start);
    return d;
}

std::string Arguments(const Draw& d) {
    std::string a = d.world ? "--world" : "--personal";
    if (d.kind != Kind::Chart) a += " --planet1 " + BodyName[d.planet1] + " --planet2 " + BodyName[d.planet2];
    if (d.kind != Kind::Search) a += " --start " + Date(d.start);
    a += " --end " + Date(d.end);
    a += " --orbs " + std::to_string(d.orbs[0]) + "," + std::to_string(d.orbs[1]) + "," + std::to_string(d.orbs[2]);
    if (d.northAmerican) a += " --na-abbr";
    a += " --tz '" + d.ZoneText(d.zoneEntry) + "'";
    if (!d.world) {
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d", d.birthMinutes / 60, d.birthMinutes % 60);
        a += " --birth " + Date(d.birthDay) + " --birth-time " + time;
        a += " --birth-tz '" + d.ZoneText(d.birthZoneEntry) + "'";
        if (d.sidereal) a += " --sidereal";
    }
    if (d.kind == Kind::Search) a += " --search " + SearchAspectTexts(5)[static_cast<std::size_t>(d.aspect - 1)];
    if (d.kind == Kind::AllPlanets) a += " --all-planets " + std::to_string(d.index);
    if (d.kind == Kind::Chart) a += " --chart";
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

// The sky check's case for one printed run: pair and period from its heading, orbs from its
// titles, zone and birth from the request.
Case CaseOf(const std::string& run, const Draw& d) {
    static const std::regex heading("^(?:World transits for (\\w+) and (\\w+) from|(\\w+) transits of natal (\\w+),) "
                                    "(.+?), to (.+?)(?: \\(|, birth at |\\r\\n)");
    std::smatch m;
    EXPECT_TRUE(std::regex_search(run, m, heading)) << run.substr(0, run.find("\r\n"));
    const std::int16_t a = CodeOf(m[d.world ? 1 : 3]), b = CodeOf(m[d.world ? 2 : 4]);
    Case c{d.world ? std::min(a, b) : a, d.world ? std::max(a, b) : b, d.world, DayOfText(m[5]), DayOfText(m[6]),
           ZoneMinutesAtPosition(d.zoneEntry), d.ZoneText(d.zoneEntry)};
    static const std::regex orb("Start (\\d+)");
    auto title = std::sregex_iterator(run.begin(), run.end(), orb);
    for (int o = 0; o < 3 && title != std::sregex_iterator(); ++o, ++title)
        c.orbs[o] = static_cast<std::int16_t>(std::stoi((*title)[1]));
    c.marks = run.find("('r' not shown)") == std::string::npos;
    c.sidereal = d.sidereal;
    if (!d.world) c.natal = SkyLongitude(c.second, d.BirthMoment(), c.sidereal);
    return c;
}

// The sky's own events a chart's CSV gives, against the sky's both ways; returns how many.
int ExpectChartSkyEventsMatch(const std::string& arguments, const Draw& d) {
    const RunResult csv = RunList(arguments + " --format csv");
    EXPECT_EQ(csv.exitCode, 0) << csv.err;
    SkyOwnEvents given;
    for (std::size_t from = 0, at; (at = csv.out.find("\r\n", from)) != std::string::npos; from = at + 2) {
        std::vector<std::string> f;
        std::stringstream line(csv.out.substr(from, at - from));
        for (std::string field; std::getline(line, field, ',');) f.push_back(field);
        if (f.size() < 23 || f[3] != "Sky") continue;
        const std::int16_t body = CodeOf(f[5]);
        const std::string& ut = f[22];
        const double t = DayOf(ut) - 0.5 + (std::stoi(ut.substr(11, 2)) * 60 + std::stoi(ut.substr(14, 2))) / 1440.0;
        const std::string& event = f[8];
        if (event.rfind("station", 0) == 0) given.stations.push_back({body, event == "station retrograde", t, 0});
        if (event == "ingress") {
            const auto sign = std::find(SignName.begin(), SignName.end(), f[6]) - SignName.begin();
            given.ingresses.push_back({body, static_cast<int>(sign), t, false});
        }
        if (event.find("moon") != std::string::npos) given.lunations.push_back({event == "full moon", t, 0});
        if (event.find("eclipse") != std::string::npos)
            given.eclipses.push_back({event.find("solar") != std::string::npos, EclipseType::Partial, t});
    }
    const int zone = ZoneMinutesAtPosition(d.zoneEntry);
    ExpectSkyOwnEventsMatch(given, LocalMidnight(d.start, zone), LocalMidnight(d.end + 1, zone), d.sidereal);
    return static_cast<int>(given.stations.size() + given.ingresses.size() + given.lunations.size());
}

using ListSweep = Listings;

}  // namespace

// Every fortieth request is a whole chart: its runs come in chart order, and the sky's own events
// its CSV gives are checked too; every twentieth comes with a period whose sky's own events the
// program finds are checked the same way. Every fourth is also listed with direct library calls
// (MERIDEL_DIRECT_POSITIONS): the program and the sky check read the same position store, so only
// this sees the store depart from the library. The two listings are the same byte for byte, or
// (a value within the store's error of a rounding boundary) the sky check accepts the direct one too.
TEST_F(ListSweep, RandomRequestsOfTheWholeRangeMatchTheSky) {
    const int seed = EnvironmentNumber("MERIDEL_SWEEP_SEED", 16280);
    const int requests = EnvironmentNumber("MERIDEL_SWEEP_REQUESTS", 160);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    int runs = 0, rows = 0, hits = 0, fastHits = 0, plutoHits = 0, searchesBeyond = 0, events = 0, eclipses = 0,
        differing = 0;
    for (int n = 0; n < requests; ++n) {
        if (n % 20 == 10) {  // the sky's own events of a period, as the program finds them
            const int days = Uniform(random, 200, 1100);
            const double from =
                Uniform(random, Day(1600, 1, 2), Day(2099, 12, 30) - days) - 0.5 + Uniform(random, 0, 47) / 48.0;
            const bool sidereal = Uniform(random, 0, 2) == 0;
            SCOPED_TRACE("sky's events at request " + std::to_string(n) + " of seed " + std::to_string(seed) + ": from " +
                         Date(static_cast<std::int32_t>(from + 0.5)) + ", " + std::to_string(days) + " days" +
                         (sidereal ? ", sidereal" : ""));
            const SkyOwnEvents own = FindSkyOwnEvents(ProgramSky().InZodiac(sidereal), from, from + days);
            ExpectSkyOwnEventsMatch(own, from, from + days, sidereal);
            events += static_cast<int>(own.stations.size() + own.ingresses.size() + own.lunations.size());
            eclipses += static_cast<int>(own.eclipses.size());
        }
        const Draw d = DrawRequest(random, n % 40 == 39);
        const std::string arguments = Arguments(d);
        SCOPED_TRACE("request " + std::to_string(n) + " of seed " + std::to_string(seed) + ": meridel-list " + arguments);
        const RunResult r = RunList(arguments);
        if (d.kind == Kind::Search && r.exitCode == 1 && r.err.find("[Date out of range] No complete") != std::string::npos) {
            ++searchesBeyond;  // the next transit ends beyond the range: refused as designed
            continue;
        }
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const std::vector<std::string> printed = d.ManyRuns() ? SplitRuns(r.out) : std::vector{r.out};
        const std::vector<ChartPair> pairs = d.kind == Kind::Chart ? ChartPairs(d.world) : std::vector<ChartPair>{};
        ASSERT_TRUE(d.kind != Kind::Chart || printed.size() == pairs.size()) << printed.size();
        for (std::size_t i = 0; i < printed.size(); ++i) {
            const Case c = CaseOf(printed[i], d);
            SCOPED_TRACE(printed[i].substr(0, printed[i].find("\r\n")));
            const std::vector<Cells> listed = RowsOf(printed[i]);
            if (d.kind == Kind::Search) {
                EXPECT_GT(c.start, d.end) << "the search lists a transit after its end date";
                bool aspectListed = false;
                for (const Cells& row : listed) aspectListed = aspectListed || row[0] == AspectName[d.aspect];
                EXPECT_TRUE(aspectListed) << "the searched aspect is not listed";
            }
            EXPECT_TRUE(d.kind != Kind::Chart || (c.moving == pairs[i].moving && c.second == pairs[i].second));
            ExpectListingMatches(listed, c);
            ++runs;
            rows += static_cast<int>(listed.size());
            int runHits = 0;
            for (const Cells& row : listed) runHits += row[4].find('*') != std::string::npos;
            hits += runHits;
            if (c.moving <= kMars || (c.world && c.second <= kMars)) fastHits += runHits;
            if (c.moving == kPluto || c.second == kPluto) plutoHits += runHits;
        }
        if (d.kind == Kind::Chart) events += ExpectChartSkyEventsMatch(arguments, d);
        if (n % 4 != 0) continue;
        const RunResult direct = RunList(arguments, "MERIDEL_DIRECT_POSITIONS=1");
        ASSERT_EQ(direct.exitCode, 0) << direct.err;
        EXPECT_EQ(direct.err, r.err);
        if (direct.out == r.out) continue;
        ++differing;
        for (const std::string& run : d.ManyRuns() ? SplitRuns(direct.out) : std::vector{direct.out})
            ExpectListingMatches(RowsOf(run), CaseOf(run, d));
    }
    std::printf("meridel-list sweep, seed %d: %d requests, %d runs checked, %d rows, %d exact hits (%d of fast planets, "
                "%d with Pluto), %d searches past the range, %d events of the sky and %d eclipses, %d listed otherwise by "
                "direct calls\n",
                seed, requests, runs, rows, hits, fastHits, plutoHits, searchesBeyond, events, eclipses, differing);
    if (requests >= 40) {
        EXPECT_GE(runs, requests) << "most requests must reach a listing";
        EXPECT_GE(fastHits, 24) << "the sweep must meet dozens of fast planets' exact hits";
        EXPECT_GE(plutoHits, 24) << "and of Pluto's";
    }
}
