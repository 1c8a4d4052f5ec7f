// The sky's own events (stations, sign ingresses, New and Full Moons, eclipses) found by the tests
// on their own and compared with the program's both ways: every event the program gives is one the
// sky had, within its tolerance, and every event the sky had in the period is given. Stations are
// the turning points of the longitude (golden sections, no speed), ingresses and lunations roots
// of samples every few hours, Pluto from the ephemeris; eclipses are checked against the Moon's
// latitude at each lunation (a syzygy this close to a node always eclipses, one this far never).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sky_events.h"
#include "transits/sky_own_events.h"

namespace meridel::skycheck {

struct SkyTurn {  // a station, an ingress or a lunation as the check finds it
    std::int16_t body;
    int what;  // station: 1 retrograde, 0 direct; ingress: the sign; lunation: 1 full, 0 new
    double moment;
    double speed;  // degrees a day, for an ingress's tolerance
};

struct SkyOwnTruth {
    std::vector<SkyTurn> stations, ingresses, lunations;
    std::vector<double> certainEclipses;  // lunations so near a node that an eclipse must come with them
    std::vector<SkyTurn> possibleEclipseLunations;  // lunations near enough a node to allow one
};

inline double MoonLatitude(double t) {
    double xx[6];
    char serr[256];
    swe_calc_ut(t, SE_MOON, SEFLG_SWIEPH, xx, serr);
    return xx[1];
}

// The events from `from` to `to` (UT).
inline SkyOwnTruth FindSkyOwnTruth(double from, double to, bool sidereal) {
    SkyOwnTruth truth;
    const double step = 0.125;
    std::vector<double> t;
    for (double x = from - 1; x <= to + 1; x += step) t.push_back(x);
    auto inPeriod = [&](double x) { return x >= from && x < to; };
    for (std::int16_t body = kSun; body <= kPluto; ++body) {
        // Stations are the same moments in either zodiac; the tropical longitude has no New Year step.
        std::vector<double> lon(t.size()), sid(t.size());
        for (std::size_t i = 0; i < t.size(); ++i) {
            lon[i] = SkyLongitude(body, t[i]);
            sid[i] = SkyLongitude(body, t[i], sidereal);
        }
        for (std::size_t i = 1; i + 1 < t.size(); ++i) {
            if (body == kSun || lon[i - 1] < 0 || lon[i] < 0 || lon[i + 1] < 0) continue;
            const double d0 = Signed(lon[i] - lon[i - 1]), d1 = Signed(lon[i + 1] - lon[i]);
            if ((d0 > 0) == (d1 > 0)) continue;
            const bool retrograde = d0 > 0;  // a highest longitude: it turns back
            const double side = retrograde ? -1 : 1;
            const double at = Lowest([&](double x) { return side * Signed(SkyLongitude(body, x) - lon[i]); }, t[i - 1], t[i + 1]);
            if (inPeriod(at) && (truth.stations.empty() || std::fabs(truth.stations.back().moment - at) > step ||
                                 truth.stations.back().body != body)) {
                truth.stations.push_back({body, retrograde ? 1 : 0, at, 0});
            }
        }
        for (std::size_t i = 1; i < t.size(); ++i) {
            if (sid[i - 1] < 0 || sid[i] < 0) continue;
            const int s0 = static_cast<int>(sid[i - 1] / (30 * kDegree)), s1 = static_cast<int>(sid[i] / (30 * kDegree));
            if (s0 == s1) continue;
            const bool forward = Signed(sid[i] - sid[i - 1]) > 0;
            const double edge = (forward ? s1 : s0) * 30 * kDegree;
            const double at = Root([&](double x) { return Signed(SkyLongitude(body, x, sidereal) - edge); }, t[i - 1], t[i]);
            const double speed = std::fabs(Signed(lon[i] - lon[i - 1])) / step / kDegree;
            if (inPeriod(at)) truth.ingresses.push_back({body, s1 % 12, at, speed});
        }
    }
    for (std::size_t i = 1; i < t.size(); ++i) {
        auto elongation = [](double x) {
            const double moon = SkyLongitude(kMoon, x), sun = SkyLongitude(kSun, x);
            return moon < 0 || sun < 0 ? -1.0 : NormalizeAngle(moon - sun);
        };
        const double e0 = elongation(t[i - 1]), e1 = elongation(t[i]);
        if (e0 < 0 || e1 < 0 || (e0 < 180 * kDegree) == (e1 < 180 * kDegree)) continue;
        const bool full = e1 >= 180 * kDegree;
        const double aim = full ? 180 * kDegree : 0;
        const double at = Root([&](double x) { return Signed(elongation(x) - aim); }, t[i - 1], t[i]);
        if (!inPeriod(at)) continue;
        truth.lunations.push_back({kMoon, full ? 1 : 0, at, 0});
        const double latitude = std::fabs(MoonLatitude(at));
        if (latitude < 0.8) truth.certainEclipses.push_back(at);
        if (latitude < 1.7) truth.possibleEclipseLunations.push_back({full ? kMoon : kSun, full ? 1 : 0, at, latitude});
    }
    return truth;
}

// The program's events against the check's, both ways, within the tolerances promised: stations
// 2 minutes (Mercury..Mars) or 10 (Jupiter..Pluto); ingresses 1 minute, 10 where the planet moves
// under 0.05 degrees a day; lunations 1 minute; each eclipse at a lunation near a node (greatest
// eclipse within 3 hours of it), and one at every lunation that must have one. Events within a
// quarter of an hour of the period's ends may fall either side of it and are not counted.
inline void ExpectSkyOwnEventsMatch(const SkyOwnEvents& program, double from, double to, bool sidereal) {
    const SkyOwnTruth truth = FindSkyOwnTruth(from, to, sidereal);
    const double edge = 15 * kMinute;
    auto inner = [&](double t) { return t >= from + edge && t < to - edge; };
    using Given = std::pair<SkyTurn, std::string>;  // an event the program gives, and its words
    auto compare = [&](const std::string& kind, const std::vector<Given>& given, const std::vector<SkyTurn>& sky,
                       auto tolerance) {
        std::vector<bool> used(given.size(), false);
        for (const SkyTurn& s : sky) {
            bool found = false;
            for (std::size_t i = 0; i < given.size() && !found; ++i) {
                const SkyTurn& g = given[i].first;
                if (used[i] || g.body != s.body || g.what != s.what) continue;
                if (std::fabs(g.moment - s.moment) <= tolerance(s) * kMinute) used[i] = found = true;
            }
            if (!found && inner(s.moment)) {
                ADD_FAILURE() << kind << " of the sky missing: " << BodyName[s.body] << " " << s.what << " at "
                              << Date(static_cast<std::int32_t>(std::floor(s.moment + 0.5))) << " "
                              << (s.moment + 0.5 - std::floor(s.moment + 0.5)) * 1440 << " min UT";
            }
        }
        for (std::size_t i = 0; i < given.size(); ++i) {
            if (!used[i] && inner(given[i].first.moment))
                ADD_FAILURE() << kind << " the sky did not have: " << given[i].second;
        }
    };
    std::vector<Given> stations, ingresses, lunations;
    for (const Station& s : program.stations)
        stations.push_back({{s.body, s.retrograde ? 1 : 0, s.moment, 0}, StationWords(s)});
    for (const Ingress& g : program.ingresses) ingresses.push_back({{g.body, g.sign, g.moment, 0}, IngressWords(g)});
    for (const Lunation& l : program.lunations) lunations.push_back({{kMoon, l.full ? 1 : 0, l.moment, 0}, LunationWords(l)});
    compare("station", stations, truth.stations, [](const SkyTurn& s) { return s.body <= kMars ? 2.0 : 10.0; });
    compare("ingress", ingresses, truth.ingresses, [](const SkyTurn& s) { return s.speed < 0.05 ? 10.0 : 1.0; });
    compare("lunation", lunations, truth.lunations, [](const SkyTurn&) { return 1.0; });

    for (const Eclipse& e : program.eclipses) {
        bool near = false;
        for (const SkyTurn& l : truth.possibleEclipseLunations)
            near = near || (l.body == (e.solar ? kSun : kMoon) && std::fabs(l.moment - e.moment) < 3.0 / 24);
        if (!near && inner(e.moment)) ADD_FAILURE() << "eclipse at no lunation near a node: " << EclipseWords(e) << " " << e.moment;
    }
    for (const double at : truth.certainEclipses) {
        bool found = false;
        for (const Eclipse& e : program.eclipses) found = found || std::fabs(e.moment - at) < 3.0 / 24;
        if (!found && inner(at)) ADD_FAILURE() << "no eclipse at the lunation of " << at << " so near a node";
    }
}

}  // namespace meridel::skycheck
