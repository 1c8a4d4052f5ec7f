// The search's checks and stepping without any window.
#include <algorithm>

#include "ephemeris/names.h"
#include "request/date_checks.h"
#include "request/search_request.h"
#include "request_fixture.h"

namespace meridel {
namespace {

using SearchChecks = RequestTest;

// Every search orb with every moving planet: the search is refused, with one message, exactly
// when no split of the search orb passes a run's own orb checks; otherwise its orbs pass them,
// and so are strictly decreasing: no column title repeats.
TEST_F(SearchChecks, DerivedOrbsAreOnesARunAcceptsOrTheSearchOrbIsRefused) {
    auto runAccepts = [](int planet, int outer, int middle, int inner) {
        RequestInput in = Personal(planet - 1);
        in.orbs = {outer - 1, middle - 1, inner - 1};
        return !CheckOrbs(in, static_cast<std::int16_t>(planet));
    };
    for (std::int16_t planet = kSun; planet <= kPluto; ++planet) {
        for (std::int16_t s = 1; s <= 15; ++s) {
            SCOPED_TRACE(BodyName[planet] + " " + std::to_string(s));
            bool someSplitRuns = false;
            for (int middle = 1; middle < s; ++middle)
                for (int inner = 1; inner < middle; ++inner) someSplitRuns = runAccepts(planet, s, middle, inner) || someSplitRuns;
            SearchOrbs orbs;
            const auto refusal = CheckSearchOrb(true, s, planet, orbs);
            EXPECT_EQ(!refusal, someSplitRuns);
            if (refusal) {
                ASSERT_EQ(refusal->messages.size(), 1u);
                EXPECT_EQ(refusal->messages[0].title, "Search orb value");
                EXPECT_EQ(refusal->messages[0].icon, MessageIcon::Information);
                continue;
            }
            EXPECT_TRUE(runAccepts(planet, s, orbs.middle, orbs.inner));
        }
    }
}

// The designed orbs hold wherever a run accepts them; Mercury's inner orb is raised at 10°.
TEST_F(SearchChecks, DesignedOrbs) {
    for (const std::array<std::int16_t, 4> c : {std::array<std::int16_t, 4>{5, kJupiter, 3, 1}, {6, kSun, 4, 2},
                                                {10, kVenus, 6, 2}, {10, kMercury, 6, 3}, {15, kMercury, 10, 5}}) {
        SearchOrbs orbs;
        EXPECT_FALSE(CheckSearchOrb(false, c[0], c[1], orbs)) << c[0];
        EXPECT_EQ(orbs.middle * 100 + orbs.inner, c[2] * 100 + c[3]) << c[0];
    }
}

// In order: the end date, the results zone (title "Search"), the planets, the pair's order, and
// after all the others the aspect.
TEST_F(SearchChecks, ChecksInTheirOrder) {
    RequestSession session = NewSession();
    RequestInput in = World();
    in.dates[1] = {"2024", "", "31"};
    ExpectRefusal(CheckSearch(in, session).refusal, "Please specify end month.", MessageIcon::None,
                  "Show all world transits between Mars and Jupiter");
    in = World();
    in.dates[0] = {"", "", ""};  // the start date plays no part
    in.resultZone = -1;
    SearchCheck check = CheckSearch(in, session);
    ExpectRefusal(check.refusal, "Please specify the timezone for the results, or use the default GMT timezone.",
                  MessageIcon::None, "Search");
    EXPECT_EQ(check.updates.resultZone, kGreenwichEntry);
    EXPECT_EQ(check.refusal->field, Field::None) << "GMT was chosen for the user";
    in.resultZone = kGreenwichEntry;
    in.planets[0] = -1;
    ExpectRefusal(CheckSearch(in, session).refusal, "Please choose both planets.", MessageIcon::Information, "Search");
    in.searchAspect = -1;  // as when typed text matches no entry
    in.planets = {4, 2};   // Jupiter and Mars
    ExpectRefusal(CheckSearch(in, session).refusal, "Outer planet must be beyond inner planet",
                  MessageIcon::Information, "Search");
    in.planets = {3, 3};
    in.orbs[0] = 4;  // 5°: too small for Mars
    ExpectRefusal(CheckSearch(in, session).refusal, "With Sun, Venus or Mars the search orb must be at least 6°.",
                  MessageIcon::Information, "Search orb value");
    in.orbs[0] = 9;
    ExpectRefusal(CheckSearch(in, session).refusal, "Please choose the aspect to search for.",
                  MessageIcon::Information, "Search");
}

// End date 2099-12-31 with Pluto: the first test (0 h UT of 2100-01-01) has no position, and the
// report names the day the stepping reaches, whose local midnights east of Greenwich come earlier.
TEST_F(SearchChecks, EndOfPlutosRangeNamesTheDayTheSteppingReaches) {
    for (const auto& [zone, reached] :
         {std::pair{kGreenwichEntry, "2100-01-01"}, {1, "2100-01-01"}, {47, "2100-01-02"}}) {
        RequestSession session = NewSession();
        RequestInput in = World(3, 7);  // Mars and Pluto
        in.dates[1] = {"2099", "12", "31"};
        in.resultZone = zone;
        const SearchCheck check = CheckSearch(in, session);
        ASSERT_FALSE(check.refusal) << check.refusal->messages[0].text;
        const SearchStretch stretch = FindNextTransit(in, session, check.aspect);
        ASSERT_TRUE(stretch.refusal);
        const std::vector<Message>& m = stretch.refusal->messages;
        ASSERT_EQ(m.size(), 2u);
        const std::string range = "Date is beyond allowable date range for Pluto.";
        EXPECT_EQ(m[0].title + "|" + m[0].text, "Error|" + range);
        EXPECT_EQ(m[1].title + "|" + m[1].text, "Date out of range|No complete conjunction transit found up to " +
                                                    std::string(reached) + " CE .\n" + range)
            << zone;
    }
}

// The great conjunction is within 10° on the day after the end date: the stepping goes past it to
// the next one (the stretch it finds is the committed search listing's), reporting its progress
// day by day as it goes.
TEST_F(SearchChecks, SteppingReportsItsProgress) {
    RequestSession session = NewSession();
    RequestInput in = World(4, 4);  // Jupiter and Saturn
    in.dates[1] = {"2020", "12", "31"};
    const SearchCheck check = CheckSearch(in, session);
    ASSERT_FALSE(check.refusal) << check.refusal->messages[0].text;
    std::vector<std::int32_t> days;
    const SearchStretch stretch = FindNextTransit(in, session, check.aspect, [&days](std::int32_t d) { days.push_back(d); });
    ASSERT_TRUE(stretch.run);
    const std::int32_t end = 2459215;  // 2020-12-31
    ASSERT_GE(static_cast<std::int32_t>(days.size()), session.request.StartDay - end) << "every day stepped is shown";
    EXPECT_GE(*std::min_element(days.begin(), days.end()), end);
    EXPECT_LE(*std::max_element(days.begin(), days.end()), session.request.EndDay);
}

}  // namespace
}  // namespace meridel
