// The whole chart: its progress and stop, and a year's agenda. (Its runs, in order, are the chart
// sweep's check; its refusal of orbs out of order is CheckAllPlanets', tested with the walk.)
#include <atomic>

#include "forecast/agenda.h"
#include "forecast/chart.h"
#include "request_fixture.h"
#include "exports/export_view.h"
#include "transits/transit_report.h"

namespace meridel {
namespace {

class ChartTest : public RequestTest {
protected:
    static RequestInput Year2025(bool world) {
        RequestInput in = world ? World() : Personal();
        in.dates[kStartRow] = {"2025", "1", "1"};
        in.dates[kEndRow] = {"2025", "12", "31"};
        return in;
    }
};

TEST_F(ChartTest, RunsEveryPairInOrderWithProgressAndStops) {
    std::vector<int> done;
    const ChartResult chart = RunChart(NewSession().sky, Year2025(true), [&](int runs, int total) {
        EXPECT_EQ(total, 36);
        done.push_back(runs);
    });
    ASSERT_FALSE(chart.refusal) << chart.refusal->messages[0].text;
    ASSERT_FALSE(chart.stopped);
    ASSERT_EQ(chart.runs.size(), 36u);
    EXPECT_EQ(done.size(), 37u);
    EXPECT_EQ(done.back(), 36);
    EXPECT_EQ(chart.RunText(35).find(RuleLine() + "\r\n\r\n"), std::string::npos);

    // A stop asked during the second run's progress report ends the chart before the third. (The
    // chart window stops one on its worker thread.)
    std::atomic<bool> stop{false};
    const ChartResult stopped = RunChart(NewSession().sky, Year2025(false), [&](int runs, int) {
        if (runs == 2) stop = true;
    }, &stop);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.runs.size(), 2u);
    EXPECT_TRUE(stopped.events.stations.empty());
}

// A year's agenda: the sky's events in their words, everything in date order, and each hit
// in the words of its pair.
TEST_F(ChartTest, AYearsAgenda) {
    const ChartResult chart = RunChart(NewSession().sky, Year2025(true));
    ASSERT_EQ(chart.runs.size(), 36u);
    const std::vector<AgendaEntry> agenda = AgendaOf(chart.runs, chart.events, chart.zoneMinutes);
    const std::string text = AgendaText(agenda);
    EXPECT_NE(text.find("2025-03-14 06:5"), std::string::npos);
    EXPECT_NE(text.find(" Total lunar eclipse\r\n"), std::string::npos);
    EXPECT_NE(text.find("2025-03-15 "), std::string::npos);
    EXPECT_NE(text.find(" Mercury stations retrograde at 9\xC2\xB0" "35' Aries\r\n"), std::string::npos);
    EXPECT_NE(text.find(" Saturn enters Aries\r\n"), std::string::npos);
    for (std::size_t i = 1; i < agenda.size(); ++i) {
        const AgendaEntry &a = agenda[i - 1], &b = agenda[i];
        EXPECT_TRUE(a.day < b.day || (a.day == b.day && a.minuteOfDay.value_or(-1) <= b.minuteOfDay.value_or(-1)))
            << AgendaLine(a) << " / " << AgendaLine(b);
        if (b.kind == AgendaKind::ExactHit) {
            EXPECT_EQ(AgendaLine(b).substr(17), TransitTitle(chart.runs[static_cast<std::size_t>(b.run)].request, b.aspect) + " exact");
        }
    }
}

}  // namespace
}  // namespace meridel
