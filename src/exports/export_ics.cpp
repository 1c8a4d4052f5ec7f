#include "exports/export_ics.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

#include "ephemeris/planet_longitude.h"
#include "exports/export_view.h"
#include "transits/orb_geometry.h"
#include "transits/transit_pair.h"

namespace meridel {

namespace {

constexpr std::size_t kLineOctets = 75;

// FNV-1a, 64 bits: the same key gives the same UID on every machine and in every version.
std::string KeyHash(const std::string& key) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : key) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string CompactDate(std::int32_t day) {
    std::string iso = IsoDate(day);
    std::string compact;
    for (char c : iso) {
        if (c != '-') compact += c;
    }
    return compact;
}

// The day the transit entered its outer orb, also when that was before the period: the listing's
// own stepping (local midnights in the results zone) walked back from the period's first day.
// Every period that holds the transit finds the same day, so its UID does not change with the
// period. Where the positions end first, their first day stands for it.
std::int32_t TransitFirstDay(const Sky& sky, const TransitRequest& h, const ExportTransit& t) {
    if (!t.openAtStart) return t.firstDay;
    bool heldOnFirstDay = false;
    std::int16_t error = 0;
    const double orb = h.OrbDegrees[kOuterOrb] * kFullCircle / 360.0;
    const std::int32_t day = TransitPair(sky, h).StepToOrbChange(t.firstDay, heldOnFirstDay, false, false,
                                                                 static_cast<std::int16_t>(h.zoneMinutes),
                                                                 t.record->aspect, orb, error);
    if (error < 0) return day < t.firstDay ? day + 1 : t.firstDay;
    return day;
}

std::string UtcDateTime(double moment) {
    const UtcMinute ut = UtcMinuteOf(moment);
    const std::string clock = ClockText(ut.minuteOfDay);
    return CompactDate(ut.day) + "T" + clock.substr(0, 2) + clock.substr(3, 2) + "00Z";
}

std::string OrbText(const TransitRequest& h, int orb) { return std::to_string(h.OrbDegrees[orb]) + "\xC2\xB0 orb"; }

// "10° orb", "10° and 5° orbs", "10°, 5° and 2° orbs": the orbs marked, outer first.
std::string OrbsText(const TransitRequest& h, const std::array<bool, kOrbCount>& marked) {
    std::vector<std::string> degrees;
    for (int o = kOuterOrb; o <= kInnerOrb; ++o) {
        if (marked[o]) degrees.push_back(std::to_string(h.OrbDegrees[o]) + "\xC2\xB0");
    }
    std::string text;
    for (std::size_t i = 0; i < degrees.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == degrees.size() ? " and " : ", ") + degrees[i];
    }
    return text + (degrees.size() > 1 ? " orbs" : " orb");
}

// Describes what the transit is: the pair, and for Personal transits the birth and zodiac.
std::string PairLine(const TransitRequest& h, std::int16_t aspect) {
    if (h.world) return "World transit: " + TransitTitle(h, aspect) + ".";
    return "Personal transit: " + TransitTitle(h, aspect) + ", birth " + BirthText(h) + ", " + ZodiacText(h) +
           " zodiac.";
}

// The texts of a transit's description. Its dated lines are put in time order: an orb's exit
// stands on the row of its entry in the listing, after the rows of passes through the smaller
// orbs within it.
class DescriptionWriter {
public:
    explicit DescriptionWriter(const TransitRequest& h) : h_(h) {}

    std::string Dated(const ListedDate& date) const {
        return IsoDate(date.day) + (date.retrograde ? ", " + h_.planet1 + " retrograde" : "");
    }
    std::string HitText(const ExactHit& hit) const {
        const UtcMinute ut = UtcMinuteOf(hit.moment);
        return IsoDate(hit.date.day) + " " + ClockText(hit.minuteOfDay) + " " + h_.zoneText + " (" + IsoDate(ut.day) +
               " " + ClockText(ut.minuteOfDay) + " UT)" + (hit.date.retrograde ? ", " + h_.planet1 + " retrograde" : "");
    }
    void Line(const std::string& text) { undated_.push_back(text); }
    void On(std::int32_t day, const std::string& text) { dated_.push_back({day, text}); }
    void Entered(const TransitRow& row, int orb) {
        if (row.entered[orb]) On(row.entered[orb]->day, "Enters " + OrbText(h_, orb) + ": " + Dated(*row.entered[orb]));
    }
    void Left(const TransitRow& row, int orb) {
        if (row.left[orb]) On(row.left[orb]->day, "Leaves " + OrbText(h_, orb) + ": " + Dated(*row.left[orb]));
    }
    // The undated lines, the dated ones by day, then `last`.
    std::string Text(const std::string& last) {
        std::stable_sort(dated_.begin(), dated_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        std::string text;
        auto add = [&text](const std::string& line) { text += (text.empty() ? "" : "\n") + line; };
        for (const std::string& line : undated_) add(line);
        for (const auto& line : dated_) add(line.second);
        if (!last.empty()) add(last);
        return text;
    }

private:
    const TransitRequest& h_;
    std::vector<std::string> undated_;
    std::vector<std::pair<std::int32_t, std::string>> dated_;
};

std::string TransitDescription(const TransitRequest& h, const ExportTransit& t) {
    DescriptionWriter d(h);
    d.Line(PairLine(h, t.record->aspect));
    d.Line("Orbs " + std::to_string(h.OrbDegrees[kOuterOrb]) + "\xC2\xB0, " + std::to_string(h.OrbDegrees[kMiddleOrb]) +
           "\xC2\xB0 and " + std::to_string(h.OrbDegrees[kInnerOrb]) + "\xC2\xB0; days in the zone " + h.zoneText +
           " (UTC" + UtcOffsetText(h.zoneMinutes) + ").");
    if (t.openAtStart) {
        d.Line("Already within the " + OrbsText(h, t.heldAtStart) + " when the period began on " + IsoDate(h.StartDay) +
               ".");
    }
    for (const ExportPass& pass : t.passes) {
        const TransitRow& row = t.record->rows[pass.rows.front()];
        for (int o = kOuterOrb; o <= kInnerOrb; ++o) d.Entered(row, o);
        if (row.minimum) {
            const ListedDate& on = row.minimum->date;
            d.On(on.day, "Closest: " + IsoDate(on.day) + ", " + AngleToDegMinText(row.minimum->deviation) +
                             (on.retrograde ? ", " + h.planet1 + " retrograde" : ""));
        }
        for (const ExactHit& hit : pass.hits) d.On(hit.date.day, "Exact: " + d.HitText(hit));
        for (int o = kInnerOrb; o >= kOuterOrb; --o) d.Left(row, o);
    }
    return d.Text(t.openAtEnd ? "Still within the " + OrbsText(h, t.heldAtEnd) + " when the period ended on " +
                                    IsoDate(t.lastDay) + "."
                              : "");
}

class CalendarWriter {
public:
    explicit CalendarWriter(const std::string& stamp) : stamp_(stamp) {}

    void Property(const std::string& line) { out_ += FoldedLine(line); }

    // False when an event with this UID was written already.
    bool BeginEvent(const std::string& uid) {
        if (!uids_.insert(uid).second) return false;
        Property("BEGIN:VEVENT");
        Property("UID:" + uid);
        Property("DTSTAMP:" + stamp_);
        return true;
    }
    void EndEvent(const std::string& summary, const std::string& description) {
        Property("SUMMARY:" + ICalendarText(summary));
        Property("DESCRIPTION:" + ICalendarText(description));
        // Transits are for planning, not appointments: they never show the user as busy.
        Property("TRANSP:TRANSPARENT");
        Property("END:VEVENT");
    }
    const std::string& Text() const { return out_; }

private:
    std::string stamp_;
    std::string out_;
    std::set<std::string> uids_;
};

void WriteTransit(CalendarWriter& w, const Sky& sky, const TransitRequest& h, const ExportTransit& t) {
    const std::int16_t aspect = t.record->aspect;
    const std::string title = TransitTitle(h, aspect);
    if (w.BeginEvent(TransitUid(h, aspect, TransitFirstDay(sky, h, t)))) {
        w.Property("DTSTART;VALUE=DATE:" + CompactDate(t.firstDay));
        w.Property("DTEND;VALUE=DATE:" + CompactDate(t.lastDay + 1));  // the day after the last
        w.EndEvent(title, TransitDescription(h, t));
    }
    const std::vector<ExactHit> hits = t.Hits();
    const DescriptionWriter d(h);
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const ExactHit& hit = hits[i];
        if (!w.BeginEvent(ExactHitUid(h, aspect, hit.moment))) continue;
        w.Property("DTSTART:" + UtcDateTime(hit.moment));
        // The minute of the hit; without an end, calendar programs give it their default hour.
        w.Property("DTEND:" + UtcDateTime(hit.moment + 1.0 / 1440));
        const std::string count =
            hits.size() > 1 ? " (" + std::to_string(i + 1) + " of " + std::to_string(hits.size()) + ")" : "";
        const std::string description = PairLine(h, aspect) + "\nExact: " + d.HitText(hit) + "\nWithin the " +
                                        OrbText(h, kOuterOrb) + " from " + IsoDate(t.firstDay) + " to " +
                                        IsoDate(t.lastDay) + ".";
        w.EndEvent(title + " exact" + count, description);
    }
}

// A timed event of the sky, one minute long.
void WriteSkyEvent(CalendarWriter& w, const TransitRequest& h, const std::string& key, double moment,
                   const std::string& words) {
    const UtcMinute ut = UtcMinuteOf(moment), local = LocalMinuteOf(moment, h.zoneMinutes);
    const long long minute = static_cast<long long>(ut.day) * 1440 + ut.minuteOfDay;
    if (!w.BeginEvent("sky-" + KeyHash(key + "|" + std::to_string(minute)) + "@meridel")) return;
    w.Property("DTSTART:" + UtcDateTime(moment));
    w.Property("DTEND:" + UtcDateTime(moment + 1.0 / 1440));
    w.EndEvent(words, words + "\n" + IsoDate(local.day) + " " + ClockText(local.minuteOfDay) + " " + h.zoneText +
                          " (UTC" + UtcOffsetText(h.zoneMinutes) + ").");
}

void WriteSkyEvents(CalendarWriter& w, const TransitRequest& h, const SkyOwnEvents& events) {
    for (const Station& s : events.stations) {
        WriteSkyEvent(w, h, "station|" + std::to_string(s.body) + "|" + (s.retrograde ? "R" : "D"), s.moment,
                      StationWords(s));
    }
    // The zodiac names another event: the sidereal ingress is a different moment.
    for (const Ingress& g : events.ingresses) {
        WriteSkyEvent(w, h,
                      "ingress|" + std::to_string(g.body) + "|" + std::to_string(g.sign) + "|" + ZodiacText(h) +
                          (g.retrograde ? "|R" : ""),
                      g.moment, IngressWords(g));
    }
    for (const Lunation& l : events.lunations) {
        WriteSkyEvent(w, h, std::string("lunation|") + (l.full ? "full" : "new"), l.moment, LunationWords(l));
    }
    for (const Eclipse& e : events.eclipses) {
        WriteSkyEvent(w, h, std::string("eclipse|") + (e.solar ? "solar" : "lunar"), e.moment, EclipseWords(e));
    }
}

}  // namespace

std::string ICalendarText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string FoldedLine(const std::string& line) {
    std::string out;
    std::size_t at = 0;
    std::size_t room = kLineOctets;
    while (line.size() - at > room) {
        std::size_t cut = at + room;
        // Back to the start of the UTF-8 character that would be split.
        while (cut > at && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out.append(line, at, cut - at);
        out += "\r\n ";
        at = cut;
        room = kLineOctets - 1;  // after the blank that begins a continuation line
    }
    out.append(line, at, std::string::npos);
    return out + "\r\n";
}

std::string TransitUid(const TransitRequest& heading, std::int16_t aspect, std::int32_t firstDay) {
    return "transit-" + KeyHash(PairKey(heading) + "|" + std::to_string(aspect) + "|" + std::to_string(firstDay)) +
           "@meridel";
}

std::string ExactHitUid(const TransitRequest& heading, std::int16_t aspect, double moment) {
    const UtcMinute ut = UtcMinuteOf(moment);
    const long long minute = static_cast<long long>(ut.day) * 1440 + ut.minuteOfDay;
    return "exact-" + KeyHash(PairKey(heading) + "|" + std::to_string(aspect) + "|" + std::to_string(minute)) +
           "@meridel";
}

std::string ICalendarExport(const std::vector<RunRecord>& runs, const Sky& sky, const std::string& stampUtc,
                            const SkyOwnEvents* events) {
    CalendarWriter w(stampUtc);
    w.Property("BEGIN:VCALENDAR");
    w.Property("VERSION:2.0");
    w.Property("PRODID:-//Meridel//Meridel transits//EN");
    w.Property("CALSCALE:GREGORIAN");
    for (const RunRecord& run : runs) {
        for (const ExportTransit& t : ExportTransitsOf(run)) WriteTransit(w, sky, run.request, t);
    }
    if (events && !runs.empty()) WriteSkyEvents(w, runs.front().request, *events);
    w.Property("END:VCALENDAR");
    return w.Text();
}

}  // namespace meridel
