#include "timeline/deviation_curve.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "transits/orb_geometry.h"

namespace meridel {

namespace {

constexpr double kSecond = 1.0 / 86400.0;
// Samples closer than this are one sample (a hit may fall on a grid point).
constexpr double kSameMoment = 1e-7;

struct Sample {
    double moment;
    double distance;  // signed, radians
};

// The zero of f between a and b, where f(a) and f(b) differ in sign: regula falsi with the
// Illinois step, until the bracket is a second wide.
template <typename F>
double ZeroBetween(const F& f, double a, double fa, double b, double fb) {
    int side = 0;
    for (int i = 0; i < 40 && b - a > kSecond; ++i) {
        const double c = (a * fb - b * fa) / (fb - fa);
        const double fc = f(c);
        if (!std::isfinite(fc) || fc == 0) return c;
        if ((fc < 0) == (fb < 0)) {
            b = c;
            fb = fc;
            if (side == -1) fa /= 2;
            side = -1;
        } else {
            a = c;
            fa = fc;
            if (side == 1) fb /= 2;
            side = 1;
        }
    }
    return (a * fb - b * fa) / (fb - fa);
}

}  // namespace

PairPositions::PairPositions(const TransitPair& pair, double gridStart, double step)
    : pair_(pair), gridStart_(gridStart), step_(step) {}

double PairPositions::DifferenceAt(double moment) const { return pair_.DistanceFromAim(moment, 0.0); }

double PairPositions::DifferenceOnGrid(std::int64_t k) {
    const auto found = grid_.find(k);
    if (found != grid_.end()) return found->second;
    const double difference = DifferenceAt(GridMoment(k));
    grid_.emplace(k, difference);
    return difference;
}

double CurveStep(std::int16_t moving, std::int16_t second, bool world, double tolerance) {
    // A chord of length h strays at most acceleration * h^2 / 8 from the curve.
    const double acceleration = MaxLongitudeAcceleration(moving) + (world ? MaxLongitudeAcceleration(second) : 0.0);
    const double longest = 2.0, shortest = 1.0 / 48;
    if (acceleration <= 0) return longest;
    return std::clamp(std::sqrt(8 * tolerance / acceleration), shortest, longest);
}

double SignedDeviation(double difference, std::int16_t aspect) {
    if (aspect == kConjunction) return difference;
    if (aspect == kOpposition) return std::remainder(difference - AspectAngle[kOpposition], kFullCircle);
    // Square, trine and sextile have an aim on either side; near either, the separation minus the
    // angle is smooth and signed.
    return std::fabs(difference) - AspectAngle[aspect];
}

std::vector<CurvePoint> SampleDeviation(PairPositions& pair, std::int16_t aspect, double from, double to,
                                        const std::vector<double>& exactMoments) {
    const auto distanceAt = [&](double t) { return SignedDeviation(pair.DifferenceAt(t), aspect); };
    std::vector<Sample> samples;
    samples.push_back({from, distanceAt(from)});
    for (auto k = static_cast<std::int64_t>(std::floor((from - pair.GridStart()) / pair.Step())) + 1;
         pair.GridMoment(k) < to; ++k) {
        samples.push_back({pair.GridMoment(k), SignedDeviation(pair.DifferenceOnGrid(k), aspect)});
    }
    if (to > from) samples.push_back({to, distanceAt(to)});
    for (double hit : exactMoments) {
        if (hit > from && hit < to) samples.push_back({hit, distanceAt(hit)});
    }
    std::sort(samples.begin(), samples.end(), [](const Sample& x, const Sample& y) { return x.moment < y.moment; });
    samples.erase(std::unique(samples.begin(), samples.end(),
                              [](const Sample& x, const Sample& y) { return y.moment - x.moment < kSameMoment; }),
                  samples.end());

    std::vector<CurvePoint> curve;
    curve.reserve(samples.size() + 8);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        curve.push_back({s.moment, std::fabs(s.distance)});
        if (i + 1 == samples.size()) break;
        const Sample& next = samples[i + 1];
        // A change of sign far from exact is the distance wrapping round, not a passage.
        const bool crossing = s.distance != 0 && next.distance != 0 && (s.distance < 0) != (next.distance < 0) &&
                              std::fabs(s.distance) < 1 && std::fabs(next.distance) < 1;
        if (!crossing) continue;
        const double zero = ZeroBetween(distanceAt, s.moment, s.distance, next.moment, next.distance);
        if (zero - s.moment > kSameMoment && next.moment - zero > kSameMoment) {
            curve.push_back({zero, std::fabs(distanceAt(zero))});
        }
    }
    return curve;
}

}  // namespace meridel
