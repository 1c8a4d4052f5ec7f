// The exports read from made-up runs whose every figure is known: how rows become passes, the CSV
// row of each listing line with its quoting, iCalendar folding, escaping and UIDs. The exports of
// real runs are checked against their listings by tests/e2e/check_exports.py.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "calendar/date_text.h"
#include "ephemeris/names.h"
#include "ephemeris/sky.h"
#include "exports/export_csv.h"
#include "exports/export_ics.h"
#include "exports/export_json.h"
#include "exports/export_view.h"
#include "transits/orb_stretches.h"

namespace meridel {
namespace {

constexpr std::int32_t kJan1 = 2460311;  // 2024-01-01
constexpr int kIndia = 330;              // GMT+5:30

ListedDate On(std::int32_t day, bool retrograde = false) { return {day, retrograde}; }

ExactHit HitAt(std::int32_t day, int minuteOfDay, bool retrograde = false) {
    return {{day, retrograde}, minuteOfDay, day - 0.5 + (minuteOfDay - kIndia) / 1440.0, 0.00002};
}

// Three transits of Mars and Saturn in 2024, results in GMT+5:30:
// 1. square, within the outer orb from the start, two exact hits in one pass through the inner orb;
// 2. trine, a pass with a closest approach, then a retrograde pass with an exact hit;
// 3. sextile, still within the outer orb at the end.
RunRecord MadeUpRun() {
    RunRecord run;
    TransitRequest& h = run.request;
    h.PlanetCodes = {kMars, kSaturn};
    h.planet1 = "Mars";
    h.planet2 = "Saturn";
    h.StartDay = kJan1;
    h.EndDay = kJan1 + 365;
    h.SetOrbs({10, 5, 2});
    h.zoneMinutes = kIndia;
    h.zoneText = "GMT+5:30";

    TransitRecord square{kSquare, {TransitRow{}, TransitRow{}}};
    square.rows[0].aspectName = kSquare;
    square.rows[0].entered[kInnerOrb] = On(kJan1 + 3);
    square.rows[0].hit = HitAt(kJan1 + 10, 3 * 60 + 10);  // 03:10 local is 21:40 UT the day before
    square.rows[0].left = {On(kJan1 + 30), On(kJan1 + 20), On(kJan1 + 15)};
    square.rows[1].hit = HitAt(kJan1 + 12, 23 * 60 + 59);

    TransitRecord trine{kTrine, {TransitRow{}, TransitRow{}}};
    TransitRow& first = trine.rows[0];
    first.aspectName = kTrine;
    first.entered = {On(kJan1 + 100), On(kJan1 + 104), On(kJan1 + 108)};
    first.minimum = ClosestApproach{On(kJan1 + 110), 0.0055};  // 0.3151 degrees, 0°19'
    first.left = {On(kJan1 + 190, true), On(kJan1 + 116), On(kJan1 + 112)};
    TransitRow& retrograde = trine.rows[1];
    retrograde.entered[kMiddleOrb] = On(kJan1 + 140, true);
    retrograde.entered[kInnerOrb] = On(kJan1 + 145, true);
    retrograde.hit = HitAt(kJan1 + 150, 12 * 60, true);
    retrograde.left[kInnerOrb] = On(kJan1 + 155, true);
    retrograde.left[kMiddleOrb] = On(kJan1 + 160);

    TransitRecord sextile{kSextile, {TransitRow{}}};
    sextile.rows[0].aspectName = kSextile;
    sextile.rows[0].entered[kOuterOrb] = On(kJan1 + 360);

    run.transits = {square, trine, sextile};
    return run;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t from = 0, at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    return lines;
}

using Exports = ::testing::Test;

TEST_F(Exports, CsvHasOneRowPerListingLineQuotedWhereNeeded) {
    RunRecord run = MadeUpRun();
    const std::vector<std::string> lines = LinesOf(CsvExport({run}));
    ASSERT_EQ(lines.size(), 1u + 5u);
    EXPECT_EQ(lines[0].substr(0, 30), "run,transit,pass,mode,zodiac,p");
    // A further hit belongs to the pass above it; a row with its own entries is a pass of its own.
    const std::vector<std::string> passes = {"1,1,1,", "1,1,1,", "1,2,1,", "1,2,2,", "1,3,1,"};
    for (std::size_t i = 0; i < passes.size(); ++i) EXPECT_EQ(lines[i + 1].substr(0, 6), passes[i]) << i;
    // The further hit: only its hit filled. The offset is text a spreadsheet keeps ("+05:30" it
    // reads as a time of day).
    EXPECT_EQ(lines[2],
              "1,1,1,World,tropical,Mars,Saturn,,square,2024-01-01,2024-12-31,GMT+5:30,UTC+05:30,10,5,2,"
              ",,,,,2024-01-13 23:59,2024-01-13 18:29,,,,,,");
    // The retrograde pass: the dates carrying "r" are named in the retrograde column.
    EXPECT_EQ(lines[4],
              "1,2,2,World,tropical,Mars,Saturn,,trine,2024-01-01,2024-12-31,GMT+5:30,UTC+05:30,10,5,2,"
              ",2024-05-20,2024-05-25,,,2024-05-30 12:00,2024-05-30 06:30,2024-06-04,2024-06-09,,"
              "enters middle; enters inner; exact local; leaves inner,,");
    // Every orb held at the period's ends, on the transit's first row: the square entered only its
    // inner orb, so it had its outer and middle ones when the period began; the sextile still has
    // its outer orb when it ends.
    EXPECT_EQ(lines[1].substr(lines[1].size() - 15), ",outer; middle,") << lines[1];
    EXPECT_EQ(lines[5].substr(lines[5].size() - 7), ",,outer") << lines[5];
    EXPECT_NE(lines[3].find(",2024-04-20,0.3151,"), std::string::npos) << lines[3];
    EXPECT_EQ(IsoDate(2086302), "0999-12-31") << "ISO years have four digits";

    run.request.planet1 = "Mars, \"the red\"";
    EXPECT_EQ(CsvField(run.request.planet1), "\"Mars, \"\"the red\"\"\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_NE(CsvExport({run}).find(",\"Mars, \"\"the red\"\"\",Saturn,"), std::string::npos);
}

// iCalendar lines fold at 75 octets without splitting a character; each format escapes its text.
TEST_F(Exports, LinesFoldAndTextIsEscaped) {
    // The degree sign's two octets straddle the 75th octet.
    const std::string line = "DESCRIPTION:" + std::string(62, 'x') + "\xC2\xB0" + std::string(150, 'y') + "\xC2\xB0";
    const std::vector<std::string> lines = LinesOf(FoldedLine(line));
    ASSERT_GE(lines.size(), 3u);
    std::string unfolded;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 75u) << i;
        if (i > 0) {
            ASSERT_EQ(lines[i][0], ' ') << i;
            EXPECT_NE(static_cast<unsigned char>(lines[i][1]) & 0xC0, 0x80) << "character split before line " << i;
        }
        unfolded += i == 0 ? lines[i] : lines[i].substr(1);
    }
    EXPECT_EQ(unfolded, line);
    EXPECT_EQ(lines[0].size(), 74u) << "the degree sign moves whole to the next line";
    EXPECT_EQ(FoldedLine("SHORT:x"), "SHORT:x\r\n");

    EXPECT_EQ(ICalendarText("a,b;c\\d\ne\r\nf"), "a\\,b\\;c\\\\d\\ne\\nf");
    EXPECT_EQ(JsonString("a\"b\\c\nd\x01\xC2\xB0"), "\"a\\\"b\\\\c\\nd\\u0001\xC2\xB0\"");
}

// UIDs name the pair and the event, not the period or the zone, so that a calendar imports a
// transit once.
TEST_F(Exports, UidsNameThePairAndTheEventNotThePeriodOrTheZone) {
    const RunRecord run = MadeUpRun();
    TransitRequest other = run.request;
    other.StartDay -= 100;
    other.SetOrbs({8, 5, 3});
    other.zoneMinutes = -300;
    const ExactHit hit = HitAt(kJan1 + 10, 190);
    EXPECT_EQ(ExactHitUid(run.request, kSquare, hit.moment), ExactHitUid(other, kSquare, hit.moment));
    EXPECT_EQ(TransitUid(run.request, kSquare, kJan1), TransitUid(other, kSquare, kJan1));
    EXPECT_NE(ExactHitUid(run.request, kSquare, hit.moment), ExactHitUid(run.request, kTrine, hit.moment));
    EXPECT_NE(ExactHitUid(run.request, kSquare, hit.moment), ExactHitUid(run.request, kSquare, hit.moment + 1 / 1440.0));

    TransitRequest natal = run.request;
    natal.world = false;
    natal.RequestDays[2] = 2447000;
    natal.birthHour = "12";
    natal.birthMinute = "00";
    natal.birthZone = "GMT";
    TransitRequest otherBirth = natal;
    otherBirth.birthMinute = "05";
    EXPECT_NE(TransitUid(natal, kSquare, kJan1), TransitUid(otherBirth, kSquare, kJan1));
    otherBirth = natal;
    otherBirth.sidereal = true;
    EXPECT_NE(TransitUid(natal, kSquare, kJan1), TransitUid(otherBirth, kSquare, kJan1));

    // A run appended twice gives each transit and hit one event.
    std::set<std::string> uids;
    int events = 0;
    for (const std::string& line : LinesOf(ICalendarExport({run, run}, InstalledSky(), "20240315T101500Z"))) {
        if (line == "BEGIN:VEVENT") ++events;
        if (line.rfind("UID:", 0) == 0) uids.insert(line);
    }
    EXPECT_EQ(events, 3 + 3);
    EXPECT_EQ(uids.size(), 6u);

    // The same birth moment typed in another zone is the same natal position.
    TransitRequest sameMoment = natal;
    sameMoment.birthHour = "17";
    sameMoment.birthMinute = "30";
    sameMoment.birthZone = "GMT+5:30";
    sameMoment.birthZoneMinutes = 330;
    EXPECT_EQ(TransitUid(natal, kSquare, kJan1), TransitUid(sameMoment, kSquare, kJan1));
    sameMoment.RequestDays[2] += 1;  // midnight starting the next day in GMT+12:00
    sameMoment.birthHour = "00";
    sameMoment.birthMinute = "00";
    sameMoment.birthZone = "GMT+12:00";
    sameMoment.birthZoneMinutes = 720;
    EXPECT_EQ(TransitUid(natal, kSquare, kJan1), TransitUid(sameMoment, kSquare, kJan1));
}

// The orbs a transit held when the period began and still held when it ended, read back from its
// rows: the listing records one change a day, the outermost orb entered or else left.
TEST_F(Exports, OrbStretchesFollowTheListedChanges) {
    const std::int32_t first = kJan1, last = kJan1 + 99;
    auto stretchesOf = [&](const std::vector<TransitRow>& rows) {
        return OrbStretchesOf(TransitRecord{kTrine, rows}, first, last);
    };
    auto days = [](const std::vector<OrbStretch>& s) {
        std::vector<std::array<std::int32_t, 4>> out;
        for (const OrbStretch& x : s) out.push_back({x.firstDay, x.lastDay, x.openStart, x.openEnd});
        return out;
    };
    using Days = std::vector<std::array<std::int32_t, 4>>;

    // Within the middle orb all along; a pass through the inner orb.
    TransitRow pass;
    pass.entered[kInnerOrb] = On(kJan1 + 10);
    pass.left[kInnerOrb] = On(kJan1 + 20);
    OrbStretches s = stretchesOf({pass});
    EXPECT_EQ(days(s[kOuterOrb]), (Days{{first, last, 1, 1}}));
    EXPECT_EQ(days(s[kMiddleOrb]), (Days{{first, last, 1, 1}}));
    EXPECT_EQ(days(s[kInnerOrb]), (Days{{kJan1 + 10, kJan1 + 20, 0, 0}}));

    // The middle and inner orbs entered on one day: only the middle one is listed, and the inner
    // orb's exit tells that it was entered then.
    TransitRow fast;
    fast.entered = {On(kJan1 + 5), On(kJan1 + 8), std::nullopt};
    fast.left = {std::nullopt, On(kJan1 + 14), On(kJan1 + 12)};
    s = stretchesOf({fast});
    EXPECT_EQ(days(s[kOuterOrb]), (Days{{kJan1 + 5, last, 0, 1}}));
    EXPECT_EQ(days(s[kMiddleOrb]), (Days{{kJan1 + 8, kJan1 + 14, 0, 0}}));
    EXPECT_EQ(days(s[kInnerOrb]), (Days{{kJan1 + 8, kJan1 + 12, 0, 0}}));

    // Already in the inner orb when the period began; two passes through the middle one.
    TransitRow first1, second;
    first1.left = {On(kJan1 + 60), On(kJan1 + 9), On(kJan1 + 3)};
    second.entered[kMiddleOrb] = On(kJan1 + 30);
    second.left[kMiddleOrb] = On(kJan1 + 40);
    s = stretchesOf({first1, second});
    EXPECT_EQ(days(s[kOuterOrb]), (Days{{first, kJan1 + 60, 1, 0}}));
    EXPECT_EQ(days(s[kMiddleOrb]), (Days{{first, kJan1 + 9, 1, 0}, {kJan1 + 30, kJan1 + 40, 0, 0}}));
    EXPECT_EQ(days(s[kInnerOrb]), (Days{{first, kJan1 + 3, 1, 0}}));
}

}  // namespace
}  // namespace meridel
