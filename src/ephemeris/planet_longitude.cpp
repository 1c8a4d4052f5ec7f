#include "ephemeris/planet_longitude.h"

#include <cmath>

#include "calendar/daycount.h"
#include "ephemeris/ephemlon.h"

namespace meridel {

double DirectLongitude(std::int16_t code, double jd) {
    if (code == kMoon) return MoonLongitude(jd);
    // The planet library numbers Mercury 1, Venus 2 and asks for the Sun as the Earth, 3.
    std::int32_t number = code;
    if (code == kSun) number = 3;
    else if (code == kMercury) number = 1;
    else if (code == kVenus) number = 2;
    double rv = 0.0;
    return gc_app_long_rv_planet(number, jd, &rv);
}

double NormalizeAngle(double x) {
    if (!std::isfinite(x)) return x;  // the loops below would never end
    if (std::fabs(x) > 1e12) x = std::fmod(x, kFullCircle);  // nor would they for a vast angle
    while (x < 0.0) x += kFullCircle;
    while (x >= kFullCircle) x -= kFullCircle;
    return x;
}

std::int32_t YearOfDayNumber(double jd) {
    std::int32_t year = 0, month = 0, day = 0, unused = 0;
    juldat(jd, "A", year, month, day, unused);
    return year;
}

double MoonLongitude(double jd) {
    double day = std::floor(jd + 0.5);
    if (!(day >= kMoonPlutoFirstDay)) return kBeforeRange;  // NaN included
    if (day > kMoonPlutoLastDay) return kAfterRange;
    return moonpos(jd - 2451545.0);
}

double SiderealCorrection(std::int32_t year) { return 0.416314 + (year - 2000) * 243.8 / 1000000; }

}  // namespace meridel
