#include "transits/orb_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "calendar/daycount.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "transits/date_limits.h"

namespace meridel {

namespace {

constexpr double kHalfCircle = kFullCircle / 2.0;
constexpr double kHalfHour = 1.0 / 48.0;

// Rounded to 6 decimals, halves to even, as a whole number of millionths.
double Millionths(double x) { return std::nearbyint(x * 1e6); }

// -100 and anything truncating to it is "after the range"; every other no-value is "before".
bool IsAfterRange(double longitude) { return std::trunc(longitude) == -100.0; }

}  // namespace

double SecondBodyLongitude(std::int16_t code, double jd, bool secondBodyMoving, double natalLongitude) {
    // A natal position stands only while it has a value.
    if (!secondBodyMoving && natalLongitude >= 0.0) return natalLongitude;
    return PlanetLongitude(code, jd);
}

double SeparationOf(double longitudeA, double longitudeB) {
    double d1 = longitudeA - longitudeB;
    if (d1 < 0.0) d1 += kFullCircle;
    double d2 = longitudeB - longitudeA;
    if (d2 < 0.0) d2 += kFullCircle;
    return d1 <= d2 ? d1 : d2;
}

double AngularSeparation(double longitudeA, double longitudeB, std::int16_t& direction) {
    const double s = SeparationOf(longitudeA, longitudeB);
    if (Millionths(NormalizeAngle(s + longitudeA)) == Millionths(longitudeB)) {
        direction = -1;
    } else if (Millionths(NormalizeAngle(s + longitudeB)) == Millionths(longitudeA)) {
        direction = 1;
    }
    return s;
}

std::int16_t IsWithinOrb(std::int16_t codeA, std::int16_t codeB, double jd, std::int16_t aspect, double orb,
                         bool secondBodyMoving, double natalLongitudeB, std::int16_t& error) {
    const double lb = SecondBodyLongitude(codeB, jd, secondBodyMoving, natalLongitudeB);
    if (lb < 0.0) error = IsAfterRange(lb) ? kSecondBodyAfterRange : kSecondBodyBeforeRange;
    double la = 0.0;
    if (error == 0) {
        la = PlanetLongitude(codeA, jd);
        if (la < 0.0) error = IsAfterRange(la) ? kFirstBodyAfterRange : kFirstBodyBeforeRange;
    }
    if (error < 0) return 0;
    return std::fabs(SeparationOf(la, lb) - AspectAngle[aspect]) < orb ? 1 : 0;
}

std::int32_t StepToOrbChange(std::int32_t startDay, bool& startState, bool forward, bool targetInOrb,
                             std::int16_t zoneMinutes, std::int16_t codeA, std::int16_t codeB,
                             std::int16_t aspect, double orb, bool secondBodyMoving, double natalLongitudeB,
                             std::int16_t& error, const StepProgress& progress) {
    std::int32_t day = startDay;
    for (;;) {
        const double jd = LocalMidnight(day, zoneMinutes);
        const bool inOrb = IsWithinOrb(codeA, codeB, jd, aspect, orb, secondBodyMoving, natalLongitudeB, error) == 1;
        if (error < 0) return day;
        if (day == startDay) startState = inOrb;
        if (inOrb == targetInOrb) return (forward && targetInOrb) ? day - 1 : day;
        day += forward ? 1 : -1;
        if (progress) progress(day);
    }
}

bool IsRetrograde(std::int16_t code, double longitude, double jd) {
    if (longitude < 0.0 || code == kSun || code == kMoon) return false;
    const double later = PlanetLongitude(code, jd + kHalfHour);
    if (later < 0.0) return false;
    double motion = later - longitude;
    if (SiderealZodiac) {
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

bool IsRetrogradeAt(std::int16_t code, double jd) {
    if (code == kSun || code == kMoon) return false;
    return IsRetrograde(code, PlanetLongitude(code, jd), jd);
}

std::int16_t DeviationTrend(double jd, std::int16_t codeA, std::int16_t codeB, std::int16_t aspect,
                            double deviation, bool secondBodyMoving, double natalLongitudeB) {
    const double later = jd + kHalfHour;
    const double la = PlanetLongitude(codeA, later);
    const double lb = SecondBodyLongitude(codeB, later, secondBodyMoving, natalLongitudeB);
    if (la < 0.0 || lb < 0.0) return 0;
    const double d2 = std::fabs(SeparationOf(la, lb) - AspectAngle[aspect]);
    if (d2 > deviation) return 1;
    if (d2 < deviation) return -1;
    return 0;
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

std::string DayFractionToTimeText(double fraction) {
    if (fraction < 0.0 || fraction >= 1.0) return "";
    const int t = static_cast<int>(fraction * 86400.0);
    const int ss = t % 60;
    int mm = (t / 60) % 60;
    int hh = t / 3600;
    if (ss >= 30) ++mm;
    CarryRoundedMinute(hh, mm, 23);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", hh, mm);
    return text;
}

}  // namespace meridel
