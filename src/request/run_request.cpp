#include "request/run_request.h"

#include <cmath>

#include "calendar/daycount.h"
#include <utility>

#include "ephemeris/ephemlon.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"
#include "request/choices.h"
#include "request/date_checks.h"
#include "transits/date_limits.h"
#include "transits/orb_geometry.h"
#include "transits/transit_pair.h"

namespace meridel {

namespace {

Refusal Refuse(const std::string& text, MessageIcon icon, const std::string& title, Field field = Field::None) {
    return Refusal{{Message{text, icon, title}}, field, 0};
}

}  // namespace

std::optional<Refusal> EnsurePlutoData(const RequestInput& input, RequestSession& session) {
    const bool needed = (input.world && PlanetAtPosition(true, 1, input.planets[1]) == kPluto) ||
                        input.allPlanets || !input.world;
    if (!needed || session.PlutoDataLoaded()) return std::nullopt;
    std::string errorText;
    if (auto table = LoadPlutoData(session.sky.DataFolder(), "pluto.slx", errorText)) {
        session.sky = session.sky.WithPlutoLines(std::move(table));
        return std::nullopt;
    }
    return Refusal{{Message{"Error when reading geocentric Pluto data.\n" + errorText, MessageIcon::Exclamation,
                            "Read Pluto Data"},
                    Message{"Cannot read Pluto data", MessageIcon::Exclamation, kDefaultTitle}},
                   Field::None, 0};
}

double NatalLongitude(const Sky& sky, const RequestInput& input, std::int16_t natalPlanet, std::int32_t birthDay) {
    if (natalPlanet < kSun || natalPlanet > kMoon) return kBeforeRange;
    const int universalMinutes =
        BirthMinutesAtPositions(input.hour, input.minute) - ZoneMinutesAtPosition(input.birthZone);
    return sky.PlanetLongitude(natalPlanet, birthDay - 0.5 + universalMinutes / 1440.0);
}

std::optional<Refusal> PreparePositions(const RequestInput& input, RequestSession& session, bool checkStartDate) {
    TransitRequest& r = session.request;
    if (r.PlanetCodes[0] == kPluto || r.PlanetCodes[1] == kPluto) {
        if (auto refusal = EnsurePlutoData(input, session)) return refusal;
    }
    for (std::int16_t which : {std::int16_t{0}, std::int16_t{1}}) {
        if (which == 0 && !checkStartDate) continue;
        const std::string message = EphemerisDateLimitMessage(session.sky, r, which);
        if (!message.empty()) return Refuse(message, MessageIcon::None, kDefaultTitle);
    }
    r.world = input.world;
    r.sidereal = input.world ? false : input.sidereal;
    if (!input.world) {
        const std::int16_t natal = r.PlanetCodes[1];
        r.NatalLongitudes[natal] = NatalLongitude(session.sky.InZodiac(r.sidereal), input, natal, r.RequestDays[kBirthRow]);
        // A birth moment outside the natal body's range (in universal time) has no position to
        // scan or search against.
        const double longitude = r.NatalLongitudes[natal];
        if (longitude < 0) {
            const auto code = std::trunc(longitude) == kAfterRange ? kSecondBodyAfterRange : kSecondBodyBeforeRange;
            return Refuse(DateRangeMessage(code, r.PlanetCodes[0], natal), MessageIcon::Exclamation, "Error");
        }
    }
    return std::nullopt;
}

std::int32_t StartDayBeforeTransitInEffect(const Sky& sky, const TransitRequest& request, std::int32_t startDay) {
    const TransitPair pair(sky, request);
    // Deviation from the aspect at the start of `day`; negative when a body has no position then.
    auto deviation = [&](std::int32_t day, std::int16_t aspect) {
        return pair.Deviation(LocalMidnight(day, request.zoneMinutes), aspect);
    };
    const double inner = request.Orbs[kInnerOrb];

    std::int16_t inEffect = 0;
    for (std::int16_t a = 1; a <= request.AspectCount && inEffect == 0; ++a) {
        const double d = deviation(startDay, a);
        if (d >= 0 && d < inner) inEffect = a;
    }
    if (inEffect == 0) return startDay;

    std::int32_t day = startDay;
    for (;;) {
        --day;
        const double d = deviation(day, inEffect);
        if (d < 0) return day + 1;  // the earliest day the ephemeris covers
        if (!(d < inner)) return day;
    }
}

void NameRun(const RequestInput& input, TransitRequest& request) {
    request.planet1 = input.Planet1Name();
    // The all-planets run without an inner planet is Pluto's.
    if (input.planets[0] < 0 && input.world && input.allPlanets) request.planet1 = BodyName[kPluto];
    request.planet2 = input.Planet2Name();
    const std::vector<std::string> hours = HourTexts(), minutes = MinuteTexts();
    request.birthHour = input.hour >= 0 ? hours[static_cast<std::size_t>(input.hour)] : "";
    request.birthMinute = input.minute >= 0 ? minutes[static_cast<std::size_t>(input.minute)] : "";
    request.birthZone = input.BirthZoneText();
    request.birthZoneMinutes = ZoneMinutesAtPosition(input.birthZone);
    request.zoneMinutes = ZoneMinutesAtPosition(input.resultZone);
    request.zoneText = input.ResultZoneText();
}

RequestCheck CheckRun(const RequestInput& given, RequestSession& session) {
    RequestCheck out;
    TransitRequest& r = session.request;
    session.RunAborted = true;
    r.AllPlanetsMode = given.allPlanets;
    r.world = given.world;
    const bool world = given.world;
    const std::string title = given.RunCaption();
    auto refused = [&out](Refusal refusal) {
        out.refusal = std::move(refusal);
        return out;
    };

    r.RequestDays = {0, 0, 0};
    DateChecks dates(given, r, out.updates);
    for (int row : {kStartRow, kEndRow}) {
        if (auto refusal = dates.FieldsFilled(row)) return refused(*refusal);
    }
    if (!world) {
        if (auto refusal = dates.BirthFieldsFilled()) return refused(*refusal);
    }
    for (int row : {kStartRow, kEndRow}) {
        if (auto refusal = dates.Date(row)) return refused(*refusal);
    }
    if (!world) {
        if (auto refusal = dates.BirthData(false)) return refused(*refusal);
    }
    // The birth check may have chosen minute 00 for a blank minute: the run goes on with it.
    RequestInput input = given;
    if (out.updates.minute) input.minute = *out.updates.minute;

    if (r.RequestDays[kStartRow] > r.RequestDays[kEndRow] - 3) {
        return refused(Refuse("The start date must be at least 3 days prior to the end date.", MessageIcon::Information,
                              title, Field::Day));
    }
    // A position of -1 (nothing chosen) means no zone, like the blank first entry. GMT is chosen
    // for the user: no field to go to, the focus stays on the start button.
    if (input.resultZone <= 0) {
        out.updates.resultZone = kGreenwichEntry;
        return refused(Refuse("Please specify the timezone for the results, or use the default GMT timezone.",
                              MessageIcon::None, title));
    }

    const int first = input.planets[0], second = input.planets[1];
    // Only the all-planets listing leaves the inner list empty on purpose (it then means Pluto);
    // any other empty planet list has no body to compute.
    if (second < 0 || (first < 0 && !(world && input.allPlanets))) {
        return refused(Refuse("Please choose both planets.", MessageIcon::Information, title,
                              second < 0 ? Field::Planet2 : Field::Planet1));
    }
    r.PlanetCodes[0] = first < 0 ? std::int16_t{kPluto} : PlanetAtPosition(world, 0, first);
    r.PlanetCodes[1] = PlanetAtPosition(world, 1, second);

    if (world) {
        if (input.allPlanets) {
            if (r.PlanetCodes[0] == r.PlanetCodes[1]) {
                session.RunAborted = false;  // skipped without a word
                return out;
            }
            if (r.PlanetCodes[0] > r.PlanetCodes[1]) std::swap(r.PlanetCodes[0], r.PlanetCodes[1]);
        } else if (r.PlanetCodes[0] == r.PlanetCodes[1]) {
            return refused(Refuse("World transit of a planet to itself is not possible.", MessageIcon::Exclamation,
                                  title, Field::Planet2));
        } else if (r.PlanetCodes[0] > r.PlanetCodes[1]) {
            return refused(
                Refuse("Outer planet must be beyond inner planet", MessageIcon::Information, title, Field::Planet2));
        }
    }

    if (!input.allPlanets) {
        if (auto refusal = CheckOrbs(input, r.PlanetCodes[0])) return refused(*refusal);
    }
    std::array<std::int16_t, kOrbCount> orbs{};
    for (int o = 0; o < kOrbCount; ++o) orbs[o] = static_cast<std::int16_t>(OrbDegreesAtPosition(input.orbs[o]));
    r.SetOrbs(orbs);
    if (auto refusal = PreparePositions(input, session, true)) return refused(*refusal);

    session.RunAborted = false;
    NameRun(input, r);
    r.RequestDays[kStartRow] = StartDayBeforeTransitInEffect(session.sky, r, r.RequestDays[kStartRow]);
    r.StartDay = r.RequestDays[kStartRow];
    r.EndDay = r.RequestDays[kEndRow];
    out.run = r;
    return out;
}

}  // namespace meridel
