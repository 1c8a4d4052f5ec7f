// The scan engine with the real ephemeris and a stand-in for the window; each listing is checked
// against the test's own crossings (listing_check.h). Also the row and value texts.
#include <gtest/gtest.h>
#include <swephexp.h>

#include "scan_runner.h"
#include "transits/date_limits.h"
#include "transits/orb_geometry.h"

using namespace meridel;
using namespace meridel::skycheck;

using ScanRuns = EphemerisSuite;

// The Sun against a natal point: sextile and square outer orbs meet at 75 degrees, square and
// trine at 105, with 15-degree orbs; with 14 they leave a gap. A table of 4 rows must grow.
TEST_F(ScanRuns, HandoverOnlyWhereOuterOrbsMeet) {
    for (std::int16_t outer : {15, 14}) {
        ScanRun r, small;
        const Case c{kSun, kVenus, false, Day(2020, 2, 1), Day(2020, 12, 15), 0, "GMT", {outer, 8, 3},
                     ProgramSky().PlanetLongitude(kSun, Day(2020, 1, 1))};
        Scan(r, c);
        ExpectListingMatches(r.rows, c);
        int sameDay = 0;
        for (std::size_t i = 0; i + 1 < r.rows.size(); ++i) sameDay += !r.rows[i][7].empty() && r.rows[i][7] == r.rows[i + 1][1];
        EXPECT_EQ(sameDay, outer == 15 ? 4 : 0) << "outer orb " << outer;
        Scan(small, c, 4);
        EXPECT_EQ(small.lines, r.lines);
    }
}

// A hit at 19:23 UT, on the next local day at GMT+10:00 (hits written on the next local day are
// pinned by the committed GMT+10:00 listing). The local midnight before it has the smallest daily
// deviation, and the deviation still falls just after it: that midnight's day is the minimum's.
TEST_F(ScanRuns, MinimumDayInTheZone) {
    ScanRun run;
    const std::int32_t day = Day(2021, 3, 11);
    const Case c{kSun, kVenus, false, Day(2021, 2, 1), Day(2021, 4, 15), 600, "GMT+10:00", {10, 5, 2},
                 ProgramSky().PlanetLongitude(kSun, day - 1.5 + (19 * 60 + 23) / 1440.0)};
    Scan(run, c);
    ExpectListingMatches(run.rows, c);
    TransitScan scan(run.request, ProgramSky(), run.state, run.box, run.window);
    EXPECT_EQ(scan.MinimumDate(day, kConjunction, c.Deviation(kConjunction, c.Midnight(day))), day);
}

// Every listed hit is the whole minute where the deviation is smallest: a minute on either side
// is further from exact, unless that side is the next day (a hit belongs to its own day). A slow
// pair with stations near exact, so the search meets turning days as well as steady ones.
TEST_F(ScanRuns, ExactHitsAreTheirDaysSmallestMinutes) {
    ScanRun run;
    const Case c{kNeptune, kPluto, true, Day(1643, 1, 1), Day(1648, 12, 31), 330, "GMT+5:30", {10, 5, 2}};
    Scan(run, c);
    ExpectListingMatches(run.rows, c);
    int hits = 0;
    for (int a = 0; const Cells& row : run.rows) {
        for (int i = 1; i <= 5; ++i) a = AspectName[i] == row[0] ? i : a;
        if (row[4].find('*') == std::string::npos) continue;
        ++hits;
        // The program's own positions (Pluto from its table), on the grid of whole minutes.
        auto deviation = [&](double t) {
            return std::fabs(SeparationOf(ProgramSky().PlanetLongitude(kNeptune, t), ProgramSky().PlanetLongitude(kPluto, t)) - AspectAngle[a]);
        };
        const double t = ListedMoment(c, row);
        EXPECT_LT(deviation(t), 0.000291) << row[4];
        EXPECT_LT(deviation(t), deviation(t - kMinute)) << row[4];
        if (c.LocalDay(t + kMinute) == c.LocalDay(t)) {
            EXPECT_LE(deviation(t), deviation(t + kMinute)) << row[4];
        }
    }
    EXPECT_GE(hits, 5);
}

// Hits the samples at midnight cannot show: a pass through the inner orb within one day, a pass
// whose inner orb is entered and left on consecutive days, two hits within a day by a station
// that dips past exact, and a station that turns within a minute of arc short of it.
TEST_F(ScanRuns, ExactHitsWhateverTheSpeed) {
    auto motion = [](double t) { return Signed(ProgramSky().PlanetLongitude(kMercury, t + 0.5) - ProgramSky().PlanetLongitude(kMercury, t - 0.5)); };
    double fast = Day(2021, 1, 1);
    while (motion(fast) < 2.05 * kDegree) ++fast;
    double station = Day(2021, 1, 1);
    while (motion(station) * motion(station + 1) > 0) ++station;
    station = Root(motion, station, station + 1);
    const double atStation = ProgramSky().PlanetLongitude(kMercury, station);
    const double turning = motion(station - 3) > 0 ? 1 : -1;  // which way Mercury turns back from
    const struct {
        const char* what;
        double natal;
        std::int16_t inner;
        std::size_t hits;
    } cases[] = {
        {"through the inner orb within a day", ProgramSky().PlanetLongitude(kMercury, fast), 1, 1},
        {"inner orb entered and left on consecutive days", ProgramSky().PlanetLongitude(kMercury, fast + 0.5 - 0.1), 1, 1},
        {"past exact and back at a station", atStation - turning * 10 / 3600.0 * kDegree, 3, 2},
        {"a station short of exact", atStation + turning * 40 / 3600.0 * kDegree, 3, 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        const double around = std::string(k.what).find("station") != std::string::npos ? station : fast;
        const std::int32_t day = static_cast<std::int32_t>(std::floor(around + 0.5));
        const Case c{kMercury, kSun, false, day - 12, day + 12, 0, "GMT", {10, 5, k.inner}, k.natal};
        ScanRun r;
        Scan(r, c);
        ExpectListingMatches(r.rows, c);
        std::size_t hits = 0;
        for (const Cells& row : r.rows) hits += row[4].find('*') != std::string::npos;
        EXPECT_EQ(hits, k.hits);
    }
}

// The hit search relies on these bounds: the speeds and the accelerations of the bodies' own
// motion (none may come within a sixth of what the ephemeris shows), and the bending of their
// light where they pass close behind the Sun (Pluto in 1771, 1930 and 2019; Mercury in 2023).
TEST_F(ScanRuns, MotionBoundsHold) {
    auto longitude = [](std::int16_t code, double t, std::int32_t flags) {
        static const int body[] = {0, SE_SUN, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO};
        double x[6];
        char error[256];
        swe_calc_ut(t, body[code], SEFLG_SWIEPH | flags, x, error);
        return x[0] * kDegree;
    };
    for (std::int16_t code = kSun; code <= kPluto; ++code) {
        double fastest = 0, hardest = 0;
        const bool outer = code >= kJupiter;
        for (double t = Day(code == kPluto ? 1600 : 1950, 1, 1); t < Day(2099, 12, 1); t += code == kPluto ? 1 : 6) {
            fastest = std::max(fastest, std::fabs(Signed(ProgramSky().PlanetLongitude(code, t + 1) - ProgramSky().PlanetLongitude(code, t))));
        }
        for (double t = Day(outer ? 1600 : 1980, 1, 1); t < Day(2099, 12, 1); t += outer ? 30 : 2) {
            const double a = longitude(code, t - 0.5, SEFLG_NOGDEFL), b = longitude(code, t, SEFLG_NOGDEFL),
                         c = longitude(code, t + 0.5, SEFLG_NOGDEFL);
            hardest = std::max(hardest, std::fabs(Signed(c - b) - Signed(b - a)) / 0.25);
        }
        EXPECT_LT(fastest * 7 / 6, MaxLongitudeSpeed(code)) << BodyName[code];
        EXPECT_LT(hardest * 7 / 6, MaxLongitudeAcceleration(code)) << BodyName[code];
    }
    const std::pair<std::int16_t, double> closeBehindTheSun[] = {
        {kPluto, 2367911.2}, {kPluto, 2426170.0}, {kPluto, 2458495.0}, {kMercury, Day(2023, 5, 1)}};
    for (const auto& body : closeBehindTheSun) {
        // Named, not bound: the lambdas below capture it.
        const std::int16_t code = body.first;
        double conjunction = body.second - 3;
        while (Signed(longitude(code, conjunction, 0) - longitude(kSun, conjunction, 0)) < 0) conjunction += 0.01;
        for (double t = conjunction - 2; t < conjunction + 2; t += 0.005) {
            auto bending = [&](double x) { return Signed(longitude(code, x, 0) - longitude(code, x, SEFLG_NOGDEFL)); };
            auto elongation = [&](double x) { return Signed(longitude(code, x, 0) - longitude(kSun, x, 0)); };
            const double closest = (elongation(t) < 0) != (elongation(t + 0.25) < 0)
                                       ? 0.0 : std::min(std::fabs(elongation(t)), std::fabs(elongation(t + 0.25)));
            EXPECT_LT(std::fabs(bending(t + 0.25) - bending(t)), LightBendingSwing(closest)) << BodyName[code] << " " << t;
            EXPECT_LT(std::fabs(bending(t + 0.005) - bending(t)) / 0.005, LightBendingSpeed(closest)) << BodyName[code] << " " << t;
        }
    }
}

// A fast Mercury can cross the 2-degree gap between two 14-degree outer orbs within one day: the
// square must be closed before the sextile opens, not overwritten by it. Two orbs entered on
// one day list only the outer one.
TEST_F(ScanRuns, FastMercuryCrossesSeveralEdgesInADay) {
    ScanRun run;
    std::int32_t fast = Day(2021, 1, 1);
    while (std::fabs(Signed(ProgramSky().PlanetLongitude(kMercury, fast + 0.5) - ProgramSky().PlanetLongitude(kMercury, fast - 0.5))) < 2.1 * kDegree) ++fast;
    const Case c{kMercury, kSun, false, fast - 20, fast + 20, 0, "GMT", {14, 9, 5},
                 ProgramSky().PlanetLongitude(kMercury, fast - 0.5) + 76.05 * kDegree};
    Scan(run, c);
    ExpectListingMatches(run.rows, c);
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.rows[1][0] + run.rows[1][7] + run.rows[2][0] + run.rows[2][1], "Square" + Date(fast) + "Sextile" + Date(fast));
    ScanRun twice;
    const Case c2{kMercury, kSun, false, fast - 3, fast + 3, 0, "GMT", {6, 5, 2}, ProgramSky().PlanetLongitude(kMercury, fast - 0.5) + 6.5 * kDegree};
    Scan(twice, c2);
    ExpectListingMatches(twice.rows, c2);
    ASSERT_EQ(twice.rows.size(), 1u);
    EXPECT_EQ(twice.rows[0][1] + "|" + twice.rows[0][2], Date(fast) + "|");
}

TEST_F(ScanRuns, InnerExitBeforeAnyMinimumNamesNoMinimum) {
    ScanRun run;
    const std::int32_t start = Day(2021, 3, 1);
    const Case c{kSun, kSun, false, start, start + 30, 0, "GMT", {10, 5, 1}, ProgramSky().PlanetLongitude(kSun, start - 0.5) - 0.9 * kDegree};
    Scan(run, c);
    ASSERT_FALSE(run.rows.empty());
    EXPECT_EQ(run.rows[0][5] + "|" + run.rows[0][4] + "|" + run.rows[0][8], "2021-03-01||");
}

TEST_F(ScanRuns, RetrogradeTestAcrossZeroAndNewYear) {
    // Uranus went back across 0 degrees in August 2010.
    double t = Day(2010, 7, 1) - 0.5;
    while (ProgramSky().PlanetLongitude(kUranus, t + 1) < 6) t += 1;
    const double crossing = Root([](double x) { return Signed(ProgramSky().PlanetLongitude(kUranus, x)); }, t, t + 1);
    EXPECT_TRUE(IsRetrogradeAt(ProgramSky(), kUranus, crossing - 1.0 / 96));
    // Pluto moves forward over New Year 2021; at GMT+0:30 the 30 minutes after local midnight end
    // at 0 h UT of 1 January, where the sidereal correction steps.
    const Sky sidereal = ProgramSky().InZodiac(true);
    EXPECT_FALSE(IsRetrogradeAt(sidereal, kPluto, Day(2021, 1, 1) - 0.5 - 30 / 1440.0));
    EXPECT_TRUE(IsRetrogradeAt(sidereal, kPluto, Day(2021, 7, 1)));
    EXPECT_FALSE(IsRetrogradeAt(sidereal, kPluto, Day(2100, 1, 1)));  // no value: no motion
}

// Pluto's range is named before the Moon's; each end of a range has its own message.
TEST_F(ScanRuns, DateLimitMessages) {
    TransitRequest r;
    r.PlanetCodes = {kPluto, kMoon};
    r.RequestDays = {Day(1599, 12, 31), Day(2099, 12, 31), 0};
    EXPECT_EQ(EphemerisDateLimitMessage(ProgramSky(), r, 0) + "|" + EphemerisDateLimitMessage(ProgramSky(), r, 1),
              "Start date is too early for Pluto.|");
    r.PlanetCodes = {kSun, kMoon};
    r.RequestDays[1] = Day(2100, 1, 1);
    EXPECT_EQ(EphemerisDateLimitMessage(ProgramSky(), r, 0) + EphemerisDateLimitMessage(ProgramSky(), r, 1),
              "Start date is too early for Moon.End date is too late for Moon.");
}

// Angle texts at their edges; the row layout is proved by the end-to-end listings.
TEST(ReportText, Angles) {
    EXPECT_EQ(AngleToDegMinText(360 * kDegree) + AngleToDegMinText((359 + 59.6 / 60) * kDegree), "360°0'359°59'");
    EXPECT_EQ(AngleToDegMinText((29 + 59.6 / 60) * kDegree), "30°0'");
    EXPECT_EQ(AngleToDegMinText(-0.1) + AngleToDegMinText(6.3), "");
}
