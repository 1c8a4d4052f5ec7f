#include <gtest/gtest.h>

#include <iostream>

#include "dialogs/dialogs.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/pluto_table.h"
#include "scan_check.h"
#include "transits/date_limits.h"

using namespace meridel;
using namespace meridel::scantest;

namespace {

class ScanRuns : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InitEphemeris();
        InitDateTables();
        std::string error;
        ASSERT_TRUE(LoadPlutoData("pluto.slx", error)) << error;
    }
    void SetUp() override { SiderealZodiac = false; }
    void TearDown() override {
        if (HasFailure()) {
            for (const std::string& line : run.hooks.lines) std::cerr << line << "\n";
        }
    }
    ScanRun run;
};

// Columns of written rows holding a date, "r" removed.
std::vector<std::string> Column(const ScanRun& run, int col) {
    std::vector<std::string> dates;
    for (const Cells& row : run.rows) {
        if (!row[col].empty()) dates.push_back(row[col].substr(0, 10));
    }
    return dates;
}

}  // namespace

TEST_F(ScanRuns, WorldPairWithRetrogradeLoopsEastOfGreenwich) {
    // Jupiter and Saturn, triple conjunction of 1980-81.
    const Case c{kJupiter, kSaturn, true, Day(1980, 6, 1), Day(1981, 12, 31), 600, "GMT+10:00", {6, 3, 1}};
    Scan(run, c);
    ASSERT_EQ(run.outcome, ScanOutcome::Finished);
    ExpectListingMatches(run, c);
    EXPECT_GE(Column(run, 3).size(), 2u) << "the inner orb is entered more than once";
}

TEST_F(ScanRuns, PersonalPairWestOfGreenwich) {
    // Transiting Saturn against the natal Moon of 1990-06-15 12:00 UT.
    const Case c{kSaturn, kMoon, false, Day(2000, 1, 1), Day(2012, 12, 31), -300, "GMT-5:00", {8, 4, 2},
                 PlanetLongitude(kMoon, Day(1990, 6, 15))};
    Scan(run, c);
    ExpectListingMatches(run, c);
    EXPECT_GE(run.rows.size(), 10u);
}

TEST_F(ScanRuns, ConsecutiveTransitsOfOneAspectNameItOnce) {
    const Case c{kSaturn, kMoon, false, Day(2001, 1, 1), Day(2003, 6, 30), -300, "GMT-5:00", {8, 4, 2},
                 PlanetLongitude(kMoon, Day(1990, 6, 15))};
    Scan(run, c);
    ExpectListingMatches(run, c);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[0][0], "Square");
    EXPECT_EQ(run.rows[2][0], "") << "the square's second transit";
    EXPECT_EQ(run.rows[2][1], "2003-01-16r");
}

// The Sun against a natal point: the sextile's outer orb meets the square's at 75 degrees and the
// square's meets the trine's at 105 with 15-degree orbs; with 14 they leave a gap.
TEST_F(ScanRuns, HandoverOnlyWhereOuterOrbsMeet) {
    for (std::int16_t outer : {15, 14}) {
        ScanRun r;
        const Case c{kSun, kVenus, false, Day(2020, 2, 1), Day(2020, 6, 30), 0, "GMT", {outer, 8, 3},
                     PlanetLongitude(kSun, Day(2020, 1, 1))};
        Scan(r, c);
        ExpectListingMatches(r, c);
        int sameDay = 0;
        for (std::size_t i = 0; i + 1 < r.rows.size(); ++i) sameDay += !r.rows[i][7].empty() && r.rows[i][7] == r.rows[i + 1][1];
        EXPECT_EQ(sameDay, outer == 15 ? 2 : 0) << "outer orb " << outer;
    }
}

TEST_F(ScanRuns, ExactHitGivesItsLocalMinuteAndZone) {
    const double hit = Day(2021, 3, 10) - 0.5 + (19 * 60 + 23) / 1440.0;  // 19:23 UT = 05:23 at GMT+10:00
    const Case c{kSun, kSun, false, Day(2021, 2, 1), Day(2021, 4, 15), 600, "GMT+10:00", {10, 5, 2},
                 PlanetLongitude(kSun, hit)};
    Scan(run, c);
    ExpectListingMatches(run, c);
    ASSERT_EQ(run.rows.size(), 1u);
    EXPECT_EQ(run.rows[0][4], "2021-03-11*");
    EXPECT_EQ(run.rows[0][8], "05:23 GMT+10:00");
}

// A fast Mercury can cross the 2-degree gap between two 14-degree outer orbs within one day: the
// square must be closed before the sextile opens, not overwritten by it.
TEST_F(ScanRuns, GapBetweenOuterOrbsCrossedInOneDay) {
    std::int32_t fast = Day(2021, 1, 1);
    while (std::fabs(Signed(PlanetLongitude(kMercury, fast + 0.5) - PlanetLongitude(kMercury, fast - 0.5))) < 2.1 * kDegree) ++fast;
    const Case c{kMercury, kSun, false, fast - 20, fast + 20, 0, "GMT", {14, 9, 5},
                 PlanetLongitude(kMercury, fast - 0.5) + 76.05 * kDegree};
    Scan(run, c);
    ExpectListingMatches(run, c);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[1][0], "Square");
    EXPECT_EQ(run.rows[1][7], Date(fast));
    EXPECT_EQ(run.rows[2][0], "Sextile");
    EXPECT_EQ(run.rows[2][1], Date(fast));
    ScanRun twice;  // the outer and middle orbs entered on one day: only the outer entry is listed
    const Case c2{kMercury, kSun, false, fast - 3, fast + 3, 0, "GMT", {6, 5, 2},
                  PlanetLongitude(kMercury, fast - 0.5) + 6.5 * kDegree};
    Scan(twice, c2);
    ExpectListingMatches(twice, c2);
    ASSERT_EQ(twice.rows.size(), 1u);
    EXPECT_EQ(twice.rows[0][1] + "|" + twice.rows[0][2], Date(fast) + "|");
}

// Samples outside Pluto's range (before 1600-01-01 east of Greenwich, after 2099-12-31 west of it)
// have no longitude: the transit in effect there is neither entered nor left on the edge day.
TEST_F(ScanRuns, SamplesOutsideARangeClaimNoCrossing) {
    const Case early{kPluto, kSun, false, Day(1600, 1, 1), Day(1600, 6, 30), 600, "GMT+10:00", {10, 5, 2},
                     PlanetLongitude(kPluto, Day(1600, 1, 10))};
    Scan(run, early);
    ExpectListingMatches(run, early);
    ASSERT_FALSE(run.rows.empty());
    EXPECT_EQ(run.rows[0][1] + run.rows[0][2] + run.rows[0][3], "");
    ScanRun late;
    const Case c{kPluto, kSun, false, Day(2099, 6, 1), Day(2099, 12, 31), -300, "GMT-5:00", {10, 5, 2},
                 PlanetLongitude(kPluto, Day(2099, 11, 1))};
    Scan(late, c);
    ExpectListingMatches(late, c);
    ASSERT_FALSE(late.rows.empty());
    EXPECT_EQ(late.rows.back()[7], "") << "still open at the end date";
}

TEST_F(ScanRuns, InnerExitBeforeAnyMinimumNamesNoMinimum) {
    const std::int32_t start = Day(2021, 3, 1);
    const Case c{kSun, kSun, false, start, Day(2021, 3, 31), 0, "GMT", {10, 5, 1},
                 PlanetLongitude(kSun, start - 0.5) - 0.9 * kDegree};
    Scan(run, c);
    ASSERT_FALSE(run.rows.empty());
    EXPECT_EQ(run.rows[0][5], "2021-03-01");
    EXPECT_EQ(run.rows[0][4], "");
    EXPECT_EQ(run.rows[0][8], "");
}

TEST_F(ScanRuns, RowsBeyondTheFirstTableSizeAreKept) {
    const Case c{kSun, kVenus, false, Day(2020, 1, 1), Day(2021, 12, 31), 0, "GMT", {15, 8, 3},
                 PlanetLongitude(kSun, Day(2020, 1, 1))};
    Scan(run, c);
    ScanRun small;
    Scan(small, c, 4);
    EXPECT_GE(run.rows.size(), 16u);
    EXPECT_EQ(small.hooks.lines, run.hooks.lines);
}

TEST_F(ScanRuns, StopAndFullOutputEndTheRun) {
    const Case c{kSun, kVenus, false, Day(2020, 1, 1), Day(2020, 12, 31), 0, "GMT", {10, 5, 2},
                 PlanetLongitude(kSun, Day(2020, 1, 1))};
    run.hooks.stopAfterDays = 100;
    Scan(run, c);
    EXPECT_EQ(run.outcome, ScanOutcome::Stopped);
    EXPECT_EQ(run.hooks.shownDays, std::vector<std::string>{"2020-01-01"});
    for (const Cells& row : run.rows) EXPECT_LT(row[7], "2020-04-09");
    ScanRun full;
    full.hooks.capacity = 300;  // the header and one row
    Scan(full, c);
    EXPECT_EQ(full.outcome, ScanOutcome::Stopped);
    EXPECT_EQ(full.hooks.refused, 1);
    EXPECT_EQ(full.rows.size(), 1u);
}

TEST_F(ScanRuns, MinimumDayIsTestedAtTheZonesMidnight) {
    // True minimum at 05:00 local on 2021-03-11 (GMT+10:00): the local midnight before it has the
    // smallest daily deviation, and the deviation is still falling just after that midnight.
    const std::int32_t day = Day(2021, 3, 11);
    const double natal = PlanetLongitude(kSun, day - 0.5 + 5.0 / 24 - 600 / 1440.0);
    Case c{kSun, kVenus, false, day - 20, day + 20, 600, "GMT+10:00"};
    c.natal = natal;
    TransitRequest request;
    request.PlanetCodes = {kSun, kVenus};
    request.NatalLongitudes[kVenus] = natal;
    const ScanRunInputs inputs{false, 600, "GMT+10:00"};
    TransitScan scan(request, run.state, inputs, run.hooks);
    std::int32_t m = day;
    const double atMidnight = std::fabs(Signed(PlanetLongitude(kSun, c.Midnight(day)) - natal));
    EXPECT_EQ(scan.MinimumDate(m, kConjunction, atMidnight), "2021-03-11");
    EXPECT_EQ(m, day);
}

TEST_F(ScanRuns, RetrogradeTestAcrossZeroAndNewYear) {
    // Uranus went back across 0 degrees in August 2010.
    double t = Day(2010, 7, 1) - 0.5;
    while (PlanetLongitude(kUranus, t + 1) < 6) t += 1;
    const double crossing = Root([](double x) { return Signed(PlanetLongitude(kUranus, x)); }, t, t + 1);
    EXPECT_TRUE(IsRetrogradeAt(kUranus, crossing - 1.0 / 96));
    EXPECT_FALSE(IsRetrogradeAt(kSun, crossing));
    // Pluto moves forward over New Year 2021; at GMT+0:30 the 30 minutes after local midnight end
    // at 0 h UT of 1 January, where the sidereal correction steps.
    const double midnight = Day(2021, 1, 1) - 0.5 - 30 / 1440.0;
    EXPECT_FALSE(IsRetrogradeAt(kPluto, midnight));
    SiderealZodiac = true;
    EXPECT_FALSE(IsRetrogradeAt(kPluto, midnight));
    EXPECT_TRUE(IsRetrogradeAt(kPluto, Day(2021, 7, 1)));
    EXPECT_FALSE(IsRetrogradeAt(kPluto, Day(2100, 1, 1)));  // no value: no motion
}

TEST_F(ScanRuns, WithinOrbAndStepping) {
    RecordingDialogs dialogs;
    setDialogs(&dialogs);
    const double t = Day(2021, 5, 1) - 0.5;
    const double natal = PlanetLongitude(kSun, t) - 3 * kDegree;
    const double orb = PlanetLongitude(kSun, t) - natal;  // the deviation itself, to the last bit
    std::int16_t error = 0;
    EXPECT_EQ(IsWithinOrb(kSun, kVenus, t, kConjunction, orb, false, natal, true, error), 0);
    EXPECT_EQ(IsWithinOrb(kSun, kVenus, t, kConjunction, std::nextafter(orb, 1.0), false, natal, true, error), 1);
    EXPECT_EQ(error, 0);
    // Moving away from the natal point by about a degree a day: out of a 5-degree orb on day 2 or 3.
    std::int32_t firstOut = Day(2021, 5, 1);
    while (std::fabs(Signed(PlanetLongitude(kSun, firstOut - 0.5) - natal)) < 5 * kDegree) ++firstOut;
    bool startState = false;
    std::vector<std::int32_t> shown;
    EXPECT_EQ(StepToOrbChange(Day(2021, 5, 1), startState, true, false, 0, kSun, kVenus, kConjunction, 5 * kDegree,
                              false, natal, false, error, [&shown](std::int32_t d) { shown.push_back(d); }),
              firstOut);
    EXPECT_TRUE(startState);
    EXPECT_EQ(shown.back(), firstOut);
    EXPECT_EQ(StepToOrbChange(firstOut + 1, startState, false, true, 0, kSun, kVenus, kConjunction, 5 * kDegree, false,
                              natal, false, error),
              firstOut - 1);
    EXPECT_EQ(StepToOrbChange(firstOut - 1, startState, true, true, 0, kSun, kVenus, kConjunction, 5 * kDegree, false,
                              natal, false, error),
              firstOut - 2) << "already in orb: the day before";
    // Stepping into the end of Pluto's range stops there with its code and message.
    EXPECT_EQ(StepToOrbChange(Day(2099, 12, 30), startState, true, true, 0, kPluto, kSun, kOpposition, kDegree, true,
                              -1, true, error),
              Day(2100, 1, 1));
    EXPECT_EQ(error, kFirstBodyAfterRange);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Date is beyond allowable date range for Pluto.");
    EXPECT_EQ(dialogs.messages[0].title, "Error");
    setDialogs(nullptr);
}

TEST_F(ScanRuns, DateLimitsOfARequest) {
    TransitRequest r;
    r.PlanetCodes = {kPluto, kMoon};
    r.RequestDays = {Day(1599, 12, 31), Day(2100, 1, 1), 0};
    EXPECT_EQ(EphemerisDateLimitMessage(r, 0), "Start date is too early for Pluto.");
    r.PlanetCodes = {kSun, kMoon};
    EXPECT_EQ(EphemerisDateLimitMessage(r, 0), "Start date is too early for Moon.");
    r.PlanetCodes = {kMars, kPluto};
    EXPECT_EQ(EphemerisDateLimitMessage(r, 1), "End date is too late for Pluto.");
    r.RequestDays[1] = Day(2099, 12, 31);
    EXPECT_EQ(EphemerisDateLimitMessage(r, 1), "");
}
