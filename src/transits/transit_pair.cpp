#include "transits/transit_pair.h"

#include "calendar/daycount.h"
#include "transits/date_limits.h"
#include "transits/orb_geometry.h"

namespace meridel {

namespace {

constexpr double kHalfHour = 1.0 / 48.0;

// -100 and anything truncating to it is "after the range"; every other no-value is "before".
bool IsAfterRange(double longitude) { return std::trunc(longitude) == -100.0; }

}  // namespace

TransitPair::TransitPair(const Sky& sky, const TransitRequest& run)
    : TransitPair(sky.InZodiac(run.sidereal), run.Moving(), run.Second(), run.world, run.NatalLongitude()) {}

TransitPair::TransitPair(const Sky& sky, std::int16_t moving, std::int16_t second, bool world, double natalLongitude)
    : sky_(sky), moving_(moving), second_(second), world_(world), natal_(natalLongitude) {}

double TransitPair::Deviation(double t, std::int16_t aspect) const {
    const double a = MovingLongitude(t);
    const double b = SecondLongitude(t);
    if (a < 0.0 || b < 0.0) return -1.0;
    return AspectDeviation(SeparationOf(a, b), aspect);
}

double TransitPair::DistanceFromAim(double t, double aim) const {
    const double a = MovingLongitude(t);
    const double b = SecondLongitude(t);
    if (a < 0.0 || b < 0.0) return std::nan("");
    return std::remainder(a - b - aim, kFullCircle);
}

std::int16_t TransitPair::IsWithinOrb(double jd, std::int16_t aspect, double orb, std::int16_t& error) const {
    const double lb = SecondLongitude(jd);
    if (lb < 0.0) error = IsAfterRange(lb) ? kSecondBodyAfterRange : kSecondBodyBeforeRange;
    double la = 0.0;
    if (error == 0) {
        la = MovingLongitude(jd);
        if (la < 0.0) error = IsAfterRange(la) ? kFirstBodyAfterRange : kFirstBodyBeforeRange;
    }
    if (error < 0) return 0;
    return AspectDeviation(SeparationOf(la, lb), aspect) < orb ? 1 : 0;
}

std::int32_t TransitPair::StepToOrbChange(std::int32_t startDay, bool& startState, bool forward, bool targetInOrb,
                                          std::int16_t zoneMinutes, std::int16_t aspect, double orb,
                                          std::int16_t& error, const StepProgress& progress) const {
    std::int32_t day = startDay;
    for (;;) {
        const bool inOrb = IsWithinOrb(LocalMidnight(day, zoneMinutes), aspect, orb, error) == 1;
        if (error < 0) return day;
        if (day == startDay) startState = inOrb;
        if (inOrb == targetInOrb) return (forward && targetInOrb) ? day - 1 : day;
        day += forward ? 1 : -1;
        if (progress) progress(day);
    }
}

std::int16_t TransitPair::DeviationTrend(double jd, std::int16_t aspect, double deviation) const {
    const double d2 = Deviation(jd + kHalfHour, aspect);
    if (d2 < 0.0) return 0;
    if (d2 > deviation) return 1;
    if (d2 < deviation) return -1;
    return 0;
}

double TransitPair::MaxDeviationSpeed() const {
    const double moving = MaxLongitudeSpeed(moving_);
    return world_ ? moving + MaxLongitudeSpeed(second_) : moving;
}

}  // namespace meridel
