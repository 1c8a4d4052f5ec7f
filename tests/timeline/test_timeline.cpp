// The timeline against the listing it draws: one lane per pair and aspect, each orb's shade over
// exactly the days listed and to the period's edge where the sky has it held there, each exact
// hit at its listed minute and at the curve's zero, each closest approach marked with its
// deviation, the curve true to the ephemeris between its samples, the retrograde stretches where
// the listing marks "r", a stopped run drawn as far as it went, and no two labels or lanes on top
// of each other at any scale, whatever part of the picture is laid out.
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

// The pair's deviation from the lane's aspect at a moment, from the ephemeris.
// The run's deviation from the aspect at the moment, in the run's own zodiac.
double SkyDeviation(const TransitRequest& h, std::int16_t aspect, double moment) {
    const Sky sky = skycheck::ProgramSky().InZodiac(h.sidereal);
    const double b = h.world ? sky.PlanetLongitude(h.Second(), moment) : h.NatalLongitude();
    return std::fabs(SeparationOf(sky.PlanetLongitude(h.Moving(), moment), b) - AspectAngle[aspect]);
}

}  // namespace

TEST_F(TimelineTest, OneLanePerPairAndAspectAndNothingOverlaps) {
    // Twenty years of Mars against the natal Sun: dozens of transits, at most five lanes.
    const RequestInput mars = Personal("Mars", "Sun", {"2000", "1", "1"}, {"2019", "12", "31"});
    for (const auto& [input, index] : {std::pair{Request(true, "Sun", "Saturn", {"2024", "1", "1"}, {"2024", "12", "31"}), 0},
                                       std::pair{Personal("Jupiter", "Sun", {"2024", "1", "1"}, {"2024", "12", "31"}), 1},
                                       std::pair{mars, -1}}) {
        const Listing listing = Run(input, index);
        // A transit's first row enters its outer orb, unless it was under way on the first day of
        // its run; then it is the run's first row and names its aspect.
        std::size_t transits = 0;
        for (const Cells& row : listing.Rows()) transits += !row[0].empty() || !row[1].empty();
        std::set<std::pair<std::size_t, std::int16_t>> pairsAndAspects;
        for (std::size_t r = 0; r < listing.runs.size(); ++r) {
            for (const TransitRecord& transit : listing.runs[r].transits) pairsAndAspects.insert({r, transit.aspect});
        }
        const Timeline t = BuildTimeline(listing.runs, skycheck::ProgramSky(), std::nullopt);
        ASSERT_GT(transits, 10u);
        EXPECT_EQ(t.lanes.size(), pairsAndAspects.size());
        std::size_t spans = 0;
        for (const TimelineLane& lane : t.lanes) {
            spans += lane.spans.size();
            for (std::size_t i = 1; i < lane.spans.size(); ++i) EXPECT_GE(lane.spans[i].start, lane.spans[i - 1].end);
            // One wording for aspects outside the listing's column.
            static const char* const verbs[] = {"", " conjunct ", " opposite ", " square ", " trine ", " sextile "};
            EXPECT_NE(lane.label.find(verbs[lane.aspect]), std::string::npos) << lane.label;
        }
        EXPECT_EQ(spans, transits);

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
        if (index < 0) {
            EXPECT_LE(t.lanes.size(), 5u);
            EXPECT_LT(LayOut(t, 0.2).height, 800);
        }
    }
}

// Whichever orb the sky has the pair within at the period's first or last midnight is shaded to
// that edge, with its arrow; no other is.
TEST_F(TimelineTest, EveryOrbHeldAtThePeriodsEndsIsShadedToTheEdge) {
    for (const auto& [input, anyHeld] : {std::pair{Request(true, "Neptune", "Pluto", {"2024", "1", "1"}, {"2024", "12", "31"}), true},
                                         std::pair{Request(true, "Venus", "Saturn", {"2024", "3", "20"}, {"2024", "3", "23"}), true},
                                         std::pair{TriplePass(), true}, std::pair{GreatConjunction(), false}}) {
        const Listing listing = Run(input);
        const TransitRequest& h = listing.runs.at(0).request;
        const Timeline t = BuildTimeline(listing.runs, skycheck::ProgramSky(), std::nullopt);
        const TimelineLayout l = LayOut(t, 8);
        ASSERT_FALSE(t.lanes.empty());
        int held = 0;
        for (std::size_t i = 0; i < t.lanes.size(); ++i) {
            const TimelineLane& lane = t.lanes[i];
            for (int o = 0; o < kOrbCount; ++o) {
                const auto& shades = l.lanes[i].shades[o];
                const bool openStart = !shades.empty() && shades.front().openStart;
                const bool openEnd = !shades.empty() && shades.back().openEnd;
                EXPECT_EQ(openStart, SkyDeviation(h, lane.aspect, t.start) < lane.orbs[o]) << lane.label << " orb " << o;
                EXPECT_EQ(openEnd, SkyDeviation(h, lane.aspect, t.end) < lane.orbs[o]) << lane.label << " orb " << o;
                if (openStart) {
                    EXPECT_NEAR(shades.front().box.left, l.X(t.start), 1e-6);
                }
                if (openEnd) {
                    EXPECT_NEAR(shades.back().box.Right(), l.X(t.end), 1e-6);
                }
                held += openStart + openEnd;
            }
        }
        EXPECT_EQ(held > 0, anyHeld) << h.planet1 << " and " << h.planet2;
    }
}

// Drawn a minute to the pixel: each inner orb's shade over exactly the days listed, each exact hit
// at its listed minute, where the curve comes down to exact and nowhere lower within a day.
TEST_F(TimelineTest, ShadesAndExactHitsLieWhereTheListingPutsThem) {
    for (const RequestInput& input : {TriplePass(), GreatConjunction()}) {
        const Listing listing = Run(input);
        const int zone = listing.runs.at(0).request.zoneMinutes;
        const Timeline t = BuildTimeline(listing.runs, skycheck::ProgramSky(), std::nullopt);
        const TimelineLayout l = LayOut(t, 1440);
        const std::vector<Cells> rows = listing.Rows();

        std::vector<ShadeBox> inner;
        std::vector<std::pair<const TimelineLane*, const HitMarker*>> markers, closest;
        for (std::size_t i = 0; i < l.lanes.size(); ++i) {
            inner.insert(inner.end(), l.lanes[i].shades[kInnerOrb].begin(), l.lanes[i].shades[kInnerOrb].end());
            for (const HitMarker& m : l.lanes[i].hits) (m.exact ? markers : closest).emplace_back(&t.lanes[i], &m);
        }
        ASSERT_EQ(t.lanes.size(), 1u) << "one aspect: the lane's shades and marks follow the listing's rows";
        std::size_t shades = 0, hits = 0, closests = 0;
        for (const Cells& row : rows) {
            // A pass without a hit: its closest approach, marked on its day with its deviation.
            if (!row[4].empty() && row[4].find('*') == std::string::npos) {
                ASSERT_LT(closests, closest.size());
                const auto [lane, marker] = closest[closests++];
                EXPECT_EQ(marker->label->text, row[8]);
                EXPECT_NE(marker->tooltip.find(row[4].substr(0, 10) + ", " + row[8] + " from exact"), std::string::npos)
                    << marker->tooltip;
                const double day = LocalMidnight(DayOf(row[4]), zone);
                EXPECT_GE(marker->x, l.X(day - 0.5));
                EXPECT_LE(marker->x, l.X(day + 1.5));
                // On the curve, as deep as the listed deviation.
                const Box& plot = l.lanes[0].plot;
                EXPECT_NEAR(*DeviationOnCurve(*lane, l.MomentAt(marker->x)),
                            (marker->y - plot.top) / plot.height * lane->orbs[kOuterOrb], lane->orbs[kOuterOrb] * 0.01);
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
        EXPECT_EQ(closests, closest.size());
        EXPECT_GE(std::min(shades, hits), 1u);
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
        ASSERT_FALSE(t.lanes.empty());
        for (const TimelineLane& lane : t.lanes) {
            const double tolerance = lane.orbs[kOuterOrb] * 0.003;
            for (const TimeSpan& span : lane.spans) {
                std::uniform_real_distribution<double> when(span.start, span.end);
                for (int i = 0; i < 100; ++i) {
                    const double moment = when(random);
                    EXPECT_NEAR(*DeviationOnCurve(lane, moment), SkyDeviation(h, lane.aspect, moment), tolerance) << lane.label;
                }
            }
            for (int o = 0; o < kOrbCount; ++o) {
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
        for (std::size_t i = 0; i < l.lanes.size(); ++i) {
            const LaneGeometry& g = l.lanes[i];
            std::vector<PlacedText> dates;
            for (const HitMarker& m : g.hits) {
                if (!m.label) continue;
                dates.push_back(*m.label);
                // Spanning years, a hit's label names its year: its tooltip's.
                if (m.exact) {
                    EXPECT_NE(m.tooltip.find(" " + m.label->text.substr(m.label->text.size() - 4) + "-"), std::string::npos)
                        << m.label->text;
                }
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
        if (pixelsPerDay >= 30) {
            EXPECT_LT(part.minorTicks.size() * 3, l.minorTicks.size());
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

// A hit's label has the year when the picture spans years, the local time when it spans days.
TEST_F(TimelineTest, HitLabelsCarryTheYearOrTheTimeThePictureNeeds) {
    const Listing days = Run(Request(true, "Venus", "Saturn", {"2024", "3", "20"}, {"2024", "3", "23"}));
    const Listing year = Run(Request(true, "Venus", "Saturn", {"2024", "2", "1"}, {"2024", "12", "31"}));
    const Listing years = Run(GreatConjunction());
    for (const auto& [listing, label] : {std::pair{&days, "Mar 21 23:10"}, std::pair{&year, "Mar 21"},
                                         std::pair{&years, "Dec 21, 2020"}}) {
        const Timeline t = BuildTimeline(listing->runs, skycheck::ProgramSky(), std::nullopt);
        std::vector<std::string> labels;
        for (const TimelineLane& lane : t.lanes) {
            for (const TimelineMark& mark : lane.marks) {
                if (mark.exact) labels.push_back(mark.label);
            }
        }
        EXPECT_NE(std::find(labels.begin(), labels.end(), label), labels.end()) << label;
    }
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
        for (int c = 1; c <= 7; ++c) {
            if (!row[c].empty()) lastListed = std::max(lastListed, DayOf(row[c]));
        }
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
    for (std::size_t from = 0, at; (at = all.text.find("World transits for ", from)) != std::string::npos; from = at + 1) {
        const std::size_t next = all.text.find("World transits for ", at + 1);
        const std::string runText = all.text.substr(at, next == std::string::npos ? std::string::npos : next - at);
        if (runText.find("No transits in this period.") == std::string::npos) continue;
        ++empty;
        const std::string pair = runText.substr(19, runText.find(" from ") - 19);
        EXPECT_NE(allPlanets.notes[0].find(pair), std::string::npos) << pair << " not in " << allPlanets.notes[0];
    }
    EXPECT_GE(empty, 3);
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
    ASSERT_EQ(chart.runs.size(), 36u);
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
        if (i > 0) {
            EXPECT_GE(h.box.top, l.lanes[i - 1].row.Bottom()) << h.text;
        }
        EXPECT_LE(h.box.Right(), l.gutter) << h.text;
    }
    EXPECT_EQ(heading, l.groupHeadings.size());
    ASSERT_EQ(l.skyMarks.size(), t.skyMarks.size());
    std::vector<PlacedText> labels;
    for (std::size_t i = 0; i < l.skyMarks.size(); ++i) {
        EXPECT_NEAR(l.skyMarks[i].x, l.X(t.skyMarks[i].moment), 1e-9);
        if (i > 0) {
            EXPECT_GE(l.skyMarks[i].x, l.skyMarks[i - 1].x);
        }
        if (!l.skyMarks[i].label) continue;
        labels.push_back(*l.skyMarks[i].label);
        EXPECT_GE(labels.back().box.top, l.skyRowTop);
        EXPECT_LE(labels.back().box.Bottom(), l.axis.Bottom() + 1);
    }
    EXPECT_GE(labels.size(), 4u);
    ExpectApart(labels, 8, "sky marks");
}

}  // namespace meridel::testing
