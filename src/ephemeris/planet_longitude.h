// Planet codes, the full circle, and the parts of a longitude that depend on nothing but the
// moment: the library's own answer (a direct call), the reduction of an angle, the calendar year
// and the sidereal correction. Sky::PlanetLongitude (sky.h) is the one way the program obtains a
// position; it builds on these.
#pragma once

#include <cstdint>

namespace meridel {

// Every reduction and degree/radian conversion uses this value of 2pi.
inline constexpr double kFullCircle = 6.28318530717959;
// The retrograde test's half circle.
inline constexpr double Pi = 3.14159265358979;

// Planet codes.
enum PlanetCode : std::int16_t {
    kEarth = 0, kSun = 1, kMercury = 2, kVenus = 3, kMars = 4, kJupiter = 5,
    kSaturn = 6, kUranus = 7, kNeptune = 8, kPluto = 9, kMoon = 10
};

// Range of the Moon and of Pluto, as day numbers floor(jd + 0.5): 1600-01-01 to 2099-12-31.
inline constexpr std::int32_t kMoonPlutoFirstDay = 2305448;
inline constexpr std::int32_t kMoonPlutoLastDay = 2488069;

// The tropical longitude of a body the library computes (codes 1 to 8, and 10 the Moon) at moment
// jd (UT), radians [0, 2pi), straight from the library; -99 / -100 outside the body's range.
// Any other code: a no-value result (-99 before 2000-01-01, -100 after).
double DirectLongitude(std::int16_t code, double jd);
// Reduces x to [0, 2pi) by whole turns of 6.28318530717959. NaN and infinities come back unchanged.
double NormalizeAngle(double x);
// Calendar year of moment jd.
std::int32_t YearOfDayNumber(double jd);
// The Moon's longitude at moment jd (UT) from the library, radians [0, 2pi); -99 / -100 when
// floor(jd + 0.5) lies before / after kMoonPlutoFirstDay .. kMoonPlutoLastDay.
double MoonLongitude(double jd);
// Sidereal correction (ayanamsa) of a calendar year, radians: 0.416314 + (year - 2000) * 243.8e-6.
double SiderealCorrection(std::int32_t year);

}  // namespace meridel
