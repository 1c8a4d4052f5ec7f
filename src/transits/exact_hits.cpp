#include "transits/exact_hits.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>

namespace meridel {

namespace {

constexpr std::int32_t kMinutesPerDay = 1440;
// Below this many minutes a stretch is looked at minute by minute.
constexpr std::int32_t kSmallestStretch = 8;

bool Negative(double x) { return x < 0.0; }

// The one crossing of the aim between minutes a and b (h of opposite signs there), by regula
// falsi on whole minutes with the Illinois rule: h is nearly straight over a day, so a few
// probes close in on the crossing. The hit is the one of the two minutes around it where |h|
// is smaller, but never b when b is the next day's midnight.
MinuteHit CrossingMinute(const MinuteCurve& h, std::int32_t a, std::int32_t b, double ha, double hb,
                         std::int32_t nextMidnight) {
    double weightA = ha, weightB = hb;
    int kept = 0;  // which end the last probe kept: -1 a, +1 b
    while (b - a > 1) {
        const double guess = a + (b - a) * weightA / (weightA - weightB);
        const auto k = std::clamp(static_cast<std::int32_t>(std::lround(guess)), a + 1, b - 1);
        const double hk = h(k);
        if (std::isnan(hk)) break;
        if (Negative(hk) == Negative(ha)) {
            a = k;
            ha = weightA = hk;
            if (kept == +1) weightB /= 2;
            kept = +1;
        } else {
            b = k;
            hb = weightB = hk;
            if (kept == -1) weightA /= 2;
            kept = -1;
        }
    }
    if (b == nextMidnight || std::fabs(ha) <= std::fabs(hb)) return {a, std::fabs(ha)};
    return {b, std::fabs(hb)};
}

// A day on which h may turn: halving from the whole day, each stretch is set aside where the
// bounds show that |h| stays at the limit or above, or that h runs one way without crossing (then
// no minute inside it is a smallest one); the rest is looked at minute by minute.
class TurningDay {
public:
    TurningDay(const MinuteCurve& h, const CurveBounds& bounds) : h_(h), bounds_(bounds) {}

    std::vector<MinuteHit> Hits(std::int32_t first, double h0, double h1) {
        const std::int32_t last = first + kMinutesPerDay;
        values_[first] = h0;
        values_[last] = h1;
        Refine(first, last);
        // A minute within the limit at the end of a stretch set aside: its neighbours decide
        // whether it is a smallest one.
        std::vector<std::int32_t> near;
        for (const auto& [k, hk] : values_) {
            if (std::fabs(hk) < kExactHitLimit && k < last) near.push_back(k);
        }
        for (const std::int32_t k : near) {
            for (const std::int32_t n : {k - 1, k + 1}) {
                if (!values_.count(n)) values_[n] = h_(n);
            }
        }

        std::vector<MinuteHit> hits;
        for (auto it = values_.begin(); it != values_.end(); ++it) {
            const auto [k, hk] = *it;
            if (k < first || k >= last || std::isnan(hk)) continue;
            const auto next = std::next(it);
            if (next->first != k + 1 || std::isnan(next->second)) continue;
            const double hn = next->second;
            if (Negative(hk) != Negative(hn)) {  // a crossing between k and k + 1
                const bool later = k + 1 < last && std::fabs(hn) < std::fabs(hk);
                const MinuteHit hit = later ? MinuteHit{k + 1, std::fabs(hn)} : MinuteHit{k, std::fabs(hk)};
                if (hit.deviation < kExactHitLimit) hits.push_back(hit);
                continue;
            }
            // A turn that comes within the limit without crossing: |h| smallest at k.
            const auto before = values_.find(k - 1);
            if (std::fabs(hk) >= kExactHitLimit || before == values_.end() || std::isnan(before->second)) continue;
            if (Negative(before->second) == Negative(hk) && std::fabs(before->second) > std::fabs(hk) &&
                std::fabs(hn) >= std::fabs(hk)) {
                hits.push_back({k, std::fabs(hk)});
            }
        }
        return hits;
    }

private:
    void Refine(std::int32_t a, std::int32_t b) {
        const double ha = values_[a], hb = values_[b];
        if (std::isnan(ha) || std::isnan(hb)) return;
        if (Negative(ha) == Negative(hb)) {
            const double days = static_cast<double>(b - a) / kMinutesPerDay;
            const double bend = bounds_.curvature * days * days;
            if (std::min(std::fabs(ha), std::fabs(hb)) - bend / 8 - bounds_.wobble >= kExactHitLimit) return;
            // Its speed cannot fall to zero here: no turn, and no crossing with one sign at both ends.
            if (!bounds_.jumps && std::fabs(hb - ha) > bend + bounds_.wobble + bounds_.speedWobble * days) return;
        }
        if (b - a <= kSmallestStretch) {
            for (std::int32_t k = a + 1; k < b; ++k) values_[k] = h_(k);
            return;
        }
        const std::int32_t middle = a + (b - a) / 2;
        values_[middle] = h_(middle);
        Refine(a, middle);
        Refine(middle, b);
    }

    const MinuteCurve& h_;
    const CurveBounds& bounds_;
    std::map<std::int32_t, double> values_;
};

}  // namespace

bool HitPossible(double h0, double h1, const CurveBounds& bounds) {
    if (std::isnan(h0) || std::isnan(h1)) return false;
    if (Negative(h0) != Negative(h1)) return true;
    // h stays within curvature / 8 (and the wobble) of the straight line between the midnights.
    return std::min(std::fabs(h0), std::fabs(h1)) - bounds.curvature / 8 - bounds.wobble < kExactHitLimit;
}

std::vector<MinuteHit> ExactHitsOfDay(const MinuteCurve& h, std::int32_t first, double h0, double h1,
                                      const CurveBounds& bounds) {
    if (!HitPossible(h0, h1, bounds)) return {};
    // A day over which the speed of h cannot fall to zero: at most one crossing, where the sign
    // changes; and with no crossing |h| is smallest at a midnight, where no hit of this day lies.
    if (!bounds.jumps && std::fabs(h1 - h0) > bounds.curvature + bounds.wobble + bounds.speedWobble) {
        if (Negative(h0) == Negative(h1)) return {};
        const MinuteHit hit = CrossingMinute(h, first, first + kMinutesPerDay, h0, h1, first + kMinutesPerDay);
        if (hit.deviation < kExactHitLimit) return {hit};
        return {};
    }
    return TurningDay(h, bounds).Hits(first, h0, h1);
}

MinuteHit SmallestDeviation(const MinuteCurve& deviation, std::int32_t first, std::int32_t middle, std::int32_t last,
                            double atMiddle) {
    constexpr double kGolden = 0.381966011250105;  // (3 - sqrt 5) / 2
    std::int32_t a = first, b = middle, c = last;
    double fb = atMiddle;
    while (c - a > 2) {
        const bool left = b - a > c - b;
        const std::int32_t span = left ? b - a : c - b;
        const auto step = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(span * kGolden)));
        const std::int32_t x = left ? b - step : b + step;
        const double fx = deviation(x);
        if (std::isnan(fx)) break;
        if (fx < fb) {
            (left ? c : a) = b;
            b = x;
            fb = fx;
        } else {
            (left ? a : c) = x;
        }
    }
    return {b, fb};
}

}  // namespace meridel
