// The timeline against the listing it draws and against the sky: lanes, orb shades, exact hits and
// closest approaches, the curve, retrograde stretches, a stopped run, and labels kept apart at any
// scale, whatever part of the picture is laid out.
#include <cmath>
#include <random>
#include <set>

#include "calendar/date_text.h"
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

// Labels of one row (the same top) in order, each clear of the one before.
void ExpectApart(const std::vector<PlacedText>& labels, double gap, const std::string& what) {
    for (std::size_t i = 1; i < labels.size(); ++i) {
        for (std::size_t j = i; j-- > 0;) {
            if (labels[j].box.top != labels[i].box.top) continue;
            EXPECT_GE(labels[i].box.left, labels[j].box.Right() + gap - 1e-9)
                << what << ": \"" << labels[j].text << "\" runs into \"" << labels[i].text << "\"";
            break;
        }
    }
}

// The run's deviation from the aspect at the moment, in the run's own zodiac.
double SkyDeviation(const TransitRequest& h, std::int16_t aspect, double moment) {
    const Sky sky = skycheck::ProgramSky().InZodiac(h.sidereal);
    const double b = h.world ? sky.PlanetLongitude(h.Second(), moment) : h.NatalLongitude();
    return std::fabs(SeparationOf(sky.PlanetLongitude(h.Moving(), moment), b) - AspectAngle[aspect]);
}

}  // namespace

// Against the sky: orbs held at a run's first or last midnight shaded to that edge, the curve
// between its samples and at each orb's first and last day, retrograde stretches to two minutes.
TEST_F(TimelineTest, LanesShadesCurvesAndRetrogradeStretchesFollowTheSky) {
    RequestInput sidereal = Personal("Jupiter", "Moon", {"2018", "1", "1"}, {"2020", "12", "31"}, "GMT-5:00");
    sidereal.sidereal = true;
    // A hit's label has the year when the picture spans years, the local time when it spans days.
    struct Case {
        RequestInput input;
        int allPlanets;
        std::string hitLabel;
    };
    const Case cases[] = {
        {Request(true, "Sun", "Saturn", {"2024", "1", "1"}, {"2024", "12", "31"}), 0, ""},
        {Personal("Jupiter", "Sun", {"2024", "1", "1"}, {"2024", "12", "31"}), 1, ""},
        {Personal("Mars", "Sun", {"2000", "1", "1"}, {"2019", "12", "31"}), -1, ""},  // dozens of transits
        {Request(true, "Neptune", "Pluto", {"2024", "1", "1"}, {"2024", "12", "31"}), -1, ""},
        {Request(true, "Venus", "Saturn", {"2024", "3", "20"}, {"2024", "3", "23"}), -1, "Mar 21 23:10"},
        {Request(true, "Venus", "Saturn", {"2024", "2", "1"}, {"2024", "12", "31"}), -1, "Mar 21"},
        {MercuryAndMars("2024", "2024"), -1, ""},  // Mercury's loops
        {TriplePass(), -1, ""},
        {GreatConjunction(), -1, "Dec 21, 2020"},
        {sidereal, -1, ""},
    };
    std::mt19937 random(14);
    std::size_t casesHeld = 0;
    for (const Case& c : cases) {
        const Listing listing = Run(c.input, c.allPlanets);
        // A transit's first row enters its outer orb, unless it was under way on the first day of
        // its run; then it is the run's first row and names its aspect.
        std::size_t transits = 0;
        for (const Cells& row : listing.Rows()) transits += !row[0].empty() || !row[1].empty();
        std::set<std::pair<std::size_t, std::int16_t>> pairsAndAspects;
        for (std::size_t r = 0; r < listing.runs.size(); ++r) {
            for (const TransitRecord& transit : listing.runs[r].transits) pairsAndAspects.insert({r, transit.aspect});
        }
        // Whatever zodiac the sky it is given is in, each run is drawn in its own.
        const bool siderealSky = !listing.runs.at(0).request.sidereal;
        const Timeline t = BuildTimeline(listing.runs, skycheck::ProgramSky().InZodiac(siderealSky), std::nullopt);
        const TimelineLayout l = LayOut(t, 4);
        ASSERT_GT(transits, 0u);
        ASSERT_EQ(t.lanes.size(), pairsAndAspects.size());
        ASSERT_EQ(l.lanes.size(), t.lanes.size());
        std::size_t spans = 0;
        int held = 0;
        bool labelled = c.hitLabel.empty();
        for (std::size_t i = 0; i < t.lanes.size(); ++i) {
            const TimelineLane& lane = t.lanes[i];
            const TransitRequest& h = listing.runs.at(lane.run).request;
            const TimelineRun& run = t.runs.at(lane.run);
            spans += lane.spans.size();
            for (const TimelineMark& mark : lane.marks) labelled |= mark.exact && mark.label == c.hitLabel;
            const double tolerance = lane.orbs[kOuterOrb] * 0.003;
            for (std::size_t s = 0; s < lane.spans.size(); ++s) {
                EXPECT_GE(lane.spans[s].start, s > 0 ? lane.spans[s - 1].end : run.start);
                std::uniform_real_distribution<double> when(lane.spans[s].start, lane.spans[s].end);
                for (int k = 0; k < 100; ++k) {
                    const double moment = when(random);
                    EXPECT_NEAR(*DeviationOnCurve(lane, moment), SkyDeviation(h, lane.aspect, moment), tolerance) << lane.label;
                }
            }
            for (int o = 0; o < kOrbCount; ++o) {
                const auto& shades = l.lanes[i].shades[o];
                const bool openStart = !shades.empty() && shades.front().openStart;
                const bool openEnd = !shades.empty() && shades.back().openEnd;
                EXPECT_EQ(openStart, SkyDeviation(h, lane.aspect, run.start) < lane.orbs[o]) << lane.label << " orb " << o;
                EXPECT_EQ(openEnd, SkyDeviation(h, lane.aspect, run.end) < lane.orbs[o]) << lane.label << " orb " << o;
                if (openStart) {
                    EXPECT_NEAR(shades.front().box.left, l.X(run.start), 1e-6);
                }
                if (openEnd) {
                    EXPECT_NEAR(shades.back().box.Right(), l.X(run.end), 1e-6);
                }
                held += openStart + openEnd;
                for (const TimeSpan& s : lane.orbDays[o]) {
                    if (!s.openStart) {
                        EXPECT_GE(*DeviationOnCurve(lane, s.start), lane.orbs[o] - tolerance) << lane.label << " orb " << o;
                        EXPECT_LE(*DeviationOnCurve(lane, s.start + 1), lane.orbs[o] + tolerance) << lane.label;
                    }
                    if (!s.openEnd) {
                        EXPECT_LE(*DeviationOnCurve(lane, s.end - 1), lane.orbs[o] + tolerance) << lane.label;
                        EXPECT_GE(*DeviationOnCurve(lane, s.end), lane.orbs[o] - tolerance) << lane.label;
                    }
                }
            }
            const LaneGeometry& g = l.lanes[i];
            EXPECT_GE(g.row.top, i > 0 ? l.lanes[i - 1].row.Bottom() : l.axis.Bottom()) << lane.label;
            EXPECT_GE(g.label.box.top, g.row.top);
            EXPECT_LE(g.label.box.Bottom(), g.row.Bottom());
            EXPECT_LE(g.label.box.Right(), l.gutter);
        }
        EXPECT_EQ(spans, transits);
        casesHeld += held > 0;
        EXPECT_TRUE(labelled) << c.hitLabel;

        for (std::size_t r = 0; r < t.runs.size(); ++r) {
            const TransitRequest& h = listing.runs[r].request;
            const TimelineRun& run = t.runs[r];
            const std::vector<TimeSpan>& stretches = run.retrograde;
            auto inside = [&](double moment) {
                return std::any_of(stretches.begin(), stretches.end(),
                                   [&](const TimeSpan& s) { return moment >= s.start && moment <= s.end; });
            };
            // Moving backwards over the half hour after the moment, as the listing checker has it.
            auto backwards = [&](double moment) {
                return skycheck::Signed(skycheck::SkyLongitude(h.Moving(), moment + 1.0 / 48, h.sidereal) -
                                        skycheck::SkyLongitude(h.Moving(), moment, h.sidereal)) < 0;
            };
            for (double day = run.start; day < run.end; day += 1) EXPECT_EQ(inside(day), backwards(day)) << day;
            for (const TimeSpan& s : stretches) {
                for (const auto& [edge, open, retrogradeAfter] :
                     {std::tuple{s.start, s.openStart, true}, {s.end, s.openEnd, false}}) {
                    if (open) continue;
                    EXPECT_EQ(backwards(edge - 2.0 / 1440), !retrogradeAfter) << edge;
                    EXPECT_EQ(backwards(edge + 2.0 / 1440), retrogradeAfter) << edge;
                }
            }
        }
    }
    // Some runs had an orb held at an end of their period, some none.
    EXPECT_GT(casesHeld, 0u);
    EXPECT_LT(casesHeld, std::size(cases));
}

// Drawn a minute to the pixel: inner orbs' shades over the days listed, exact hits at their listed
// minute and the curve's lowest, closest approaches on their day with their deviation.
TEST_F(TimelineTest, ShadesAndExactHitsLieWhereTheListingPutsThem) {
    for (const RequestInput& input : {TriplePass(), GreatConjunction()}) {
        const Listing listing = Run(input);
        const int zone = listing.runs.at(0).request.zoneMinutes;
        const Timeline t = BuildTimeline(listing.runs, skycheck::ProgramSky(), std::nullopt);
        const TimelineLayout l = LayOut(t, 1440);
        ASSERT_EQ(t.lanes.size(), 1u) << "one aspect: the lane's shades and marks follow the listing's rows";
        const std::vector<ShadeBox>& inner = l.lanes[0].shades[kInnerOrb];
        std::vector<const HitMarker*> markers, closest;
        for (const HitMarker& m : l.lanes[0].hits) (m.exact ? markers : closest).push_back(&m);
        std::size_t shades = 0, hits = 0, closests = 0;
        for (const Cells& row : listing.Rows()) {
            if (!row[4].empty() && row[4].find('*') == std::string::npos) {
                ASSERT_LT(closests, closest.size());
                const HitMarker& marker = *closest[closests++];
                EXPECT_EQ(marker.label->text, row[8]);
                EXPECT_NE(marker.tooltip.find(row[4].substr(0, 10) + ", " + row[8] + " from exact"), std::string::npos)
                    << marker.tooltip;
                const double day = LocalMidnight(DayOf(row[4]), zone);
                EXPECT_GE(marker.x, l.X(day - 0.5));
                EXPECT_LE(marker.x, l.X(day + 1.5));
                // On the curve, as deep as the listed deviation.
                const Box& plot = l.lanes[0].plot;
                const double outer = t.lanes[0].orbs[kOuterOrb];
                EXPECT_NEAR(*DeviationOnCurve(t.lanes[0], l.MomentAt(marker.x)), (marker.y - plot.top) / plot.height * outer,
                            outer * 0.01);
            }
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
            const HitMarker& marker = *markers[hits++];
            const int minutes = std::stoi(row[8].substr(0, 2)) * 60 + std::stoi(row[8].substr(3, 2));
            const double moment = DayOf(row[4]) - 0.5 + (minutes - zone) / 1440.0;
            EXPECT_NEAR(marker.x, l.X(moment), 1) << row[4] << " " << row[8];
            EXPECT_LT(*DeviationOnCurve(t.lanes[0], moment), kExactHitLimit) << row[4];
            double lowest = 1, at = 0;
            for (double s = moment - 1; s <= moment + 1; s += 1.0 / 1440) {
                const double d = *DeviationOnCurve(t.lanes[0], s);
                if (d < lowest) lowest = d, at = s;
            }
            EXPECT_NEAR(at, moment, 1.5 / 1440) << row[4];
        }
        EXPECT_EQ(shades, inner.size());
        EXPECT_EQ(hits, markers.size());
        EXPECT_EQ(closests, closest.size());
        EXPECT_GE(std::min(shades, hits), 1u);
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
                EXPECT_TRUE(label.box.left >= l.gutter && label.box.Right() <= l.width) << label.text;
            }
        }
        for (std::size_t i = 0; i < l.lanes.size(); ++i) {
            const LaneGeometry& g = l.lanes[i];
            std::vector<PlacedText> dates;
            for (const HitMarker& m : g.hits) {
                if (!m.label) continue;
                dates.push_back(*m.label);
                EXPECT_LE(m.label->box.Bottom(), g.plot.top) << m.label->text;
            }
            ExpectApart(dates, 4, "hit dates at " + std::to_string(pixelsPerDay));
            // A label without room is counted under the lane's label, never dropped unsaid.
            const std::size_t unlabelled = t.lanes[i].marks.size() - dates.size();
            ASSERT_EQ(g.hiddenLabels.has_value(), unlabelled > 0) << pixelsPerDay;
            if (unlabelled > 0) {
                EXPECT_EQ(g.hiddenLabels->text.rfind(std::to_string(unlabelled) + " label", 0), 0u);
            }
        }
        // Laid out only about a view's part of the picture, that part is as in the whole.
        const double left = l.width * 0.4, right = left + 1400;
        const TimelineLayout part = LayOut(t, pixelsPerDay, left, right);
        const auto within = [&](const std::vector<PlacedText>& labels) {
            std::vector<std::pair<std::string, double>> kept;
            for (const PlacedText& p : labels) {
                if (p.box.left >= left && p.box.Right() <= right) kept.emplace_back(p.text, p.box.left);
            }
            return kept;
        };
        EXPECT_EQ(within(part.minorLabels), within(l.minorLabels)) << pixelsPerDay;
        EXPECT_EQ(within(part.majorLabels), within(l.majorLabels)) << pixelsPerDay;
        ASSERT_EQ(part.lanes.size(), l.lanes.size());
        for (std::size_t i = 0; i < l.lanes.size(); ++i) {
            EXPECT_EQ(part.lanes[i].row.top, l.lanes[i].row.top);
            for (const HitMarker& m : l.lanes[i].hits) {
                if (m.x < left || m.x > right) continue;
                const auto same = std::find_if(part.lanes[i].hits.begin(), part.lanes[i].hits.end(),
                                               [&](const HitMarker& n) { return n.x == m.x && n.y == m.y; });
                ASSERT_NE(same, part.lanes[i].hits.end()) << m.tooltip;
                EXPECT_EQ(same->label.has_value(), m.label.has_value());
                if (m.label) {
                    EXPECT_EQ(same->label->box.top, m.label->box.top);
                }
            }
        }
        EXPECT_TRUE(pixelsPerDay < 30 || part.minorTicks.size() * 3 < l.minorTicks.size()) << pixelsPerDay;
        // Legend items share rows without touching.
        for (std::size_t i = 1; i < l.legend.size(); ++i) {
            const Box& text = l.legend[i - 1].text.box;
            if (l.legend[i].text.box.top == text.top) {
                EXPECT_GT(l.legend[i].swatch.left, text.Right());
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

// A run that ended early (here at the full output box) is drawn as far as it went, and says so;
// runs of an all-planets listing that found nothing are named.
TEST_F(TimelineTest, AStoppedRunEndsWhereItStoppedAndEmptyRunsAreNamed) {
    const Listing stopped = Run(Request(true, "Mars", "Jupiter", {"1600", "1", "1"}, {"2799", "12", "31"}), -1, true);
    const RunRecord& run = stopped.runs.at(0);
    ASSERT_TRUE(run.stoppedAfter.has_value());
    ASSERT_FALSE(stopped.Rows().empty());
    std::int32_t lastListed = 0;
    for (const Cells& row : stopped.Rows()) {
        for (int c = 1; c <= 7; ++c) lastListed = std::max(lastListed, row[c].empty() ? 0 : DayOf(row[c]));
    }
    EXPECT_GE(*run.stoppedAfter, lastListed);
    EXPECT_LT(*run.stoppedAfter, lastListed + 3 * 365);
    const Timeline t = BuildTimeline(stopped.runs, skycheck::ProgramSky(), std::nullopt);
    EXPECT_NEAR(t.end, LocalMidnight(*run.stoppedAfter + 1, 0), 1e-9);
    ASSERT_EQ(t.notes.size(), 1u);
    EXPECT_NE(t.notes[0].find("Stopped early"), std::string::npos) << t.notes[0];
    EXPECT_NE(t.notes[0].find(LongDateText(*run.stoppedAfter)), std::string::npos) << t.notes[0];
    EXPECT_NE(t.notes[0].find(LongDateText(run.request.EndDay)), std::string::npos) << t.notes[0];
    EXPECT_NE(t.subtitle.find("to " + LongDateText(*run.stoppedAfter)), std::string::npos) << t.subtitle;

    // Ten days against Pluto: most pairs find nothing, and each of those is named.
    const Listing all = Run(Request(true, "Sun", "Pluto", {"2024", "1", "1"}, {"2024", "1", "10"}), 0);
    const Timeline allPlanets = BuildTimeline(all.runs, skycheck::ProgramSky(), std::nullopt);
    ASSERT_EQ(allPlanets.notes.size(), 1u);
    int empty = 0;
    for (const RunRecord& r : all.runs) {
        if (!r.transits.empty()) continue;
        ++empty;
        const std::string pair = r.request.planet1 + " and " + r.request.planet2;
        EXPECT_NE(allPlanets.notes[0].find(pair), std::string::npos) << pair << " not in " << allPlanets.notes[0];
    }
    EXPECT_GE(empty, 3);
    // Laid out narrow, that long note breaks at blanks within the width and loses no word.
    const TimelineLayout narrow = LayOut(allPlanets, 4);
    std::string words;
    for (const PlacedText& line : narrow.notes) {
        EXPECT_LE(line.box.Right(), narrow.width) << line.text;
        words += (words.empty() ? "" : " ") + line.text;
    }
    EXPECT_EQ(words, allPlanets.notes[0]);
}

TEST_F(TimelineTest, TodayIsMarkedOnlyWithinThePeriod) {
    const Listing listing = Run(GreatConjunction());
    const double inside = LocalMidnight(DayOf("2020-06-01"), 0) + 0.25;
    const TimelineLayout marked = LayOut(BuildTimeline(listing.runs, skycheck::ProgramSky(), inside), 2);
    ASSERT_TRUE(marked.nowX.has_value());
    EXPECT_NEAR(*marked.nowX, marked.X(inside), 1e-6);
    EXPECT_FALSE(LayOut(BuildTimeline(listing.runs, skycheck::ProgramSky(), LocalMidnight(DayOf("2023-01-02"), 0)), 2).nowX.has_value());
}

// A whole chart's picture: a heading over each moving planet's lanes, and the sky's stations,
// lunations and eclipses on the axis's own row, in time order, their labels apart.
TEST_F(TimelineTest, AChartGroupsItsLanesByMovingPlanetAndMarksTheSky) {
    RequestInput input = Request(true, "Sun", "Mercury", {"2025", "3", "1"}, {"2025", "4", "30"});
    input.orbs = {5, 3, 1};
    const ChartResult chart = RunChart(skycheck::ProgramSky(), input);
    Timeline t = BuildTimeline(chart.runs, chart.sky, std::nullopt);
    MarkChart(t, chart.events, "GMT");
    ASSERT_EQ(t.skyMarks.size(), chart.events.stations.size() + chart.events.lunations.size() + chart.events.eclipses.size());
    const TimelineLayout l = LayOut(t, 0);
    std::size_t heading = 0;
    for (std::size_t i = 0; i < l.lanes.size(); ++i) {
        if (i > 0 && t.lanes[i].moving == t.lanes[i - 1].moving) continue;
        ASSERT_LT(heading, l.groupHeadings.size());
        const PlacedText& h = l.groupHeadings[heading++];
        EXPECT_EQ(h.text, BodyName[t.lanes[i].moving]);
        EXPECT_LE(h.box.Bottom(), l.lanes[i].row.top) << h.text;
        EXPECT_GE(h.box.top, i > 0 ? l.lanes[i - 1].row.Bottom() : l.axis.Bottom()) << h.text;
    }
    EXPECT_EQ(heading, l.groupHeadings.size());
    ASSERT_EQ(l.skyMarks.size(), t.skyMarks.size());
    std::vector<PlacedText> labels;
    for (std::size_t i = 0; i < l.skyMarks.size(); ++i) {
        EXPECT_NEAR(l.skyMarks[i].x, l.X(t.skyMarks[i].moment), 1e-9);
        EXPECT_GE(l.skyMarks[i].x, i > 0 ? l.skyMarks[i - 1].x : l.gutter);
        if (l.skyMarks[i].label) labels.push_back(*l.skyMarks[i].label);
    }
    EXPECT_GE(labels.size(), 4u);
    ExpectApart(labels, 8, "sky marks");
}

}  // namespace meridel::testing
