// What a run found, as values: its heading, and per transit the rows the listing shows, each with
// the days its orbs were entered and left, its closest approach or its exact hit. The listing's
// text is rendered from these (transit_report.h); exports and pictures read them as they are.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "transits/transit_request.h"

namespace meridel {

// A local day the listing names, and whether the moving planet is retrograde there ("r").
struct ListedDate {
    std::int32_t day = 0;
    bool retrograde = false;
    bool operator==(const ListedDate&) const = default;
};

// The smallest deviation of a pass that has no exact hit. Its mark is taken at the midnight that
// ends its day.
struct ClosestApproach {
    ListedDate date;
    double deviation = 0;  // radians
};

// A moment the pair is exact to within about one minute of arc, to the whole minute. Its mark is
// taken at the midnight that ends its day.
struct ExactHit {
    ListedDate date;       // the local day
    int minuteOfDay = 0;   // local time, minutes after midnight
    double moment = 0;     // universal time, day number with fraction
    double deviation = 0;  // radians
};

// One line of a transit's listing: a pass through its orbs, or a further exact hit of one.
struct TransitRow {
    std::int16_t aspectName = 0;  // the aspect named in its first column (a transit's first row), or 0
    std::array<std::optional<ListedDate>, kOrbCount> entered;  // by orb index
    std::array<std::optional<ListedDate>, kOrbCount> left;
    std::optional<ClosestApproach> minimum;  // at most one of these two
    std::optional<ExactHit> hit;

    bool Empty() const;
    bool HasClosest() const { return minimum || hit; }
};

// One transit as written: its aspect and its rows.
struct TransitRecord {
    std::int16_t aspect = 0;
    std::vector<TransitRow> rows;
};

// A run as it stands in the output: the transits whose rows were written, in that order.
struct RunRecord {
    TransitRequest request;
    std::vector<TransitRecord> transits;
    // A run that ended early (Stop, or the output box full): the last day it scanned, which is
    // the day before its period began when it stopped at once.
    std::optional<std::int32_t> stoppedAfter = std::nullopt;

    // The last day the run covered: its period's last day, or where it stopped.
    std::int32_t LastDayScanned() const { return stoppedAfter ? *stoppedAfter : request.EndDay; }
};

}  // namespace meridel
