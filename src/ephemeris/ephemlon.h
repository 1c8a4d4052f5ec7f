// Planet and Moon position library: a thin layer over the Swiss Ephemeris. Longitudes are
// apparent geocentric ecliptic longitudes, true equinox of date, in radians [0, 2pi), for
// moments given as Julian day numbers with fraction in UNIVERSAL time (the library applies
// Delta T). The JPL-based files of the system's ephemeris folder are used; a file in the
// folder given to set_datafiles_folder is preferred. Should the files be missing, the library
// falls back to its analytic theory (see last_ephemeris_flags).
#pragma once

#include <cstdint>
#include <string>

namespace meridel {

// Range of the planet library, as day numbers floor(jd + 0.5): 31 December 1 BCE to 1 January 2800.
inline constexpr std::int32_t kPlanetLibraryFirstDay = 1721425;
inline constexpr std::int32_t kPlanetLibraryLastDay = 2743739;

// No-value results: the moment lies before (-99) or after (-100) the source's range.
inline constexpr double kBeforeRange = -99.0;
inline constexpr double kAfterRange = -100.0;

// Tells the library which folder (ending in the path separator) to search first for its files;
// the system's ephemeris folder is searched after it. Until the first call only the system's
// folder is searched. The environment variable SE_EPHE_PATH, when set, overrides both. The
// library keeps its state per thread: every thread that computes a position takes the latest
// folder given here before its first call and after each change.
void set_datafiles_folder(const std::string& folder);

// The library's number of a body by planet code (the Sun 0, the Moon 1, Mercury 2 .. Pluto 9);
// -1 for Earth. (The program takes Pluto from its table, the tests' sky check from the library.)
std::int32_t LibraryBodyOf(std::int16_t planetCode);

// The library's version, as it names itself ("2.10.03"); text must hold 256 characters.
const char* LibraryVersionText(char* text);

// Apparent geocentric longitude of Swiss Ephemeris body `body` (SE_SUN, SE_MOON, SE_PLUTO, ...)
// at moment jd (UT), radians [0, 2pi), with no range check of its own. *rv, when rv is not null,
// receives the distance in AU. An error or a non-finite value from the library gives a no-value
// result: -99 for moments before 2000-01-01, else -100.
double apparent_longitude(std::int32_t body, double jd, double* rv);

// Longitude of a planet in the library's numbering (1 Mercury, 2 Venus, 3 Earth = asked for
// the Sun, 4 Mars .. 8 Neptune) at moment jd (UT). *rv, when rv is not null, receives the radius
// vector in AU. Returns -99 / -100 outside the range above; an error or a non-finite value
// from the ephemeris also gives a no-value result (-99 for moments before 2000-01-01, else -100).
double gc_app_long_rv_planet(std::int32_t planet, double jd, double* rv);

// The Moon's longitude at t = jd - 2451545.0 days (jd in UT), radians [0, 2pi). Callers keep t
// within the Moon's range (see MoonLongitude); an error gives a no-value result as above.
double moonpos(double t);

// Kinds of eclipse, as the library names them at greatest eclipse.
enum class EclipseType { Total, Annular, Hybrid, Partial, Penumbral };
struct LibraryEclipse {
    bool found = false;
    double greatest = 0;  // moment of greatest eclipse, UT
    EclipseType type = EclipseType::Partial;
};
// The first solar (anywhere on Earth) or lunar eclipse whose greatest phase comes after moment jd
// (UT), by the library's own eclipse search with the files positions use; found is false when
// the library has no answer there.
LibraryEclipse NextSolarEclipse(double jd);
LibraryEclipse NextLunarEclipse(double jd);

// The flags every position of this layer is computed with.
std::int32_t PositionFlags();

// The Swiss Ephemeris flags returned by the latest position call of this layer in this thread:
// they tell which ephemeris served it (SEFLG_SWIEPH for the JPL-based files, SEFLG_MOSEPH for the
// fallback).
std::int32_t last_ephemeris_flags();

}  // namespace meridel
