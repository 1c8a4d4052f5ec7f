// The pair's deviation from an aspect over a stretch of time, sampled from the ephemeris for the
// timeline's curves. Moments are day numbers with fraction in universal time; angles radians.
//
// What is sampled is a signed distance from exact, smooth wherever the pair is near the aspect,
// so that a straight line between samples strays from it by at most `tolerance` (a bound on the
// pair's acceleration fixes the step). Its size is the deviation the listing uses. Wherever it
// changes sign the zero itself is found and becomes a sample, and so does every moment passed as
// an exact hit: the curve drawn through the samples touches zero exactly there.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "transits/transit_pair.h"

namespace meridel {

struct CurvePoint {
    double moment = 0;
    double deviation = 0;  // radians, >= 0; NaN where a body has no position
};

// The difference of longitude of a run's pair, kept on a grid of moments so that the aspects of
// one pair (one lane each) share their positions.
class PairPositions {
public:
    // The grid runs from gridStart in steps of `step` days.
    PairPositions(const TransitPair& pair, double gridStart, double step);

    // Moving minus second longitude in (-pi, pi]; NaN when a body has no position.
    double DifferenceAt(double moment) const;
    // The same at grid point k, computed once.
    double DifferenceOnGrid(std::int64_t k);
    double GridMoment(std::int64_t k) const { return gridStart_ + static_cast<double>(k) * step_; }
    double GridStart() const { return gridStart_; }
    double Step() const { return step_; }

private:
    TransitPair pair_;
    double gridStart_, step_;
    std::unordered_map<std::int64_t, double> grid_;
};

// The grid step (days) for a pair whose curve may stray `tolerance` radians from its chords: from
// the largest acceleration the bodies can have, between a half hour and two days.
double CurveStep(std::int16_t moving, std::int16_t second, bool world, double tolerance);

// Signed distance from exact of a pair with this difference of longitude: the aspect's aim on
// either side for a square, trine or sextile, the one aim of a conjunction or opposition. Its
// absolute value is the listing's deviation; NaN stays NaN.
double SignedDeviation(double difference, std::int16_t aspect);

// The deviation from `aspect` over from..to: the grid points between, both ends, each of
// `exactMoments` inside, and each zero of the signed distance (found to about a second).
std::vector<CurvePoint> SampleDeviation(PairPositions& pair, std::int16_t aspect, double from, double to,
                                        const std::vector<double>& exactMoments);

}  // namespace meridel
