#include "request/search_request.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "calendar/date_text.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "request/choices.h"
#include "request/date_checks.h"
#include "transits/date_limits.h"

namespace meridel {

namespace {

constexpr const char* kSearchTitle = "Search";

// The designed middle and inner orbs, in whole degrees, for each search orb 5..15. A smaller
// search orb has no split into three orbs 2° apart, which a run requires, so it is refused.
constexpr std::array<SearchOrbs, 16> kSearchOrbTable{{
    {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {3, 1}, {4, 2}, {5, 3},
    {6, 4}, {6, 3}, {6, 2}, {7, 3}, {8, 4}, {8, 4}, {9, 4}, {10, 5},
}};

// The smallest inner orb a run accepts with this moving planet.
int SmallestInnerOrb(std::int16_t planet) {
    if (planet == kMercury) return 3;
    if (planet == kSun || planet == kVenus || planet == kMars) return 2;
    return 1;
}

std::string LowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

Refusal Refuse(const std::string& text, MessageIcon icon, const std::string& title, Field field = Field::None) {
    return Refusal{{Message{text, icon, title}}, field, 0};
}

// The stepping met the end of a range at `day` before the transit was complete.
Message NoTransitFound(const std::string& rangeMessage, std::int16_t aspect, std::int32_t day) {
    return Message{"No complete " + LowerCase(AspectName[aspect]) + " transit found up to " +
                       ShortDateText(day, 2, "-", ",", false) + " CE ." + "\n" + rangeMessage,
                   MessageIcon::Exclamation, "Date out of range"};
}

}  // namespace

std::optional<Refusal> CheckSearchOrb(bool personal, std::int16_t s, std::int16_t p, SearchOrbs& orbs) {
    // The inner orb this planet needs in a run, then two steps of 2° up to the search orb.
    const int inner = SmallestInnerOrb(p);
    const int smallest = inner + 4;
    if (s < smallest) {
        const std::string prefix = personal ? "With transiting" : "With";
        std::string planets = BodyName[p];
        if (p == kSun || p == kVenus || p == kMars) planets = "Sun, Venus or Mars";
        return Refuse(prefix + " " + planets + " the search orb must be at least " + std::to_string(smallest) + "°.",
                      MessageIcon::Information, "Search orb value", Field::Orbs);
    }
    if (s >= static_cast<int>(kSearchOrbTable.size())) return std::nullopt;
    // The designed inner orb, raised where it is below this planet's smallest (Mercury at 10°).
    orbs.middle = kSearchOrbTable[static_cast<std::size_t>(s)].middle;
    orbs.inner = static_cast<std::int16_t>(std::max<int>(kSearchOrbTable[static_cast<std::size_t>(s)].inner, inner));
    return std::nullopt;
}

SearchCheck CheckSearch(const RequestInput& given, RequestSession& session) {
    SearchCheck out;
    TransitRequest& r = session.request;
    r.AllPlanetsMode = false;
    r.world = given.world;
    const bool world = given.world;
    auto refused = [&out](Refusal refusal) {
        out.refusal = std::move(refusal);
        return out;
    };

    DateChecks dates(given, r, out.updates);
    if (auto refusal = dates.FieldsFilled(kEndRow)) return refused(*refusal);
    if (auto refusal = dates.Date(kEndRow)) return refused(*refusal);
    if (!world) {
        if (auto refusal = dates.BirthData(true)) return refused(*refusal);
    }
    RequestInput input = given;
    if (out.updates.minute) input.minute = *out.updates.minute;

    // A position of -1 (text typed that matches no zone) means no zone, like the blank first entry.
    // GMT is chosen for the user: no field to go to, the focus stays on the start button.
    if (input.resultZone <= 0) {
        out.updates.resultZone = kGreenwichEntry;
        return refused(Refuse("Please specify the timezone for the results, or use the default GMT timezone.",
                              MessageIcon::None, kSearchTitle));
    }
    // Nothing chosen gives planet code 0 (a body without positions) or aspect code 0 (no name, and
    // an angle the search would treat as a conjunction): refuse rather than search for either.
    if (input.planets[0] < 0 || input.planets[1] < 0) {
        return refused(Refuse("Please choose both planets.", MessageIcon::Information, kSearchTitle,
                              input.planets[0] < 0 ? Field::Planet1 : Field::Planet2));
    }

    r.PlanetCodes[0] = PlanetAtPosition(world, 0, input.planets[0]);
    r.PlanetCodes[1] = PlanetAtPosition(world, 1, input.planets[1]);
    if (world && r.PlanetCodes[0] >= r.PlanetCodes[1]) {
        return refused(
            Refuse("Outer planet must be beyond inner planet", MessageIcon::Information, kSearchTitle, Field::Planet2));
    }

    r.OrbDegrees[kOuterOrb] = static_cast<std::int16_t>(OrbDegreesAtPosition(input.orbs[kOuterOrb]));
    SearchOrbs derived{r.OrbDegrees[kMiddleOrb], r.OrbDegrees[kInnerOrb]};
    if (auto refusal = CheckSearchOrb(!world, r.OrbDegrees[kOuterOrb], r.PlanetCodes[0], derived)) {
        return refused(*refusal);
    }
    r.SetOrbs({r.OrbDegrees[kOuterOrb], derived.middle, derived.inner});

    if (auto refusal = PreparePositions(input, session, false)) return refused(*refusal);
    r.StartDay = -1;
    r.EndDay = -1;
    // The aspect is read last, once everything else has passed.
    if (input.searchAspect < 0 || input.searchAspect >= r.AspectCount) {
        return refused(Refuse("Please choose the aspect to search for.", MessageIcon::Information, kSearchTitle,
                              Field::SearchAspect));
    }
    out.aspect = static_cast<std::int16_t>(input.searchAspect + 1);
    return out;
}

SearchStretch FindNextTransit(const RequestInput& input, RequestSession& session, std::int16_t aspect,
                              const StepProgress& progress) {
    TransitRequest& r = session.request;
    NameRun(input, r);
    const auto zone = static_cast<std::int16_t>(r.zoneMinutes);
    const std::int16_t moving = r.PlanetCodes[0];
    const std::int16_t second = r.PlanetCodes[1];
    const TransitPair pair(session.sky, r);
    const double orb = r.Orbs[kOuterOrb];
    const std::int32_t firstDay = r.RequestDays[kEndRow] + 1;

    // The first test is at 0 h universal time of the day after the end date; the stepping below
    // uses local midnights of the output zone. When the first test has no position it says so,
    // and the stepping then stops where its own midnights have none: on that day, or a day later
    // east of Greenwich, whose midnights come earlier.
    std::int16_t firstError = 0;
    const bool inOrbAfterEnd = pair.IsWithinOrb(firstDay - 0.5, aspect, orb, firstError) == 1;
    std::vector<Message> messages;
    if (firstError != 0) {
        messages.push_back(Message{DateRangeMessage(firstError, moving, second), MessageIcon::Exclamation, "Error"});
    }

    std::int16_t error = 0;
    bool startState = false;
    auto step = [&](std::int32_t from, bool targetInOrb) {
        return pair.StepToOrbChange(from, startState, true, targetInOrb, zone, aspect, orb, error, progress);
    };
    std::int32_t day = firstDay;
    // A transit already under way after the end date is not the next one: step past it.
    if (inOrbAfterEnd) day = step(firstDay, false);
    if (error == 0) {
        day = step(day, true);
        if (error == 0) r.StartDay = day;
    }
    if (error == 0) {
        day = step(r.StartDay + 1, false);
        if (error == 0) r.EndDay = day;
    }
    if (error != 0 || firstError != 0) {
        // The stepping meets the end of the range too; should it not, the first test's reason stands.
        if (error == 0) error = firstError;
        messages.push_back(NoTransitFound(DateRangeMessage(error, moving, second), aspect, day));
        return {Refusal{messages, Field::None, 0}, std::nullopt};
    }
    return {std::nullopt, r};
}

FieldUpdates MovedDates(std::int32_t startDay, std::int32_t endDay) {
    FieldUpdates updates;
    const std::int32_t days[2] = {startDay, endDay};
    for (int row : {kStartRow, kEndRow}) {
        EuroDate date;
        date.DayNumber = days[row];
        DateFromDayNumber(date);
        const DateFields fields{std::to_string(date.Year), std::to_string(date.Month), std::to_string(date.Day)};
        updates.dates[static_cast<std::size_t>(row)] = fields;
        updates.dateLabels[static_cast<std::size_t>(row)] = ViewDateRow(fields).label;
    }
    return updates;
}

}  // namespace meridel
