// meridel-list end to end for Search and the all-planets buttons: listings compared with
// committed ones and checked against the sky.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "calendar/date_text.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/pluto_table.h"
#include "list_runner.h"

using namespace meridel;
using namespace meridel::testing;

namespace {

const std::vector<std::string> kBodyNames = {"Earth",  "Sun",    "Mercury", "Venus",  "Mars", "Jupiter",
                                             "Saturn", "Uranus", "Neptune", "Pluto", "Moon"};

std::int16_t codeOf(const std::string& name) {
    return static_cast<std::int16_t>(std::find(kBodyNames.begin(), kBodyNames.end(), name) - kBodyNames.begin());
}

// The runs of one output: each run after the first follows a blank line and a rule.
std::vector<std::string> splitRuns(const std::string& text) {
    const std::string separator = "\r\n\r\n" + std::string(119, '-') + "\r\n";
    std::vector<std::string> runs;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + separator.size())
        runs.push_back(text.substr(from, at - from + 2));
    runs.push_back(text.substr(from));
    return runs;
}

class SearchListings : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InitEphemeris();
        InitDateTables();
        std::string error;
        ASSERT_TRUE(LoadPlutoData("pluto.slx", error)) << error;
    }
};

}  // namespace

// The great conjunction is within 10° on 2021-01-01: the search steps past it to the next one,
// and lists it exactly as a run over the stretch it found would.
TEST_F(SearchListings, SearchSkipsTheTransitUnderWayAndListsTheNext) {
    RunResult r = runList("--world --planet1 Jupiter --planet2 Saturn --end 2020-12-31 --search conjunction");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    expectGolden("search_world_jupiter_saturn_after_2020", r.out);
    EXPECT_EQ(ParseListing(r.out).heading.rfind("World transits for Jupiter and Saturn from July 15, 2040, to October 3, 2041", 0), 0u);
    expectSkyAgrees(r.out, SkyPair{kJupiter, kSaturn, true, 0, 0, {10, 6, 2}}, 2);

    RunResult run = runList("--world --planet1 Jupiter --planet2 Saturn --start 2040-07-15 --end 2041-10-03 --orbs 10,6,2");
    EXPECT_EQ(run.out, r.out);
}

// Personal, in a zone east of Greenwich, with a search orb of 7° (middle 5°, inner 3°).
TEST_F(SearchListings, PersonalSearchInAnEasternZone) {
    RunResult r = runList("--personal --planet1 Saturn --planet2 Sun --end 2025-12-31 --orbs 7,2,1 --search square "
                          "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT+2:00 --tz GMT+2:00");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    expectGolden("search_personal_saturn_square_natal_sun", r.out);
    EXPECT_NE(r.out.find("Start 7°    Start 5°    Start 3°"), std::string::npos);
    SkyPair pair{kSaturn, kSun, false, natalLongitude(kSun, 1990, 6, 15, 10 * 60, false), 120, {7, 5, 3}};
    expectSkyAgrees(r.out, pair, 1);
}

TEST_F(SearchListings, RefusalsAndTheEndOfPlutosRange) {
    RunResult late = runList("--world --planet1 Mars --planet2 Pluto --end 2099-12-31 --search conjunction");
    EXPECT_EQ(late.exitCode, 1);
    EXPECT_EQ(late.out, "");
    EXPECT_EQ(late.err, "[Error] Date is beyond allowable date range for Pluto.\n"
                        "[Date out of range] No complete conjunction transit found up to 2100-01-01 CE . / "
                        "Date is beyond allowable date range for Pluto.\n");

    RunResult five = runList("--world --planet1 Mars --planet2 Jupiter --end 2024-12-31 --orbs 5,3,1 --search trine");
    EXPECT_EQ(five.exitCode, 1);
    EXPECT_EQ(five.err, "[Search orb value] With Sun, Venus or Mars the search orb must be at least 6°.\n");

    RunResult six = runList("--personal --planet1 Mercury --planet2 Sun --end 2024-12-31 --orbs 6,4,2 --search trine "
                            "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT");
    EXPECT_EQ(six.exitCode, 1);
    EXPECT_EQ(six.err, "[Search orb value] With transiting Mercury the search orb must be at least 7°.\n");

    // A birth before the Moon's range in universal time: the natal Moon has no position.
    RunResult natal = runList("--personal --planet1 Mars --planet2 Moon --end 1700-12-31 --search conjunction "
                              "--birth 1600-01-01 --birth-time 00:30 --birth-tz GMT+1:00");
    EXPECT_EQ(natal.exitCode, 1);
    EXPECT_EQ(natal.err, "[Error] Date is prior to allowable date range for Moon.\n");
}

// Saturn against every inner planet in list order (itself skipped, Uranus and Neptune exchanged),
// then Pluto. These World runs carry no retrograde marks.
TEST_F(SearchListings, AllPlanetsWorldWithSaturn) {
    RunResult r = runList("--world --planet1 Mars --planet2 Saturn --start 2024-01-01 --end 2024-12-31 --all-planets 0");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    expectGolden("all_planets_world_saturn_2024", r.out);
    const std::vector<std::string> runs = splitRuns(r.out);
    const std::vector<std::string> inner = {"Sun", "Mercury", "Venus", "Mars", "Jupiter", "Uranus", "Neptune", "Pluto"};
    ASSERT_EQ(runs.size(), inner.size());
    std::size_t rows = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Listing listing = ParseListing(runs[i]);
        EXPECT_EQ(listing.heading.rfind("World transits for " + inner[i] + " and Saturn from", 0), 0u) << listing.heading;
        const std::int16_t code = codeOf(inner[i]);
        SkyPair pair{std::min<std::int16_t>(code, kSaturn), std::max<std::int16_t>(code, kSaturn), true, 0, 0, {10, 5, 2}, false};
        for (const std::string& problem : CheckListingAgainstSky(listing, pair)) ADD_FAILURE() << inner[i] << ": " << problem;
        rows += listing.rows.size();
    }
    EXPECT_GE(rows, 20u);
}

// Index 1 in Personal mode: Jupiter against each natal planet in list order, one listing each.
TEST_F(SearchListings, AllPlanetsPersonalEveryNatalPlanet) {
    RunResult r = runList("--personal --planet1 Jupiter --planet2 Venus --start 2024-01-01 --end 2024-12-31 "
                          "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT --all-planets 1");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    expectGolden("all_planets_personal_jupiter_2024", r.out);
    const std::vector<std::string> runs = splitRuns(r.out);
    const std::vector<std::string> natal = {"Sun",    "Mercury", "Venus",   "Mars",  "Jupiter",
                                            "Saturn", "Uranus",  "Neptune", "Pluto", "Moon"};
    ASSERT_EQ(runs.size(), natal.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Listing listing = ParseListing(runs[i]);
        EXPECT_EQ(listing.heading.rfind("Jupiter transits of natal " + natal[i] + ",", 0), 0u) << listing.heading;
        const std::int16_t code = codeOf(natal[i]);
        SkyPair pair{kJupiter, code, false, natalLongitude(code, 1990, 6, 15, 12 * 60, false), 0, {10, 5, 2}};
        for (const std::string& problem : CheckListingAgainstSky(listing, pair)) ADD_FAILURE() << natal[i] << ": " << problem;
    }
}
