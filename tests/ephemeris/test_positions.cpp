// Positions against values published independently of the ephemeris library, the library's
// coverage of the planet range, dispatch by planet code and the sidereal correction.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"

using namespace meridel;

namespace {

// Signed difference a - b in degrees, reduced to [-180, 180].
double angleDifference(double a, double b) { return std::remainder(a - b, 360.0); }

// UT moment of a Terrestrial Time moment, with the library's Delta T (taken at UT itself).
double universalTime(double tt) {
    char serr[AS_MAXCH];
    double ut = tt - swe_deltat_ex(tt, SEFLG_SWIEPH, serr);
    return tt - swe_deltat_ex(ut, SEFLG_SWIEPH, serr);
}

double utOf(int year, int month, int day, double hours) { return swe_julday(year, month, day, hours, SE_GREG_CAL); }

double degreesOf(std::int16_t code, double ut) {
    SiderealZodiac = false;
    double longitude = PlanetLongitude(code, ut);
    EXPECT_GE(longitude, 0.0) << "code " << code << " at " << ut;
    return longitude / kFullCircle * 360.0;
}

void expectWithin(const char* what, double errorDegrees, double toleranceDegrees) {
    std::printf("%-28s error %+7.3f\"\n", what, errorDegrees * 3600.0);
    EXPECT_LE(std::fabs(errorDegrees), toleranceDegrees) << what;
}

}  // namespace

// Apparent geocentric longitudes at 0 h TT from the worked examples of Meeus, Astronomical
// Algorithms (2nd ed.): 25.b (Sun, full VSOP87), 33.a (Venus), 47.a (Moon, truncated ELP-2000).
TEST(Positions, WorkedExamples) {
    expectWithin("Sun 1992-10-13", angleDifference(degreesOf(kSun, universalTime(2448908.5)), 199.90599), 0.0005);
    expectWithin("Venus 1992-12-20", angleDifference(degreesOf(kVenus, universalTime(2448976.5)), 313.0815), 0.0005);
    expectWithin("Moon 1992-04-12", angleDifference(degreesOf(kMoon, universalTime(2448724.5)), 133.1673), 3.0 / 3600);
}

// Moments at which a longitude or a difference of longitudes is known. Tolerances allow for the
// rounding of the published times.
TEST(Positions, PublishedEvents) {
    // June solstice 1962, JDE 2437837.39245, and new moon 1977-02-18 3h37m40s TT (Meeus,
    // examples 27.a and 49.a, the corrected instants).
    expectWithin("June solstice 1962", angleDifference(degreesOf(kSun, universalTime(2437837.39245)), 90), 0.0005);
    double ut = universalTime(utOf(1977, 2, 18, 3 + 37 / 60.0 + 40 / 3600.0));
    expectWithin("New moon 1977-02-18", angleDifference(degreesOf(kMoon, ut), degreesOf(kSun, ut)), 0.0005);
    // USNO, to the minute: March equinox 2024-03-20 03:06 UT; the great conjunction of Jupiter
    // and Saturn in longitude, 2020-12-21 18:20 UT.
    expectWithin("March equinox 2024", angleDifference(degreesOf(kSun, utOf(2024, 3, 20, 3.1)), 0), 0.0005);
    ut = utOf(2020, 12, 21, 18 + 20 / 60.0);
    expectWithin("Jupiter-Saturn 2020-12-21", angleDifference(degreesOf(kJupiter, ut), degreesOf(kSaturn, ut)), 0.0005);
}

// Each code reaches its own body: positions of 2000-01-01 0 h UT to a tenth of a degree from a
// printed ephemeris. Sun and Mercury, the closest pair, stand 9 degrees apart.
TEST(Positions, CodesReachTheirBodies) {
    const double degrees[] = {0, 279.9, 271.1, 241.0, 327.6, 25.2, 40.4, 314.8, 303.2};
    for (std::int16_t code = kSun; code <= kNeptune; ++code) {
        EXPECT_NEAR(angleDifference(degreesOf(code, 2451544.5), degrees[code]), 0.0, 1.0) << code;
    }
}

// Without the JPL-based files the library falls back silently to its analytic theory; every
// body must come from the files over the whole planet range.
TEST(Ephemeris, JplFilesServeEveryBodyOverTheRange) {
    set_datafiles_folder("/nonexistent/");  // searched first, then the system folder
    int samples = 0;
    // True when the files served the position; only the first failure is reported.
    auto served = [&](std::int32_t body, double longitude, double jd) {
        std::int32_t flags = last_ephemeris_flags();
        bool ok = longitude >= 0.0 && longitude < kFullCircle && (flags & SEFLG_SWIEPH) && !(flags & SEFLG_MOSEPH);
        EXPECT_TRUE(ok) << "body " << body << " at " << jd << ": " << longitude << ", flags " << flags;
        ++samples;
        return ok;
    };
    auto sweep = [&] {
        const double first = kPlanetLibraryFirstDay - 0.5, last = kPlanetLibraryLastDay + 0.4999;
        for (double jd = first;; jd = std::fmin(jd + 997.3, last)) {
            for (std::int32_t planet = 1; planet <= 8; ++planet)
                if (!served(planet, gc_app_long_rv_planet(planet, jd, 0, nullptr), jd)) return;
            if (!served(SE_MOON, moonpos(jd - 2451545.0), jd)) return;
            if (!served(SE_PLUTO, apparent_longitude(SE_PLUTO, jd, nullptr), jd)) return;
            if (jd == last) return;
        }
    };
    sweep();
    set_datafiles_folder("");
    EXPECT_GT(samples, 10000);
}

// The edges of the planet and Moon ranges; NaN moments and calls the library refuses are no
// value (-99 before, -100 after), never a number.
TEST(Ephemeris, RangesAndFailures) {
    // Inside the edges the files serve every body (JplFilesServeEveryBodyOverTheRange).
    EXPECT_EQ(gc_app_long_rv_planet(1, 1721424.4999, 0, nullptr), kBeforeRange);
    EXPECT_EQ(gc_app_long_rv_planet(8, 2743739.5, 2800, nullptr), kAfterRange);
    EXPECT_EQ(gc_app_long_rv_planet(3, std::nan(""), 2000, nullptr), kBeforeRange);
    EXPECT_EQ(apparent_longitude(-7, 2451000.0, nullptr), kBeforeRange);
    EXPECT_EQ(apparent_longitude(-7, 2452000.0, nullptr), kAfterRange);
    EXPECT_EQ(MoonLongitude(2305447.4999), kBeforeRange);  // day 2305447
    EXPECT_GE(PlanetLongitude(kMoon, 2305447.5), 0.0);
    EXPECT_GE(PlanetLongitude(kMoon, 2488069.4999), 0.0);
    EXPECT_EQ(MoonLongitude(2488069.5), kAfterRange);  // day 2488070
    EXPECT_EQ(MoonLongitude(std::nan("")), kBeforeRange);
    EXPECT_EQ(moonpos(std::nan("")), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kMars, 1721424.0), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kNeptune, 2743740.0), kAfterRange);
}

// The correction is that of the calendar year of the moment (UT), so it steps at 1 January 0 h;
// a no-value result is never corrected.
TEST(Ephemeris, SiderealLongitudes) {
    EXPECT_DOUBLE_EQ(SiderealCorrection(2000), 0.416314);
    EXPECT_DOUBLE_EQ(SiderealCorrection(1999), 0.4160702);
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
    SiderealZodiac = false;
}
