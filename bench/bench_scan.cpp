// The day-by-day scan over five centuries of a slow World pair (Neptune and Pluto, 1600-01-01 to
// 2099-12-31) and over ten years of a fast one (Mercury and Mars, whose many exact hits each cost a
// minute search), beside the two longitude calls per day that no scan can do without. The scan's
// own work is the difference; run them together and compare their days per second.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "calendar/date_text.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"
#include "transits/scan_engine.h"
#include "transits/transit_report.h"

using namespace meridel;

namespace {

constexpr std::int32_t kFirstDay = 2305448;  // 1600-01-01
constexpr std::int32_t kLastDay = 2488069;   // 2099-12-31

// The window's part costs nothing here: no yielding, no output.
struct SilentHooks : ScanHooks {
    std::size_t rows = 0;
    void yieldToWindow() override {}
    bool stopRequested() override { return false; }
    void showDay(const std::string&) override {}
    void appendLine(const std::string&) override {}
    bool writeRow(const std::string&) override {
        ++rows;
        return true;
    }
};

void Initialise() {
    static bool done = false;
    if (done) return;
    InitEphemeris();
    InitDateTables();
    std::string error;
    if (!LoadPlutoData("pluto.slx", error)) {
        std::cerr << "pluto.slx: " << error << "\n";
        std::exit(1);
    }
    done = true;
}

TransitRequest WorldPair(std::int16_t inner, std::int16_t outer, std::int32_t first, std::int32_t last) {
    TransitRequest r;
    r.PlanetCodes = {inner, outer};
    r.OrbDegrees = {10, 5, 2};
    for (int o = 0; o < 3; ++o) r.Orbs[o] = r.OrbDegrees[o] * kFullCircle / 360.0;
    r.StartDay = r.RequestDays[0] = first;
    r.EndDay = r.RequestDays[1] = last;
    return r;
}

void ScanWorldPair(benchmark::State& state, const TransitRequest& request) {
    Initialise();
    RunHeading heading;
    heading.zoneText = "GMT";
    SilentHooks hooks;
    for (auto _ : state) {
        ScanState scan;
        TransitScan engine(request, heading, scan, hooks);
        engine.Begin();
        engine.WriteHeader();
        benchmark::DoNotOptimize(engine.Run());
    }
    state.SetItemsProcessed(state.iterations() * (request.EndDay - request.StartDay + 1));
    state.counters["rows"] = static_cast<double>(hooks.rows) / static_cast<double>(state.iterations());
}

void BM_ScanNeptunePluto(benchmark::State& state) {
    ScanWorldPair(state, WorldPair(kNeptune, kPluto, kFirstDay, kLastDay));
}
BENCHMARK(BM_ScanNeptunePluto)->Unit(benchmark::kMillisecond);

// 2015-01-01 to 2024-12-31.
void BM_ScanMercuryMarsTenYears(benchmark::State& state) {
    ScanWorldPair(state, WorldPair(kMercury, kMars, 2457024, 2460676));
}
BENCHMARK(BM_ScanMercuryMarsTenYears)->Unit(benchmark::kMillisecond);

// The floor: one longitude of each body at each local midnight.
void BM_LongitudesOnly(benchmark::State& state) {
    Initialise();
    for (auto _ : state) {
        double sum = 0;
        for (std::int32_t day = kFirstDay; day <= kLastDay; ++day) {
            const double t = day + 0.5;  // the midnight closing the day, as the scan's third sample
            sum += PlanetLongitude(kNeptune, t) + PlanetLongitude(kPluto, t);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * (kLastDay - kFirstDay + 1));
}
BENCHMARK(BM_LongitudesOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
