// A run's transits read for export (CSV, iCalendar, JSON): each transit's days inside its outer
// orb, its passes and their exact hits, and the texts every export shares. Everything is taken
// from the run's values as the listing shows them, so an export names the listing's days and
// minutes and no others.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "transits/transit_results.h"

namespace meridel {

// One pass of a transit: a row of the listing with its orb entries and exits and its closest
// approach or first exact hit, with the further exact hits the listing puts on rows of their own
// below it.
struct ExportPass {
    std::vector<std::size_t> rows;  // indexes into the transit's rows, the opening row first
    std::vector<ExactHit> hits;     // in time order
};

struct ExportTransit {
    const TransitRecord* record = nullptr;
    std::int32_t firstDay = 0, lastDay = 0;  // first and last local day within the outer orb
    bool openAtStart = false;                // already within the outer orb when the period began
    bool openAtEnd = false;                  // still within it when the period ended
    // By orb index: which orbs were already held when the period began, and still when it ended.
    std::array<bool, kOrbCount> heldAtStart{}, heldAtEnd{};
    std::vector<ExportPass> passes;

    const TransitRow& FirstRow() const { return record->rows.front(); }
    std::vector<ExactHit> Hits() const;
};

// The transits of a run in listing order.
std::vector<ExportTransit> ExportTransitsOf(const RunRecord& run);

// "2020-12-21": a local day as ISO 8601, the year in four digits.
std::string IsoDate(std::int32_t day);
// "18:20": minutes after midnight.
std::string ClockText(int minuteOfDay);
// "+05:30", "-03:30", "+00:00": a zone minutes east of Greenwich.
std::string UtcOffsetText(int zoneMinutes);

// A moment (universal time, day number with fraction) to the whole minute.
struct UtcMinute {
    std::int32_t day = 0;  // the Greenwich civil day
    int minuteOfDay = 0;
};
UtcMinute UtcMinuteOf(double moment);
// The same minute on the clock of a zone minutes east of Greenwich: its local day and time.
inline UtcMinute LocalMinuteOf(double moment, int zoneMinutes) { return UtcMinuteOf(moment + zoneMinutes / 1440.0); }

// "outer", "middle", "inner".
std::string OrbWord(int orb);

// "conjunction", "opposition", "square", "trine", "sextile".
std::string AspectNoun(std::int16_t aspect);
// "conjunct", "opposite", "square", "trine", "sextile".
std::string AspectVerb(std::int16_t aspect);
// "Jupiter conjunct Saturn" (World) or "Mars square natal Sun" (Personal).
std::string TransitTitle(const TransitRequest& heading, std::int16_t aspect);
// "World" or "Personal".
std::string ModeText(const TransitRequest& heading);
// "tropical" or "sidereal"; World transits are tropical.
std::string ZodiacText(const TransitRequest& heading);
// Personal: "1990-06-15 12:00 GMT+2:00", the birth data as the request gave them; World: "".
std::string BirthText(const TransitRequest& heading);

// What identifies a run's pair wherever it is exported: the mode, the two bodies and, for
// Personal transits, the natal position: the birth moment in universal time (however its zone was
// typed) and the zodiac. Neither the period, the orbs nor the results zone take part; with an
// event's own figures it makes that event's UID.
std::string PairKey(const TransitRequest& heading);

}  // namespace meridel
