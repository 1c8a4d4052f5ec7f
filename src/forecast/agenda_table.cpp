#include "forecast/agenda_table.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "ephemeris/names.h"
#include "request/choices.h"
#include "exports/export_view.h"

namespace meridel {

namespace {

bool IsTransit(const AgendaEntry& e) { return e.run >= 0; }

int OrbDegreesOf(const AgendaEntry& e, const std::vector<RunRecord>& runs) {
    if (e.orb < 0 || e.run < 0 || static_cast<std::size_t>(e.run) >= runs.size()) return -1;
    return runs[static_cast<std::size_t>(e.run)].request.OrbDegrees[e.orb];
}

int Sign(long long difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A day's untimed rows before its timed ones.
long long MinuteKey(const AgendaEntry& e) { return e.minuteOfDay.value_or(-1); }

}  // namespace

std::string AgendaColumnTitle(AgendaColumn column) {
    static const std::array<std::string, kAgendaColumns> titles{
        "Date", "Time", "Event", "Moving planet", "Natal body or partner", "Aspect", "Orb", "Kind"};
    return titles[static_cast<std::size_t>(column)];
}

std::string AgendaKindGroupName(AgendaKindGroup group) {
    static const std::array<std::string, kAgendaKindGroups> names{
        "Orb days", "Exact hits", "Closest approaches", "Stations", "Ingresses", "Lunations", "Eclipses"};
    return names[static_cast<std::size_t>(group)];
}

AgendaKindGroup KindGroupOf(AgendaKind kind) {
    switch (kind) {
        case AgendaKind::OrbEntered:
        case AgendaKind::OrbLeft: return AgendaKindGroup::OrbDays;
        case AgendaKind::ExactHit: return AgendaKindGroup::ExactHits;
        case AgendaKind::ClosestApproach: return AgendaKindGroup::ClosestApproaches;
        case AgendaKind::Station: return AgendaKindGroup::Stations;
        case AgendaKind::Ingress: return AgendaKindGroup::Ingresses;
        case AgendaKind::Lunation: return AgendaKindGroup::Lunations;
        case AgendaKind::Eclipse: return AgendaKindGroup::Eclipses;
    }
    return AgendaKindGroup::OrbDays;
}

std::string AgendaCell(const AgendaEntry& e, AgendaColumn column, const std::vector<RunRecord>& runs) {
    switch (column) {
        case AgendaColumn::Date: return IsoDate(e.day);
        case AgendaColumn::Time: return e.minuteOfDay ? ClockText(*e.minuteOfDay) : "";
        case AgendaColumn::Event: return e.words;
        case AgendaColumn::Moving: return BodyName[static_cast<std::size_t>(e.moving)];
        case AgendaColumn::Second:
            if (!IsTransit(e)) return "";
            return (e.natal ? "natal " : "") + BodyName[static_cast<std::size_t>(e.second)];
        case AgendaColumn::Aspect: return IsTransit(e) ? AspectName[static_cast<std::size_t>(e.aspect)] : "";
        case AgendaColumn::Orb: {
            const int degrees = OrbDegreesOf(e, runs);
            return degrees < 0 ? "" : OrbText(degrees);
        }
        case AgendaColumn::Kind:
            switch (e.kind) {
                case AgendaKind::OrbEntered: return "Orb entered";
                case AgendaKind::OrbLeft: return "Orb left";
                case AgendaKind::ExactHit: return "Exact hit";
                case AgendaKind::ClosestApproach: return "Closest approach";
                case AgendaKind::Station: return "Station";
                case AgendaKind::Ingress: return "Ingress";
                case AgendaKind::Lunation: return "Lunation";
                case AgendaKind::Eclipse: return "Eclipse";
            }
    }
    return "";
}

int CompareAgendaRows(const AgendaEntry& a, const AgendaEntry& b, AgendaColumn column, const std::vector<RunRecord>& runs) {
    switch (column) {
        case AgendaColumn::Date:
            if (a.day != b.day) return Sign(static_cast<long long>(a.day) - b.day);
            return Sign(MinuteKey(a) - MinuteKey(b));
        case AgendaColumn::Time:
            if (MinuteKey(a) != MinuteKey(b)) return Sign(MinuteKey(a) - MinuteKey(b));
            return Sign(static_cast<long long>(a.day) - b.day);
        case AgendaColumn::Event: return Sign(a.words.compare(b.words));
        case AgendaColumn::Moving: return Sign(a.moving - b.moving);
        case AgendaColumn::Second:
            return Sign((IsTransit(a) ? a.second : -1) - (IsTransit(b) ? b.second : -1));
        case AgendaColumn::Aspect: return Sign((IsTransit(a) ? a.aspect : -1) - (IsTransit(b) ? b.aspect : -1));
        case AgendaColumn::Orb: return Sign(OrbDegreesOf(a, runs) - OrbDegreesOf(b, runs));
        case AgendaColumn::Kind: return Sign(static_cast<int>(a.kind) - static_cast<int>(b.kind));
    }
    return 0;
}

bool AgendaRowShown(const AgendaEntry& e, const AgendaFilter& filter) {
    if (filter.moving && e.moving != *filter.moving) return false;
    if (filter.second && !(IsTransit(e) && e.second == *filter.second)) return false;
    if (filter.aspect && !(IsTransit(e) && e.aspect == *filter.aspect)) return false;
    if (filter.kind && KindGroupOf(e.kind) != *filter.kind) return false;
    return filter.text.empty() || Lower(AgendaLine(e)).find(Lower(filter.text)) != std::string::npos;
}

std::optional<RequestInput> PairRunInput(const RequestInput& chartInput, const AgendaEntry& entry) {
    if (!IsTransit(entry)) return std::nullopt;
    RequestInput input = chartInput;
    input.allPlanets = false;
    input.planets = {entry.moving - FirstPlanetCode(input.world, 0), entry.second - FirstPlanetCode(input.world, 1)};
    return input;
}

}  // namespace meridel
