#include "exports/export_json.h"

#include <cstdio>

#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "exports/export_view.h"
#include "transits/transit_report.h"

namespace meridel {

namespace {

// Writes JSON two blanks an indent; an object or array begun "inline" stays on one line.
class JsonWriter {
public:
    void BeginObject(bool oneLine = false) { Open('{', oneLine); }
    void EndObject() { Close('}'); }
    void BeginArray(bool oneLine = false) { Open('[', oneLine); }
    void EndArray() { Close(']'); }
    JsonWriter& Key(const std::string& key) {
        Separate();
        out_ += JsonString(key) + ": ";
        keyed_ = true;
        return *this;
    }
    void String(const std::string& text) { Value(JsonString(text)); }
    void Number(double value, int decimals) {
        char text[40];
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        Value(text);
    }
    void Integer(long long value) { Value(std::to_string(value)); }
    void Bool(bool value) { Value(value ? "true" : "false"); }
    void Null() { Value("null"); }
    std::string Text() const { return out_ + "\n"; }

private:
    struct Frame {
        bool oneLine;
        bool empty = true;
    };
    void Separate() {
        if (keyed_) {
            keyed_ = false;
            return;
        }
        if (frames_.empty()) return;
        Frame& f = frames_.back();
        if (!f.empty) out_ += ',';
        if (f.oneLine) {
            if (!f.empty) out_ += ' ';
        } else {
            out_ += '\n' + std::string(2 * frames_.size(), ' ');
        }
        f.empty = false;
    }
    void Value(const std::string& text) {
        Separate();
        out_ += text;
    }
    void Open(char bracket, bool oneLine) {
        Separate();
        out_ += bracket;
        frames_.push_back({oneLine || (!frames_.empty() && frames_.back().oneLine)});
    }
    void Close(char bracket) {
        const Frame f = frames_.back();
        frames_.pop_back();
        if (!f.oneLine && !f.empty) out_ += '\n' + std::string(2 * frames_.size(), ' ');
        out_ += bracket;
    }

    std::string out_;
    std::vector<Frame> frames_;
    bool keyed_ = false;
};

double Degrees(double radians) { return radians / kFullCircle * 360.0; }

void Date(JsonWriter& w, const std::string& key, const std::optional<ListedDate>& date) {
    w.Key(key);
    if (!date) return w.Null();
    w.BeginObject(true);
    w.Key("date").String(IsoDate(date->day));
    w.Key("retrograde").Bool(date->retrograde);
    w.EndObject();
}

void Hit(JsonWriter& w, const TransitRequest& h, const ExactHit& hit) {
    const UtcMinute ut = UtcMinuteOf(hit.moment);
    w.BeginObject();
    w.Key("date").String(IsoDate(hit.date.day));
    w.Key("time").String(ClockText(hit.minuteOfDay));
    w.Key("retrograde").Bool(hit.date.retrograde);
    w.Key("local").String(IsoDate(hit.date.day) + "T" + ClockText(hit.minuteOfDay) + ":00" + UtcOffsetText(h.zoneMinutes));
    w.Key("ut").String(IsoDate(ut.day) + "T" + ClockText(ut.minuteOfDay) + ":00Z");
    w.Key("julianDay").Number(hit.moment, 6);
    w.Key("deviation").Number(Degrees(hit.deviation), 6);
    w.EndObject();
}

void Pass(JsonWriter& w, const TransitRequest& h, const ExportTransit& t, const ExportPass& pass) {
    const TransitRow& row = t.record->rows[pass.rows.front()];
    w.BeginObject();
    Date(w, "entersMiddle", row.entered[kMiddleOrb]);
    Date(w, "entersInner", row.entered[kInnerOrb]);
    w.Key("closest");
    if (row.minimum) {
        w.BeginObject(true);
        w.Key("date").String(IsoDate(row.minimum->date.day));
        w.Key("retrograde").Bool(row.minimum->date.retrograde);
        w.Key("deviation").Number(Degrees(row.minimum->deviation), 4);
        w.EndObject();
    } else {
        w.Null();
    }
    w.Key("hits").BeginArray();
    for (const ExactHit& hit : pass.hits) Hit(w, h, hit);
    w.EndArray();
    Date(w, "leavesInner", row.left[kInnerOrb]);
    Date(w, "leavesMiddle", row.left[kMiddleOrb]);
    w.Key("listing").BeginArray();
    for (const std::size_t r : pass.rows) w.String(RowLine(t.record->rows[r], h.zoneText));
    w.EndArray();
    w.EndObject();
}

void Request(JsonWriter& w, const TransitRequest& h) {
    w.Key("request").BeginObject();
    w.Key("mode").String(ModeText(h));
    w.Key("planet1").String(h.planet1);
    w.Key("planet2").String(h.planet2);
    w.Key("zodiac").String(ZodiacText(h));
    w.Key("birth");
    if (h.world) {
        w.Null();
    } else {
        w.BeginObject(true);
        w.Key("date").String(IsoDate(h.BirthDay()));
        w.Key("time").String(h.birthHour + ":" + h.birthMinute);
        w.Key("zone").String(h.birthZone);
        w.EndObject();
    }
    w.Key("start").String(IsoDate(h.StartDay));
    w.Key("end").String(IsoDate(h.EndDay));
    w.Key("orbs").BeginArray(true);
    for (const std::int16_t degrees : h.OrbDegrees) w.Integer(degrees);
    w.EndArray();
    w.Key("zone").String(h.zoneText);
    w.Key("utcOffset").String(UtcOffsetText(h.zoneMinutes));
    w.Key("allPlanets").Bool(h.AllPlanetsMode);
    w.EndObject();
}

// "ut" and "local" of a moment of the sky.
void Moment(JsonWriter& w, double moment, int zoneMinutes) {
    const UtcMinute ut = UtcMinuteOf(moment), local = LocalMinuteOf(moment, zoneMinutes);
    w.Key("ut").String(IsoDate(ut.day) + "T" + ClockText(ut.minuteOfDay) + ":00Z");
    w.Key("local").String(IsoDate(local.day) + "T" + ClockText(local.minuteOfDay) + ":00" + UtcOffsetText(zoneMinutes));
}

void Longitude(JsonWriter& w, double longitude) {
    w.Key("longitude").Number(Degrees(longitude), 4);
    w.Key("position").String(ZodiacPositionText(longitude));
}

void SkyEvents(JsonWriter& w, const SkyOwnEvents& events, int zoneMinutes) {
    w.Key("stations").BeginArray();
    for (const Station& s : events.stations) {
        w.BeginObject(true);
        w.Key("body").String(BodyName[static_cast<std::size_t>(s.body)]);
        w.Key("turns").String(s.retrograde ? "retrograde" : "direct");
        Moment(w, s.moment, zoneMinutes);
        Longitude(w, s.longitude);
        w.EndObject();
    }
    w.EndArray();
    w.Key("ingresses").BeginArray();
    for (const Ingress& g : events.ingresses) {
        w.BeginObject(true);
        w.Key("body").String(BodyName[static_cast<std::size_t>(g.body)]);
        w.Key("sign").String(SignName[static_cast<std::size_t>(g.sign)]);
        Moment(w, g.moment, zoneMinutes);
        w.Key("retrograde").Bool(g.retrograde);
        w.EndObject();
    }
    w.EndArray();
    w.Key("lunations").BeginArray();
    for (const Lunation& l : events.lunations) {
        w.BeginObject(true);
        w.Key("phase").String(l.full ? "full" : "new");
        Moment(w, l.moment, zoneMinutes);
        Longitude(w, l.longitude);
        w.EndObject();
    }
    w.EndArray();
    w.Key("eclipses").BeginArray();
    for (const Eclipse& e : events.eclipses) {
        w.BeginObject(true);
        w.Key("kind").String(e.solar ? "solar" : "lunar");
        w.Key("type").String(EclipseTypeWord(e.type));
        Moment(w, e.moment, zoneMinutes);
        w.EndObject();
    }
    w.EndArray();
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string JsonExport(const std::vector<RunRecord>& runs, const SkyOwnEvents* events) {
    JsonWriter w;
    w.BeginObject();
    w.Key("runs").BeginArray();
    for (const RunRecord& run : runs) {
        const TransitRequest& h = run.request;
        w.BeginObject();
        Request(w, h);
        w.Key("heading").String(HeadingLine(h));
        w.Key("transits").BeginArray();
        for (const ExportTransit& t : ExportTransitsOf(run)) {
            w.BeginObject();
            w.Key("aspect").String(AspectNoun(t.record->aspect));
            w.Key("title").String(TransitTitle(h, t.record->aspect));
            w.Key("firstDay").String(IsoDate(t.firstDay));
            w.Key("lastDay").String(IsoDate(t.lastDay));
            w.Key("inOrbAtStart").Bool(t.openAtStart);
            w.Key("inOrbAtEnd").Bool(t.openAtEnd);
            // Every orb held at the period's ends: a pass's null entry or exit of such an orb
            // lies outside the period, not never.
            for (const auto& [key, held] : {std::pair{"withinAtStart", &t.heldAtStart}, std::pair{"withinAtEnd", &t.heldAtEnd}}) {
                w.Key(key).BeginArray(true);
                for (int o = kOuterOrb; o <= kInnerOrb; ++o) {
                    if ((*held)[o]) w.String(OrbWord(o));
                }
                w.EndArray();
            }
            Date(w, "entersOuter", t.FirstRow().entered[kOuterOrb]);
            Date(w, "leavesOuter", t.FirstRow().left[kOuterOrb]);
            w.Key("passes").BeginArray();
            for (const ExportPass& pass : t.passes) Pass(w, h, t, pass);
            w.EndArray();
            w.EndObject();
        }
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    if (events) SkyEvents(w, *events, runs.empty() ? 0 : runs.front().request.zoneMinutes);
    w.EndObject();
    return w.Text();
}

}  // namespace meridel
