// PlanetLongitude: the one way the program obtains a position.
#pragma once

#include <cstdint>

namespace meridel {

// Every reduction and degree/radian conversion uses this value of 2pi.
inline constexpr double kFullCircle = 6.28318530717959;

// Planet codes.
enum PlanetCode : std::int16_t {
    kEarth = 0, kSun = 1, kMercury = 2, kVenus = 3, kMars = 4, kJupiter = 5,
    kSaturn = 6, kUranus = 7, kNeptune = 8, kPluto = 9, kMoon = 10
};

// Range of the Moon and of Pluto, as day numbers floor(jd + 0.5): 1600-01-01 to 2099-12-31.
inline constexpr std::int32_t kMoonPlutoFirstDay = 2305448;
inline constexpr std::int32_t kMoonPlutoLastDay = 2488069;

// True: longitudes are sidereal. Each request sets it before computing anything.
extern bool SiderealZodiac;
// 3.14159265358979, set at start-up; the retrograde test uses it.
extern double Pi;

// Longitude of body `code` at moment jd (UT), radians [0, 2pi), tropical or sidereal by
// SiderealZodiac; or -99 (before the source's range) / -100 (after it), never corrected.
// Sources: the planet library for 1..8, the Pluto table for 9 (-99 while no table is loaded),
// the Moon for 10. Code 0 (Earth) has no position. No allocation, no file access.
double PlanetLongitude(std::int16_t code, double jd);
// Reduces x to [0, 2pi) by whole turns of 6.28318530717959. NaN and infinities come back unchanged.
double NormalizeAngle(double x);
// Calendar year of moment jd.
std::int32_t YearOfDayNumber(double jd);
// The Moon's longitude at moment jd (UT), radians [0, 2pi); -99 / -100 when floor(jd + 0.5)
// lies before / after kMoonPlutoFirstDay .. kMoonPlutoLastDay.
double MoonLongitude(double jd);
// Sidereal correction (ayanamsa) of a calendar year, radians: 0.416314 + (year - 2000) * 243.8e-6.
double SiderealCorrection(std::int32_t year);

}  // namespace meridel
