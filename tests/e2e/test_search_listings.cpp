// meridel-list end to end for Search and the all-planets buttons: listings compared with
// committed ones and checked against the sky.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "list_runner.h"

using namespace meridel;
using namespace meridel::testing;

namespace {

using SearchListings = Listings;

}  // namespace

// The great conjunction is within 10° on 2021-01-01: the search steps past it to the next one,
// and lists it exactly as a run over the stretch it found would.
TEST_F(SearchListings, SearchSkipsTheTransitUnderWayAndListsTheNext) {
    const std::string out = listed("--world --planet1 Jupiter --planet2 Saturn --end 2020-12-31 --search conjunction");
    expectGolden("search_world_jupiter_saturn_after_2020", out);
    ExpectListingMatches(rowsOf(out),
                         Case{kJupiter, kSaturn, true, Day(2040, 7, 15), Day(2041, 10, 3), 0, "GMT", {10, 6, 2}});
    EXPECT_EQ(listed("--world --planet1 Jupiter --planet2 Saturn --start 2040-07-15 --end 2041-10-03 --orbs 10,6,2"),
              out);
}

// Personal, in a zone east of Greenwich, with a search orb of 7° (middle 5°, inner 3°).
TEST_F(SearchListings, PersonalSearchInAnEasternZone) {
    const std::string out = listed("--personal --planet1 Saturn --planet2 Sun --end 2025-12-31 --orbs 7,2,1 "
                                   "--search square --birth 1990-06-15 --birth-time 12:00 --birth-tz GMT+2:00 "
                                   "--tz GMT+2:00");
    expectGolden("search_personal_saturn_square_natal_sun", out);
    const Case c{kSaturn, kSun, false, Day(2038, 8, 23), Day(2039, 9, 15), 120, "GMT+2:00", {7, 5, 3},
                 SkyLongitude(kSun, Day(1990, 6, 15) - 0.5 + 10 / 24.0)};
    ExpectListingMatches(rowsOf(out), c);
}

// The smallest search orb a slow moving planet allows, 5° (middle 3°, inner 1°): the 2024
// conjunction of Jupiter and Uranus. One degree less has no split a run would accept.
TEST_F(SearchListings, SmallestSearchOrbForASlowPlanet) {
    const std::string out =
        listed("--world --planet1 Jupiter --planet2 Uranus --end 2023-12-31 --orbs 5,3,1 --search conjunction");
    expectGolden("search_world_jupiter_uranus_5_degrees", out);
    ExpectListingMatches(rowsOf(out),
                         Case{kJupiter, kUranus, true, Day(2024, 3, 22), Day(2024, 5, 20), 0, "GMT", {5, 3, 1}});

    expectRefused("--world --planet1 Jupiter --planet2 Uranus --end 2023-12-31 --orbs 4,2,1 --search conjunction",
                  "[Search orb value] With Jupiter the search orb must be at least 5°.\n");
}

TEST_F(SearchListings, RefusalsAndTheEndOfPlutosRange) {
    RunResult late = runList("--world --planet1 Mars --planet2 Pluto --end 2099-12-31 --search conjunction");
    EXPECT_EQ(late.exitCode, 1);
    EXPECT_EQ(late.out, "");
    EXPECT_EQ(late.err, "[Error] Date is beyond allowable date range for Pluto.\n"
                        "[Date out of range] No complete conjunction transit found up to 2100-01-01 CE . / "
                        "Date is beyond allowable date range for Pluto.\n");

    expectRefused("--personal --planet1 Mercury --planet2 Sun --end 2024-12-31 --orbs 6,4,2 --search trine "
                  "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT",
                  "[Search orb value] With transiting Mercury the search orb must be at least 7°.\n");

    // A birth before the Moon's range in universal time: the natal Moon has no position.
    expectRefused("--personal --planet1 Mars --planet2 Moon --end 1700-12-31 --search conjunction "
                  "--birth 1600-01-01 --birth-time 00:30 --birth-tz GMT+1:00",
                  "[Error] Date is prior to allowable date range for Moon.\n");
}

// Saturn against every inner planet in list order (itself skipped, Uranus and Neptune exchanged),
// then Pluto. These World runs carry no retrograde marks. Venus is inside the inner orb on
// 2024-01-01, so its run starts back on 2023-12-30.
TEST_F(SearchListings, AllPlanetsWorldWithSaturn) {
    const std::string out =
        listed("--world --planet1 Mars --planet2 Saturn --start 2024-01-01 --end 2024-12-31 --all-planets 0");
    expectGolden("all_planets_world_saturn_2024", out);
    const std::vector<std::string> runs = splitRuns(out);
    const std::vector<std::int16_t> inner = {kSun, kMercury, kVenus, kMars, kJupiter, kUranus, kNeptune, kPluto};
    ASSERT_EQ(runs.size(), inner.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(BodyName[inner[i]]);
        const std::int32_t start = inner[i] == kVenus ? Day(2023, 12, 30) : Day(2024, 1, 1);
        const Case c{std::min<std::int16_t>(inner[i], kSaturn), std::max<std::int16_t>(inner[i], kSaturn), true, start,
                     Day(2024, 12, 31), 0, "GMT", {10, 5, 2}, -1, false};
        ExpectListingMatches(rowsOf(runs[i]), c);
    }
}

// Index 1 in Personal mode: Jupiter against each natal planet in list order, one listing each.
TEST_F(SearchListings, AllPlanetsPersonalEveryNatalPlanet) {
    const std::string out = listed("--personal --planet1 Jupiter --planet2 Venus --start 2024-01-01 --end 2024-12-31 "
                                   "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT --all-planets 1");
    expectGolden("all_planets_personal_jupiter_2024", out);
    const std::vector<std::string> runs = splitRuns(out);
    const std::vector<std::int16_t> natal = {kSun,    kMercury, kVenus,   kMars,  kJupiter,
                                             kSaturn, kUranus,  kNeptune, kPluto, kMoon};
    ASSERT_EQ(runs.size(), natal.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(BodyName[natal[i]]);
        ExpectListingMatches(rowsOf(runs[i]), Case{kJupiter, natal[i], false, Day(2024, 1, 1), Day(2024, 12, 31), 0,
                                                   "GMT", {10, 5, 2}, SkyLongitude(natal[i], Day(1990, 6, 15))});
    }
}
