// Opening the timeline of a year of all-planets listings: building it (curves sampled from the
// ephemeris, orb days, retrograde stretches) and drawing it whole into an image 1400 pixels wide,
// as meridel-list --graph does and the window does for what it shows. The listings themselves
// are run once, beforehand:
//   World: every inner planet against Saturn, 2024 (the first all-planets button);
//   Personal: transiting Jupiter against every natal planet, 2024 (the second).
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

// Argument 0: the World listing; 1: the Personal one.
BENCHMARK(BM_BuildTimeline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawTimeline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTimeline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
