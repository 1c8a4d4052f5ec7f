// meridel-list end to end: runs, searches and all-planets listings compared with committed
// listings and checked against the sky.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "list_runner.h"

using namespace meridel;
using namespace meridel::testing;

// Committed listings, each run checked against the sky as well, so that one rewritten after a
// deliberate change is still right: a retrograde loop through the middle orb with an exact hit; a
// zone east of Greenwich, whose midnights move dates; the North American zone text on exact hits;
// natal Sun; sidereal natal Moon. Searches: past the great conjunction under way on 2021-01-01 to
// the next; Personal in an eastern zone with a 7° search orb; a slow planet's least, 5°. All
// planets: Saturn against every other in list order (Uranus and Neptune exchanged; Venus inside
// the inner orb on 2024-01-01, so its run starts back on 2023-12-30); Jupiter against each natal planet.
TEST_F(Listings, CommittedListingsMatchTheSky) {
    std::vector<Case> worldSaturn, personalJupiter;
    for (const std::int16_t other : {kSun, kMercury, kVenus, kMars, kJupiter, kUranus, kNeptune, kPluto}) {
        worldSaturn.push_back(Case{std::min<std::int16_t>(other, kSaturn), std::max<std::int16_t>(other, kSaturn), true,
                                   other == kVenus ? Day(2023, 12, 30) : Day(2024, 1, 1), Day(2024, 12, 31), 0, "GMT",
                                   {10, 5, 2}, -1, false});
    }
    for (std::int16_t natal = kSun; natal <= kMoon; ++natal) {
        personalJupiter.push_back(Case{kJupiter, natal, false, Day(2024, 1, 1), Day(2024, 12, 31), 0, "GMT", {10, 5, 2},
                                       SkyLongitude(natal, Day(1990, 6, 15))});
    }
    const double natalSun = SkyLongitude(kSun, Day(1990, 6, 15) - 0.5 + 10 / 24.0);
    const struct {
        const char* golden;
        std::string arguments;
        std::vector<Case> runs;
    } cases[] = {
        {"world_jupiter_saturn_gmt", "--world --planet1 Jupiter --planet2 Saturn --start 2019-01-01 --end 2022-12-31",
         {Case{kJupiter, kSaturn, true, Day(2019, 1, 1), Day(2022, 12, 31)}}},
        {"world_mars_saturn_gmt+10",
         "--world --planet1 Mars --planet2 Saturn --start 2021-01-01 --end 2023-12-31 --orbs 8,5,3 --tz GMT+10:00",
         {Case{kMars, kSaturn, true, Day(2021, 1, 1), Day(2023, 12, 31), 600, "GMT+10:00", {8, 5, 3}}}},
        {"world_sun_mercury_est",
         "--world --planet1 Sun --planet2 Mercury --start 2023-01-01 --end 2023-12-31 --na-abbr --tz EST/CDT",
         {Case{kSun, kMercury, true, Day(2023, 1, 1), Day(2023, 12, 31), -300, "EST/CDT"}}},
        {"personal_saturn_natal_sun_tropical",
         "--personal --planet1 Saturn --planet2 Sun --start 2020-01-01 --end 2025-12-31 "
         "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT+2:00 --tz GMT+2:00",
         {Case{kSaturn, kSun, false, Day(2020, 1, 1), Day(2025, 12, 31), 120, "GMT+2:00", {10, 5, 2}, natalSun}}},
        {"personal_jupiter_natal_moon_sidereal",
         "--personal --sidereal --planet1 Jupiter --planet2 Moon --start 2015-01-01 --end 2020-12-31 "
         "--birth 1975-03-02 --birth-time 06:35 --birth-tz GMT-5:00 --tz GMT-5:00 --orbs 7,4,2",
         {Case{kJupiter, kMoon, false, Day(2015, 1, 1), Day(2020, 12, 31), -300, "GMT-5:00", {7, 4, 2},
               SkyLongitude(kMoon, Day(1975, 3, 2) - 0.5 + (6 * 60 + 35 + 300) / 1440.0, true), true, true}}},
        {"search_world_jupiter_saturn_after_2020",
         "--world --planet1 Jupiter --planet2 Saturn --end 2020-12-31 --search conjunction",
         {Case{kJupiter, kSaturn, true, Day(2040, 7, 15), Day(2041, 10, 3), 0, "GMT", {10, 6, 2}}}},
        {"search_personal_saturn_square_natal_sun",
         "--personal --planet1 Saturn --planet2 Sun --end 2025-12-31 --orbs 7,2,1 --search square "
         "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT+2:00 --tz GMT+2:00",
         {Case{kSaturn, kSun, false, Day(2038, 8, 23), Day(2039, 9, 15), 120, "GMT+2:00", {7, 5, 3}, natalSun}}},
        {"search_world_jupiter_uranus_5_degrees",
         "--world --planet1 Jupiter --planet2 Uranus --end 2023-12-31 --orbs 5,3,1 --search conjunction",
         {Case{kJupiter, kUranus, true, Day(2024, 3, 22), Day(2024, 5, 20), 0, "GMT", {5, 3, 1}}}},
        {"all_planets_world_saturn_2024",
         "--world --planet1 Mars --planet2 Saturn --start 2024-01-01 --end 2024-12-31 --all-planets 0", worldSaturn},
        {"all_planets_personal_jupiter_2024",
         "--personal --planet1 Jupiter --planet2 Venus --start 2024-01-01 --end 2024-12-31 "
         "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT --all-planets 1",
         personalJupiter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        const std::string out = Listed(c.arguments);
        ExpectGolden(c.golden, out);
        const std::vector<std::string> runs = SplitRuns(out);
        ASSERT_EQ(runs.size(), c.runs.size());
        for (std::size_t i = 0; i < runs.size(); ++i) {
            SCOPED_TRACE(runs[i].substr(0, runs[i].find("\r\n")));
            ExpectListingMatches(RowsOf(runs[i]), c.runs[i]);
        }
    }
    // The search lists its transit exactly as a run over the stretch it found would.
    EXPECT_EQ(Listed("--world --planet1 Jupiter --planet2 Saturn --start 2040-07-15 --end 2041-10-03 --orbs 10,6,2"),
              ReadFile(std::string(MERIDEL_GOLDEN_DIR) + "/search_world_jupiter_saturn_after_2020.txt"));
}

// With an outer orb of 15 degrees the square leaves it on the day the sextile enters it: on the
// period's last day that sextile is not begun; a day later it is.
TEST_F(Listings, HandoverOnTheLastDayBeginsNoTransit) {
    const std::string request = "--world --planet1 Mercury --planet2 Jupiter --start 2005-05-10 --orbs 15,8,4 --tz GMT+10:00";
    for (const std::int32_t end : {Day(2005, 6, 24), Day(2005, 6, 25)}) {
        const std::string out = Listed(request + " --end " + Date(end));
        EXPECT_EQ(out.find("Sextile") != std::string::npos, end == Day(2005, 6, 25)) << out;
        ExpectListingMatches(RowsOf(out),
                             Case{kMercury, kJupiter, true, Day(2005, 5, 10), end, 600, "GMT+10:00", {15, 8, 4}});
    }
}

// Pluto's table starts at 0 h UT of 1600-01-01, after the first midnight of a zone east of
// Greenwich. The trine was closest before the table begins, where the period starts for this
// pair: the period has no day of that approach to name, and no moment where the search for a
// closer one ran out of positions is taken for it.
TEST_F(Listings, PassUnderWayWherePlutosTableBeginsHasNoMinimum) {
    const std::vector<Cells> rows = RowsOf(Listed("--world --planet1 Mars --planet2 Pluto --start 1600-01-01 "
                                                  "--end 1600-03-31 --orbs 15,7,4 --tz GMT+8:30"));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0][0] + "|" + rows[0][4] + "|" + rows[0][8], "Trine||");
    ExpectListingMatches(rows, Case{kMars, kPluto, true, Day(1600, 1, 1), Day(1600, 3, 31), 510, "GMT+8:30", {15, 7, 4}});
}

// At the other end, the last midnight of a zone west of Greenwich is after Pluto's table ends:
// the trine that leaves the middle orb during 2099-12-31 there is still open at the end.
TEST_F(Listings, PassLeavingAnOrbWherePlutosTableEndsStaysOpen) {
    const std::vector<Cells> rows = RowsOf(Listed("--world --planet1 Sun --planet2 Pluto --start 2099-06-19 "
                                                  "--end 2099-12-31 --orbs 10,8,5 --tz GMT-11:00"));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back()[0] + "|" + rows.back()[5] + "|" + rows.back()[6], "Trine|2099-12-28|");
    ExpectListingMatches(rows, Case{kSun, kPluto, true, Day(2099, 6, 19), Day(2099, 12, 31), -660, "GMT-11:00", {10, 8, 5}});
}

// The shortest period a run takes (one day less is refused by the request's checks).
TEST_F(Listings, ShortestPeriodWithoutTransitsSaysSo) {
    RunResult ok = RunList("--world --planet1 Mars --planet2 Jupiter --start 2024-01-01 --end 2024-01-04");
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_NE(ok.out.find("No transits in this period.\r\n"), std::string::npos);
    EXPECT_EQ(ok.err, "[No transits] There are no transits of this kind in the period specified.\n");
}

// Five centuries of Jupiter and Saturn: with --box-limit the output is the window's box, full at
// 64001 characters (a line end counts two), said once; without it the listing is whole, to its last year.
TEST_F(Listings, FullOutputBoxStopsTheRunOnceOtherwiseTheListingIsWhole) {
    const std::string request = "--world --planet1 Jupiter --planet2 Saturn --start 1600-01-01 --end 2099-12-31";
    const std::string whole = Listed(request);
    EXPECT_EQ(whole.find("Stopped"), std::string::npos);
    const Cells last = RowsOf(whole).back();
    EXPECT_GE(*std::max_element(last.begin() + 1, last.begin() + 8), "2098") << "the latest date the listing gives";
    const RunResult r = RunList(request + " --box-limit");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "[Meridel] Output textbox is full.\n");
    const std::string kept = r.out.substr(0, r.out.size() - 26);
    EXPECT_EQ(r.out.substr(kept.size()), "Textbox is full -- Stopped");
    EXPECT_EQ(whole.rfind(kept, 0), 0u) << "the box holds the whole listing's first rows";
    std::size_t characters = 0;
    for (unsigned char c : kept) characters += (c & 0xC0) != 0x80;
    EXPECT_GE(characters, 64001u);
    EXPECT_LT(characters, 64001u + 200u);
}

TEST_F(Listings, UsageAndHelp) {
    RunResult help = RunList("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--all-planets 0|1"), std::string::npos);
    // A usage error: its one line and where to look, not the whole usage.
    RunResult bad = RunList("--world --planet1 Vulcan --planet2 Mars --start 2024-01-01 --end 2024-12-31");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, "meridel-list: --planet1: no such body in the list: Vulcan\nTry 'meridel-list --help'.\n");
    // Name, version and licence.
    RunResult version = RunList("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("meridel-list (Meridel) ", 0), 0u) << version.out;
    EXPECT_NE(version.out.find("AGPL-3.0-or-later"), std::string::npos) << version.out;
    // The help viewer's text ends with the same name, version and licence.
    const std::string program = MERIDEL_LIST;
    const std::string helpText = ReadFile(program.substr(0, program.rfind('/')) + "/mrd_help.txt");
    const std::string number = version.out.substr(23, version.out.find('\n') - 23);
    EXPECT_NE(helpText.find("\nMeridel " + number + ". Copyright"), std::string::npos) << number;
    EXPECT_NE(helpText.find("(AGPL-3.0-or-later)"), std::string::npos);
    // Without --orbs, Mercury moving gets orbs it accepts (10, 5 and 2 it refuses).
    RunResult mercury = RunList("--world --planet1 Mercury --planet2 Saturn --start 2024-01-01 --end 2024-03-31");
    EXPECT_EQ(mercury.exitCode, 0) << mercury.err;
    EXPECT_NE(mercury.out.find("Start 10°   Start 6°    Start 3°"), std::string::npos) << mercury.out;
}

// The sky check must see a date one day off, a missing retrograde mark, an exact hit shown as a
// plain minimum (a hit missing) and a hit two minutes late, or it proves nothing.
TEST_F(Listings, SkyCheckSeesADateOneDayOffAWrongMarkAndAWrongHit) {
    const std::string text = ReadFile(std::string(MERIDEL_GOLDEN_DIR) + "/world_jupiter_saturn_gmt.txt");
    const Case c{kJupiter, kSaturn, true, Day(2019, 1, 1), Day(2022, 12, 31)};
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"", ""}, {"2020-02-14", "2020-02-15"},
                                   {"2020-06-07r", "2020-06-07 "}, {"2020-12-21*", "2020-12-21 "},
                                   {"18:21 GMT", "18:23 GMT"}}) {
        std::string changed = text;
        if (!from.empty()) changed.replace(changed.find(from), from.size(), to);
        ::testing::TestPartResultArray failures;
        {
            ::testing::ScopedFakeTestPartResultReporter intercept(&failures);
            ExpectListingMatches(RowsOf(changed), c);
        }
        EXPECT_EQ(failures.size() > 0, !from.empty()) << from;
    }
}

TEST_F(Listings, SearchRefusalsAndTheEndOfPlutosRange) {
    RunResult late = RunList("--world --planet1 Mars --planet2 Pluto --end 2099-12-31 --search conjunction");
    EXPECT_EQ(late.exitCode, 1);
    EXPECT_EQ(late.out, "");
    EXPECT_EQ(late.err, "[Error] Date is beyond allowable date range for Pluto.\n"
                        "[Date out of range] No complete conjunction transit found up to 2100-01-01 CE . / "
                        "Date is beyond allowable date range for Pluto.\n");

    // One degree less than the smallest search orb a slow moving planet allows has no split a run
    // would accept.
    ExpectRefused("--world --planet1 Jupiter --planet2 Uranus --end 2023-12-31 --orbs 4,2,1 --search conjunction",
                  "[Search orb value] With Jupiter the search orb must be at least 5°.\n");
    ExpectRefused("--personal --planet1 Mercury --planet2 Sun --end 2024-12-31 --orbs 6,4,2 --search trine "
                  "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT",
                  "[Search orb value] With transiting Mercury the search orb must be at least 7°.\n");
}
