// The scan engine over requests drawn at random (with a fixed seed) from the whole space a user
// can ask: fast and slow pairs, Pluto with fast and slow partners, World and Personal, tropical
// and sidereal, zones east and west, every orb choice a run accepts. Every listing must match the
// sky check both ways (listing_check.h). MERIDEL_SWEEP_SEED and MERIDEL_SWEEP_REQUESTS widen the
// sweep on demand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>

#include "forecast/sky_events.h"
#include "scan_runner.h"
#include "sky_own_check.h"
#include "transits/orb_geometry.h"

using namespace meridel;
using namespace meridel::skycheck;

namespace {

struct Draw {
    Case c;
};

int Uniform(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

// Orbs a run accepts for the moving planet: strictly decreasing by at least 2 degrees, with the
// inner orb's own minimum.
std::array<std::int16_t, 3> Orbs(std::mt19937& random, std::int16_t moving) {
    const int lowestInner = moving == kMercury ? 3 : (moving == kSun || moving == kVenus || moving == kMars) ? 2 : 1;
    const int inner = Uniform(random, lowestInner, 6);
    const int middle = Uniform(random, inner + 2, 10);
    const int outer = Uniform(random, middle + 2, 15);
    return {static_cast<std::int16_t>(outer), static_cast<std::int16_t>(middle), static_cast<std::int16_t>(inner)};
}

Draw DrawRequest(std::mt19937& random) {
    static const std::vector<std::int16_t> fast = {kSun, kMercury, kVenus, kMars};
    static const std::vector<std::int16_t> slow = {kJupiter, kSaturn, kUranus, kNeptune};
    auto pick = [&](const std::vector<std::int16_t>& from) { return from[Uniform(random, 0, static_cast<int>(from.size()) - 1)]; };
    Draw d;
    Case& c = d.c;
    int days = 0;
    switch (Uniform(random, 0, 6)) {
        case 0:  // two fast planets
            do {
                c.moving = pick(fast), c.second = pick(fast);
            } while (c.moving >= c.second);
            c.world = true, days = Uniform(random, 60, 365);
            break;
        case 1:  // a fast planet and Pluto
            c.moving = pick(fast), c.second = kPluto, c.world = true, days = Uniform(random, 90, 500);
            break;
        case 2:  // a slow planet and Pluto
            c.moving = pick(slow), c.second = kPluto, c.world = true, days = Uniform(random, 365, 2200);
            break;
        case 3:  // two slow planets
            do {
                c.moving = pick(slow), c.second = pick(slow);
            } while (c.moving >= c.second);
            c.world = true, days = Uniform(random, 365, 2200);
            break;
        case 4:  // a fast planet over a natal one
            c.moving = pick(fast), c.second = static_cast<std::int16_t>(Uniform(random, kSun, kMoon));
            c.world = false, days = Uniform(random, 60, 400);
            break;
        case 5:  // Pluto over a natal planet
            c.moving = kPluto, c.second = static_cast<std::int16_t>(Uniform(random, kSun, kMoon));
            c.world = false, days = Uniform(random, 700, 2900);
            break;
        default:  // a slow planet over a natal one
            c.moving = pick(slow), c.second = static_cast<std::int16_t>(Uniform(random, kSun, kMoon));
            c.world = false, days = Uniform(random, 365, 1800);
            break;
    }
    c.start = Uniform(random, Day(1600, 1, 2), Day(2099, 12, 30) - days);
    c.end = c.start + days;
    const int entry = Uniform(random, 1, 47);  // a result zone of the list
    c.zone = (entry - 24) * 30;
    c.zoneText = "zone " + std::to_string(entry);
    c.orbs = Orbs(random, c.moving);
    c.marks = true;
    if (!c.world) {
        c.sidereal = Uniform(random, 0, 2) == 0;
        const double birth = Uniform(random, Day(1600, 1, 2), Day(2099, 12, 30)) - 0.5 + Uniform(random, 0, 1439) / 1440.0;
        c.natal = SkyLongitude(c.second, birth, c.sidereal);
    }
    return d;
}

int EnvironmentNumber(const char* name, int otherwise) {
    const char* text = std::getenv(name);
    return text ? std::atoi(text) : otherwise;
}

using SkySweep = EphemerisSuite;

}  // namespace

TEST_F(SkySweep, RandomRequestsMatchTheSky) {
    const int seed = EnvironmentNumber("MERIDEL_SWEEP_SEED", 20261206);
    const int requests = EnvironmentNumber("MERIDEL_SWEEP_REQUESTS", 160);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    int fastHits = 0, plutoHits = 0, rows = 0;
    for (int n = 0; n < requests; ++n) {
        const Draw d = DrawRequest(random);
        const Case& c = d.c;
        ScanRun run;
        Scan(run, c);
        SCOPED_TRACE("request " + std::to_string(n) + " of seed " + std::to_string(seed) + ": " + BodyName[c.moving] +
                     (c.world ? " and " : " over natal ") + BodyName[c.second] + " " + Date(c.start) + " to " +
                     Date(c.end) + ", zone " + std::to_string(c.zone) + ", orbs " + std::to_string(c.orbs[0]) + "/" +
                     std::to_string(c.orbs[1]) + "/" + std::to_string(c.orbs[2]) + (c.sidereal ? ", sidereal" : ""));
        const int failuresBefore = ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
        ExpectListingMatches(run.rows, c);
        if (::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count() > failuresBefore) {
            for (const std::string& line : run.lines) std::cerr << line << "\n";
        }
        int hits = 0;
        for (const Cells& row : run.rows) hits += !row[4].empty() && row[4].find('*') != std::string::npos;
        rows += static_cast<int>(run.rows.size());
        if (c.moving <= kMars || (c.world && c.second <= kMars)) fastHits += hits;
        if (c.moving == kPluto || c.second == kPluto) plutoHits += hits;
    }
    std::printf("sky sweep, seed %d: %d requests, %d rows, %d exact hits of fast planets, %d with Pluto\n", seed,
                requests, rows, fastHits, plutoHits);
    if (requests >= 40) {
        EXPECT_GE(fastHits, 24) << "the sweep must meet dozens of fast planets' hits";
        EXPECT_GE(plutoHits, 24) << "and of Pluto's";
    }
}

// The sky's own events of periods drawn at random, tropical and sidereal, against the check's.
TEST_F(SkySweep, StationsIngressesLunationsAndEclipsesMatchTheSky) {
    const int seed = EnvironmentNumber("MERIDEL_SWEEP_SEED", 20261206);
    const int periods = EnvironmentNumber("MERIDEL_SKY_EVENT_PERIODS", 8);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed + 7));
    std::size_t counted = 0, eclipses = 0;
    for (int n = 0; n < periods; ++n) {
        const int days = Uniform(random, 200, 1100);
        const double from = Uniform(random, Day(1600, 1, 2), Day(2099, 12, 30) - days) - 0.5 + Uniform(random, 0, 47) / 48.0;
        const bool sidereal = Uniform(random, 0, 2) == 0;
        SCOPED_TRACE("period " + std::to_string(n) + " of seed " + std::to_string(seed) + ": from " +
                     Date(static_cast<std::int32_t>(from + 0.5)) + ", " + std::to_string(days) + " days" +
                     (sidereal ? ", sidereal" : ""));
        const SkyOwnEvents events = FindSkyOwnEvents(ProgramSky().InZodiac(sidereal), from, from + days);
        ExpectSkyOwnEventsMatch(events, from, from + days, sidereal);
        counted += events.stations.size() + events.ingresses.size() + events.lunations.size();
        eclipses += events.eclipses.size();
    }
    std::printf("sky's own events, seed %d: %d periods, %zu stations, ingresses and lunations, %zu eclipses\n", seed,
                periods, counted, eclipses);
}

// The eclipses of 2025 at their published moments of greatest eclipse, with their types.
TEST_F(SkySweep, EclipsesOf2025AtTheirPublishedTimes) {
    const auto moment = [](int m, int d, int hour, int minute) { return Day(2025, m, d) - 0.5 + (hour * 60 + minute) / 1440.0; };
    struct Published {
        double moment;
        bool solar;
        EclipseType type;
    };
    const Published published[] = {{moment(3, 14, 6, 58), false, EclipseType::Total},
                                   {moment(3, 29, 10, 47), true, EclipseType::Partial},
                                   {moment(9, 7, 18, 11), false, EclipseType::Total},
                                   {moment(9, 21, 19, 41), true, EclipseType::Partial}};
    const std::vector<Eclipse> eclipses = FindEclipses(Day(2025, 1, 1) - 0.5, Day(2026, 1, 1) - 0.5);
    ASSERT_EQ(eclipses.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_LE(std::fabs(eclipses[i].moment - published[i].moment) * 1440, 5.0) << i;
        EXPECT_EQ(eclipses[i].solar, published[i].solar) << i;
        EXPECT_EQ(eclipses[i].type, published[i].type) << i;
    }
}
