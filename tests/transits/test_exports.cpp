// The exports' facts that runs of meridel-list cannot show: quoting and escaping of text no run
// writes, and UIDs across requests that differ in one thing. What the exports of real runs hold
// is checked against their listings by tests/e2e/check_exports.py.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

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

ListedDate On(std::int32_t day) { return {day, false}; }

ExactHit HitAt(std::int32_t day, int minuteOfDay) {
    return {{day, false}, minuteOfDay, day - 0.5 + minuteOfDay / 1440.0, 0.00002};
}

// Mars square Saturn in 2024, in GMT: under way all year, with two exact hits.
RunRecord MadeUpRun() {
    RunRecord run;
    TransitRequest& h = run.request;
    h.PlanetCodes = {kMars, kSaturn};
    h.planet1 = "Mars";
    h.planet2 = "Saturn";
    h.StartDay = kJan1;
    h.EndDay = kJan1 + 365;
    h.SetOrbs({10, 5, 2});
    h.zoneText = "GMT";
    TransitRecord square{kSquare, {TransitRow{}, TransitRow{}}};
    square.rows[0].aspectName = kSquare;
    square.rows[0].hit = HitAt(kJan1 + 10, 3 * 60 + 10);
    square.rows[1].hit = HitAt(kJan1 + 12, 23 * 60 + 59);
    run.transits = {square};
    return run;
}

TEST(Exports, TextIsQuotedAndEscaped) {
    RunRecord run = MadeUpRun();
    run.request.planet1 = "Mars, \"the red\"";
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_NE(CsvExport({run}).find(",\"Mars, \"\"the red\"\"\",Saturn,"), std::string::npos);
    EXPECT_EQ(IsoDate(2086302), "0999-12-31") << "ISO years have four digits";
    EXPECT_EQ(ICalendarText("a,b;c\\d\ne\r\nf"), "a\\,b\\;c\\\\d\\ne\\nf");
    EXPECT_EQ(JsonString("a\"b\\c\nd\x01\xC2\xB0"), "\"a\\\"b\\\\c\\nd\\u0001\xC2\xB0\"");
}

// UIDs name the pair and the event, not the orbs or the results zone; a birth moment typed in
// another zone, or a longer period, is checked by check_exports.py.
TEST(Exports, UidsNameThePairAndTheEventNotThePeriodOrTheZone) {
    const RunRecord run = MadeUpRun();
    TransitRequest other = run.request;
    other.SetOrbs({8, 5, 3});
    other.zoneMinutes = -300;
    const double moment = kJan1 + 10.3;
    EXPECT_EQ(ExactHitUid(run.request, kSquare, moment), ExactHitUid(other, kSquare, moment));
    EXPECT_EQ(TransitUid(run.request, kSquare, kJan1), TransitUid(other, kSquare, kJan1));
    EXPECT_NE(ExactHitUid(run.request, kSquare, moment), ExactHitUid(run.request, kTrine, moment));
    EXPECT_NE(ExactHitUid(run.request, kSquare, moment), ExactHitUid(run.request, kSquare, moment + 1 / 1440.0));

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

    // A run appended twice gives its transit and each hit one event.
    std::set<std::string> uids;
    int events = 0;
    std::istringstream ics(ICalendarExport({run, run}, InstalledSky(), "20240315T101500Z"));
    for (std::string line; std::getline(ics, line);) {
        events += line == "BEGIN:VEVENT\r";
        if (line.rfind("UID:", 0) == 0) uids.insert(line);
    }
    EXPECT_EQ(events, 1 + 2);
    EXPECT_EQ(uids.size(), 3u);
}

// The listing records one orb change a day, the outermost: when the middle and inner orbs are
// entered on one day, only the middle one is listed, and the inner orb's exit tells that it was
// entered then. (The orbs held at the period's ends are checked against the sky by the timeline's
// tests and against the listing by check_exports.py.)
TEST(Exports, AnOrbEnteredWithTheNextIsToldByItsExit) {
    TransitRow fast;
    fast.entered = {On(kJan1 + 5), On(kJan1 + 8), std::nullopt};
    fast.left = {std::nullopt, On(kJan1 + 14), On(kJan1 + 12)};
    const OrbStretches s = OrbStretchesOf(TransitRecord{kTrine, {fast}}, kJan1, kJan1 + 99);
    auto days = [](const std::vector<OrbStretch>& stretches) {
        std::vector<std::array<std::int32_t, 4>> out;
        for (const OrbStretch& x : stretches) out.push_back({x.firstDay, x.lastDay, x.openStart, x.openEnd});
        return out;
    };
    using Days = std::vector<std::array<std::int32_t, 4>>;
    EXPECT_EQ(days(s[kOuterOrb]), (Days{{kJan1 + 5, kJan1 + 99, 0, 1}}));
    EXPECT_EQ(days(s[kMiddleOrb]), (Days{{kJan1 + 8, kJan1 + 14, 0, 0}}));
    EXPECT_EQ(days(s[kInnerOrb]), (Days{{kJan1 + 8, kJan1 + 12, 0, 0}}));
}

}  // namespace
}  // namespace meridel
