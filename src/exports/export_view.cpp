#include "exports/export_view.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calendar/date_text.h"
#include "transits/orb_stretches.h"

namespace meridel {

namespace {

constexpr int kMinutesPerDay = 1440;

// A row that holds nothing but an exact hit: a further hit of the pass above it.
bool OnlyAHit(const TransitRow& row) {
    if (!row.hit || row.minimum) return false;
    for (int o = kOuterOrb; o <= kInnerOrb; ++o) {
        if (row.entered[o] || row.left[o]) return false;
    }
    return true;
}

}  // namespace

std::vector<ExactHit> ExportTransit::Hits() const {
    std::vector<ExactHit> all;
    for (const ExportPass& pass : passes) all.insert(all.end(), pass.hits.begin(), pass.hits.end());
    return all;
}

std::vector<ExportTransit> ExportTransitsOf(const RunRecord& run) {
    std::vector<ExportTransit> transits;
    for (const TransitRecord& record : run.transits) {
        if (record.rows.empty()) continue;
        ExportTransit t;
        t.record = &record;
        const TransitRow& first = record.rows.front();
        t.openAtStart = !first.entered[kOuterOrb];
        t.openAtEnd = !first.left[kOuterOrb];
        t.firstDay = t.openAtStart ? run.request.StartDay : first.entered[kOuterOrb]->day;
        t.lastDay = t.openAtEnd ? run.LastDayScanned() : first.left[kOuterOrb]->day;
        const OrbStretches stretches = OrbStretchesOf(record, run.request.StartDay, run.LastDayScanned());
        for (int o = kOuterOrb; o <= kInnerOrb; ++o) {
            t.heldAtStart[o] = !stretches[o].empty() && stretches[o].front().openStart;
            t.heldAtEnd[o] = !stretches[o].empty() && stretches[o].back().openEnd;
        }
        for (std::size_t r = 0; r < record.rows.size(); ++r) {
            const TransitRow& row = record.rows[r];
            if (r == 0 || !OnlyAHit(row)) t.passes.emplace_back();
            t.passes.back().rows.push_back(r);
            if (row.hit) t.passes.back().hits.push_back(*row.hit);
        }
        transits.push_back(std::move(t));
    }
    return transits;
}

std::string IsoDate(std::int32_t day) {
    EuroDate date;
    date.DayNumber = day;
    DateFromDayNumber(date);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(date.Year), static_cast<int>(date.Month),
                  static_cast<int>(date.Day));
    return text;
}

std::string ClockText(int minuteOfDay) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", minuteOfDay / 60, minuteOfDay % 60);
    return text;
}

std::string UtcOffsetText(int zoneMinutes) {
    const int size = std::abs(zoneMinutes);
    return (zoneMinutes < 0 ? "-" : "+") + ClockText(size);
}

UtcMinute UtcMinuteOf(double moment) {
    // Hits lie on whole minutes of universal time; rounding only removes the binary fraction's error.
    const long long minutes = std::llround((moment + 0.5) * kMinutesPerDay);
    const long long day = minutes >= 0 ? minutes / kMinutesPerDay : -((-minutes + kMinutesPerDay - 1) / kMinutesPerDay);
    return {static_cast<std::int32_t>(day), static_cast<int>(minutes - day * kMinutesPerDay)};
}

std::string OrbWord(int orb) {
    static const char* const words[kOrbCount] = {"outer", "middle", "inner"};
    return orb >= kOuterOrb && orb <= kInnerOrb ? words[orb] : "";
}

std::string AspectNoun(std::int16_t aspect) {
    static const char* const nouns[] = {"", "conjunction", "opposition", "square", "trine", "sextile"};
    return aspect >= 1 && aspect <= 5 ? nouns[aspect] : "";
}

std::string AspectVerb(std::int16_t aspect) {
    static const char* const verbs[] = {"", "conjunct", "opposite", "square", "trine", "sextile"};
    return aspect >= 1 && aspect <= 5 ? verbs[aspect] : "";
}

std::string TransitTitle(const TransitRequest& heading, std::int16_t aspect) {
    return heading.planet1 + " " + AspectVerb(aspect) + (heading.world ? " " : " natal ") + heading.planet2;
}

std::string ModeText(const TransitRequest& heading) { return heading.world ? "World" : "Personal"; }

std::string ZodiacText(const TransitRequest& heading) {
    return heading.world || !heading.sidereal ? "tropical" : "sidereal";
}

std::string BirthText(const TransitRequest& heading) {
    if (heading.world) return "";
    return IsoDate(heading.BirthDay()) + " " + heading.birthHour + ":" + heading.birthMinute + " " + heading.birthZone;
}

std::string PairKey(const TransitRequest& heading) {
    std::string key = (heading.world ? "W|" : "P|") + std::to_string(heading.Moving()) + "|" +
                      std::to_string(heading.Second());
    if (heading.world) return key;
    // The birth moment, not its typing: 12:00 in GMT+2:00 and 10:00 in GMT are one natal position.
    const long long minute = static_cast<long long>(heading.BirthDay()) * kMinutesPerDay +
                             std::atoi(heading.birthHour.c_str()) * 60 + std::atoi(heading.birthMinute.c_str()) -
                             heading.birthZoneMinutes;
    return key + "|" + std::to_string(minute) + "|" + ZodiacText(heading);
}

}  // namespace meridel
