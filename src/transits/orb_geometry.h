// Aspect geometry: the separation of two longitudes, the retrograde test, the bounds of a body's
// motion, and the text of an angle (the within-orb test and the stepping
// built on it are the pair's, transit_pair.h). Angles are radians; moments are day numbers with fraction in UNIVERSAL
// time. A longitude below zero is a no-value result (-99 before a source's range, -100 after).
#pragma once

#include <cstdint>
#include <string>

#include "ephemeris/sky.h"

namespace meridel {

// The angle between two longitudes, in [0, pi].
double SeparationOf(double longitudeA, double longitudeB);

// True when the planet, at longitude `longitude` at moment jd, moves backwards over the next 30
// minutes (in the sky's zodiac). Always false for the Sun and the Moon and when either longitude
// has no value. The motion is taken in (-pi, pi], so a backward crossing of 0 degrees counts; the
// sidereal correction's step at 1 January is not taken for motion.
bool IsRetrograde(const Sky& sky, std::int16_t code, double longitude, double jd);
// IsRetrograde at moment jd with the planet's own longitude there.
bool IsRetrogradeAt(const Sky& sky, std::int16_t code, double jd);

// The fastest a body's longitude can change, radians per day, with room to spare (Pluto's
// allows for the arc-minute steps of a table of whole minutes); 0 for a code without a position.
double MaxLongitudeSpeed(std::int16_t code);
// The fastest a body's daily motion can change by its own orbit and the Earth's, radians per day
// per day, with room to spare. Not included: the bending of its light by the Sun (below) and the
// sidereal correction's step at New Year.
double MaxLongitudeAcceleration(std::int16_t code);

// A body's apparent longitude carries the bending of its light by the Sun: about 0.5" divided by
// its distance from the Sun in degrees, and up to 4" either way as it passes close behind the
// Sun, where it swings from one side to the other within hours. For a body at least `elongation`
// (radians) from the Sun all day: how far that bending can move it within the day (radians) and
// how fast (radians per day), with room to spare. Far from the Sun both are tiny; what remains
// covers the ephemeris' own seams of a thousandth of an arc second.
double LightBendingSwing(double elongation);
double LightBendingSpeed(double elongation);
// The largest swing, for a body wherever it is.
double LightBendingSwing();

// Degrees and minutes of an angle, as 5°7' (UTF-8 degree sign); "" outside [0, 2pi].
std::string AngleToDegMinText(double angle);

}  // namespace meridel
