// The agenda as a table for a window: its columns' texts, their order when sorted, the filters a
// user narrows it with, and the single run a transit's row stands for. Rows are AgendaEntry values
// of a chart (agenda.h); nothing here knows of widgets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forecast/agenda.h"
#include "request/request_input.h"

namespace meridel {

enum class AgendaColumn { Date, Time, Event, Moving, Second, Aspect, Orb, Kind };
inline constexpr int kAgendaColumns = 8;

// "Date", "Time", "Event", "Moving planet", "Natal body or partner", "Aspect", "Orb", "Kind".
std::string AgendaColumnTitle(AgendaColumn column);

// The cell's text: the local date and time, the words, the bodies ("natal Sun" for a natal
// body), the aspect, an entry's or exit's orb ("10°"; the degrees come from its run), the kind.
std::string AgendaCell(const AgendaEntry& entry, AgendaColumn column, const std::vector<RunRecord>& runs);

// The order of two rows in a column, -1, 0 or 1: dates and times by moment (a day's untimed rows
// first), bodies and aspects in their own order (Sun to Pluto, the Moon last), orbs by degrees,
// kinds in the order of AgendaKind, texts alphabetically. Rows without a value come first.
int CompareAgendaRows(const AgendaEntry& a, const AgendaEntry& b, AgendaColumn column, const std::vector<RunRecord>& runs);

// What the kind filter offers: orb days are the entries into and exits from an orb.
enum class AgendaKindGroup { OrbDays, ExactHits, ClosestApproaches, Stations, Ingresses, Lunations, Eclipses };
inline constexpr int kAgendaKindGroups = 7;
// "Orb days", "Exact hits", "Closest approaches", "Stations", "Ingresses", "Lunations", "Eclipses".
std::string AgendaKindGroupName(AgendaKindGroup group);
AgendaKindGroup KindGroupOf(AgendaKind kind);

// Unset parts let every row through. moving: the moving planet of a transit, or the body of a
// sky event (the Moon for a lunation). second and aspect: transits only. text: part of the row's
// agenda line, in any case.
struct AgendaFilter {
    std::optional<std::int16_t> moving, second, aspect;
    std::optional<AgendaKindGroup> kind;
    std::string text;
};
bool AgendaRowShown(const AgendaEntry& entry, const AgendaFilter& filter);

// The request a run of a transit's own pair makes, as the start button would make it from the
// chart's controls; nothing for the sky's events.
std::optional<RequestInput> PairRunInput(const RequestInput& chartInput, const AgendaEntry& entry);

}  // namespace meridel
