#include "forecast/agenda.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/names.h"
#include "exports/export_view.h"
#include "transits/orb_geometry.h"

namespace meridel {

namespace {

// A moment's local day and minute in a zone; moments are whole minutes of universal time.
void SetLocalTime(AgendaEntry& e, double moment, int zoneMinutes) {
    const UtcMinute local = UtcMinuteOf(moment + zoneMinutes / 1440.0);
    e.day = local.day;
    e.minuteOfDay = local.minuteOfDay;
    e.moment = moment;
}

void AddTransitEntries(std::vector<AgendaEntry>& out, const RunRecord& run, int runIndex) {
    const TransitRequest& h = run.request;
    for (const TransitRecord& transit : run.transits) {
        AgendaEntry base;
        base.moving = h.Moving();
        base.second = h.Second();
        base.natal = !h.world;
        base.aspect = transit.aspect;
        base.run = runIndex;
        const std::string title = TransitTitle(h, transit.aspect);
        auto add = [&](AgendaKind kind, std::int32_t day, int orb, const std::string& words) {
            AgendaEntry e = base;
            e.kind = kind;
            e.day = day;
            e.orb = orb;
            e.words = title + " " + words;
            out.push_back(std::move(e));
        };
        for (const TransitRow& row : transit.rows) {
            for (int o = kOuterOrb; o <= kInnerOrb; ++o) {
                if (row.entered[o]) {
                    add(AgendaKind::OrbEntered, row.entered[o]->day, o,
                        "enters the " + std::to_string(h.OrbDegrees[o]) + "\xC2\xB0 orb");
                }
            }
            if (row.minimum) {
                add(AgendaKind::ClosestApproach, row.minimum->date.day, -1,
                    "closest, " + AngleToDegMinText(row.minimum->deviation) + " from exact");
            }
            if (row.hit) {
                add(AgendaKind::ExactHit, row.hit->date.day, -1, "exact");
                out.back().minuteOfDay = row.hit->minuteOfDay;
                out.back().moment = row.hit->moment;
            }
            for (int o = kInnerOrb; o >= kOuterOrb; --o) {
                if (row.left[o]) {
                    add(AgendaKind::OrbLeft, row.left[o]->day, o,
                        "leaves the " + std::to_string(h.OrbDegrees[o]) + "\xC2\xB0 orb");
                }
            }
        }
    }
}

}  // namespace

std::vector<AgendaEntry> AgendaOf(const std::vector<RunRecord>& runs, const SkyOwnEvents& events, int zoneMinutes) {
    std::vector<AgendaEntry> out;
    for (std::size_t i = 0; i < runs.size(); ++i) AddTransitEntries(out, runs[i], static_cast<int>(i));
    for (const Station& s : events.stations) {
        AgendaEntry e;
        e.kind = AgendaKind::Station;
        e.moving = s.body;
        e.retrograde = s.retrograde;
        e.longitude = s.longitude;
        e.words = StationWords(s);
        SetLocalTime(e, s.moment, zoneMinutes);
        out.push_back(std::move(e));
    }
    for (const Ingress& g : events.ingresses) {
        AgendaEntry e;
        e.kind = AgendaKind::Ingress;
        e.moving = g.body;
        e.sign = g.sign;
        e.retrograde = g.retrograde;
        e.words = IngressWords(g);
        SetLocalTime(e, g.moment, zoneMinutes);
        out.push_back(std::move(e));
    }
    for (const Lunation& l : events.lunations) {
        AgendaEntry e;
        e.kind = AgendaKind::Lunation;
        e.moving = kMoon;
        e.full = l.full;
        e.longitude = l.longitude;
        e.words = LunationWords(l);
        SetLocalTime(e, l.moment, zoneMinutes);
        out.push_back(std::move(e));
    }
    for (const Eclipse& x : events.eclipses) {
        AgendaEntry e;
        e.kind = AgendaKind::Eclipse;
        e.moving = x.solar ? kSun : kMoon;
        e.eclipse = x.type;
        e.words = EclipseWords(x);
        SetLocalTime(e, x.moment, zoneMinutes);
        out.push_back(std::move(e));
    }
    std::stable_sort(out.begin(), out.end(), [](const AgendaEntry& a, const AgendaEntry& b) {
        if (a.day != b.day) return a.day < b.day;
        return a.minuteOfDay.value_or(-1) < b.minuteOfDay.value_or(-1);
    });
    return out;
}

std::vector<AgendaEntry> AgendaWithin(std::vector<AgendaEntry> entries, std::int32_t firstDay, std::int32_t lastDay) {
    std::erase_if(entries, [&](const AgendaEntry& e) { return e.day < firstDay || e.day > lastDay; });
    return entries;
}

std::string AgendaLine(const AgendaEntry& entry) {
    std::string line = IsoDate(entry.day);
    if (entry.minuteOfDay) line += " " + ClockText(*entry.minuteOfDay);
    return line + " " + entry.words;
}

std::string AgendaText(const std::vector<AgendaEntry>& entries) {
    std::string text;
    for (const AgendaEntry& e : entries) text += AgendaLine(e) + "\r\n";
    return text;
}

}  // namespace meridel
