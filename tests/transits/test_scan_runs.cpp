#include <gtest/gtest.h>

#include <iostream>

#include "dialogs/dialogs.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/pluto_table.h"
#include "scan_check.h"
#include "transits/orb_geometry.h"
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
        for (const std::string& line : run.hooks.lines) {
            if (HasFailure()) std::cerr << line << "\n";
        }
    }
    ScanRun run;
};

}  // namespace

TEST_F(ScanRuns, WorldPairWithRetrogradeLoopsEastOfGreenwich) {
    // Jupiter and Saturn, triple conjunction of 1980-81: the inner orb is entered twice.
    const Case c{kJupiter, kSaturn, true, Day(1980, 6, 1), Day(1981, 12, 31), 600, "GMT+10:00", {6, 3, 1}};
    Scan(run, c);
    EXPECT_EQ(run.outcome, ScanOutcome::Finished);
    ExpectListingMatches(run, c);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[2][3], "1981-07-08");
}

TEST_F(ScanRuns, PersonalPairWestOfGreenwich) {
    // Transiting Saturn against the natal Moon of 1990-06-15 12:00 UT.
    const Case c{kSaturn, kMoon, false, Day(2000, 1, 1), Day(2012, 12, 31), -300, "GMT-5:00", {8, 4, 2},
                 PlanetLongitude(kMoon, Day(1990, 6, 15))};
    Scan(run, c);
    ExpectListingMatches(run, c);
    ASSERT_GE(run.rows.size(), 4u);
    EXPECT_EQ(run.rows[1][0] + "|" + run.rows[3][0] + "|" + run.rows[3][1], "Square||2003-01-16r")
        << "the square's second transit does not repeat its name";
}

// The Sun against a natal point: sextile and square outer orbs meet at 75 degrees, square and
// trine at 105, with 15-degree orbs; with 14 they leave a gap. A table of 4 rows must grow.
TEST_F(ScanRuns, HandoverOnlyWhereOuterOrbsMeet) {
    for (std::int16_t outer : {15, 14}) {
        ScanRun r, small;
        const Case c{kSun, kVenus, false, Day(2020, 2, 1), Day(2020, 12, 15), 0, "GMT", {outer, 8, 3},
                     PlanetLongitude(kSun, Day(2020, 1, 1))};
        Scan(r, c);
        ExpectListingMatches(r, c);
        int sameDay = 0;
        for (std::size_t i = 0; i + 1 < r.rows.size(); ++i) sameDay += !r.rows[i][7].empty() && r.rows[i][7] == r.rows[i + 1][1];
        EXPECT_EQ(sameDay, outer == 15 ? 4 : 0) << "outer orb " << outer;
        Scan(small, c, 4);
        EXPECT_EQ(small.hooks.lines, r.hooks.lines);
    }
}

TEST_F(ScanRuns, ExactHitGivesItsLocalMinuteAndZone) {
    const double hit = Day(2021, 3, 10) - 0.5 + (19 * 60 + 23) / 1440.0;  // 19:23 UT = 05:23 at GMT+10:00
    const Case c{kSun, kSun, false, Day(2021, 2, 1), Day(2021, 4, 15), 600, "GMT+10:00", {10, 5, 2},
                 PlanetLongitude(kSun, hit)};
    Scan(run, c);
    ExpectListingMatches(run, c);
    ASSERT_EQ(run.rows.size(), 1u);
    EXPECT_EQ(run.rows[0][4] + " " + run.rows[0][8], "2021-03-11* 05:23 GMT+10:00");
}

// The scan skips the minute search where the day's samples leave no room for an exact hit and
// searches coarse to fine; it must still find what a plain minute-by-minute descent from 0 h UT
// of the day before finds on every day whose midnight is a local minimum inside the inner orb.
TEST_F(ScanRuns, ExactHitsAreThoseOfAPlainMinuteDescent) {
    const Case c{kNeptune, kPluto, true, Day(1643, 1, 1), Day(1648, 12, 31), 330, "GMT+5:30", {10, 5, 2}};
    Scan(run, c);
    std::multiset<std::pair<std::int32_t, int>> listed, plain;
    for (const Cells& row : run.rows) {
        if (row[4].find('*') != std::string::npos) listed.emplace(DayOf(row[4]), std::stoi(row[8]) * 60 + std::stoi(row[8].substr(3)));
    }
    for (int a = 1; a <= 5; ++a) {
        for (std::int32_t day = c.start; day <= c.end; ++day) {
            const double d1 = c.Deviation(a, c.Midnight(day)), d2 = c.Deviation(a, c.Midnight(day + 1));
            if (!(d1 < c.Deviation(a, c.Midnight(day - 1)) && d1 < d2 && d2 < 2 * kDegree)) continue;
            double best = 10;
            int minute = -1;
            for (int m = 0; m <= 2880 && c.Deviation(a, day - 1.5 + m / 1440.0) <= best; ++m) {
                if (c.Deviation(a, day - 1.5 + m / 1440.0) < best) best = c.Deviation(a, day - 1.5 + (minute = m) / 1440.0);
            }
            if (best < 0.000291) plain.emplace(day - 2 + (minute + c.zone + 1440) / 1440, (minute + c.zone + 1440) % 1440);
        }
    }
    EXPECT_GE(plain.size(), 5u);
    EXPECT_EQ(listed, plain);
}

// That search relies on these bounds: none may come within a sixth of a real daily motion.
TEST_F(ScanRuns, LongitudeSpeedBoundsHold) {
    for (std::int16_t code = kSun; code <= kPluto; ++code) {
        double fastest = 0;
        for (double t = Day(code == kPluto ? 1600 : 1950, 1, 1); t < Day(2099, 12, 1); t += code == kPluto ? 1 : 6) {
            fastest = std::max(fastest, std::fabs(Signed(PlanetLongitude(code, t + 1) - PlanetLongitude(code, t))));
        }
        EXPECT_LT(fastest * 7 / 6, MaxLongitudeSpeed(code)) << BodyName[code];
    }
}

// A fast Mercury can cross the 2-degree gap between two 14-degree outer orbs within one day: the
// square must be closed before the sextile opens, not overwritten by it. Two orbs entered on
// one day list only the outer one.
TEST_F(ScanRuns, FastMercuryCrossesSeveralEdgesInADay) {
    std::int32_t fast = Day(2021, 1, 1);
    while (std::fabs(Signed(PlanetLongitude(kMercury, fast + 0.5) - PlanetLongitude(kMercury, fast - 0.5))) < 2.1 * kDegree) ++fast;
    const Case c{kMercury, kSun, false, fast - 20, fast + 20, 0, "GMT", {14, 9, 5},
                 PlanetLongitude(kMercury, fast - 0.5) + 76.05 * kDegree};
    Scan(run, c);
    ExpectListingMatches(run, c);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[1][0] + run.rows[1][7] + run.rows[2][0] + run.rows[2][1], "Square" + Date(fast) + "Sextile" + Date(fast));
    ScanRun twice;
    const Case c2{kMercury, kSun, false, fast - 3, fast + 3, 0, "GMT", {6, 5, 2}, PlanetLongitude(kMercury, fast - 0.5) + 6.5 * kDegree};
    Scan(twice, c2);
    ExpectListingMatches(twice, c2);
    ASSERT_EQ(twice.rows.size(), 1u);
    EXPECT_EQ(twice.rows[0][1] + "|" + twice.rows[0][2], Date(fast) + "|");
}

// Samples outside Pluto's range (before 1600-01-01 east of Greenwich, after 2099-12-31 west of it)
// have no longitude: the transit in effect there is neither entered nor left on the edge day.
TEST_F(ScanRuns, SamplesOutsideARangeClaimNoCrossing) {
    const Case early{kPluto, kSun, false, Day(1600, 1, 1), Day(1600, 6, 30), 600, "GMT+10:00", {10, 5, 2},
                     PlanetLongitude(kPluto, Day(1600, 3, 15))};
    Scan(run, early);
    ExpectListingMatches(run, early);
    ASSERT_EQ(run.rows.size(), 1u);
    EXPECT_EQ(run.rows[0][0] + run.rows[0][1] + run.rows[0][2] + run.rows[0][3], "Conjunction");
    ScanRun late;
    const Case c{kPluto, kSun, false, Day(2099, 6, 1), Day(2099, 12, 31), -300, "GMT-5:00", {10, 5, 2},
                 PlanetLongitude(kPluto, Day(2099, 11, 1))};
    Scan(late, c);
    ExpectListingMatches(late, c);
    ASSERT_EQ(late.rows.size(), 1u);
    EXPECT_EQ(late.rows[0][5] + late.rows[0][6] + late.rows[0][7], "") << "still open at the end date";
}

TEST_F(ScanRuns, InnerExitBeforeAnyMinimumNamesNoMinimum) {
    const std::int32_t start = Day(2021, 3, 1);
    const Case c{kSun, kSun, false, start, start + 30, 0, "GMT", {10, 5, 1}, PlanetLongitude(kSun, start - 0.5) - 0.9 * kDegree};
    Scan(run, c);
    ASSERT_FALSE(run.rows.empty());
    EXPECT_EQ(run.rows[0][5] + "|" + run.rows[0][4] + "|" + run.rows[0][8], "2021-03-01||");
}

TEST_F(ScanRuns, StopAndFullOutputEndTheRun) {
    const Case c{kSun, kVenus, false, Day(2020, 1, 1), Day(2020, 12, 31), 0, "GMT", {10, 5, 2},
                 PlanetLongitude(kSun, Day(2020, 1, 1))};
    run.hooks.stopAfterDays = 100;  // the scan ends before processing 2020-04-09
    Scan(run, c);
    EXPECT_EQ(run.outcome, ScanOutcome::Stopped);
    EXPECT_EQ(run.hooks.shownDays, std::vector<std::string>{"2020-01-01"});
    ASSERT_FALSE(run.rows.empty());
    EXPECT_LT(run.rows.back()[7], "2020-04-09");
    ScanRun full;
    full.hooks.capacity = 300;  // the header and one row
    Scan(full, c);
    EXPECT_EQ(full.outcome, ScanOutcome::Stopped);
    EXPECT_EQ(full.hooks.refused * 10 + static_cast<int>(full.rows.size()), 11);
}

TEST_F(ScanRuns, MinimumDayIsTestedAtTheZonesMidnight) {
    // True minimum at 05:00 local on 2021-03-11 (GMT+10:00): the local midnight before it has the
    // smallest daily deviation, and the deviation still falls just after that midnight.
    const std::int32_t day = Day(2021, 3, 11);
    Case c{kSun, kVenus, false, day - 20, day + 20, 600, "GMT+10:00"};
    c.natal = PlanetLongitude(kSun, day - 0.5 + 5.0 / 24 - 600 / 1440.0);
    run.request.PlanetCodes = {kSun, kVenus};
    run.request.NatalLongitudes[kVenus] = c.natal;
    run.inputs = {false, 600, "GMT+10:00"};
    std::int32_t m = day;
    TransitScan scan(run.request, run.state, run.inputs, run.hooks);
    EXPECT_EQ(scan.MinimumDate(m, kConjunction, c.Deviation(kConjunction, c.Midnight(day))), "2021-03-11");
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
    SiderealZodiac = true;
    EXPECT_FALSE(IsRetrogradeAt(kPluto, Day(2021, 1, 1) - 0.5 - 30 / 1440.0));
    EXPECT_TRUE(IsRetrogradeAt(kPluto, Day(2021, 7, 1)));
    EXPECT_FALSE(IsRetrogradeAt(kPluto, Day(2100, 1, 1)));  // no value: no motion
}

TEST_F(ScanRuns, WithinOrbStepsAndDateLimits) {
    RecordingDialogs dialogs;
    setDialogs(&dialogs);
    const double t = Day(2021, 5, 1) - 0.5, natal = PlanetLongitude(kSun, t) - 3 * kDegree;
    const double orb = PlanetLongitude(kSun, t) - natal;  // the deviation itself, to the last bit
    std::int16_t error = 0;
    EXPECT_EQ(IsWithinOrb(kSun, kVenus, t, kConjunction, orb, false, natal, true, error), 0);
    EXPECT_EQ(IsWithinOrb(kSun, kVenus, t, kConjunction, std::nextafter(orb, 1.0), false, natal, true, error), 1);
    // The Sun leaves a 5-degree orb of the natal point on day `out`.
    std::int32_t out = Day(2021, 5, 1);
    while (std::fabs(Signed(PlanetLongitude(kSun, out - 0.5) - natal)) < 5 * kDegree) ++out;
    bool inOrbAtStart = false;
    std::vector<std::int32_t> shown;
    auto step = [&](std::int32_t from, bool forward, bool target) {
        return StepToOrbChange(from, inOrbAtStart, forward, target, 0, kSun, kVenus, kConjunction, 5 * kDegree, false, natal,
                               false, error, [&shown](std::int32_t d) { shown.push_back(d); });
    };
    EXPECT_EQ(step(Day(2021, 5, 1), true, false), out);
    EXPECT_TRUE(inOrbAtStart);
    EXPECT_EQ(shown.back(), out);
    EXPECT_EQ(step(out + 1, false, true), out - 1);
    EXPECT_EQ(step(out - 1, true, true), out - 2) << "in orb at once: the day before";
    EXPECT_EQ(StepToOrbChange(Day(2099, 12, 30), inOrbAtStart, true, true, 0, kPluto, kSun, kOpposition, kDegree, true, -1,
                              true, error),
              Day(2100, 1, 1));
    EXPECT_EQ(error, kFirstBodyAfterRange);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text + dialogs.messages[0].title, "Date is beyond allowable date range for Pluto.Error");
    setDialogs(nullptr);

    TransitRequest r;
    r.PlanetCodes = {kPluto, kMoon};
    r.RequestDays = {Day(1599, 12, 31), Day(2100, 1, 1), 0};
    EXPECT_EQ(EphemerisDateLimitMessage(r, 0), "Start date is too early for Pluto.");
    r.PlanetCodes = {kSun, kMoon};
    EXPECT_EQ(EphemerisDateLimitMessage(r, 0), "Start date is too early for Moon.");
    EXPECT_EQ(EphemerisDateLimitMessage(r, 1), "End date is too late for Moon.");
    r.RequestDays[1] = Day(2099, 12, 31);
    EXPECT_EQ(EphemerisDateLimitMessage(r, 1), "");
}
