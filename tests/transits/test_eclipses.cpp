// The eclipses the program finds, against published ones. (The sky's own events of random periods
// are checked both ways against the sky check by the list sweep, tests/e2e/test_list_sweep.cpp.)
#include <gtest/gtest.h>

#include "forecast/sky_events.h"
#include "listing_check.h"

using namespace meridel;
using namespace meridel::skycheck;

using Eclipses = EphemerisSuite;

// The eclipses of 2025 at their published moments of greatest eclipse, with their types.
TEST_F(Eclipses, Of2025AtTheirPublishedTimes) {
    const struct {
        int month, day, hour, minute;
        bool solar;
        EclipseType type;
    } published[] = {{3, 14, 6, 58, false, EclipseType::Total}, {3, 29, 10, 47, true, EclipseType::Partial},
                     {9, 7, 18, 11, false, EclipseType::Total}, {9, 21, 19, 41, true, EclipseType::Partial}};
    const std::vector<Eclipse> eclipses = FindEclipses(Day(2025, 1, 1) - 0.5, Day(2026, 1, 1) - 0.5);
    ASSERT_EQ(eclipses.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& p = published[i];
        const double moment = Day(2025, p.month, p.day) - 0.5 + (p.hour * 60 + p.minute) / 1440.0;
        EXPECT_LE(std::fabs(eclipses[i].moment - moment) * 1440, 5.0) << i;
        EXPECT_EQ(eclipses[i].solar, p.solar) << i;
        EXPECT_EQ(eclipses[i].type, p.type) << i;
    }
}
