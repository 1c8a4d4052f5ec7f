// The timeline against the listing it draws: one lane per transit, each orb's shade over exactly
// the days listed, each exact hit at its listed minute and at the curve's zero, the curve true to
// the ephemeris between its samples, the retrograde stretches where the listing marks "r", and
// no two labels or lanes on top of each other at any scale.
#include <cmath>
#include <random>

#include "ephemeris/names.h"
#include "timeline_fixture.h"
#include "transits/exact_hits.h"
#include "transits/orb_geometry.h"

namespace meridel::testing {

namespace {

using skycheck::DayOf;

// The triple pass of Saturn's trine to the natal Sun in 2022, with Saturn retrograde between, in
// a zone east of Greenwich. The transit was under way on the first day: its outer orb is open.
RequestInput TriplePass() {
    return Personal("Saturn", "Sun", {"2022", "3", "1"}, {"2023", "3", "31"}, "GMT+2:00");
}

// Mercury's orbs must be wider: 10°, 6° and 3°.
RequestInput MercuryAndMars(const std::string& firstYear, const std::string& lastYear) {
    RequestInput in = Request(true, "Mercury", "Mars", {firstYear, "1", "1"}, {lastYear, "12", "31"});
    in.orbs = {9, 5, 2};
    return in;
}

RequestInput GreatConjunction() { return Request(true, "Jupiter", "Saturn", {"2019", "1", "1"}, {"2022", "12", "31"}); }

void ExpectApart(const std::vector<PlacedText>& labels, double gap, const std::string& what) {
    for (std::size_t i = 1; i < labels.size(); ++i) {
        EXPECT_GE(labels[i].box.left, labels[i - 1].box.Right() + gap - 1e-9)
            << what << ": \"" << labels[i - 1].text << "\" runs into \"" << labels[i].text << "\"";
    }
}

}  // namespace

TEST_F(TimelineTest, OneLanePerTransitAndNothingOverlaps) {
    for (const auto& [input, index] : {std::pair{Request(true, "Sun", "Saturn", {"2024", "1", "1"}, {"2024", "12", "31"}), 0},
                                       std::pair{Personal("Jupiter", "Sun", {"2024", "1", "1"}, {"2024", "12", "31"}), 1}}) {
        const Listing listing = Run(input, index);
        // A transit's first row enters its outer orb, unless it was under way on the first day of
        // its run; then it is the run's first row and names its aspect.
        std::size_t transits = 0;
        for (const Cells& row : listing.Rows()) transits += !row[0].empty() || !row[1].empty();
        const Timeline t = BuildTimeline(listing.runs, skycheck::ProgramSky(), std::nullopt);
        ASSERT_GT(transits, 10u);
        EXPECT_EQ(t.lanes.size(), transits);

        const TimelineLayout l = LayOut(t, 4);
        ASSERT_EQ(l.lanes.size(), t.lanes.size());
        for (std::size_t i = 0; i < l.lanes.size(); ++i) {
            const LaneGeometry& g = l.lanes[i];
            if (i > 0) {
                EXPECT_GE(g.row.top, l.lanes[i - 1].row.Bottom()) << t.lanes[i].label;
            }
            EXPECT_GE(g.row.top, l.axis.Bottom());
            // Its label in its own row, left of where time begins.
            EXPECT_GE(g.label.box.top, g.row.top);
            EXPECT_LE(g.label.box.Bottom(), g.row.Bottom());
            EXPECT_LE(g.label.box.Right(), l.gutter);
            EXPECT_EQ(g.label.text, t.lanes[i].label);
            // The curve, its shades and its hits' dates stay in the row.
            EXPECT_GE(g.plot.top, g.row.top);
            for (const HitMarker& hit : g.hits) {
                if (hit.label) {
                    EXPECT_GE(hit.label->box.top, g.row.top);
                }
            }
            for (const Box& r : g.retrograde) EXPECT_LE(r.Bottom(), g.row.Bottom());
        }
    }
}

// Drawn a minute to the pixel: each inner orb's shade over exactly the days listed, each exact hit
// at its listed minute, where the curve comes down to exact and nowhere lower within a day.
TEST_F(TimelineTest, ShadesAndExactHitsLieWhereTheListingPutsThem) {
    for (const auto& [input, underWay] : {std::pair{TriplePass(), true}, std::pair{GreatConjunction(), false}}) {
        const Listing listing = Run(input);
        const TransitRequest& h = listing.runs.at(0).request;
        const int zone = h.zoneMinutes;
        const Timeline t = BuildTimeline(listing.runs, skycheck::ProgramSky(), std::nullopt);
        const TimelineLayout l = LayOut(t, 1440);
        const std::vector<Cells> rows = listing.Rows();

        std::vector<ShadeBox> inner;
        std::vector<std::pair<const TimelineLane*, const HitMarker*>> markers;
        for (std::size_t i = 0; i < l.lanes.size(); ++i) {
            inner.insert(inner.end(), l.lanes[i].shades[kInnerOrb].begin(), l.lanes[i].shades[kInnerOrb].end());
            for (const HitMarker& m : l.lanes[i].hits) markers.emplace_back(&t.lanes[i], &m);
        }
        std::size_t shades = 0, hits = 0;
        for (const Cells& row : rows) {
            if (!row[3].empty() || !row[5].empty()) {
                ASSERT_FALSE(row[3].empty() || row[5].empty()) << "these passes enter and leave the inner orb";
                ASSERT_LT(shades, inner.size());
                const ShadeBox& shade = inner[shades++];
                EXPECT_NEAR(shade.box.left, l.X(LocalMidnight(DayOf(row[3]), zone)), 1) << row[3];
                EXPECT_NEAR(shade.box.Right(), l.X(LocalMidnight(DayOf(row[5]) + 1, zone)), 1) << row[5];
                EXPECT_FALSE(shade.openStart || shade.openEnd);
            }
            if (row[4].find('*') == std::string::npos) continue;
            ASSERT_LT(hits, markers.size());
            const auto [lane, marker] = markers[hits++];
            const int minutes = std::stoi(row[8].substr(0, 2)) * 60 + std::stoi(row[8].substr(3, 2));
            const double moment = DayOf(row[4]) - 0.5 + (minutes - zone) / 1440.0;
            EXPECT_NEAR(marker->x, l.X(moment), 1) << row[4] << " " << row[8];
            EXPECT_NE(marker->tooltip.find(row[4].substr(0, 10) + " " + row[8]), std::string::npos) << marker->tooltip;
            EXPECT_LT(*DeviationOnCurve(*lane, moment), kExactHitLimit) << row[4];
            double lowest = 1, at = 0;
            for (double s = moment - 1; s <= moment + 1; s += 1.0 / 1440) {
                const double d = *DeviationOnCurve(*lane, s);
                if (d < lowest) lowest = d, at = s;
            }
            EXPECT_NEAR(at, moment, 1.5 / 1440) << row[4];
        }
        EXPECT_EQ(shades, inner.size());
        EXPECT_EQ(hits, markers.size());
        EXPECT_GE(std::min(shades, hits), 1u);

        // Under way when the period began, the outer shade starts at the period's first midnight
        // and says so; the middle orb, entered later, starts on its listed day.
        ASSERT_EQ(rows.at(0)[1].empty(), underWay);
        if (!underWay) continue;
        const LaneGeometry& first = l.lanes.at(0);
        ASSERT_FALSE(rows[0][2].empty());
        EXPECT_TRUE(first.shades[kOuterOrb].at(0).openStart);
        EXPECT_NEAR(first.shades[kOuterOrb].at(0).box.left, l.X(LocalMidnight(h.StartDay, zone)), 1e-6);
        EXPECT_NEAR(first.shades[kMiddleOrb].at(0).box.left, l.X(LocalMidnight(DayOf(rows[0][2]), zone)), 1);
    }
}

// Between its samples the curve keeps within 0.3% of the outer orb of the ephemeris, for a fast
// pair with Mercury's loops and for slow natal transits alike, sidereal too, and crosses each
// orb's line within the first and the last day of that orb's shade. The retrograde stretches
// begin and end where the planet turns, to a couple of minutes, and miss no turn; the listing's
// "r" marks are held to the same motion by the listing checker, so the two agree.
TEST_F(TimelineTest, CurvesAndRetrogradeStretchesFollowTheEphemeris) {
    std::mt19937 random(14);
    RequestInput sidereal = Personal("Jupiter", "Moon", {"2018", "1", "1"}, {"2020", "12", "31"}, "GMT-5:00");
    sidereal.sidereal = true;
    for (const RequestInput& input : {MercuryAndMars("2024", "2024"), TriplePass(), sidereal}) {
        const Listing listing = Run(input);
        const TransitRequest& h = listing.runs.at(0).request;
        // Whatever zodiac the sky it is given is in, each run is drawn in its own.
        const Timeline t = BuildTimeline(listing.runs, skycheck::ProgramSky().InZodiac(!h.sidereal), std::nullopt);
        const Sky sky = skycheck::ProgramSky().InZodiac(h.sidereal);
        ASSERT_FALSE(t.lanes.empty());
        for (const TimelineLane& lane : t.lanes) {
            const double tolerance = lane.orbs[kOuterOrb] * 0.003;
            std::uniform_real_distribution<double> when(lane.span.start, lane.span.end);
            for (int i = 0; i < 200; ++i) {
                const double moment = when(random);
                const double b = h.world ? sky.PlanetLongitude(h.Second(), moment) : h.NatalLongitude();
                const double deviation = std::fabs(SeparationOf(sky.PlanetLongitude(h.Moving(), moment), b) - AspectAngle[lane.aspect]);
                EXPECT_NEAR(*DeviationOnCurve(lane, moment), deviation, tolerance) << lane.label;
            }
            for (int o = 0; o < kOrbCount; ++o) {
                for (const TimeSpan& s : lane.orbDays[o]) {
                    if (!s.openStart) {
                        EXPECT_GE(*DeviationOnCurve(lane, s.start), lane.orbs[o] - tolerance) << lane.label << " orb " << o;
                        EXPECT_LE(*DeviationOnCurve(lane, s.start + 1), lane.orbs[o] + tolerance) << lane.label;
                    }
                    if (!s.openEnd) {
                        EXPECT_LE(*DeviationOnCurve(lane, s.end - 1), lane.orbs[o] + tolerance) << lane.label;
                        EXPECT_GE(*DeviationOnCurve(lane, std::min(s.end, lane.span.end)), lane.orbs[o] - tolerance) << lane.label;
                    }
                }
            }
        }

        const std::vector<TimeSpan>& stretches = t.runs.at(0).retrograde;
        auto inside = [&](double moment) {
            for (const TimeSpan& s : stretches) {
                if (moment >= s.start && moment <= s.end) return true;
            }
            return false;
        };
        // Moving backwards over the half hour after the moment, as the listing checker has it.
        auto backwards = [&](double moment) {
            return skycheck::Signed(skycheck::SkyLongitude(h.Moving(), moment + 1.0 / 48, h.sidereal) -
                                    skycheck::SkyLongitude(h.Moving(), moment, h.sidereal)) < 0;
        };
        for (double day = t.start; day < t.end; day += 1) EXPECT_EQ(inside(day), backwards(day)) << day;
        for (const TimeSpan& s : stretches) {
            for (const auto& [edge, open, retrogradeAfter] : {std::tuple{s.start, s.openStart, true}, {s.end, s.openEnd, false}}) {
                if (open) continue;
                EXPECT_EQ(backwards(edge - 2.0 / 1440), !retrogradeAfter) << edge;
                EXPECT_EQ(backwards(edge + 2.0 / 1440), retrogradeAfter) << edge;
            }
        }
        EXPECT_GE(stretches.size(), 1u);
    }
}

TEST_F(TimelineTest, LabelsNeverRunIntoEachOther) {
    const Listing listing = Run(MercuryAndMars("2021", "2024"));
    const Timeline t = BuildTimeline(listing.runs, skycheck::ProgramSky(), std::nullopt);
    for (double pixelsPerDay : {0.05, 0.3, 1.0, 2.5, 8.0, 30.0, 300.0}) {
        const TimelineLayout l = LayOut(t, pixelsPerDay);
        ExpectApart(l.majorLabels, 8, "major ticks at " + std::to_string(pixelsPerDay));
        ExpectApart(l.minorLabels, 8, "minor ticks at " + std::to_string(pixelsPerDay));
        EXPECT_FALSE(l.minorLabels.empty()) << pixelsPerDay;
        for (const auto& row : {l.majorLabels, l.minorLabels}) {
            for (const PlacedText& label : row) {
                EXPECT_GE(label.box.left, l.gutter) << label.text;
                EXPECT_LE(label.box.Right(), l.width) << label.text;
            }
        }
        for (const LaneGeometry& g : l.lanes) {
            std::vector<PlacedText> dates;
            for (const HitMarker& m : g.hits) {
                if (m.label) dates.push_back(*m.label);
            }
            ExpectApart(dates, 4, "hit dates at " + std::to_string(pixelsPerDay));
        }
        // Legend items share rows without touching.
        for (std::size_t i = 1; i < l.legend.size(); ++i) {
            if (l.legend[i].text.box.top == l.legend[i - 1].text.box.top) {
                EXPECT_GT(l.legend[i].swatch.left, l.legend[i - 1].text.box.Right());
            }
        }
    }
    // Zoomed out years are named on their own; zoomed in, days under their months.
    EXPECT_EQ(LayOut(t, 0.1).majorLabels.size(), 0u);
    EXPECT_EQ(LayOut(t, 0.1).minorLabels.front().text, "2021");
    EXPECT_EQ(LayOut(t, 0.3).majorLabels.front().text, "2021");
    EXPECT_EQ(LayOut(t, 0.3).minorLabels.at(1).text, "Jul");
    EXPECT_EQ(LayOut(t, 30).majorLabels.front().text, "Jan 2021");
    EXPECT_EQ(LayOut(t, 30).minorLabels.at(1).text, "2");
}

TEST_F(TimelineTest, TodayIsMarkedOnlyWithinThePeriod) {
    const Listing listing = Run(GreatConjunction());
    const double inside = LocalMidnight(DayOf("2020-06-01"), 0) + 0.25;
    const TimelineLayout marked = LayOut(BuildTimeline(listing.runs, skycheck::ProgramSky(), inside), 2);
    ASSERT_TRUE(marked.nowX.has_value());
    EXPECT_NEAR(*marked.nowX, marked.gutter + (inside - LocalMidnight(DayOf("2019-01-01"), 0)) * 2, 1e-6);
    EXPECT_FALSE(LayOut(BuildTimeline(listing.runs, skycheck::ProgramSky(), LocalMidnight(DayOf("2023-01-02"), 0)), 2).nowX.has_value());
}

}  // namespace meridel::testing
