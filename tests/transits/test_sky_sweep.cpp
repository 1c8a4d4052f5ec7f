// The sky's own events over periods drawn at random (with a fixed seed), against the sky check's
// own search both ways; MERIDEL_SWEEP_SEED reseeds it. Random transit requests are swept through
// meridel-list by tests/e2e/test_list_sweep.cpp.
#include <gtest/gtest.h>

#include "forecast/sky_events.h"
#include "listing_check.h"
#include "sky_own_check.h"
#include "sweep_random.h"

using namespace meridel;
using namespace meridel::skycheck;

namespace {

using SkySweep = EphemerisSuite;

}  // namespace

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
