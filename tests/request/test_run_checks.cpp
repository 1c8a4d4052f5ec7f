// The checks of a run request without any window: their order, texts, looks and titles, and what
// they leave in the controls.
#include "request/all_planets.h"
#include "request/date_checks.h"
#include "request_fixture.h"

namespace meridel {
namespace {

using RunChecks = RequestTest;

const std::string kWorldCaption = "Show all world transits between Mars and Jupiter";
const std::string kPersonalCaption = "Show all personal transits by Mars of natal Jupiter";

// A run's refusals: their texts, looks and titles, and what they leave in the controls. Each
// case changes one thing of an input that passes, and the checks before it pass.
TEST_F(RunChecks, Refusals) {
    struct DateCase {
        bool world;
        std::size_t row;
        DateFields date;
        const char* text;
        MessageIcon icon;
        std::string title;  // empty: the request's caption
    };
    constexpr MessageIcon kNone = MessageIcon::None, kInformation = MessageIcon::Information;
    std::vector<RequestCheck> checks;
    for (const DateCase& c : {
             DateCase{true, 1, {"2024", "x", "31"}, "Please specify end month.", kNone, ""},
             DateCase{true, 0, {"2022a", "9", "31"}, "The start date is invalid.", kInformation, "Invalid input"},
             DateCase{true, 0, {"2800", "1", "1"}, "End date is too late", kInformation, ""},
             DateCase{true, 0, {"0", "12", "31"}, "Start date is too early", kInformation, ""},
             DateCase{true, 1, {"0", "12", "31"}, "End date is too early", kInformation, ""},
             DateCase{false, 2, {"", "6", "15"}, "Please specify year of birth.", kNone, ""},
             DateCase{false, 2, {"1599", "12", "31"}, "Birth date is too early", kInformation, ""},
             DateCase{false, 2, {"2024", "1", "2"}, "The birth date must not be later than the start date.",
                      kInformation, ""},
             DateCase{true, 0, {"2024", "12", "29"}, "The start date must be at least 3 days prior to the end date.",
                      kInformation, ""}}) {
        RequestSession session = NewSession();
        RequestInput in = c.world ? World() : Personal();
        in.dates[c.row] = c.date;
        checks.push_back(CheckRun(in, session));
        const std::string caption = c.world ? kWorldCaption : kPersonalCaption;
        ExpectRefusal(checks.back().refusal, c.text, c.icon, c.title.empty() ? caption : c.title);
        EXPECT_TRUE(session.RunAborted) << c.text;
    }
    // The boxes keep only their digits; a date that does not exist is named so.
    EXPECT_EQ(checks[0].refusal->field, Field::Month);
    EXPECT_EQ(checks[0].updates.dates[1].value_or(DateFields{}).month, "");
    EXPECT_EQ(checks[1].updates.dates[0].value_or(DateFields{}).year, "2022");
    EXPECT_EQ(checks[1].updates.dateLabels[0].value_or(""), "invalid date");

    // A blank hour or zone gets its default for the next try (the window then focuses Start); the
    // start date itself passes as the birth date; a blank minute is taken as 00 without a word.
    RequestSession session = NewSession();
    RequestInput in = Personal();
    in.dates[2] = {"2024", "1", "1"};
    in.hour = 0;
    RequestCheck check = CheckRun(in, session);
    ExpectRefusal(check.refusal, "Please specify the birth time, or use 12:00 if not known.", kNone, kPersonalCaption);
    EXPECT_EQ(check.updates.hour.value_or(-1) * 100 + check.updates.minute.value_or(-1), 1301);
    in.hour = 13;
    in.birthZone = 0;
    check = CheckRun(in, session);
    ExpectRefusal(check.refusal, "Please specify the timezone, or use GMT if not known.", kNone, kPersonalCaption);
    EXPECT_EQ(check.updates.birthZone, kGreenwichEntry);
    in.birthZone = kGreenwichEntry;
    in.minute = 0;
    check = CheckRun(in, session);
    EXPECT_FALSE(check.refusal);
    EXPECT_EQ(check.updates.minute, 1);

    // After the dates: the results zone, then the planets and their order.
    in = World();
    in.resultZone = 0;
    in.planets = {3, 2};
    check = CheckRun(in, session);
    ExpectRefusal(check.refusal, "Please specify the timezone for the results, or use the default GMT timezone.", kNone,
                  "Show all world transits between Mars and Mars");
    EXPECT_EQ(check.updates.resultZone, kGreenwichEntry);
    in.resultZone = kGreenwichEntry;
    ExpectRefusal(CheckRun(in, session).refusal, "World transit of a planet to itself is not possible.",
                  MessageIcon::Exclamation, "Show all world transits between Mars and Mars");
    in.planets = {3, 1};
    ExpectRefusal(CheckRun(in, session).refusal, "Outer planet must be beyond inner planet", kInformation,
                  "Show all world transits between Mars and Venus");
    in.planets = {3, -1};
    ExpectRefusal(CheckRun(in, session).refusal, "Please choose both planets.", kInformation,
                  "Show all world transits between Mars and ");
}

// A typed hour or minute the list lacks is refused and stays as typed. (The birth checks of a
// search make no comparison with the start date.)
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
    RequestInput later = Personal();
    later.dates[2] = {"2024", "1", "2"};
    FieldUpdates updates;
    EXPECT_FALSE(DateChecks(later, request, updates).BirthData(true));
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

// The positions' own refusals: Pluto's table and its date limits. (A natal body without a position
// is refused by the same step for a search, which the end-to-end listings check.)
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
}

// A World run is always tropical. (Its orbs and zone, and a Personal one's natal position and
// zodiac, show in the end-to-end listings' headings.)
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
}

// The walk stops at a request that leaves RunAborted set; the closing run follows. Orbs out of
// order are refused once, before any run. (Its runs, a planet with itself skipped, pairs put in
// order under the lists' names and no orb minimum asked, are the golden all-planets listings'.)
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
