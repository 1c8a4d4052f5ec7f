// The runs of the output as an iCalendar file (RFC 5545) for calendar programs. Per transit:
// one all-day event over its local days within the outer orb (the listing's days, in the results
// zone), its description giving each orb's entry and exit day and every exact hit; and one timed
// event per exact hit at its moment in universal time. UIDs come from the pair (PairKey) and the
// event, so importing a later export of the same pair updates its events instead of adding them
// again; an event that appears twice in the output (a run appended twice) is written once. With
// the sky's own events of a chart, a timed event for each of them, its UID from the event alone
// (kind, body, the sign and zodiac of an ingress, its minute), which any period holding it finds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "transits/sky_own_events.h"
#include "transits/transit_results.h"

namespace meridel {

// stampUtc: the DTSTAMP of every event, as 20240315T101500Z (CurrentUtcStamp()). The sky (its
// Pluto table loaded when a run involves Pluto) finds where a transit under way at the start of
// its period began.
std::string ICalendarExport(const std::vector<RunRecord>& runs, const Sky& sky, const std::string& stampUtc,
                            const SkyOwnEvents* events = nullptr);

// A TEXT value escaped: backslash, semicolon, comma and line breaks ("\n").
std::string ICalendarText(const std::string& text);

// A content line and its CR LF, folded so that no line exceeds 75 octets (a UTF-8 character is
// never split); each continuation line begins with one blank.
std::string FoldedLine(const std::string& line);

// The UID of a transit's all-day event: from the pair, the aspect and the transit's first day.
std::string TransitUid(const TransitRequest& heading, std::int16_t aspect, std::int32_t firstDay);
// The UID of an exact hit's event: from the pair, the aspect and the hit's minute (universal time).
std::string ExactHitUid(const TransitRequest& heading, std::int16_t aspect, double moment);

}  // namespace meridel
