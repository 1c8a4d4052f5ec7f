// Whole meridel-list processes, cold (each a new process: nothing kept from an earlier one), beside
// the bare ephemeris library calls a scan without the position store makes for the same request:
// one call per moving body per day of each run (Pluto comes from its table, which costs no call).
// Each benchmark times the process; its counters give the bare calls' time measured beside it
// (bare_ms), how many times faster the process is (faster), and the process's peak resident
// memory (peak_MB).
//   build/bin/bench_list
//   MERIDEL_LIST=/path/to/another/meridel-list build/bin/bench_list   (the same runs of another build)
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "list_process.h"

using namespace meridel;
using meridel::bench::DayOf;

namespace {

// One run of a listing: its moving bodies that the library computes, over its days.
struct BareRun {
    std::vector<std::int16_t> bodies;
    std::int32_t first, last;  // day numbers
};

// The library calls of these runs, one per body per local midnight, timed.
double BareSeconds(const std::vector<BareRun>& runs) {
    const auto begun = std::chrono::steady_clock::now();
    double sum = 0;
    for (const BareRun& run : runs) {
        for (std::int32_t day = run.first; day <= run.last; ++day) {
            for (const std::int16_t body : run.bodies) sum += DirectLongitude(body, day - 0.5);
        }
    }
    benchmark::DoNotOptimize(sum);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
}

void ListBeside(benchmark::State& state, const std::vector<std::string>& arguments, const std::vector<BareRun>& bare) {
    set_datafiles_folder(InstalledDataFolder());
    const auto runs = bench::TimeRuns(state, arguments);
    if (!runs) return;
    const double total = runs->seconds;
    if (!bare.empty()) {
        const double seconds = BareSeconds(bare);
        state.counters["bare_ms"] = seconds * 1000;
        state.counters["faster"] = seconds / (total / static_cast<double>(state.iterations()));
    }
}

// Saturn and Neptune over five centuries: one run, both bodies every day.
void BM_ListSaturnNeptune500Years(benchmark::State& state) {
    ListBeside(state, {"--world", "--planet1", "Saturn", "--planet2", "Neptune", "--start", "1600-01-01", "--end", "2099-12-31"},
               {{{kSaturn, kNeptune}, DayOf(1600, 1, 1), DayOf(2099, 12, 31)}});
}
BENCHMARK(BM_ListSaturnNeptune500Years)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Jupiter against every planet of the other list over a century: each run computes both bodies
// (the closing run's Pluto from its table).
void BM_ListWorldAllPlanetsJupiter(benchmark::State& state) {
    const std::int32_t first = DayOf(1950, 1, 1), last = DayOf(2049, 12, 31);
    std::vector<BareRun> bare;
    for (std::int16_t other = kSun; other <= kNeptune; ++other) {
        if (other != kJupiter) bare.push_back({{other, kJupiter}, first, last});
    }
    bare.push_back({{kJupiter}, first, last});
    ListBeside(state, {"--world", "--planet1", "Sun", "--planet2", "Jupiter", "--all-planets", "0", "--start", "1950-01-01",
                       "--end", "2049-12-31"},
               bare);
}
BENCHMARK(BM_ListWorldAllPlanetsJupiter)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Transiting Mercury against every natal body over a lifetime: Mercury every day of each run.
void BM_ListPersonalAllPlanetsMercury(benchmark::State& state) {
    const std::int32_t first = DayOf(1960, 3, 10), last = DayOf(2049, 12, 31);
    std::vector<BareRun> bare(10, BareRun{{kMercury}, first, last});
    ListBeside(state, {"--personal", "--planet1", "Mercury", "--planet2", "Sun", "--all-planets", "1", "--start",
                       "1960-03-10", "--end", "2049-12-31", "--birth", "1960-03-10", "--birth-time", "12:00", "--birth-tz",
                       "GMT"},
               bare);
}
BENCHMARK(BM_ListPersonalAllPlanetsMercury)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// A short run: the process's start-up and a month of one pair.
void BM_ListShortRun(benchmark::State& state) {
    ListBeside(state, {"--world", "--planet1", "Mars", "--planet2", "Jupiter", "--start", "2026-01-01", "--end", "2026-01-31"}, {});
}
BENCHMARK(BM_ListShortRun)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
