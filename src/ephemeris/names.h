// The vocabulary of bodies and aspects, indexed by planet code and aspect code: constants.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ephemeris/planet_longitude.h"

namespace meridel {

enum AspectCode : std::int16_t {
    kNoAspect = 0, kConjunction = 1, kOpposition = 2, kSquare = 3, kTrine = 4, kSextile = 5
};

inline const std::array<std::string, 11> BodyName{"Earth",  "Sun",    "Mercury", "Venus", "Mars", "Jupiter",
                                                  "Saturn", "Uranus", "Neptune", "Pluto", "Moon"};
inline const std::array<std::string, 6> AspectName{"", "Conjunction", "Opposition", "Square", "Trine", "Sextile"};
// Radians, (angle in degrees) / 360 * 2pi; entry 0 is 0.
inline constexpr std::array<double, 6> AspectAngle{0.0,
                                                   0.0 / 360 * kFullCircle,
                                                   180.0 / 360 * kFullCircle,
                                                   90.0 / 360 * kFullCircle,
                                                   120.0 / 360 * kFullCircle,
                                                   60.0 / 360 * kFullCircle};

}  // namespace meridel
