// The whole chart's window: its button, the table against the chart it shows, filters, sorting,
// a double-click's run, Stop and closing mid-chart, saving, and what it remembers.
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "forecast/agenda_table.h"
#include "forecast/chart_export.h"
#include "ui/frmForecast.h"
#include "ui/frmTimeline.h"
#include "ui/timeline_view.h"
#include "persist/registry.h"
#include "window_fixture.h"

namespace meridel {
namespace {

class ForecastWindow : public WindowTest {
protected:
    // No window's remembered filters from an earlier test.
    void SetUp() override {
        UseMemorySettings();
        WindowTest::SetUp();
    }
    // The World chart of 2024, results in GMT, finished.
    frmForecast& Charted() {
        frmMain& w = Start();
        SetWorld("Sun", "Mercury");
        SetYears("2024", "2024");
        w.Timer1_Timer();
        EXPECT_TRUE(w.cmdWholeChart->isEnabled());
        w.cmdWholeChart->click();
        frmForecast& f = *w.ForecastWindow;
        EXPECT_TRUE(f.isVisible());
        WaitForEnd(f);
        return f;
    }
    static void WaitForEnd(const frmForecast& f) { QTRY_VERIFY_WITH_TIMEOUT(!f.Running(), 120000); }
    static std::vector<std::string> Lines(const std::vector<AgendaEntry>& entries) {
        std::vector<std::string> lines;
        for (const AgendaEntry& e : entries) lines.push_back(AgendaLine(e));
        return lines;
    }
};

TEST_F(ForecastWindow, ButtonFollowsTheRequest) {
    frmMain& w = Start();
    SetWorld("Sun", "Mercury");
    SetDate(0, "2024", "1", "1");
    SetDate(1, "2024", "1", "2");  // under 3 days
    w.Timer1_Timer();
    EXPECT_FALSE(w.cmdWholeChart->isEnabled());
    SetDate(1, "2024", "3", "1");
    w.Timer1_Timer();
    EXPECT_TRUE(w.cmdWholeChart->isEnabled());
    w.optPersonal->setChecked(true);  // no birth data yet
    w.Timer1_Timer();
    EXPECT_FALSE(w.cmdWholeChart->isEnabled());
    SetDate(2, "1987", "9", "22");
    w.cboHour->setCurrentIndex(15);
    w.cboMinute->setCurrentIndex(7);
    w.cboTimezone[1]->setCurrentIndex(26);
    w.Timer1_Timer();
    EXPECT_TRUE(w.cmdWholeChart->isEnabled());
}

TEST_F(ForecastWindow, TableHoldsTheChartFilteredAndSorted) {
    frmForecast& f = Charted();
    // The same chart made here: the table holds exactly its agenda, in date order.
    const ChartResult chart = RunChart(window->session.sky, window->ReadRequestInput());
    const std::vector<AgendaEntry> agenda =
        AgendaWithin(AgendaOf(chart.runs, chart.events, chart.zoneMinutes), chart.firstDay, chart.lastDay);
    EXPECT_EQ(Lines(f.ShownEntries()), Lines(agenda));

    // Filters: each row shown passes, and as many as pass.
    f.cboMoving->setCurrentIndex(kMars);
    f.cboKind->setCurrentIndex(1 + static_cast<int>(AgendaKindGroup::ExactHits));
    auto expectFiltered = [&](auto passes) {
        const auto shown = f.ShownEntries();
        EXPECT_EQ(shown.size(), static_cast<std::size_t>(std::count_if(agenda.begin(), agenda.end(), passes)));
        EXPECT_TRUE(std::all_of(shown.begin(), shown.end(), passes));
        EXPECT_FALSE(shown.empty());
    };
    expectFiltered([](const AgendaEntry& e) { return e.moving == kMars && e.kind == AgendaKind::ExactHit; });
    EXPECT_EQ(f.table->model()->index(0, static_cast<int>(AgendaColumn::Moving)).data().toString(), "Mars");
    f.cboKind->setCurrentIndex(0);
    f.cboMoving->setCurrentIndex(kJupiter);
    f.cboAspect->setCurrentIndex(kConjunction);
    f.cboSecond->setCurrentIndex(kUranus);
    expectFiltered([](const AgendaEntry& e) { return e.moving == kJupiter && e.second == kUranus && e.aspect == kConjunction; });
    for (QComboBox* list : {f.cboMoving, f.cboSecond, f.cboAspect}) list->setCurrentIndex(0);
    f.txbFind->setText(QStringLiteral("full moon"));
    expectFiltered([](const AgendaEntry& e) { return e.kind == AgendaKind::Lunation && e.full; });
    f.txbFind->clear();

    // Sorting by a column, then by date again.
    f.table->sortByColumn(static_cast<int>(AgendaColumn::Moving), Qt::AscendingOrder);
    const auto byPlanet = f.ShownEntries();
    ASSERT_EQ(byPlanet.size(), agenda.size());
    EXPECT_TRUE(std::is_sorted(byPlanet.begin(), byPlanet.end(),
                               [](const AgendaEntry& a, const AgendaEntry& b) { return a.moving < b.moving; }));
    f.table->sortByColumn(static_cast<int>(AgendaColumn::Date), Qt::AscendingOrder);
    EXPECT_EQ(Lines(f.ShownEntries()), Lines(agenda));
}

TEST_F(ForecastWindow, DoubleClickRunsThePairAsTheStartButtonWould) {
    frmForecast& f = Charted();
    frmMain& w = *window;
    f.cboMoving->setCurrentIndex(kJupiter);
    f.cboSecond->setCurrentIndex(kUranus);
    ASSERT_GT(f.table->model()->rowCount(), 0);
    f.table_DoubleClick(0);
    const QString fromChart = w.txbOutput->toPlainText();
    // The pair run from the main window's own controls.
    w.cmdClear_Click();
    SetWorld("Jupiter", "Uranus");
    w.cmdStart_Click();
    EXPECT_TRUE(fromChart.contains(QStringLiteral("Jupiter")));
    EXPECT_EQ(fromChart, w.txbOutput->toPlainText());
}

TEST_F(ForecastWindow, TimelineFoldsGroupsOfLanesByMovingPlanet) {
    frmForecast& f = Charted();
    f.cmdTimeline->click();
    ASSERT_NE(f.TimelineWindow, nullptr);
    const TimelineView& view = *f.TimelineWindow->picture;
    const auto sunLanes = [&view] {
        const std::vector<LaneGeometry>& lanes = view.Layout().lanes;
        return std::count_if(lanes.begin(), lanes.end(),
                             [](const LaneGeometry& lane) { return lane.label.text.rfind("Sun ", 0) == 0; });
    };
    const std::size_t lanes = view.Layout().lanes.size();
    EXPECT_FALSE(view.Layout().skyMarks.empty());  // the chart's events reach its picture
    const auto ofTheSun = sunLanes();
    ASSERT_GT(ofTheSun, 0);
    ASSERT_EQ(f.TimelineWindow->cmdGroups.size(), 8u);  // Sun..Neptune move in a World chart
    f.TimelineWindow->cmdGroups[0]->click();  // the Sun's lanes fold away
    EXPECT_EQ(sunLanes(), 0);
    EXPECT_EQ(view.Layout().lanes.size(), lanes - static_cast<std::size_t>(ofTheSun));
    f.TimelineWindow->cmdGroups[0]->click();
    EXPECT_EQ(view.Layout().lanes.size(), lanes);
}

TEST_F(ForecastWindow, StopAndClosingEndTheChartAndKeepNothing) {
    frmMain& w = Start();
    SetWorld("Sun", "Mercury");
    SetYears("1800", "2099");
    w.cmdWholeChart_Click();
    frmForecast& f = *w.ForecastWindow;
    QTRY_VERIFY_WITH_TIMEOUT(f.progress->value() >= 1, 60000);
    ASSERT_TRUE(f.Running());
    f.cmdStop->click();
    EXPECT_FALSE(f.Running());
    EXPECT_EQ(f.table->model()->rowCount(), 0);
    EXPECT_FALSE(f.cmdSave->isEnabled());
    EXPECT_TRUE(shown.messages.empty());

    // Closing the window mid-chart, then the main window with a chart under way.
    w.cmdWholeChart_Click();
    ASSERT_TRUE(f.Running());
    f.close();
    EXPECT_FALSE(f.Running());
    w.cmdWholeChart_Click();
    ASSERT_TRUE(f.Running());
    window.reset();
}

TEST_F(ForecastWindow, SavesEachFormatWhole) {
    frmForecast& f = Charted();
    f.cboKind->setCurrentIndex(1 + static_cast<int>(AgendaKindGroup::Eclipses));
    QTemporaryDir dir;
    const std::string base = dir.filePath(QStringLiteral("chart")).toStdString();
    const auto read = [](const std::string& path) {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(none)");
    };
    // DTSTAMP is the clock's moment of writing.
    const auto withoutStamps = [](std::string text) {
        for (std::size_t at; (at = text.find("DTSTAMP:")) != std::string::npos;) text.erase(at, text.find('\n', at) + 1 - at);
        return text;
    };
    for (const OutputFormat format : {OutputFormat::Text, OutputFormat::Csv, OutputFormat::ICalendar, OutputFormat::Json}) {
        const std::string path = base + (format == OutputFormat::Text ? ".txt" : format == OutputFormat::Csv ? ".csv"
                                         : format == OutputFormat::Json ? ".json" : ".ics");
        shown.saveFileChoices.push_back(path);
        f.cmdSave->click();
        const std::string expected = ExportChart(format, f.Chart(), f.ShownEntries(), "20240101T000000Z");
        EXPECT_EQ(withoutStamps(read(path)), withoutStamps(expected)) << path;
    }
    EXPECT_TRUE(shown.messages.empty());

    // A file that cannot be written says so and leaves nothing.
    shown.saveFileChoices.push_back(dir.filePath(QStringLiteral("missing/chart.ics")).toStdString());
    f.cmdSave->click();
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(read(dir.filePath(QStringLiteral("missing/chart.ics")).toStdString()), "(none)");
}

TEST_F(ForecastWindow, RemembersSizeFiltersAndColumns) {
    frmForecast& f = Charted();
    f.resize(900, 500);
    f.cboMoving->setCurrentIndex(kMars);
    f.cboKind->setCurrentIndex(2);
    f.txbFind->setText(QStringLiteral("trine"));
    f.table->horizontalHeader()->moveSection(static_cast<int>(AgendaColumn::Kind), 0);
    f.close();

    frmForecast again(nullptr, {});
    EXPECT_EQ(again.size(), QSize(900, 500));
    EXPECT_EQ(again.cboMoving->currentIndex(), kMars);
    EXPECT_EQ(again.cboKind->currentIndex(), 2);
    EXPECT_EQ(again.txbFind->text(), QStringLiteral("trine"));
    EXPECT_EQ(again.table->horizontalHeader()->logicalIndex(0), static_cast<int>(AgendaColumn::Kind));
}

}  // namespace
}  // namespace meridel
