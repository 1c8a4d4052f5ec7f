#include "transits/orb_geometry.h"

#include <algorithm>
#include <cmath>

#include "calendar/daycount.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"

namespace meridel {

namespace {

constexpr double kHalfCircle = kFullCircle / 2.0;
constexpr double kHalfHour = 1.0 / 48.0;

}  // namespace

double SeparationOf(double longitudeA, double longitudeB) {
    double d1 = longitudeA - longitudeB;
    if (d1 < 0.0) d1 += kFullCircle;
    double d2 = longitudeB - longitudeA;
    if (d2 < 0.0) d2 += kFullCircle;
    return d1 <= d2 ? d1 : d2;
}

bool IsRetrograde(const Sky& sky, std::int16_t code, double longitude, double jd) {
    if (longitude < 0.0 || code == kSun || code == kMoon) return false;
    const double later = sky.PlanetLongitude(code, jd + kHalfHour);
    if (later < 0.0) return false;
    double motion = later - longitude;
    if (sky.SiderealZodiac()) {
        // The correction is constant within a calendar year and steps at 1 January: put the
        // step back so that only the planet's own motion is compared.
        const std::int32_t year = YearOfDayNumber(jd);
        const std::int32_t laterYear = YearOfDayNumber(jd + kHalfHour);
        if (year != laterYear) motion += SiderealCorrection(laterYear) - SiderealCorrection(year);
    }
    // A forward or backward crossing of 0 degrees shows as a jump of almost a full circle.
    while (motion > kHalfCircle) motion -= kFullCircle;
    while (motion <= -kHalfCircle) motion += kFullCircle;
    return motion < 0.0;
}

bool IsRetrogradeAt(const Sky& sky, std::int16_t code, double jd) {
    if (code == kSun || code == kMoon) return false;
    return IsRetrograde(sky, code, sky.PlanetLongitude(code, jd), jd);
}

double MaxLongitudeSpeed(std::int16_t code) {
    // Degrees per day, at least a sixth above the fastest daily motion from 1600 to 2100.
    static constexpr double kDegreesPerDay[11] = {0.0, 1.25, 2.6, 1.6, 1.0, 0.3, 0.16, 0.09, 0.06, 0.08, 18.0};
    if (code < 0 || code > 10) return 0.0;
    return kDegreesPerDay[code] / 360.0 * kFullCircle;
}

namespace {

constexpr double kArcSecond = kFullCircle / 360 / 3600;
constexpr double kDegreeOfArc = kFullCircle / 360;

}  // namespace

double LightBendingSwing(double elongation) {
    const double degrees = elongation / kDegreeOfArc;
    return std::max(0.01, std::min(10.0, 1.0 / degrees)) * kArcSecond;
}

double LightBendingSpeed(double elongation) {
    const double degrees = elongation / kDegreeOfArc;
    return std::min(180.0, 1.5 / (degrees * degrees)) * kArcSecond;
}

double LightBendingSwing() { return LightBendingSwing(0.0); }

double MaxLongitudeAcceleration(std::int16_t code) {
    // Degrees per day per day, half again the largest from 1600 to 2100 (the Moon's is generous).
    static constexpr double kDegreesPerDaySquared[11] = {0.0,   0.001, 0.3,    0.065, 0.025, 0.006,
                                                         0.003, 0.0015, 0.001, 0.001, 0.6};
    if (code < 0 || code > 10) return 0.0;
    return kDegreesPerDaySquared[code] / 360.0 * kFullCircle;
}

namespace {

// A minute rounded up to 60 carries into the unit above, except at the last unit (359° or
// 23 h), which keeps 59 so the text never reaches the next circle or day.
void CarryRoundedMinute(int& whole, int& minute, int lastWhole) {
    if (minute != 60) return;
    if (whole == lastWhole) {
        minute = 59;
    } else {
        ++whole;
        minute = 0;
    }
}

}  // namespace

std::string AngleToDegMinText(double angle) {
    if (angle < 0.0 || angle > kFullCircle) return "";
    const double degrees = angle / kFullCircle * 360.0;
    int d = static_cast<int>(std::floor(degrees + 0.00001));
    int m = static_cast<int>(std::nearbyint((degrees - d) * 60.0));
    CarryRoundedMinute(d, m, 359);
    return std::to_string(d) + "\xC2\xB0" + std::to_string(m) + "'";
}

}  // namespace meridel
