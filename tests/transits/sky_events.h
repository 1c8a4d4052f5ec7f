// What the sky did, found by the tests on their own: for a pair of bodies over a period, every
// crossing of an orb's edge, every exact hit and every smallest approach of each aspect, by
// continuous root finding and minimisation on the ephemeris. Nothing here asks the scan engine,
// and Pluto comes from the ephemeris itself, never from the program's table. The planets and the
// Moon come from the position store, which the store's own tests hold to direct calls; with
// MERIDEL_SKY_CHECK_DIRECT set, from direct calls too.
#pragma once

#include <swephexp.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/date_text.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/names.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/sky.h"

namespace meridel::skycheck {

constexpr double kDegree = 6.28318530717959 / 360.0;
constexpr double kMinute = 1.0 / 1440;      // of a day
constexpr double kHitLimit = 0.000291;      // radians: below it a smallest approach is an exact hit
// A smallest approach this close to the limit may be listed as a hit or not: the program takes
// Pluto from its table, which may differ from the ephemeris by a few thousandths of a second.
constexpr double kHitLimitMargin = 1e-7;

inline std::int32_t Day(int y, int m, int d) {
    EuroDate e{y, m, d, kGregorianCalendar, 0, 0};
    return DayNumberFromDate(e);
}
// A listed date, "Y-MM-DD" with a year of 1 to 4 digits, and maybe a mark after it.
inline std::int32_t DayOf(const std::string& date) {
    const std::size_t dash = date.find('-');
    return Day(std::stoi(date.substr(0, dash)), std::stoi(date.substr(dash + 1, 2)), std::stoi(date.substr(dash + 4, 2)));
}
inline std::string Date(std::int32_t day) { return ShortDateText(day, 2, "-", ",", false); }
// Reduced to (-pi, pi].
inline double Signed(double x) {
    x = std::remainder(x, 360 * kDegree);
    return x <= -180 * kDegree ? x + 360 * kDegree : x;
}

// The check's sky, tropical or sidereal.
inline const Sky& CheckSky(bool sidereal) {
    static const Sky tropical =
        InstalledSky(std::getenv("MERIDEL_SKY_CHECK_DIRECT") ? PositionSource::Direct : PositionSource::Store);
    static const Sky siderealSky = tropical.InZodiac(true);
    return sidereal ? siderealSky : tropical;
}

// A body's longitude in the sky: the planets and the Moon from the check's sky, Pluto from the
// ephemeris within the table's range (the store's series of the library's Pluto, or a direct call
// where there is none), both with the sidereal correction when asked. Negative where the program
// has no value.
inline double SkyLongitude(std::int16_t code, double t, bool sidereal = false) {
    if (code != kPluto) return CheckSky(sidereal).PlanetLongitude(code, t);
    const double day = std::floor(t + 0.5);
    if (!(day >= kMoonPlutoFirstDay)) return kBeforeRange;
    if (day > kMoonPlutoLastDay) return kAfterRange;
    static const BodySeries* const pluto =
        CheckSky(false).Source() == PositionSource::Store ? CheckSky(false).Store().Series(kPluto) : nullptr;
    const double longitude = pluto && pluto->Covers(t) ? pluto->Longitude(t) : apparent_longitude(SE_PLUTO, t, nullptr);
    return sidereal ? NormalizeAngle(longitude - SiderealCorrection(YearOfDayNumber(t))) : longitude;
}

// One run: the pair, its local days start..end (the start the listing's heading shows) and zone.
struct Case {
    std::int16_t moving, second;
    bool world;
    std::int32_t start, end;
    int zone = 0;  // minutes east of Greenwich
    std::string zoneText = "GMT";
    std::array<std::int16_t, 3> orbs{10, 5, 2};
    double natal = -1;  // Personal: the natal longitude of `second` (from SkyLongitude)
    bool marks = true;  // false: no date may carry an "r"
    bool sidereal = false;

    double Midnight(std::int32_t day) const { return day - 0.5 - zone / 1440.0; }
    std::int32_t LocalDay(double t) const { return static_cast<std::int32_t>(std::floor(t + 0.5 + zone / 1440.0)); }
    double Longitude(std::int16_t code, double t) const { return SkyLongitude(code, t, sidereal); }
    bool HasValue(double t) const { return Longitude(moving, t) >= 0 && (!world || Longitude(second, t) >= 0); }
    double Difference(double t) const { return Signed(Longitude(moving, t) - (world ? Longitude(second, t) : natal)); }
    double Deviation(int aspect, double t) const { return std::fabs(std::fabs(Difference(t)) - AspectAngle[aspect]); }
};

struct Crossing {
    int aspect, orb;
    double moment;
    bool inward;
};
struct Approach {  // a smallest approach of an aspect: an exact hit when below kHitLimit
    int aspect;
    double moment, deviation;
};

struct SkyEvents {
    std::vector<Crossing> crossings;
    std::vector<Approach> approaches;  // every local minimum of a deviation within the outer orb
};

template <class F>
double Root(F f, double a, double b) {
    const bool negativeAtA = f(a) < 0;
    for (int i = 0; i < 40; ++i) ((f((a + b) / 2) < 0) == negativeAtA ? a : b) = (a + b) / 2;
    return (a + b) / 2;
}

// The lowest point of f on [a, b], by golden sections.
template <class F>
double Lowest(F f, double a, double b) {
    const double g = 0.381966011250105;
    double x = a + g * (b - a), y = b - g * (b - a), fx = f(x), fy = f(y);
    for (int i = 0; i < 60; ++i) {
        if (fx < fy) {
            b = y, y = x, fy = fx, x = a + g * (b - a), fx = f(x);
        } else {
            a = x, x = y, fx = fy, y = b - g * (b - a), fy = f(y);
        }
    }
    return (a + b) / 2;
}

// The events between the local midnight starting c.start and the one ending c.end, from samples
// every `step` days refined where they change: an orb edge where the deviation passes it, an
// exact hit where the pair passes the aspect's angle on either side, and every turn of the pair's
// distance from that angle (a second passage inside a sample step is seen as a turn that dips
// past the angle).
inline SkyEvents FindSkyEvents(const Case& c, double step = 1.0 / 24) {
    const double from = c.Midnight(c.start), to = c.Midnight(c.end + 1);
    std::vector<double> t, diff;
    for (double x = from - 2 * step; x < to + 2 * step; x += step) {
        if (!c.HasValue(x)) continue;
        t.push_back(x);
        diff.push_back(c.Difference(x));
    }
    SkyEvents events;
    auto inPeriod = [&](double x) { return x >= from && x < to; };
    for (int a = 1; a <= 5; ++a) {
        const double angle = AspectAngle[a];
        auto deviation = [&](double x) { return c.Deviation(a, x); };
        for (std::size_t i = 1; i < t.size(); ++i) {
            const double d0 = std::fabs(std::fabs(diff[i - 1]) - angle), d1 = std::fabs(std::fabs(diff[i]) - angle);
            for (int o = 0; o < 3; ++o) {
                const double orb = c.orbs[o] * kDegree;
                if ((d0 < orb) == (d1 < orb) || t[i] - t[i - 1] > 1.5 * step) continue;
                const double at = Root([&](double x) { return deviation(x) - orb; }, t[i - 1], t[i]);
                if (inPeriod(at)) events.crossings.push_back({a, o, at, d1 < orb});
            }
        }
        for (double aim : {angle, -angle}) {
            auto h = [&](double x) { return Signed(c.Difference(x) - aim); };
            auto sampled = [&](std::size_t i) { return Signed(diff[i] - aim); };
            auto keep = [&](double at) {
                if (inPeriod(at)) events.approaches.push_back({a, at, std::fabs(h(at))});
            };
            auto passage = [&](double x0, double x1) { keep(Root(h, x0, x1)); };
            for (std::size_t i = 1; i < t.size(); ++i) {
                const double h0 = sampled(i - 1), h1 = sampled(i);
                if (std::fabs(h1 - h0) > 1 || t[i] - t[i - 1] > 1.5 * step) continue;
                if ((h0 < 0) != (h1 < 0)) passage(t[i - 1], t[i]);
                if (i + 1 == t.size() || t[i + 1] - t[i] > 1.5 * step) continue;
                const double h2 = sampled(i + 1);
                // A turn towards the angle and away again, on one side of it.
                if ((h0 < 0) != (h1 < 0) || (h1 < 0) != (h2 < 0)) continue;
                if (!(std::fabs(h1) <= std::fabs(h0) && std::fabs(h1) < std::fabs(h2))) continue;
                if (std::fabs(h1) > c.orbs[0] * kDegree) continue;
                const double side = h1 < 0 ? -1 : 1;
                const double at = Lowest([&](double x) { return side * h(x); }, t[i - 1], t[i + 1]);
                if (side * h(at) < 0) {  // it dipped past the angle and back within the samples
                    passage(t[i - 1], at);
                    passage(at, t[i + 1]);
                } else {
                    keep(at);
                }
            }
            if (angle == 0 || angle > 3) break;  // conjunction and opposition have one angle
        }
    }
    return events;
}

}  // namespace meridel::skycheck
