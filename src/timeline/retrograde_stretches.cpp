#include "timeline/retrograde_stretches.h"

#include <algorithm>

#include "ephemeris/planet_longitude.h"
#include "transits/orb_geometry.h"

namespace meridel {

namespace {

// No planet stays retrograde or direct for less than three weeks (Mercury's shortest retrograde
// is about three weeks): looked at every four days, no stretch is missed.
constexpr double kLookStep = 4.0;
constexpr double kMinute = 1.0 / 1440.0;

// The moment between a and b where the test changes from `atA`, to a minute.
double StationBetween(const Sky& sky, std::int16_t code, double a, double b, bool atA) {
    while (b - a > kMinute) {
        const double middle = (a + b) / 2;
        if (IsRetrogradeAt(sky, code, middle) == atA) {
            a = middle;
        } else {
            b = middle;
        }
    }
    return (a + b) / 2;
}

}  // namespace

std::vector<TimeSpan> RetrogradeStretches(const Sky& sky, std::int16_t code, double from, double to) {
    std::vector<TimeSpan> stretches;
    if (code == kSun || code == kMoon || to <= from) return stretches;
    bool retrograde = IsRetrogradeAt(sky, code, from);
    if (retrograde) stretches.push_back({from, to, true, true});
    for (double a = from; a < to;) {
        const double b = std::min(a + kLookStep, to);
        const bool atB = IsRetrogradeAt(sky, code, b);
        if (atB != retrograde) {
            const double station = StationBetween(sky, code, a, b, retrograde);
            if (atB) {
                stretches.push_back({station, to, false, true});
            } else {
                stretches.back().end = station;
                stretches.back().openEnd = false;
            }
            retrograde = atB;
        }
        a = b;
    }
    return stretches;
}

}  // namespace meridel
