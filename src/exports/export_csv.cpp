#include "exports/export_csv.h"

#include <cstdio>

#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "exports/export_view.h"

namespace meridel {

namespace {

const char* const kColumns[] = {
    "run", "transit", "pass", "mode", "zodiac", "planet 1", "planet 2", "birth", "aspect", "period start",
    "period end", "zone", "utc offset", "outer orb", "middle orb", "inner orb", "enters outer", "enters middle",
    "enters inner", "closest", "closest deviation", "exact local", "exact ut", "leaves inner", "leaves middle",
    "leaves outer", "retrograde", "within at start", "within at end"};

// Decimal degrees to 0.0001 (a third of an arc second): the listing's whole minutes and more.
std::string Degrees(double radians) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", radians / kFullCircle * 360.0);
    return text;
}

void AppendRecord(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ',';
        out += CsvField(fields[i]);
    }
    out += "\r\n";
}

// "outer; middle": the orbs marked.
std::string OrbWords(const std::array<bool, kOrbCount>& marked) {
    std::string words;
    for (int o = kOuterOrb; o <= kInnerOrb; ++o) {
        if (marked[o]) words += (words.empty() ? "" : "; ") + OrbWord(o);
    }
    return words;
}

// The fields of one listing row; the orbs held at the period's ends go on the transit's first.
std::vector<std::string> RowFields(const TransitRequest& h, int run, int transit, int pass, const ExportTransit& t,
                                   const TransitRow& row) {
    const std::int16_t aspect = t.record->aspect;
    // "UTC+02:00", not "+02:00", which spreadsheets read as a time of day.
    std::vector<std::string> f = {std::to_string(run), std::to_string(transit), std::to_string(pass), ModeText(h),
                                  ZodiacText(h), h.planet1, h.planet2, BirthText(h), AspectNoun(aspect),
                                  IsoDate(h.StartDay), IsoDate(h.EndDay), h.zoneText,
                                  "UTC" + UtcOffsetText(h.zoneMinutes)};
    for (int o = kOuterOrb; o <= kInnerOrb; ++o) f.push_back(std::to_string(h.OrbDegrees[o]));

    // The columns whose date carries the listing's "r".
    std::string retrograde;
    auto marked = [&retrograde](bool r, const std::string& column) {
        if (r) retrograde += (retrograde.empty() ? "" : "; ") + column;
    };
    auto date = [&](const std::optional<ListedDate>& d, const std::string& column) {
        if (!d) return std::string();
        marked(d->retrograde, column);
        return IsoDate(d->day);
    };

    for (int o = kOuterOrb; o <= kInnerOrb; ++o) f.push_back(date(row.entered[o], "enters " + OrbWord(o)));
    if (row.minimum) {
        f.push_back(date(row.minimum->date, "closest"));
        f.push_back(Degrees(row.minimum->deviation));
    } else {
        f.insert(f.end(), {"", ""});
    }
    if (row.hit) {
        marked(row.hit->date.retrograde, "exact local");
        const UtcMinute ut = UtcMinuteOf(row.hit->moment);
        f.push_back(IsoDate(row.hit->date.day) + " " + ClockText(row.hit->minuteOfDay));
        f.push_back(IsoDate(ut.day) + " " + ClockText(ut.minuteOfDay));
    } else {
        f.insert(f.end(), {"", ""});
    }
    for (int o = kInnerOrb; o >= kOuterOrb; --o) f.push_back(date(row.left[o], "leaves " + OrbWord(o)));
    f.push_back(retrograde);
    const bool first = &row == &t.FirstRow();
    f.push_back(first ? OrbWords(t.heldAtStart) : "");
    f.push_back(first ? OrbWords(t.heldAtEnd) : "");
    return f;
}

// A row of the sky: its event, body and place, its times; the period, zone and zodiac of the run
// it is exported with.
std::vector<std::string> SkyRowFields(const TransitRequest& h, const std::string& body, const std::string& event,
                                      const std::string& place, double moment, bool retrograde) {
    const UtcMinute ut = UtcMinuteOf(moment), local = LocalMinuteOf(moment, h.zoneMinutes);
    std::vector<std::string> f = {"", "", "", "Sky", ZodiacText(h), body, place, "", event, IsoDate(h.StartDay),
                                  IsoDate(h.EndDay), h.zoneText, "UTC" + UtcOffsetText(h.zoneMinutes)};
    f.resize(21);  // no orbs, entries or closest approach
    f.push_back(IsoDate(local.day) + " " + ClockText(local.minuteOfDay));
    f.push_back(IsoDate(ut.day) + " " + ClockText(ut.minuteOfDay));
    f.resize(26);
    f.push_back(retrograde ? "exact local" : "");
    f.resize(29);
    return f;
}

void AppendSkyRows(std::string& out, const TransitRequest& h, const SkyOwnEvents& events) {
    const auto name = [](std::int16_t body) { return BodyName[static_cast<std::size_t>(body)]; };
    for (const Station& s : events.stations) {
        AppendRecord(out, SkyRowFields(h, name(s.body), s.retrograde ? "station retrograde" : "station direct",
                                       ZodiacPositionText(s.longitude), s.moment, false));
    }
    for (const Ingress& g : events.ingresses) {
        AppendRecord(out, SkyRowFields(h, name(g.body), "ingress", SignName[static_cast<std::size_t>(g.sign)], g.moment,
                                       g.retrograde));
    }
    for (const Lunation& l : events.lunations) {
        AppendRecord(out, SkyRowFields(h, name(kMoon), l.full ? "full moon" : "new moon", ZodiacPositionText(l.longitude),
                                       l.moment, false));
    }
    for (const Eclipse& e : events.eclipses) {
        AppendRecord(out, SkyRowFields(h, name(e.solar ? kSun : kMoon),
                                       EclipseTypeWord(e.type) + (e.solar ? " solar eclipse" : " lunar eclipse"), "",
                                       e.moment, false));
    }
}

}  // namespace

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string CsvExport(const std::vector<RunRecord>& runs, const SkyOwnEvents* events) {
    std::string out;
    AppendRecord(out, std::vector<std::string>(std::begin(kColumns), std::end(kColumns)));
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const std::vector<ExportTransit> transits = ExportTransitsOf(runs[r]);
        for (std::size_t t = 0; t < transits.size(); ++t) {
            const ExportTransit& transit = transits[t];
            for (std::size_t p = 0; p < transit.passes.size(); ++p) {
                for (const std::size_t row : transit.passes[p].rows) {
                    AppendRecord(out, RowFields(runs[r].request, static_cast<int>(r + 1), static_cast<int>(t + 1),
                                                static_cast<int>(p + 1), transit, transit.record->rows[row]));
                }
            }
        }
    }
    if (events && !runs.empty()) AppendSkyRows(out, runs.front().request, *events);
    return out;
}

}  // namespace meridel
