// The day-by-day scan over five centuries of a slow World pair (Neptune and Pluto, 1600-01-01 to
// 2099-12-31) and over ten years of a fast one (Mercury and Mars, whose many exact hits each cost a
// minute search), its positions from the warm position store and, beside it, from direct library
// calls as before there was a store; and beside those the bare loop of two library calls a day
// (Neptune and Pluto) that a scan without the store cannot do without. Compare their days per
// second (items_per_second).
//   build/bin/bench_scan
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "calendar/date_text.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/sky.h"
#include "transits/scan_engine.h"
#include "transits/transit_report.h"

using namespace meridel;

namespace {

constexpr std::int32_t kFirstDay = 2305448;  // 1600-01-01
constexpr std::int32_t kLastDay = 2488069;   // 2099-12-31

// The output costs nothing here, and no window takes part.
struct NoText : OutputText {
    std::size_t Length() const override { return 0; }
    void Append(const std::string&) override {}
    void Clear() override {}
};

// The installed sky with its Pluto table, its store warmed by a first scan of each pair.
const Sky& TheSky() {
    static const Sky sky = [] {
        Sky made = InstalledSky();
        std::string error;
        auto table = LoadPlutoData(made.DataFolder(), "pluto.slx", error);
        if (!table) {
            std::cerr << "pluto.slx: " << error << "\n";
            std::exit(1);
        }
        for (std::int16_t code : {kMercury, kMars, kNeptune}) {
            if (!made.Store().Series(code)) std::cerr << "no store for code " << code << ": " << made.Store().Problem(code) << "\n";
        }
        return made.WithPlutoLines(std::move(table));
    }();
    return sky;
}

TransitRequest WorldPair(std::int16_t inner, std::int16_t outer, std::int32_t first, std::int32_t last) {
    TransitRequest r;
    r.PlanetCodes = {inner, outer};
    r.SetOrbs({10, 5, 2});
    r.StartDay = r.RequestDays[0] = first;
    r.EndDay = r.RequestDays[1] = last;
    r.zoneText = "GMT";
    return r;
}

void ScanWorldPair(benchmark::State& state, const TransitRequest& request, const Sky& sky) {
    NoText text;
    OutputBox box(text, std::nullopt);
    RunWindow window;
    std::size_t rows = 0;
    for (auto _ : state) {
        ScanState scan;
        TransitScan engine(request, sky, scan, box, window);
        engine.Begin();
        engine.WriteHeader();
        benchmark::DoNotOptimize(engine.Run());
        for (const TransitRecord& transit : scan.Results.transits) rows += transit.rows.size();
    }
    state.SetItemsProcessed(state.iterations() * (request.EndDay - request.StartDay + 1));
    state.counters["rows"] = static_cast<double>(rows) / static_cast<double>(state.iterations());
}

void BM_ScanNeptunePluto(benchmark::State& state) {
    ScanWorldPair(state, WorldPair(kNeptune, kPluto, kFirstDay, kLastDay), TheSky());
}
BENCHMARK(BM_ScanNeptunePluto)->Unit(benchmark::kMillisecond);

void BM_ScanNeptunePlutoDirect(benchmark::State& state) {
    ScanWorldPair(state, WorldPair(kNeptune, kPluto, kFirstDay, kLastDay), TheSky().Direct());
}
BENCHMARK(BM_ScanNeptunePlutoDirect)->Unit(benchmark::kMillisecond);

// 2015-01-01 to 2024-12-31.
void BM_ScanMercuryMarsTenYears(benchmark::State& state) {
    ScanWorldPair(state, WorldPair(kMercury, kMars, 2457024, 2460676), TheSky());
}
BENCHMARK(BM_ScanMercuryMarsTenYears)->Unit(benchmark::kMillisecond);

void BM_ScanMercuryMarsTenYearsDirect(benchmark::State& state) {
    ScanWorldPair(state, WorldPair(kMercury, kMars, 2457024, 2460676), TheSky().Direct());
}
BENCHMARK(BM_ScanMercuryMarsTenYearsDirect)->Unit(benchmark::kMillisecond);

// The bare loop: Neptune and Pluto from the library at each midnight, the floor of any scan
// without the store.
void BM_BareLibraryCalls(benchmark::State& state) {
    TheSky();
    for (auto _ : state) {
        double sum = 0;
        for (std::int32_t day = kFirstDay; day <= kLastDay; ++day) {
            const double t = day + 0.5;  // the midnight closing the day, as the scan's third sample
            sum += apparent_longitude(SE_NEPTUNE, t, nullptr) + apparent_longitude(SE_PLUTO, t, nullptr);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * (kLastDay - kFirstDay + 1));
}
BENCHMARK(BM_BareLibraryCalls)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
