// Cost of one PlanetLongitude call beside the library's own call. Each benchmark steps one day
// per call, as the transit scan does, so that the library's cache of the last moment never
// answers for it. Run: build/bin/bench_ephemeris
#include <benchmark/benchmark.h>
#include <swephexp.h>


#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"

using namespace meridel;

namespace {

constexpr double kStart = 2451544.5;  // 2000-01-01 0 h UT
constexpr double kDays = 36500;       // a century, then start again

double nextMoment(double& jd) {
    jd += 1.0;
    if (jd > kStart + kDays) jd = kStart;
    return jd;
}

void LibraryCall(benchmark::State& state, std::int32_t body) {
    InitEphemeris();
    double xx[6];
    char serr[AS_MAXCH];
    double jd = kStart;
    for (auto _ : state) {
        swe_calc_ut(nextMoment(jd), body, SEFLG_SWIEPH, xx, serr);
        benchmark::DoNotOptimize(xx[0]);
    }
}

void OurCall(benchmark::State& state, std::int16_t code) {
    InitEphemeris();
    if (code == kPluto) {
        std::string errorText;
        if (!LoadPlutoData("pluto.slx", errorText)) {
            state.SkipWithError(errorText.c_str());
            return;
        }
    }
    double jd = kStart;
    for (auto _ : state) benchmark::DoNotOptimize(PlanetLongitude(code, nextMoment(jd)));
}

void PlutoLookup(benchmark::State& state) {
    InitEphemeris();
    std::string errorText;
    if (!LoadPlutoData("pluto.slx", errorText)) {
        state.SkipWithError(errorText.c_str());
        return;
    }
    double jd = kStart;
    for (auto _ : state) benchmark::DoNotOptimize(PlutoLongitude(nextMoment(jd)));
}

}  // namespace

BENCHMARK_CAPTURE(LibraryCall, Mars, SE_MARS);
BENCHMARK_CAPTURE(OurCall, Mars, kMars);
BENCHMARK_CAPTURE(LibraryCall, Moon, SE_MOON);
BENCHMARK_CAPTURE(OurCall, Moon, kMoon);
BENCHMARK_CAPTURE(OurCall, Pluto, kPluto);
BENCHMARK(PlutoLookup);

BENCHMARK_MAIN();
