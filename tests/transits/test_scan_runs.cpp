// The scan engine with the real ephemeris and a stand-in for the window; each listing is checked
// against the test's own crossings (listing_check.h). Also the row and value texts.
#include <gtest/gtest.h>

#include <iostream>

#include "ephemeris/data_folder.h"
#include "ephemeris/pluto_table.h"
#include "listing_check.h"
#include "transits/date_limits.h"
#include "transits/orb_geometry.h"
#include "transits/scan_engine.h"
#include "transits/transit_report.h"

using namespace meridel;
using namespace meridel::skycheck;

namespace {

// The window: keeps every line, refuses rows once `capacity` characters are held, and can ask
// to stop after a number of days.
struct RecordingHooks : ScanHooks {
    std::vector<std::string> lines, shownDays;
    std::size_t characters = 0, capacity = static_cast<std::size_t>(-1);
    int days = 0, stopAfterDays = -1, refused = 0;
    bool stop = false;
    void yieldToWindow() override { stop = stop || ++days == stopAfterDays; }
    bool stopRequested() override { return stop; }
    void showDay(const std::string& dayText) override { shownDays.push_back(dayText); }
    void appendLine(const std::string& line) override {
        lines.push_back(line);
        characters += line.size() + 2;
    }
    bool writeRow(const std::string& line) override {
        if (characters >= capacity) return stop = true, ++refused, false;
        appendLine(line);
        return true;
    }
};

struct ScanRun {
    TransitRequest request;
    ScanRunInputs inputs;
    ScanState state;
    RecordingHooks hooks;
    ScanOutcome outcome{};
    std::vector<Cells> rows;
};

// `tableRows` > 0 replaces the first size of the result table, to make a run outgrow it.
void Scan(ScanRun& run, const Case& c, std::size_t tableRows = 0) {
    TransitRequest& r = run.request;
    r.PlanetCodes = {c.moving, c.second};
    for (int o = 0; o < 3; ++o) r.Orbs[o] = (r.OrbDegrees[o] = c.orbs[o]) * kDegree;
    r.HandoverCheck = c.orbs[0] == 15;
    r.StartDay = r.RequestDays[0] = c.start;
    r.EndDay = r.RequestDays[1] = c.end;
    r.NatalLongitudes[c.second] = c.natal;
    run.inputs = {c.world, static_cast<std::int16_t>(c.zone), c.zoneText};
    TransitScan scan(r, run.state, run.inputs, run.hooks);
    scan.Begin();
    if (tableRows > 0) run.state.ResultRows.resize(tableRows);
    WriteTableHeader(r, run.state, run.hooks);
    run.outcome = scan.Run();
    run.rows = RowsOf(run.hooks.lines);
}

class ScanRuns : public skycheck::EphemerisSuite {
protected:
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
    ExpectListingMatches(run.rows, c);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[2][3], "1981-07-08");
}

TEST_F(ScanRuns, PersonalPairWestOfGreenwich) {
    // Transiting Saturn against the natal Moon of 1990-06-15 12:00 UT.
    const Case c{kSaturn, kMoon, false, Day(2000, 1, 1), Day(2012, 12, 31), -300, "GMT-5:00", {8, 4, 2},
                 PlanetLongitude(kMoon, Day(1990, 6, 15))};
    Scan(run, c);
    ExpectListingMatches(run.rows, c);
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
        ExpectListingMatches(r.rows, c);
        int sameDay = 0;
        for (std::size_t i = 0; i + 1 < r.rows.size(); ++i) sameDay += !r.rows[i][7].empty() && r.rows[i][7] == r.rows[i + 1][1];
        EXPECT_EQ(sameDay, outer == 15 ? 4 : 0) << "outer orb " << outer;
        Scan(small, c, 4);
        EXPECT_EQ(small.hooks.lines, r.hooks.lines);
    }
}

// The hit at 19:23 UT is 05:23 on the next local day at GMT+10:00. The local midnight before it
// has the smallest daily deviation, and the deviation still falls just after it: that midnight's
// day is the minimum's.
TEST_F(ScanRuns, ExactHitAndMinimumDayInTheZone) {
    const std::int32_t day = Day(2021, 3, 11);
    const Case c{kSun, kVenus, false, Day(2021, 2, 1), Day(2021, 4, 15), 600, "GMT+10:00", {10, 5, 2},
                 PlanetLongitude(kSun, day - 1.5 + (19 * 60 + 23) / 1440.0)};
    Scan(run, c);
    ExpectListingMatches(run.rows, c);
    ASSERT_EQ(run.rows.size(), 1u);
    EXPECT_EQ(run.rows[0][4] + " " + run.rows[0][8], "2021-03-11* 05:23 GMT+10:00");
    std::int32_t m = day;
    TransitScan scan(run.request, run.state, run.inputs, run.hooks);
    EXPECT_EQ(scan.MinimumDate(m, kConjunction, c.Deviation(kConjunction, c.Midnight(day))), "2021-03-11");
    EXPECT_EQ(m, day);
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
    ExpectListingMatches(run.rows, c);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[1][0] + run.rows[1][7] + run.rows[2][0] + run.rows[2][1], "Square" + Date(fast) + "Sextile" + Date(fast));
    ScanRun twice;
    const Case c2{kMercury, kSun, false, fast - 3, fast + 3, 0, "GMT", {6, 5, 2}, PlanetLongitude(kMercury, fast - 0.5) + 6.5 * kDegree};
    Scan(twice, c2);
    ExpectListingMatches(twice.rows, c2);
    ASSERT_EQ(twice.rows.size(), 1u);
    EXPECT_EQ(twice.rows[0][1] + "|" + twice.rows[0][2], Date(fast) + "|");
}

// Samples outside Pluto's range (before 1600-01-01 east of Greenwich, after 2099-12-31 west of it)
// have no longitude: the transit in effect there is neither entered nor left on the edge day.
TEST_F(ScanRuns, SamplesOutsideARangeClaimNoCrossing) {
    const Case early{kPluto, kSun, false, Day(1600, 1, 1), Day(1600, 6, 30), 600, "GMT+10:00", {10, 5, 2},
                     PlanetLongitude(kPluto, Day(1600, 3, 15))};
    Scan(run, early);
    ExpectListingMatches(run.rows, early);
    ASSERT_EQ(run.rows.size(), 1u);
    EXPECT_EQ(run.rows[0][0] + run.rows[0][1] + run.rows[0][2] + run.rows[0][3], "Conjunction");
    ScanRun late;
    const Case c{kPluto, kSun, false, Day(2099, 6, 1), Day(2099, 12, 31), -300, "GMT-5:00", {10, 5, 2},
                 PlanetLongitude(kPluto, Day(2099, 11, 1))};
    Scan(late, c);
    ExpectListingMatches(late.rows, c);
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

// Pluto's range is named before the Moon's; each end of a range has its own message.
TEST_F(ScanRuns, DateLimitMessages) {
    TransitRequest r;
    r.PlanetCodes = {kPluto, kMoon};
    r.RequestDays = {Day(1599, 12, 31), Day(2099, 12, 31), 0};
    EXPECT_EQ(EphemerisDateLimitMessage(r, 0) + "|" + EphemerisDateLimitMessage(r, 1),
              "Start date is too early for Pluto.|");
    r.PlanetCodes = {kSun, kMoon};
    r.RequestDays[1] = Day(2100, 1, 1);
    EXPECT_EQ(EphemerisDateLimitMessage(r, 0) + EphemerisDateLimitMessage(r, 1),
              "Start date is too early for Moon.End date is too late for Moon.");
}

// "?" prints blank and is emptied only once the row is written; the layout is proved by the
// end-to-end listings.
TEST(ReportText, PendingCellsAnglesTimesAndTableSize) {
    ResultRow row;
    row[1] = "?";
    ScanState state;
    state.ResultRows.assign(4, row);
    RecordingHooks full, open;
    full.capacity = 0;
    EXPECT_FALSE(WriteRow(state, 3, full));
    EXPECT_EQ(state.ResultRows[3][1], "?");
    EXPECT_TRUE(WriteRow(state, 3, open));
    EXPECT_EQ(open.lines, std::vector<std::string>{RowText(ResultRow{})});
    EXPECT_EQ(state.ResultRows[3][1], "");

    EXPECT_EQ(AngleToDegMinText(360 * kDegree) + AngleToDegMinText((359 + 59.6 / 60) * kDegree), "360°0'359°59'");
    EXPECT_EQ(AngleToDegMinText((29 + 59.6 / 60) * kDegree), "30°0'");
    EXPECT_EQ(AngleToDegMinText(-0.1) + AngleToDegMinText(6.3), "");
    EXPECT_EQ(DayFractionToTimeText(0.999999) + DayFractionToTimeText((7 * 3600 + 59 * 60 + 30) / 86400.0), "23:5908:00");
    EXPECT_EQ(DayFractionToTimeText(1.0), "");
    // The table's first size is capped at the largest row number (its growth is proved by
    // HandoverOnlyWhereOuterOrbsMeet).
    EXPECT_EQ(ResultTableLastRow(1000000), 32760);
}
