// Exact hits and the smallest deviation of a pass, to the minute, from the scan's own samples.
//
// An exact hit is a local minimum of the pair's deviation from an aspect below about one minute
// of arc (kExactHitLimit), taken on the grid of whole minutes of universal time. The scan asks,
// day by day, which hits lie between the day's two local midnights, knowing the pair at both;
// the search looks at the aim of the aspect (its angle on one side or the other) as a signed
// distance h(t), which changes sign wherever the pair passes exact.
//
// Most days are settled by the two midnights alone: far from exact no hit fits in a day, and a
// pair that moves steadily crosses the aim at most once, exactly where h changes sign. Only near
// a station (or where Pluto's or a planet's light passes close to the Sun, or the sidereal
// correction steps at New Year) can h turn within the day; such a day is searched minute by
// minute wherever bounds on its curvature leave room for a hit.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace meridel {

// About one minute of arc, radians: a deviation below it is an exact hit.
inline constexpr double kExactHitLimit = 0.000291;

// A value of the pair at the moment `minute` whole minutes after a grid start (a 0 h UT): here the
// signed distance h from an aim, radians in (-pi, pi], or the deviation; NaN where a body has no
// position.
using MinuteCurve = std::function<double(std::int32_t minute)>;

// How far h can stray from a straight line within the day.
struct CurveBounds {
    double curvature = 0;  // |h''| at most, radians per day per day
    double wobble = 0;     // beyond that, h may stray this far from a smooth curve (radians)
    double speedWobble = 0;  // and turn by this much of its speed (radians per day)
    bool jumps = false;    // h may step within the day (the sidereal correction's new year)
};

struct MinuteHit {
    std::int32_t minute;  // after the grid start
    double deviation;     // |h| there, radians
};

// Whether a day with h0 and h1 at its midnights can hold an exact hit at all.
bool HitPossible(double h0, double h1, const CurveBounds& bounds);

// The exact hits between minute `first` (the day's opening midnight, where h is h0) and
// `first` + 1440 (the next midnight, h1), in time order. A crossing of the aim belongs to the day
// it happens in: its minute is that of the two whole minutes around it where |h| is smaller, but
// never the next day's midnight. A turn of h that comes within the limit without crossing is a
// hit at its smallest whole minute.
std::vector<MinuteHit> ExactHitsOfDay(const MinuteCurve& h, std::int32_t first, double h0, double h1,
                                      const CurveBounds& bounds);

// The whole minute in first..last where `deviation` (>= 0) is smallest, with its value, by a
// golden-section search from `middle`, where it is atMiddle and no larger than at either end.
MinuteHit SmallestDeviation(const MinuteCurve& deviation, std::int32_t first, std::int32_t middle, std::int32_t last,
                            double atMiddle);

}  // namespace meridel
