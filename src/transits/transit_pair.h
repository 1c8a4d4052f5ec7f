// A run's pair as its positions see it: the moving body, and the second body (World) or the natal
// point that stands for it (Personal), in the sky of the run's zodiac. Every deviation from an
// aspect the program computes comes from here: the scan's samples and minute searches, the
// search's stepping, the start-date move and the timeline's curves. Angles are radians; moments
// are day numbers with fraction in UNIVERSAL time. A longitude below zero is a no-value result
// (-99 before a source's range, -100 after).
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>

#include "ephemeris/names.h"
#include "ephemeris/sky.h"
#include "transits/transit_request.h"

namespace meridel {

// The deviation of a separation (radians, 0..pi) from an aspect: |separation - angle|.
inline double AspectDeviation(double separation, std::int16_t aspect) {
    return std::fabs(separation - AspectAngle[static_cast<std::size_t>(aspect)]);
}

// Receives each new day number StepToOrbChange reaches, to show as progress.
using StepProgress = std::function<void(std::int32_t day)>;

class TransitPair {
public:
    // The pair of a run, in the run's zodiac.
    TransitPair(const Sky& sky, const TransitRequest& run);
    // world: the second body moves; otherwise natalLongitude is its position. The sky's zodiac is
    // the pair's.
    TransitPair(const Sky& sky, std::int16_t moving, std::int16_t second, bool world, double natalLongitude);

    const Sky& sky() const { return sky_; }
    std::int16_t Moving() const { return moving_; }
    std::int16_t Second() const { return second_; }
    bool World() const { return world_; }

    double MovingLongitude(double t) const { return sky_.PlanetLongitude(moving_, t); }
    // The second body's longitude at t: computed when it moves (World); otherwise the natal
    // longitude when it has a value (>= 0), and computed when it has none.
    double SecondLongitude(double t) const {
        if (!world_ && natal_ >= 0.0) return natal_;
        return sky_.PlanetLongitude(second_, t);
    }
    // The pair's deviation from the aspect at t, or -1 when a body has no value there.
    double Deviation(double t, std::int16_t aspect) const;
    // Moving minus second longitude, in (-pi, pi]... less `aim`; NaN when a body has no value.
    double DistanceFromAim(double t, double aim) const;

    // 1 when the pair is within orb (radians, strictly less) of the aspect at moment jd, else 0.
    // When a body has no value at jd, error receives a date-range code (date_limits.h; its
    // message is DateRangeMessage) and 0 is returned. The caller passes error = 0; it is never
    // reset here.
    std::int16_t IsWithinOrb(double jd, std::int16_t aspect, double orb, std::int16_t& error) const;
    // Steps day by day from startDay (forward or backward), testing within-orb at LOCAL midnight
    // of each day in the zone zoneMinutes (east of Greenwich), until the state equals targetInOrb.
    // startState receives the state found on startDay. Returns the first day in the target state,
    // except forward towards in-orb: the last day before it. On a date-range error (error < 0)
    // returns the day where it stopped. No step limit: the ephemeris range ends every walk.
    std::int32_t StepToOrbChange(std::int32_t startDay, bool& startState, bool forward, bool targetInOrb,
                                 std::int16_t zoneMinutes, std::int16_t aspect, double orb, std::int16_t& error,
                                 const StepProgress& progress = {}) const;
    // Compares the pair's deviation from the aspect 30 minutes after jd with `deviation`:
    // 1 larger (moving away from exact), -1 smaller, 0 equal or unknown (a body has no value).
    std::int16_t DeviationTrend(double jd, std::int16_t aspect, double deviation) const;
    // Radians per day the pair's deviation can change at most.
    double MaxDeviationSpeed() const;

private:
    Sky sky_;
    std::int16_t moving_, second_;
    bool world_;
    double natal_;
};

}  // namespace meridel
