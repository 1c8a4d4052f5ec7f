#include "forecast/sky_events.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/planet_longitude.h"
#include "transits/orb_geometry.h"

namespace meridel {

namespace {

constexpr double kSampleStep = 1.0;  // days: no planet stations twice, nor the Moon passes 15 degrees, in a day
constexpr double kSignWidth = kFullCircle / 12;
constexpr int kHalvings = 32;        // a day halved 32 times: a fiftieth of a millisecond

// Reduced to (-pi, pi].
double Signed(double x) {
    x = std::remainder(x, kFullCircle);
    return x <= -Pi ? x + kFullCircle : x;
}

// The moment in [a, b] where f changes sign (f(a) and f(b) on either side of zero).
template <class F>
double Root(const F& f, double a, double b) {
    const bool negativeAtA = f(a) < 0;
    for (int i = 0; i < kHalvings; ++i) {
        const double middle = (a + b) / 2;
        ((f(middle) < 0) == negativeAtA ? a : b) = middle;
    }
    return (a + b) / 2;
}

// A moment rounded to the whole minute of universal time.
double ToMinute(double moment) { return std::nearbyint((moment + 0.5) * 1440.0) / 1440.0 - 0.5; }

// The sample moments around [from, to]: the Greenwich midnights from the one before `from` to
// the one after `to`. Whatever the period, an event is found between the same two samples, so
// any period that holds it finds it at the same minute.
std::vector<double> Samples(double from, double to) {
    std::vector<double> t;
    const double first = std::floor(from + 0.5) - 0.5, last = std::ceil(to + 0.5) - 0.5;
    for (double x = first; x <= last; x += kSampleStep) t.push_back(x);
    return t;
}

// Unrounded station moments of a body: where its rate changes sign between samples.
std::vector<std::pair<double, bool>> TurningPoints(const Sky& sky, std::int16_t body, double from, double to) {
    std::vector<std::pair<double, bool>> turns;
    if (body == kSun || body == kMoon) return turns;
    const auto rate = [&](double t) { return sky.LongitudeWithRate(body, t).rate; };
    const std::vector<double> t = Samples(from, to);
    LongitudeAndRate before{-1, 0};
    for (std::size_t i = 0; i < t.size(); ++i) {
        const LongitudeAndRate now = sky.LongitudeWithRate(body, t[i]);
        if (i > 0 && before.longitude >= 0 && now.longitude >= 0 && (before.rate < 0) != (now.rate < 0)) {
            turns.emplace_back(Root(rate, t[i - 1], t[i]), before.rate >= 0);
        }
        before = now;
    }
    return turns;
}

}  // namespace

std::vector<Station> FindStations(const Sky& sky, std::int16_t body, double from, double to) {
    std::vector<Station> stations;
    for (const auto& [moment, retrograde] : TurningPoints(sky, body, from, to)) {
        const double minute = ToMinute(moment);
        if (minute < from || minute >= to) continue;
        stations.push_back({body, retrograde, minute, sky.PlanetLongitude(body, moment)});
    }
    return stations;
}

std::vector<Ingress> FindIngresses(const Sky& sky, std::int16_t body, double from, double to) {
    // Between two samples, and between a sample and a station, the planet moves one way only and
    // less than a sign: a change of sign there is one crossing.
    std::vector<double> t = Samples(from, to);
    for (const auto& turn : TurningPoints(sky, body, from, to)) t.push_back(turn.first);
    std::sort(t.begin(), t.end());
    std::vector<Ingress> ingresses;
    double before = -1;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double now = sky.PlanetLongitude(body, t[i]);
        if (i > 0 && before >= 0 && now >= 0) {
            const int signBefore = std::min(11, static_cast<int>(before / kSignWidth));
            const int signNow = std::min(11, static_cast<int>(now / kSignWidth));
            if (signBefore != signNow) {
                const bool forward = Signed(now - before) > 0;
                const double edge = (forward ? signNow : signBefore) * kSignWidth;
                const auto past = [&](double x) { return Signed(sky.PlanetLongitude(body, x) - edge); };
                const double minute = ToMinute(Root(past, t[i - 1], t[i]));
                if (minute >= from && minute < to) ingresses.push_back({body, signNow, minute, !forward});
            }
        }
        before = now;
    }
    return ingresses;
}

std::vector<Lunation> FindLunations(const Sky& sky, double from, double to) {
    const auto elongation = [&](double t) {
        const double moon = sky.PlanetLongitude(kMoon, t), sun = sky.PlanetLongitude(kSun, t);
        return moon < 0 || sun < 0 ? -1.0 : NormalizeAngle(moon - sun);
    };
    std::vector<Lunation> lunations;
    const std::vector<double> t = Samples(from, to);
    double before = -1;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double now = elongation(t[i]);
        // The Moon always gains on the Sun: a New Moon where the elongation wraps past the full
        // circle, a Full Moon where it passes the half.
        if (i > 0 && before >= 0 && now >= 0 && (before < Pi) != (now < Pi)) {
            const bool full = now >= Pi;
            const double aim = full ? Pi : 0.0;
            const double root = Root([&](double x) { return Signed(elongation(x) - aim); }, t[i - 1], t[i]);
            const double minute = ToMinute(root);
            if (minute >= from && minute < to) lunations.push_back({full, minute, sky.PlanetLongitude(kMoon, root)});
        }
        before = now;
    }
    return lunations;
}

std::vector<Eclipse> FindEclipses(double from, double to) {
    // Eclipses keep to the Moon's range, as lunations do.
    from = std::max(from, kMoonPlutoFirstDay - 0.5);
    to = std::min(to, kMoonPlutoLastDay + 0.5);
    std::vector<Eclipse> eclipses;
    for (const bool solar : {true, false}) {
        for (double t = from; t < to;) {
            const LibraryEclipse e = solar ? NextSolarEclipse(t) : NextLunarEclipse(t);
            if (!e.found) break;
            const double minute = ToMinute(e.greatest);
            if (minute >= to) break;
            if (minute >= from) eclipses.push_back({solar, e.type, minute});
            t = e.greatest + 1;  // eclipses of a kind come a month apart at the least
        }
    }
    std::stable_sort(eclipses.begin(), eclipses.end(),
                     [](const Eclipse& a, const Eclipse& b) { return a.moment < b.moment; });
    return eclipses;
}

SkyOwnEvents FindSkyOwnEvents(const Sky& sky, double from, double to, const std::atomic<bool>* stop) {
    SkyOwnEvents events;
    const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
    const auto byMoment = [](const auto& a, const auto& b) { return a.moment < b.moment; };
    for (std::int16_t body = kMercury; body <= kPluto && !stopped(); ++body) {
        const std::vector<Station> found = FindStations(sky, body, from, to);
        events.stations.insert(events.stations.end(), found.begin(), found.end());
    }
    for (std::int16_t body = kSun; body <= kPluto && !stopped(); ++body) {
        const std::vector<Ingress> found = FindIngresses(sky, body, from, to);
        events.ingresses.insert(events.ingresses.end(), found.begin(), found.end());
    }
    if (!stopped()) events.lunations = FindLunations(sky, from, to);
    if (!stopped()) events.eclipses = FindEclipses(from, to);
    std::stable_sort(events.stations.begin(), events.stations.end(), byMoment);
    std::stable_sort(events.ingresses.begin(), events.ingresses.end(), byMoment);
    return events;
}

}  // namespace meridel
