// Cost of one longitude: the library's own call, the program's direct call, the position store
// (longitude, and longitude with its rate) and the Pluto table. Each benchmark steps one day per
// call, as the transit scan does, so that the library's cache of the last moment never answers
// for it. Run: build/bin/bench_ephemeris
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/sky.h"

using namespace meridel;

namespace {

constexpr double kStart = 2451544.5;  // 2000-01-01 0 h UT
constexpr double kDays = 36500;       // a century, then start again

double NextMoment(double& jd) {
    jd += 1.0;
    if (jd > kStart + kDays) jd = kStart;
    return jd;
}

const Sky& TheSky() {
    static const Sky sky = [] {
        const Sky made = InstalledSky();
        std::string errorText;
        return made.WithPlutoLines(LoadPlutoData(made.DataFolder(), "pluto.slx", errorText));
    }();
    return sky;
}

void LibraryCall(benchmark::State& state, std::int32_t body) {
    TheSky();
    double xx[6];
    char serr[AS_MAXCH];
    double jd = kStart;
    for (auto _ : state) {
        swe_calc_ut(NextMoment(jd), body, SEFLG_SWIEPH, xx, serr);
        benchmark::DoNotOptimize(xx[0]);
    }
}

void DirectCall(benchmark::State& state, std::int16_t code) {
    const Sky sky = TheSky().Direct();
    double jd = kStart;
    for (auto _ : state) benchmark::DoNotOptimize(sky.PlanetLongitude(code, NextMoment(jd)));
}

void StoreCall(benchmark::State& state, std::int16_t code) {
    const Sky& sky = TheSky();
    if (code != kPluto && !sky.Store().Series(code)) {
        state.SkipWithError(sky.Store().Problem(code).c_str());
        return;
    }
    double jd = kStart;
    for (auto _ : state) benchmark::DoNotOptimize(sky.PlanetLongitude(code, NextMoment(jd)));
}

void StoreCallWithRate(benchmark::State& state, std::int16_t code) {
    const Sky& sky = TheSky();
    double jd = kStart;
    for (auto _ : state) benchmark::DoNotOptimize(sky.LongitudeWithRate(code, NextMoment(jd)));
}

}  // namespace

BENCHMARK_CAPTURE(LibraryCall, Mars, SE_MARS);
BENCHMARK_CAPTURE(DirectCall, Mars, kMars);
BENCHMARK_CAPTURE(StoreCall, Mars, kMars);
BENCHMARK_CAPTURE(StoreCallWithRate, Mars, kMars);
BENCHMARK_CAPTURE(LibraryCall, Moon, SE_MOON);
BENCHMARK_CAPTURE(DirectCall, Moon, kMoon);
BENCHMARK_CAPTURE(StoreCall, Moon, kMoon);
BENCHMARK_CAPTURE(StoreCallWithRate, Moon, kMoon);
BENCHMARK_CAPTURE(StoreCall, Pluto, kPluto);
BENCHMARK_CAPTURE(StoreCallWithRate, Pluto, kPluto);

BENCHMARK_MAIN();
