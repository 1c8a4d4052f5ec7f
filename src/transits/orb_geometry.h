// Aspect geometry: the separation of two longitudes, the within-orb test and the day-by-day
// stepping built on it, the retrograde test, the trend of a deviation, and the texts of an angle
// and of a time of day. Angles are radians; moments are day numbers with fraction in UNIVERSAL
// time. A longitude below zero is a no-value result (-99 before a source's range, -100 after).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace meridel {

// The angle between two longitudes, in [0, pi]. direction becomes -1 when b lies that angle
// ahead of a, 1 when a lies ahead of b (compared to 6 decimals); otherwise it keeps its value.
double AngularSeparation(double longitudeA, double longitudeB, std::int16_t& direction);

// The same angle without the direction; what the scan uses on every sample.
double SeparationOf(double longitudeA, double longitudeB);

// 1 when bodies a and b are within orb (radians, strictly less) of the aspect at moment jd, else 0.
// b's longitude: as SecondBodyLongitude. When a body has no value at jd, error receives a
// date-range code (date_limits.h; its message is DateRangeMessage) and 0 is returned. The caller
// passes error = 0; it is never reset here.
std::int16_t IsWithinOrb(std::int16_t codeA, std::int16_t codeB, double jd, std::int16_t aspect, double orb,
                         bool secondBodyMoving, double natalLongitudeB, std::int16_t& error);

// The second body's longitude at moment jd: computed when it moves (World); otherwise the natal
// longitude when it has a value (>= 0), and computed when it has none.
double SecondBodyLongitude(std::int16_t code, double jd, bool secondBodyMoving, double natalLongitude);

// Receives each new day number StepToOrbChange reaches, to show as progress.
using StepProgress = std::function<void(std::int32_t day)>;

// Steps day by day from startDay (forward or backward), testing within-orb at LOCAL midnight of
// each day in the zone zoneMinutes (east of Greenwich), until the state equals targetInOrb.
// startState receives the state found on startDay. Returns the first day in the target state,
// except forward towards in-orb: the last day before it. On a date-range error (error < 0) returns
// the day where it stopped. No step limit: the ephemeris range ends every walk.
std::int32_t StepToOrbChange(std::int32_t startDay, bool& startState, bool forward, bool targetInOrb,
                             std::int16_t zoneMinutes, std::int16_t codeA, std::int16_t codeB,
                             std::int16_t aspect, double orb, bool secondBodyMoving, double natalLongitudeB,
                             std::int16_t& error, const StepProgress& progress = {});

// True when the planet, at longitude `longitude` at moment jd, moves backwards over the next 30
// minutes. Always false for the Sun and the Moon and when either longitude has no value. The
// motion is taken in (-pi, pi], so a backward crossing of 0 degrees counts; the sidereal
// correction's step at 1 January is not taken for motion.
bool IsRetrograde(std::int16_t code, double longitude, double jd);
// IsRetrograde at moment jd with the planet's own longitude there.
bool IsRetrogradeAt(std::int16_t code, double jd);

// Compares the pair's deviation from the aspect 30 minutes after jd with `deviation`:
// 1 larger (moving away from exact), -1 smaller, 0 equal or unknown (a body has no value).
// b's longitude is taken as in IsWithinOrb.
std::int16_t DeviationTrend(double jd, std::int16_t codeA, std::int16_t codeB, std::int16_t aspect,
                            double deviation, bool secondBodyMoving, double natalLongitudeB);

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
// Time of day of a day fraction to the nearest minute, as 07:05 (never past 23:59); "" outside [0, 1).
std::string DayFractionToTimeText(double fraction);

}  // namespace meridel
