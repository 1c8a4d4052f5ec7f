// PlanetLongitude: dispatch, the Moon's range and the sidereal correction.
#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"

using namespace meridel;

namespace {

class PlanetLongitudes : public ::testing::Test {
protected:
    void SetUp() override { SiderealZodiac = false; }
    void TearDown() override { SiderealZodiac = false; }
};

}  // namespace

TEST_F(PlanetLongitudes, SiderealCorrectionFormula) {
    EXPECT_DOUBLE_EQ(SiderealCorrection(2000), 0.416314);
    EXPECT_DOUBLE_EQ(SiderealCorrection(1999), 0.4160702);
    // Tropical 0.1 rad in 2000 becomes 0.1 - 0.416314 + the full circle.
    EXPECT_DOUBLE_EQ(NormalizeAngle(0.1 - SiderealCorrection(2000)), 5.96687130717959);
    EXPECT_DOUBLE_EQ(NormalizeAngle(-kFullCircle), 0.0);
    EXPECT_DOUBLE_EQ(NormalizeAngle(3 * kFullCircle + 1), 1.0);
}

// The correction is that of the calendar year of the moment (UT), so it steps at 1 January 0 h;
// a no-value result is never corrected.
TEST_F(PlanetLongitudes, SiderealLongitudes) {
    const double newYear2000 = 2451544.5;
    for (std::int16_t code : {kSun, kMars, kMoon}) {
        for (double jd : {newYear2000 - 1e-4, newYear2000}) {
            SiderealZodiac = false;
            double tropical = PlanetLongitude(code, jd);
            SiderealZodiac = true;
            double sidereal = PlanetLongitude(code, jd);
            ASSERT_GE(tropical, 0.0);
            double expected = SiderealCorrection(jd < newYear2000 ? 1999 : 2000);
            EXPECT_NEAR(std::remainder(tropical - sidereal, kFullCircle), expected, 1e-12) << code << " " << jd;
            EXPECT_GE(sidereal, 0.0);
            EXPECT_LT(sidereal, kFullCircle);
        }
    }
    EXPECT_EQ(PlanetLongitude(kMoon, 2305447.0), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kPluto, 2488070.0), kAfterRange);
    EXPECT_EQ(PlanetLongitude(kMars, 1721424.0), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kNeptune, 2743740.0), kAfterRange);
}

TEST_F(PlanetLongitudes, MoonRange) {
    EXPECT_EQ(MoonLongitude(2305447.4999), kBeforeRange);  // day 2305447
    EXPECT_EQ(MoonLongitude(2488069.5), kAfterRange);      // day 2488070
    EXPECT_EQ(MoonLongitude(std::nan("")), kBeforeRange);
    for (double jd : {2305447.5, 2488069.4999}) {
        double longitude = MoonLongitude(jd);
        EXPECT_GE(longitude, 0.0);
        EXPECT_EQ(longitude, moonpos(jd - 2451545.0));
        EXPECT_EQ(PlanetLongitude(kMoon, jd), longitude);
    }
}

// Each code reaches its own body: positions of 2000-01-01 0 h UT to a tenth of a degree from a
// printed ephemeris. Sun and Mercury, the closest pair, stand 9 degrees apart.
TEST_F(PlanetLongitudes, CodesReachTheirBodies) {
    const double degrees[] = {0, 279.9, 271.1, 241.0, 327.6, 25.2, 40.4, 314.8, 303.2};
    for (std::int16_t code = kSun; code <= kNeptune; ++code) {
        double longitude = PlanetLongitude(code, 2451544.5) / kFullCircle * 360;
        EXPECT_NEAR(std::remainder(longitude - degrees[code], 360.0), 0.0, 1.0) << code;
    }
}
