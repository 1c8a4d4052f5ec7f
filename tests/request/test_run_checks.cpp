// The checks of a run request without any window: their order, texts, looks and titles, and what
// they leave in the controls.
#include <filesystem>

#include "ephemeris/names.h"
#include "ephemeris/pluto_table.h"
#include "request/all_planets.h"
#include "request/date_checks.h"
#include "request/run_request.h"
#include "request_fixture.h"

namespace meridel {
namespace {

using RunChecks = RequestTest;

const std::string kWorldCaption = "Show all world transits between Mars and Jupiter";
const std::string kPersonalCaption = "Show all personal transits by Mars of natal Jupiter";

TEST_F(RunChecks, DateRowsAreCleanedFilledValidAndInRange) {
    RequestSession session = NewSession();
    RequestInput in = World();
    in.dates[1].month = "x";
    RequestCheck check = CheckRun(in, session);
    ExpectRefusal(check.refusal, "Please specify end month.", MessageIcon::None, kWorldCaption);
    EXPECT_EQ(check.refusal->field, Field::Month);
    ASSERT_TRUE(check.updates.dates[1]);
    EXPECT_EQ(check.updates.dates[1]->month, "") << "the box keeps only its digits";
    EXPECT_TRUE(session.RunAborted);

    in = World();
    in.dates[0] = {"2022a", "9", "31"};
    check = CheckRun(in, session);
    ExpectRefusal(check.refusal, "The start date is invalid.", MessageIcon::Information, "Invalid input");
    EXPECT_EQ(check.updates.dates[0]->year, "2022");
    EXPECT_EQ(*check.updates.dateLabels[0], "invalid date");

    struct Case {
        int row;
        DateFields date;
        const char* message;
    };
    for (const Case& c : {Case{0, {"2800", "1", "1"}, "End date is too late"},
                          Case{0, {"0", "12", "31"}, "Start date is too early"},
                          Case{1, {"0", "12", "31"}, "End date is too early"}}) {
        TransitRequest request;
        FieldUpdates updates;
        RequestInput input = World();
        input.dates[static_cast<std::size_t>(c.row)] = c.date;
        ExpectRefusal(DateChecks(input, request, updates).Date(c.row), c.message, MessageIcon::Information, kWorldCaption);
    }
}

// The birth checks, one at a time; the blank hour and zone are given defaults for the next try.
TEST_F(RunChecks, BirthDataChecks) {
    auto birth = [](RequestInput in, bool skipStart) {
        TransitRequest request;
        request.RequestDays[0] = 2460311;  // 2024-01-01
        FieldUpdates updates;
        auto refusal = DateChecks(in, request, updates).BirthData(skipStart);
        return std::pair{refusal, updates};
    };
    RequestInput in = Personal();
    in.dates[2] = {"1599", "12", "31"};
    ExpectRefusal(birth(in, false).first, "Birth date is too early", MessageIcon::Information, kPersonalCaption);
    in.dates[2] = {"2024", "1", "2"};
    ExpectRefusal(birth(in, false).first, "The birth date must not be later than the start date.",
                  MessageIcon::Information, kPersonalCaption);
    EXPECT_FALSE(birth(in, true).first) << "the search makes no comparison with the start date";

    in.dates[2] = {"2024", "1", "1"};  // the start date itself passes
    in.hour = 0;
    auto [refusal, updates] = birth(in, false);
    ExpectRefusal(refusal, "Please specify the birth time, or use 12:00 if not known.", MessageIcon::None,
                  kPersonalCaption);
    EXPECT_EQ(updates.hour.value_or(-1) * 100 + updates.minute.value_or(-1), 1301);
    EXPECT_EQ(refusal->field, Field::None) << "a default was chosen: nothing for the user to correct";
    in.hour = 13;
    in.birthZone = 0;
    std::tie(refusal, updates) = birth(in, false);
    ExpectRefusal(refusal, "Please specify the timezone, or use GMT if not known.", MessageIcon::None,
                  kPersonalCaption);
    EXPECT_EQ(updates.birthZone, kGreenwichEntry);
    EXPECT_EQ(refusal->field, Field::None);

    in.birthZone = kGreenwichEntry;
    in.minute = 0;  // a blank minute is taken as 00 without a word
    std::tie(refusal, updates) = birth(in, false);
    EXPECT_FALSE(refusal);
    EXPECT_EQ(updates.minute, 1);
}

// A typed hour or minute the list lacks is refused and stays as typed.
TEST_F(RunChecks, TypedBirthTimes) {
    TransitRequest request;
    for (const auto& [typed, hour] : {std::pair{"25", true}, {"7a", true}, {"32", false}, {"60", false}}) {
        RequestInput wrong = Personal();
        (hour ? wrong.hour : wrong.minute) = -1;
        (hour ? wrong.hourTyped : wrong.minuteTyped) = typed;
        FieldUpdates kept;
        const auto refusal = DateChecks(wrong, request, kept).BirthData(true);
        ExpectRefusal(refusal,
                      hour ? "The birth hour must be 00 to 23." : "The birth minute must be 00 to 55 in steps of 5.",
                      MessageIcon::Information, kPersonalCaption);
        EXPECT_FALSE(kept.hourTyped || kept.minuteTyped || kept.hour || kept.minute) << "kept as typed: " << typed;
    }
}

// After the dates, in this order: the period, the results zone, the planets and their order.
TEST_F(RunChecks, PeriodZoneAndPlanetsInTheirOrder) {
    RequestSession session = NewSession();
    RequestInput in = Personal();
    in.dates[2] = {"", "6", "15"};
    ExpectRefusal(CheckRun(in, session).refusal, "Please specify year of birth.", MessageIcon::None, kPersonalCaption);

    in = World();
    in.dates[0] = {"2024", "12", "29"};
    ExpectRefusal(CheckRun(in, session).refusal, "The start date must be at least 3 days prior to the end date.",
                  MessageIcon::Information, kWorldCaption);
    in.dates[0] = {"2024", "12", "28"};  // exactly 3 days before passes this check
    in.resultZone = 0;
    RequestCheck check = CheckRun(in, session);
    ExpectRefusal(check.refusal, "Please specify the timezone for the results, or use the default GMT timezone.",
                  MessageIcon::None, kWorldCaption);
    EXPECT_EQ(check.updates.resultZone, kGreenwichEntry);
    EXPECT_EQ(check.refusal->field, Field::None);

    in.resultZone = kGreenwichEntry;
    in.planets = {3, 2};  // Mars and Mars
    ExpectRefusal(CheckRun(in, session).refusal, "World transit of a planet to itself is not possible.",
                  MessageIcon::Exclamation, "Show all world transits between Mars and Mars");
    in.planets = {3, 1};  // Mars and Venus
    ExpectRefusal(CheckRun(in, session).refusal, "Outer planet must be beyond inner planet", MessageIcon::Information,
                  "Show all world transits between Mars and Venus");
    in.planets = {3, -1};
    ExpectRefusal(CheckRun(in, session).refusal, "Please choose both planets.", MessageIcon::Information,
                  "Show all world transits between Mars and ");

    // In an all-planets listing the same pairs are skipped or put in order, and the orbs'
    // minimums are not asked for.
    in.allPlanets = true;
    in.orbs = {9, 4, 0};
    in.planets = {3, 2};
    check = CheckRun(in, session);
    EXPECT_FALSE(check.refusal || check.run);
    EXPECT_FALSE(session.RunAborted) << "a pair of a planet with itself is skipped, the listing goes on";
    in.planets = {3, 1};
    check = CheckRun(in, session);
    ASSERT_TRUE(check.run) << check.refusal->messages[0].text;
    EXPECT_EQ(session.request.PlanetCodes[0] * 100 + session.request.PlanetCodes[1], kVenus * 100 + kMars);
    EXPECT_EQ(check.run->planet1 + "|" + check.run->planet2, "Mars|Venus") << "the heading names the lists' planets";
    in.planets[0] = -1;
    check = CheckRun(in, session);
    ASSERT_TRUE(check.run);
    EXPECT_EQ(check.run->planet1, "Pluto") << "no inner planet: the closing run is Pluto's";
}

TEST_F(RunChecks, OrbChecks) {
    struct Case {
        bool world;
        int planet, outer, middle, inner;  // list positions
        const char* message;               // nullptr: accepted
    };
    const Case cases[] = {
        {true, 1, 9, 4, 1, "With Mercury the inner orb must be at least 3°."},
        {false, 1, 9, 4, 2, nullptr},
        {false, 2, 9, 4, 0, "With transiting Sun, Venus or Mars the inner orb must be at least 2°."},
        {false, 4, 9, 4, 0, nullptr},  // Jupiter may have a 1° inner orb
        {false, 3, 7, 4, 2, nullptr},  // 8°, 5°, 3°
        {false, 3, 7, 6, 2, "Orbs must be strictly decreasing and differ by at least 2°."},
        {false, 3, 7, 5, 4, "Orbs must be strictly decreasing and differ by at least 2°."},
    };
    for (const Case& c : cases) {
        RequestInput in = c.world ? World(c.planet) : Personal(c.planet);
        in.orbs = {c.outer, c.middle, c.inner};
        const auto refusal = CheckOrbs(in, PlanetAtPosition(c.world, 0, c.planet));
        if (c.message) {
            ExpectRefusal(refusal, c.message, MessageIcon::Information, "Orb values");
        } else {
            EXPECT_FALSE(refusal) << refusal->messages[0].text;
        }
    }
}

// The positions' own refusals: Pluto's table, the date limits, a natal body without a position.
TEST_F(RunChecks, PositionsThatCannotBeHad) {
    RequestSession session = NewSession();
    session.sky = Sky(::testing::TempDir() + "no-such-folder/");
    RequestInput in = World(3, 7);  // Mars and Pluto
    RequestCheck check = CheckRun(in, session);
    ASSERT_TRUE(check.refusal);
    ASSERT_EQ(check.refusal->messages.size(), 2u);
    EXPECT_EQ(check.refusal->messages[0].text.rfind("Error when reading geocentric Pluto data.\n", 0), 0u);
    EXPECT_EQ(check.refusal->messages[0].title, "Read Pluto Data");
    EXPECT_EQ(check.refusal->messages[1].text, "Cannot read Pluto data");
    EXPECT_EQ(check.refusal->messages[1].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(session.PlutoDataLoaded()) << "a later request tries again";
    session.sky = NewSession().sky;

    in.dates[1] = {"2100", "1", "1"};
    ExpectRefusal(CheckRun(in, session).refusal, "End date is too late for Pluto.", MessageIcon::None, "Meridel");
    EXPECT_TRUE(session.PlutoDataLoaded());

    // Born before the Moon's range in universal time, on its first day in the zone.
    in = Personal(3, 9);
    in.dates = {DateFields{"1700", "1", "1"}, DateFields{"1700", "12", "31"}, DateFields{"1600", "1", "1"}};
    in.hour = 1;
    in.minute = 7;  // 00:30
    in.birthZone = 26;  // GMT+1:00
    ExpectRefusal(CheckRun(in, session).refusal, "Date is prior to allowable date range for Moon.",
                  MessageIcon::Exclamation, "Error");
}

// A World run that passes: its request, always tropical. (A Personal one's natal position and
// zodiac show in the sidereal end-to-end listing.)
TEST_F(RunChecks, ReadyRun) {
    RequestSession session = NewSession();
    RequestInput in = World(4, 4);  // Jupiter and Saturn
    in.dates = {DateFields{"2020", "12", "15"}, DateFields{"2021", "3", "31"}, DateFields{}};
    in.orbs = {14, 9, 4};
    in.sidereal = true;  // the zodiac option as Personal mode left it
    const RequestCheck check = CheckRun(in, session);
    ASSERT_TRUE(check.run) << check.refusal->messages[0].text;
    EXPECT_FALSE(session.RunAborted);
    EXPECT_FALSE(check.run->sidereal) << "a World request is always tropical";
    const TransitRequest& r = session.request;
    EXPECT_EQ(r.OrbDegrees, (std::array<std::int16_t, 3>{15, 10, 5}));
    EXPECT_EQ(check.run->zoneText, "GMT");
}

// The walk stops at a request that leaves RunAborted set; the closing run follows. Orbs out of
// order are refused once, before any run.
TEST_F(RunChecks, AllPlanetsWalk) {
    std::vector<int> run;
    WalkAllPlanets(World(3, 4), 0, [&run](const AllPlanetsStep& step) {
        run.push_back(step.input.planets[0]);
        return step.input.planets[0] == 2;
    });
    EXPECT_EQ(run, (std::vector<int>{0, 1, 2, -1}));
    RequestInput badOrbs = World();
    badOrbs.orbs = {7, 6, 2};
    ExpectRefusal(CheckAllPlanets(badOrbs), "Orbs must be strictly decreasing and differ by at least 2°.",
                  MessageIcon::Information, "Orb values");
}

}  // namespace
}  // namespace meridel
