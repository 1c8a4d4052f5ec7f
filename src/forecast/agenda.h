// The agenda: every event of a listing and of the sky in date order, one entry each, as data for
// a window and as the lines of `--format agenda`:
//   2025-03-14 06:58 Total lunar eclipse
//   2025-04-07 Saturn trine natal Sun enters the 10° orb
//   2025-05-02 14:11 Saturn trine natal Sun exact
// A transit gives the local day it enters and leaves each orb, each exact hit (local day and
// time) and each closest approach of a pass without a hit (local day); the sky gives its stations,
// ingresses, lunations and eclipses (local day and time). Days and times are the results zone's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forecast/sky_events.h"
#include "transits/transit_results.h"

namespace meridel {

enum class AgendaKind { OrbEntered, OrbLeft, ExactHit, ClosestApproach, Station, Ingress, Lunation, Eclipse };

struct AgendaEntry {
    std::int32_t day = 0;                // local day
    std::optional<int> minuteOfDay;      // local time, minutes after midnight (timed events)
    double moment = 0;                   // UT of a timed event (0 for a day's event)
    std::string words;                   // "Saturn trine natal Sun exact", "Saturn enters Aries"
    AgendaKind kind = AgendaKind::OrbEntered;
    // A transit: the moving planet, the second body (natal when `natal`), the aspect, the orb
    // (kOuterOrb..kInnerOrb) of an entry or exit, and the index of its run among the runs given.
    // The sky: `moving` is the body of a station or ingress, the Moon for a lunation, the Sun
    // (solar) or the Moon (lunar) for an eclipse; the rest stay 0 / -1.
    std::int16_t moving = 0;
    std::int16_t second = 0;
    bool natal = false;
    std::int16_t aspect = 0;
    int orb = -1;
    int run = -1;
    // The sky's events: the station's turn or the ingress's retrograde entry, the full Moon, the
    // sign of an ingress (0 Aries), the longitude of a station or lunation, the eclipse's type.
    bool retrograde = false;
    bool full = false;
    int sign = -1;
    double longitude = -1;
    std::optional<EclipseType> eclipse;
};

// The entries of the runs' transits and of the sky's events, in date order: by local day, a
// day's untimed entries first, then by time; entries of one moment keep the order runs, then
// stations, ingresses, lunations, eclipses. Transit entries are those the listing shows.
std::vector<AgendaEntry> AgendaOf(const std::vector<RunRecord>& runs, const SkyOwnEvents& events, int zoneMinutes);

// The entries on the local days firstDay..lastDay. A listing names where a transit under way at
// the period's start began, before it; an agenda of the period leaves such days out.
std::vector<AgendaEntry> AgendaWithin(std::vector<AgendaEntry> entries, std::int32_t firstDay, std::int32_t lastDay);

// "2025-03-14 06:58 Total lunar eclipse" (no line end).
std::string AgendaLine(const AgendaEntry& entry);
// The lines, each ended by CR LF as the listing's are.
std::string AgendaText(const std::vector<AgendaEntry>& entries);

}  // namespace meridel
