// Opening the timeline of a year of all-planets listings: building it (curves sampled from the
// ephemeris, orb days, retrograde stretches) and drawing it whole into an image 1400 pixels wide,
// as meridel-list --graph does and the window does for what it shows. The listings themselves
// are run once, beforehand:
//   World: every inner planet against Saturn, 2024 (the first all-planets button);
//   Personal: transiting Jupiter against every natal planet, 2024 (the second).
// And one step of zooming into the longest listing there is: World Mars and Jupiter from 1 January
// 1 to 31 December 2799, whole (argument 0) or as far as the window's output box holds it
// (argument 1), laid out at the first zoom step that shows days in a view 1400 pixels wide. The
// window lays out once per zoom or scroll step, so this must stay well within a frame (16 ms).
// Run: build/bin/bench_timeline
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "calendar/date_text.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/planet_longitude.h"
#include "picture/timeline_painter.h"
#include "request/all_planets.h"
#include "request/choices.h"
#include "request/run_driver.h"
#include "timeline/timeline.h"

using namespace meridel;

namespace {

int Position(bool world, int list, const std::string& name) {
    for (int p = 0; PlanetAtPosition(world, list, p) <= LastPlanetCode(world, list); ++p) {
        if (PlanetNameAtPosition(world, list, p) == name) return p;
    }
    return -1;
}

// The runs an all-planets button leaves in the output box.
// The installed sky with its Pluto table, which the listings and their timelines share.
const Sky& TheSky() {
    static const Sky sky = [] {
        const Sky made = InstalledSky();
        std::string error;
        return made.WithPlutoLines(LoadPlutoData(made.DataFolder(), "pluto.slx", error));
    }();
    return sky;
}

std::vector<RunRecord> AllPlanets(bool world, const std::string& planet1, const std::string& planet2, int index) {
    RequestInput in;
    in.world = world;
    in.planets = {Position(world, 0, planet1), Position(world, 1, planet2)};
    in.dates = {DateFields{"2024", "1", "1"}, DateFields{"2024", "12", "31"}, DateFields{"1990", "6", "15"}};
    in.resultZone = in.birthZone = kGreenwichEntry;
    in.hour = 13;
    in.minute = 1;
    StringOutput text;
    OutputBox box(text, std::nullopt);
    RequestSession session;
    session.sky = TheSky();
    ScanState scan;
    RunWindow quiet;
    WalkAllPlanets(in, index, [&](const AllPlanetsStep& step) {
        const RequestCheck check = CheckRun(step.input, session);
        if (check.run) ExecuteRun(session, *check.run, scan, box, true, quiet);
        return session.RunAborted;
    });
    return box.Runs();
}

// World Mars and Jupiter over every day the planets' ephemeris covers; with boxLimit, stopped where
// the output box is full.
std::vector<RunRecord> LongestListing(bool boxLimit) {
    RequestInput in;
    in.world = true;
    in.planets = {Position(true, 0, "Mars"), Position(true, 1, "Jupiter")};
    in.dates = {DateFields{"1", "1", "1"}, DateFields{"2799", "12", "31"}, DateFields{}};
    in.resultZone = in.birthZone = kGreenwichEntry;
    StringOutput text;
    OutputBox box(text, boxLimit ? std::optional<std::size_t>(OutputBox::kWindowLimit) : std::nullopt);
    RequestSession session;
    session.sky = TheSky();
    ScanState scan;
    RunWindow quiet;
    const RequestCheck check = CheckRun(in, session);
    if (check.run) ExecuteRun(session, *check.run, scan, box, false, quiet);
    return box.Runs();
}

const std::vector<RunRecord>& Listing(int which) {
    static const std::vector<RunRecord> world = AllPlanets(true, "Sun", "Saturn", 0);
    static const std::vector<RunRecord> personal = AllPlanets(false, "Jupiter", "Sun", 1);
    return which == 0 ? world : personal;
}

std::size_t Lanes(const std::vector<RunRecord>& runs) {
    std::size_t n = 0;
    for (const RunRecord& r : runs) n += r.transits.size();
    return n;
}

QImage Draw(const Timeline& timeline, const TimelineFonts& fonts) {
    LayoutOptions options;
    options.width = 1400;
    options.text = MetricsOf(fonts);
    const TimelineLayout layout = LayOutTimeline(timeline, options);
    QImage image(static_cast<int>(layout.width), static_cast<int>(layout.height), QImage::Format_RGB32);
    QPainter painter(&image);
    DrawTimeline(painter, layout, WindowTimelineColors(), fonts, QPointF(0, 0), QSizeF(image.size()));
    return image;
}

void BM_BuildTimeline(benchmark::State& state) {
    const auto& runs = Listing(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(BuildTimeline(runs, TheSky(), std::nullopt));
    state.counters["lanes"] = static_cast<double>(Lanes(runs));
}

void BM_DrawTimeline(benchmark::State& state) {
    const auto& runs = Listing(static_cast<int>(state.range(0)));
    const Timeline timeline = BuildTimeline(runs, TheSky(), std::nullopt);
    const TimelineFonts fonts = DefaultTimelineFonts();
    for (auto _ : state) benchmark::DoNotOptimize(Draw(timeline, fonts));
    state.counters["lanes"] = static_cast<double>(Lanes(runs));
}

// What a click on "Show timeline" costs before the window paints: both of the above.
void BM_OpenTimeline(benchmark::State& state) {
    const auto& runs = Listing(static_cast<int>(state.range(0)));
    const TimelineFonts fonts = DefaultTimelineFonts();
    for (auto _ : state) benchmark::DoNotOptimize(Draw(BuildTimeline(runs, TheSky(), std::nullopt), fonts));
    state.counters["lanes"] = static_cast<double>(Lanes(runs));
}

// The longest listing's timeline, whole (0) or as the output box holds it (1), built once: opening
// the window is not what is measured here.
const Timeline& LongestTimeline(int which) {
    static const Timeline whole = BuildTimeline(LongestListing(false), TheSky(), std::nullopt);
    static const Timeline boxed = BuildTimeline(LongestListing(true), TheSky(), std::nullopt);
    return which == 1 ? boxed : whole;
}

// The view's layout options at the first zoom step that shows every day, looking at the middle of
// the period: the view lays out its own width and one more on either side.
LayoutOptions DayStep(const Timeline& timeline, const TextMetrics& metrics) {
    const auto width = [&](const std::string& s) { return metrics.width(s, TextRole::Small); };
    // The window's zoom steps from the whole period up to the first that shows every day.
    double scale = FitPixelsPerDay(timeline, 1400, metrics);
    while (width("31") + 8 > scale) scale *= 1.25;
    LayoutOptions options;
    options.pixelsPerDay = scale;
    options.width = 1400;
    options.text = metrics;
    const double middle = (timeline.end - timeline.start) / 2 * scale;
    options.visibleLeft = middle - 1400;
    options.visibleRight = middle + 2 * 1400;
    return options;
}

// One press of "+" in a view 1400 pixels wide, at the first zoom step that shows days, looking at
// the middle of the period: the view lays out its own width and one more on either side.
void BM_ZoomStepLongListing(benchmark::State& state) {
    const Timeline& timeline = LongestTimeline(static_cast<int>(state.range(0)));
    const LayoutOptions options = DayStep(timeline, MetricsOf(DefaultTimelineFonts()));
    for (auto _ : state) benchmark::DoNotOptimize(LayOutTimeline(timeline, options));
    state.counters["lanes"] = static_cast<double>(timeline.lanes.size());
    state.counters["pixelsPerDay"] = options.pixelsPerDay;
    state.counters["days"] = timeline.end - timeline.start;
}

// The same step as the window shows it: laid out, then painted into a view of 1400 x 700 pixels.
void BM_ZoomStepLongListingPainted(benchmark::State& state) {
    const Timeline& timeline = LongestTimeline(static_cast<int>(state.range(0)));
    const TimelineFonts fonts = DefaultTimelineFonts();
    const LayoutOptions options = DayStep(timeline, MetricsOf(fonts));
    QImage view(1400, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        const TimelineLayout layout = LayOutTimeline(timeline, options);
        QPainter painter(&view);
        DrawTimeline(painter, layout, WindowTimelineColors(), fonts, QPointF((options.visibleLeft + options.visibleRight) / 2 - 700, 0),
                     QSizeF(view.size()));
    }
}

// Argument 0: the World listing; 1: the Personal one.
BENCHMARK(BM_BuildTimeline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawTimeline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTimeline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
// Argument 0: the whole listing; 1: the listing the output box holds.
BENCHMARK(BM_ZoomStepLongListing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomStepLongListingPainted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
