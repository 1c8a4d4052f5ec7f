#include "transits/scan_engine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "calendar/date_text.h"
#include "calendar/daycount.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "transits/exact_hits.h"
#include "transits/orb_geometry.h"
#include "transits/transit_report.h"

namespace meridel {

namespace {

constexpr double kNoMinimum = 10.0;            // MinDeviation before any daily minimum of a transit
constexpr int kMinutesPerDay = 1440;

// The sidereal correction's step at each 1 January, radians.
constexpr double kSiderealStep = 243.8e-6;


int FloorDivide(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

bool AnyTransit(const ScanState& state) { return !IsRowEmpty(state, 0); }

TransitScan::TransitScan(const TransitRequest& request, const Sky& sky, ScanState& state, OutputBox& box,
                         RunWindow& window)
    : request_(request), pair_(sky, request), state_(state), box_(box), window_(window) {}

bool TransitScan::WriteRow(const std::string& line) {
    if (!box_.WriteRow(line)) {
        boxFull_ = true;
        return false;
    }
    window_.RowWritten();
    return true;
}

void TransitScan::Begin() {
    for (auto& aspect : state_.InOrb) {
        for (auto& orb : aspect) orb[0] = orb[1] = false;
    }
    const std::int32_t lastRow = ResultTableLastRow(std::int64_t{request_.EndDay} - request_.StartDay + 1);
    state_.ResultRows.assign(static_cast<std::size_t>(lastRow) + 1, TransitRow{});
    state_.HeaderWritten = false;
    state_.NextRow = 0;
    state_.RowOffset = {};
    state_.MinDeviation = kNoMinimum;
    state_.Results = RunRecord{request_, {}, std::nullopt};
    minDay_ = 0;
    passMinDeviation_ = kNoMinimum;
    lastRowUsed_ = state_.NextRow - 1;
    lastNamed_ = 0;
}

void TransitScan::WriteHeader() {
    box_.AppendLine(HeadingLine(request_));
    WriteRow(TitlesLine(request_.OrbDegrees));
    box_.AppendLine(RuleLine());
    state_.HeaderWritten = true;
}

ScanOutcome TransitScan::Run() {
    for (std::int32_t day = request_.StartDay; day <= request_.EndDay; ++day) {
        window_.YieldToWindow();
        if (Stopping()) {
            // What the run covered, for the timeline of a run that ended early.
            state_.Results.stoppedAfter = day - 1;
            return ScanOutcome::Stopped;
        }
        ProcessDay(day);
    }
    // A transit still open at the end date is written as it stands, without its minimum.
    if (lastRowUsed_ >= state_.NextRow) FlushTransitRows();
    return ScanOutcome::Finished;
}

double TransitScan::MomentOfDayStart(std::int32_t day) const { return LocalMidnight(day, request_.zoneMinutes); }

void TransitScan::ProcessDay(std::int32_t day) {
    day_ = day;
    state_.IsFirstDay = day == request_.StartDay;
    state_.Day = day;
    if (state_.IsFirstDay) window_.ShowDay(DayText(state_));

    TakeSamples(day);
    if (!dayHasValue_) return;
    Classify();

    const int aspectCount = std::clamp<int>(request_.AspectCount, 0, 5);
    std::int16_t active = -1;
    for (int a = aspectCount; a >= 1 && active < 0; --a) {
        for (int o = 0; o < kOrbCount; ++o) {
            if (state_.OrbState[a][o] != kOutside) active = static_cast<std::int16_t>(a);
        }
    }
    if (active < 0) return;

    int entering = -1, leaving = -1;
    for (int o = kOrbCount - 1; o >= 0; --o) {
        const OrbStep step = state_.OrbState[active][o];
        if (step == kEntering) entering = o;
        if (step == kLeaving) leaving = o;
    }
    EnterBranches(active, entering, leaving);
}

// Sample j is the local midnight that starts day + j - 1. After the first day two samples carry
// over and only the closing midnight is computed. A sample where a body has no value (outside
// its source's range) is never used as a longitude: it takes the separation of the nearest
// sample of the day that has one, so no crossing is claimed where none could be seen.
void TransitScan::TakeSamples(std::int32_t day) {
    auto compute = [&](int j) {
        const double t = MomentOfDayStart(day + j - 1);
        const double la = pair_.MovingLongitude(t);
        const double lb = pair_.SecondLongitude(t);
        longitudes_[0][j] = la;
        longitudes_[1][j] = lb;
        sampleValid_[j] = la >= 0.0 && lb >= 0.0;
        rawSeparation_[j] = sampleValid_[j] ? SeparationOf(la, lb) : 0.0;
    };
    if (state_.IsFirstDay) {
        for (int j = 0; j < 3; ++j) compute(j);
    } else {
        for (auto& body : longitudes_) {
            body[0] = body[1];
            body[1] = body[2];
        }
        rawSeparation_[0] = rawSeparation_[1];
        rawSeparation_[1] = rawSeparation_[2];
        sampleValid_[0] = sampleValid_[1];
        sampleValid_[1] = sampleValid_[2];
        compute(2);
    }

    double* separation = state_.Separation;
    for (int j = 0; j < 3; ++j) separation[j] = rawSeparation_[j];
    dayHasValue_ = true;
    if (sampleValid_[0] && sampleValid_[1] && sampleValid_[2]) return;
    if (!sampleValid_[1]) {
        if (sampleValid_[2]) {
            separation[1] = rawSeparation_[2];
        } else if (sampleValid_[0]) {
            separation[1] = rawSeparation_[0];
        } else {
            dayHasValue_ = false;
            return;
        }
    }
    if (!sampleValid_[0]) separation[0] = separation[1];
    if (!sampleValid_[2]) separation[2] = separation[1];
}

void TransitScan::Classify() {
    const int aspectCount = std::clamp<int>(request_.AspectCount, 0, 5);
    for (int a = 1; a <= aspectCount; ++a) {
        for (int j = 0; j < 3; ++j) state_.Deviation[a][j] = AspectDeviation(state_.Separation[j], static_cast<std::int16_t>(a));
        for (int o = 0; o < kOrbCount; ++o) {
            for (int k = 0; k < 2; ++k) state_.InOrb[a][o][k] = state_.Deviation[a][k + 1] < request_.Orbs[o];
        }
    }
    handover_ = FindOrbHandover();
    for (int a = 1; a <= aspectCount; ++a) {
        for (int o = 0; o < kOrbCount; ++o) {
            const bool before = state_.InOrb[a][o][0];
            const bool after = state_.InOrb[a][o][1];
            OrbStep step = kOutside;
            if (after && !before) step = kEntering;
            else if (after && before) step = kInside;
            else if (before) step = kLeaving;
            // The entering aspect's entry is recorded after the leaving transit has been written.
            if (o == kOuterOrb && handover_.handover && a == handover_.entering) step = kOutside;
            state_.OrbState[a][o] = step;
        }
    }
}

TransitScan::Handover TransitScan::FindOrbHandover() const {
    Handover h;
    for (int a = 1; a <= std::clamp<int>(request_.AspectCount, 0, 5); ++a) {
        const bool before = state_.InOrb[a][kOuterOrb][0];
        const bool after = state_.InOrb[a][kOuterOrb][1];
        if (before && !after) {
            h.leaving = static_cast<std::int16_t>(a);
        } else if (after && !before) {
            h.entering = static_cast<std::int16_t>(a);
        }
    }
    h.handover = h.leaving >= 1 && h.entering >= 1;
    return h;
}

TransitRow& TransitScan::Row(std::int32_t row) {
    lastRowUsed_ = std::max(lastRowUsed_, row);
    return ResultRow(state_, row);
}

void TransitScan::PutNameIfEmpty(std::int32_t row, std::int16_t aspect) {
    if (ResultRowAt(state_, row).aspectName == 0) Row(row).aspectName = aspect;
}

void TransitScan::EnterBranches(std::int16_t a, int entering, int leaving) {
    RowOffsets& offset = state_.RowOffset;
    const std::int32_t r0 = state_.NextRow;
    const double* deviation = state_.Deviation[a];
    // Hits of the day go in after its entry and before its exit, so that an exit finds the
    // pass's closest approach filled by them.
    const std::vector<ExactHit> hits =
        sampleValid_[1] && sampleValid_[2] ? FindExactMinimum(day_, a) : std::vector<ExactHit>{};
    auto started = [this](std::int32_t row) {
        const TransitRow& r = ResultRowAt(state_, row);
        return r.entered[kOuterOrb] || r.entered[kMiddleOrb] || r.entered[kInnerOrb];
    };

    if (entering < 0 && leaving < 0) {  // no entry, no exit
        if (state_.IsFirstDay) {
            state_.MinDeviation = deviation[1];
            minDay_ = request_.StartDay;
        } else if (deviation[1] < state_.MinDeviation) {
            state_.MinDeviation = deviation[1];
            minDay_ = day_;
        }
        NotePassSamples(a, false);
        PlaceExactHits(a, hits);
        return;
    }

    if (entering < 0) {  // an exit and no entry
        NotePassSamples(a, false);
        PlaceExactHits(a, hits);
        if (leaving == kOuterOrb) {  // the transit ends
            Row(r0).left[kOuterOrb] = Dated(day_);
            PutNameIfEmpty(r0, a);
            if (started(r0) && !ResultRowAt(state_, r0).HasClosest()) {
                FillMinimum(r0 + offset.closest, minDay_, a, state_.MinDeviation);
            }
            FlushTransitRows();
            if (handover_.handover && day_ != request_.EndDay) {
                TransitRow& next = Row(state_.NextRow);
                next.aspectName = handover_.entering;
                next.entered[kOuterOrb] = Dated(day_);
            }
        } else if (leaving == kMiddleOrb) {
            Row(r0 + offset.middleLeft).left[kMiddleOrb] = Dated(day_);
            PutNameIfEmpty(r0, a);
            if (ResultRowAt(state_, r0 + offset.middleLeft).HasClosest()) return;
            const std::int32_t row = r0 + offset.closest;
            if (started(row)) FillMinimum(row, minDay_, a, state_.MinDeviation);
            StartNewRowGroup();
        } else {
            Row(r0 + offset.innerLeft).left[kInnerOrb] = Dated(day_);
            PutNameIfEmpty(r0, a);
            if (ResultRowAt(state_, r0 + offset.innerLeft).HasClosest()) return;
            FillMinimum(r0 + offset.closest, minDay_, a, state_.MinDeviation);
            StartNewRowGroup();
        }
        return;
    }

    // An entry; an exit on the same day is not looked at.
    state_.MinDeviation = deviation[1];
    minDay_ = day_;
    NotePassSamples(a, true);
    if (entering == kOuterOrb) {  // a transit begins
        TransitRow& row = Row(r0);
        row.aspectName = a;
        row.entered[kOuterOrb] = Dated(day_);
        offset = {};
    } else if (entering == kMiddleOrb) {
        PutNameIfEmpty(r0, a);
        Row(r0 + offset.middleEntered).entered[kMiddleOrb] = Dated(day_);
        offset.middleLeft = offset.middleEntered;
    } else {
        PutNameIfEmpty(r0, a);
        Row(r0 + offset.innerEntered).entered[kInnerOrb] = Dated(day_);
        offset.innerLeft = offset.innerEntered;
    }
    PlaceExactHits(a, hits);
}

void TransitScan::StartNewRowGroup() {
    RowOffsets& offset = state_.RowOffset;
    ++offset.closest;
    offset.innerEntered = offset.closest;
    offset.middleEntered = offset.closest;
}

void TransitScan::PlaceExactHits(std::int16_t a, const std::vector<ExactHit>& hits) {
    const std::int32_t r0 = state_.NextRow;
    for (const ExactHit& hit : hits) {
        // A transit in effect since before the start may have no other cell yet: its first row
        // must still say which aspect it is.
        PutNameIfEmpty(r0, a);
        Row(r0 + state_.RowOffset.closest).hit = hit;
        minDay_ = day_;
        StartNewRowGroup();
    }
}

void TransitScan::NotePassSamples(std::int16_t a, bool restart) {
    if (restart) passMinDeviation_ = kNoMinimum;
    // Samples 1 and 2: the midnights that start this day and the next.
    for (int j = 1; j <= 2; ++j) {
        if (sampleValid_[j] && state_.Deviation[a][j] < passMinDeviation_) {
            passMinDeviation_ = state_.Deviation[a][j];
            passMinDay_ = day_ + j - 1;
        }
    }
}

bool TransitScan::RetrogradeMark(std::int32_t day) const {
    if (request_.AllPlanetsMode && request_.world) return false;
    return IsRetrogradeAt(pair_.sky(), request_.Moving(), MomentOfDayStart(day));
}

void TransitScan::FillMinimum(std::int32_t row, std::int32_t minDay, std::int16_t aspect, double minDeviation) {
    // No daily minimum of this transit was seen (it was already inside its orbs when the scan
    // began): there is no day to name.
    if (minDeviation >= kNoMinimum) return;

    // The pass's smallest deviation lies between the midnights around its smallest midnight
    // sample: found to the minute, it is shown when it comes within the inner orb. One that lies
    // at or before the period's first midnight (the transit was under way when it began) has no
    // day in the period to name: no Minimum, as for a transit that leaves its outer orb before
    // any start column is filled.
    if (passMinDeviation_ < kNoMinimum) {
        const double gridStart = passMinDay_ - 1.5;  // 0 h UT of the day before
        const MinuteCurve deviationAt = [&](std::int32_t minute) {
            const double d = pair_.Deviation(gridStart + minute / static_cast<double>(kMinutesPerDay), aspect);
            return d < 0.0 ? std::nan("") : d;
        };
        const int zone = request_.zoneMinutes;
        auto midnight = [&](std::int32_t day) { return (day - passMinDay_ + 1) * kMinutesPerDay - zone; };
        std::int32_t first = std::max(midnight(passMinDay_ - 1), midnight(request_.StartDay));
        const std::int32_t last = std::min(midnight(passMinDay_ + 1), midnight(request_.EndDay + 1));
        // Where the period's first midnight has no position (Pluto or the Moon on the first day
        // of their range, in a zone east of Greenwich), the period starts where the positions do.
        const bool valuesBeginLater = first == midnight(request_.StartDay) && std::isnan(deviationAt(first));
        while (valuesBeginLater && first < midnight(passMinDay_) && std::isnan(deviationAt(first))) ++first;
        const MinuteHit smallest = SmallestDeviation(deviationAt, first, midnight(passMinDay_), last, passMinDeviation_);
        // Smallest at the first minute of the period, or (closing in on it from within) next to
        // where the positions begin and no smaller than there: closest before the period.
        const bool atPeriodStart =
            (smallest.minute == first && first == midnight(request_.StartDay)) ||
            (valuesBeginLater && smallest.minute <= first + 1 && !(deviationAt(first) > smallest.deviation));
        if (atPeriodStart) return;
        if (smallest.deviation < request_.Orbs[kInnerOrb]) {
            const std::int32_t day = passMinDay_ - 1 + FloorDivide(smallest.minute + zone, kMinutesPerDay);
            // The mark is taken at the midnight that ends the minimum's day.
            Row(row).minimum = ClosestApproach{{day, RetrogradeMark(day + 1)}, smallest.deviation};
            return;
        }
    }
    // The daily rule names the day before when the deviation already grows after the minimum's
    // midnight: before the first day, that is the same closest approach before the period.
    const std::int32_t day = MinimumDate(minDay, aspect, minDeviation);
    if (day < request_.StartDay) return;
    Row(row).minimum = ClosestApproach{{day, RetrogradeMark(day + 1)}, minDeviation};
}

std::int32_t TransitScan::MinimumDate(std::int32_t minDay, std::int16_t aspect, double minDeviation) const {
    // minDeviation is the deviation at the local midnight starting minDay; the trend is tested at
    // that same midnight, so the two compare like with like in every zone.
    if (pair_.DeviationTrend(MomentOfDayStart(minDay), aspect, minDeviation) > 0) {
        return minDay - 1;
    }
    return minDay;
}

std::vector<ExactHit> TransitScan::FindExactMinimum(std::int32_t day, std::int16_t aspect) const {
    const std::int16_t moving = pair_.Moving();
    const std::int16_t second = pair_.Second();
    const bool world = pair_.World();
    const Sky& sky = pair_.sky();
    const int zone = request_.zoneMinutes;
    const double t0 = MomentOfDayStart(day), t1 = MomentOfDayStart(day + 1);

    // The sidereal correction steps at 0 h UT of 1 January; the moving body jumps with it.
    CurveBounds bounds;
    bounds.jumps = sky.SiderealZodiac() && YearOfDayNumber(t0) != YearOfDayNumber(t1);
    const int bodies = world ? 2 : 1;
    const double jump = bounds.jumps ? kSiderealStep : 0.0;

    // Far from exact at both midnights, the pair cannot reach it in between.
    const double* d = state_.Deviation[aspect];
    const double reach = pair_.MaxDeviationSpeed() + 2 * (bodies * LightBendingSwing() + jump);
    if ((d[1] + d[2] - reach) / 2 >= kExactHitLimit) return {};

    bounds.curvature = MaxLongitudeAcceleration(moving) + (world ? MaxLongitudeAcceleration(second) : 0.0);
    bounds.wobble = bodies * LightBendingSwing() + jump;  // until the Sun has been looked at
    bounds.speedWobble = bodies * LightBendingSpeed(0.0);
    // How close the bodies come to the Sun within the day, which decides how much the bending of
    // their light can bend the pair's path. Looked at only when the answer could matter.
    auto lookAtTheSun = [&] {
        bounds.wobble = jump;
        bounds.speedWobble = 0.0;
        for (const std::int16_t body : {moving, second}) {
            if (body == kSun || (body == second && !world)) continue;
            double elongation[2];
            for (int i = 0; i < 2; ++i) {
                const double t = i == 0 ? t0 : t1;
                const double sun = sky.PlanetLongitude(kSun, t), at = sky.PlanetLongitude(body, t);
                elongation[i] = sun >= 0.0 && at >= 0.0 ? std::remainder(at - sun, kFullCircle) : 0.0;
            }
            // Passing the Sun within the day means coming as close as can be.
            const double closest = (elongation[0] < 0) != (elongation[1] < 0)
                                       ? 0.0
                                       : std::min(std::fabs(elongation[0]), std::fabs(elongation[1]));
            bounds.wobble += LightBendingSwing(closest);
            bounds.speedWobble += LightBendingSpeed(closest);
        }
    };

    const double angle = AspectAngle[aspect];
    const double difference[2] = {std::remainder(longitudes_[0][1] - longitudes_[1][1], kFullCircle),
                                  std::remainder(longitudes_[0][2] - longitudes_[1][2], kFullCircle)};
    const double gridStart = day - 1.5;  // 0 h UT of the day before
    const std::int32_t first = kMinutesPerDay - zone;  // the day's opening midnight, in minutes from there
    std::vector<MinuteHit> hits;
    bool sunLooked = false;
    for (const double aim : {angle, -angle}) {
        const double h0 = std::remainder(difference[0] - aim, kFullCircle);
        const double h1 = std::remainder(difference[1] - aim, kFullCircle);
        if ((std::fabs(h0) + std::fabs(h1) - reach) / 2 < kExactHitLimit && HitPossible(h0, h1, bounds)) {
            if (!sunLooked && std::fabs(h1 - h0) <= bounds.curvature + bounds.wobble + bounds.speedWobble) {
                lookAtTheSun();
                sunLooked = true;
            }
            const MinuteCurve h = [&](std::int32_t minute) {
                return pair_.DistanceFromAim(gridStart + minute / static_cast<double>(kMinutesPerDay), aim);
            };
            for (const MinuteHit& hit : ExactHitsOfDay(h, first, h0, h1, bounds)) hits.push_back(hit);
        }
        if (angle == 0.0 || angle > 3.0) break;  // conjunction and opposition have one aim
    }
    std::sort(hits.begin(), hits.end(), [](const MinuteHit& x, const MinuteHit& y) { return x.minute < y.minute; });

    std::vector<ExactHit> found;
    for (const MinuteHit& hit : hits) {
        // Local time in whole minutes from local 0 h of day - 1; the zone is whole minutes too.
        const int local = hit.minute + zone;
        const std::int32_t hitDay = day - 1 + FloorDivide(local, kMinutesPerDay);
        const int minuteOfDay = local - FloorDivide(local, kMinutesPerDay) * kMinutesPerDay;
        const double moment = gridStart + hit.minute / static_cast<double>(kMinutesPerDay);
        // The mark is taken at the midnight that ends the hit's day.
        found.push_back({{hitDay, RetrogradeMark(hitDay + 1)}, minuteOfDay, moment, hit.deviation});
    }
    return found;
}

void TransitScan::FlushTransitRows() {
    if (!state_.HeaderWritten) WriteHeader();
    const std::int32_t first = state_.NextRow;
    TransitRecord transit;
    transit.aspect = ResultRowAt(state_, first).aspectName;
    // Consecutive transits of one aspect show its name once.
    if (transit.aspect != 0) {
        if (transit.aspect == lastNamed_) Row(first).aspectName = 0;
        lastNamed_ = transit.aspect;
    }
    // Every row the transit used is offered, empty ones skipped; after a refusal the rest stay
    // unwritten, and the next transit still starts below them so that nothing is overwritten.
    for (std::int32_t r = first; r <= lastRowUsed_; ++r) {
        const TransitRow& row = ResultRowAt(state_, r);
        if (row.Empty()) continue;
        if (!WriteRow(RowLine(row, request_.zoneText))) break;
        transit.rows.push_back(row);
        if (Stopping()) break;
    }
    if (!transit.rows.empty()) state_.Results.transits.push_back(std::move(transit));
    state_.NextRow = std::max(first, lastRowUsed_ + 1);
    lastRowUsed_ = state_.NextRow - 1;
    state_.RowOffset = {};
    state_.MinDeviation = kNoMinimum;
    passMinDeviation_ = kNoMinimum;
}

}  // namespace meridel
