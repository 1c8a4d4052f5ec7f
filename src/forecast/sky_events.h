// The sky's own events in a period, found on the sky itself: the stations of Mercury to Pluto
// (where the longitude's speed is zero), the sign ingresses of the Sun to Pluto (in the sky's
// zodiac), the New and Full Moons within the Moon's range (1600-2099) and the solar and lunar
// eclipses (the library's eclipse search, at greatest eclipse). Every moment is universal time
// rounded to the whole minute; roots are refined far below a second before the rounding.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "ephemeris/ephemlon.h"
#include "ephemeris/sky.h"
#include "transits/sky_own_events.h"

namespace meridel {

// The events at moments from <= t < to (UT) in the sky (its zodiac for ingresses and longitudes;
// Pluto from its table, so the sky needs one for Pluto's events). A body without positions for
// part of the period has no events there. When *stop becomes true the search ends early with
// what it found. Reads nothing but the sky and the library: safe on any thread.
SkyOwnEvents FindSkyOwnEvents(const Sky& sky, double from, double to, const std::atomic<bool>* stop = nullptr);

// Each kind on its own, as FindSkyOwnEvents finds them.
std::vector<Station> FindStations(const Sky& sky, std::int16_t body, double from, double to);
std::vector<Ingress> FindIngresses(const Sky& sky, std::int16_t body, double from, double to);
std::vector<Lunation> FindLunations(const Sky& sky, double from, double to);
std::vector<Eclipse> FindEclipses(double from, double to);

}  // namespace meridel
