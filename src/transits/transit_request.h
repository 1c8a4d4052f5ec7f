// One run, described once: the pair, its zodiac, the period, the orbs and the results zone that
// the scan works with, and the texts its heading shows. The request layer fills it as it checks a
// request (the designed request variables keep their names); the scan reads it, and each run in
// the output keeps it, for the report, the exports and the timeline.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace meridel {

inline constexpr int kOrbCount = 3;
enum OrbIndex : int { kOuterOrb = 0, kMiddleOrb = 1, kInnerOrb = 2 };

struct TransitRequest {
    bool world = true;                           // World: the second body moves; Personal: a natal position
    std::array<std::int16_t, 2> PlanetCodes{};   // [0] moving/inner, [1] outer/natal
    std::array<double, 11> NatalLongitudes{};    // radians by planet code; only the natal planet's is set
    bool sidereal = false;                       // the zodiac of the positions (never sidereal in World mode)
    std::array<std::int32_t, 3> RequestDays{};   // start (moved back when a transit is in effect), end, birth
    std::int32_t StartDay = 0;                   // first and last civil day to scan
    std::int32_t EndDay = 0;
    std::array<std::int16_t, kOrbCount> OrbDegrees{};  // outer, middle, inner
    std::array<double, kOrbCount> Orbs{};        // radians, OrbDegrees * 2pi / 360
    std::int16_t AspectCount = 5;
    bool AllPlanetsMode = false;                 // a run of an all-planets listing
    int zoneMinutes = 0;                         // the results zone, minutes east of Greenwich
    // What the heading shows: the planet lists' texts (the closing run of a World all-planets
    // listing names Pluto), the birth time and zone as chosen, the results zone's list text.
    std::string planet1, planet2;
    std::string birthHour, birthMinute, birthZone;
    int birthZoneMinutes = 0;                    // the birth zone, minutes east of Greenwich
    std::string zoneText;

    std::int16_t Moving() const { return PlanetCodes[0]; }
    std::int16_t Second() const { return PlanetCodes[1]; }
    std::int32_t BirthDay() const { return RequestDays[2]; }
    // The natal position that stands for the second body (Personal), radians; -1 in World mode.
    double NatalLongitude() const { return world ? -1.0 : NatalLongitudes[static_cast<std::size_t>(PlanetCodes[1])]; }
    // Sets OrbDegrees and Orbs.
    void SetOrbs(const std::array<std::int16_t, kOrbCount>& degrees);
};

}  // namespace meridel
