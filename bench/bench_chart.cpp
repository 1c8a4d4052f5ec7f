// Whole charts through meridel-list, cold (each a new process), beside the bare ephemeris calls
// its runs would make without the position store: one library call per moving body per day of
// each run, Pluto included. Counters: bare_ms (those calls, timed beside it), faster (how many
// times faster the process is) and peak_MB (the process's peak resident memory); on a shared
// machine the processor time of both (cpu_ms, bare_cpu_ms, faster_cpu) says more than the clock.
//   build/bin/bench_chart
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "list_process.h"

using namespace meridel;
using meridel::bench::DayOf;

namespace {

double ProcessorSeconds() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Bare {
    double seconds = 0, cpuSeconds = 0;
};

// The bare calls of a Personal chart: each of its 90 runs computes its moving planet once a day.
Bare BarePersonalChart(std::int32_t first, std::int32_t last) {
    const auto begun = std::chrono::steady_clock::now();
    const double cpu = ProcessorSeconds();
    double sum = 0;
    for (std::int16_t moving = kSun; moving <= kPluto; ++moving) {
        for (int natal = 0; natal < 10; ++natal) {
            for (std::int32_t day = first; day <= last; ++day) sum += apparent_longitude(LibraryBodyOf(moving), day - 0.5, nullptr);
        }
    }
    benchmark::DoNotOptimize(sum);
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count(), ProcessorSeconds() - cpu};
}

void Chart(benchmark::State& state, const std::vector<std::string>& arguments, Bare bare = {}) {
    const auto runs = bench::TimeRuns(state, arguments);
    if (!runs) return;
    const double total = runs->seconds, cpu = runs->cpuSeconds;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = cpu / iterations * 1000;
    if (bare.seconds > 0) {
        state.counters["bare_ms"] = bare.seconds * 1000;
        state.counters["faster"] = bare.seconds / (total / iterations);
        state.counters["bare_cpu_ms"] = bare.cpuSeconds * 1000;
        state.counters["faster_cpu"] = bare.cpuSeconds / (cpu / iterations);
    }
}

const std::vector<std::string> kBirth = {"--personal", "--birth", "1960-03-10", "--birth-time", "12:00", "--birth-tz", "GMT"};

std::vector<std::string> With(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A lifetime's Personal chart: 90 runs over 90 years, about 3 million bare calls.
void BM_ChartPersonalLifetime(benchmark::State& state) {
    set_datafiles_folder(InstalledDataFolder());
    const Bare bare = BarePersonalChart(DayOf(1960, 3, 10), DayOf(2049, 12, 31));
    Chart(state, With(kBirth, {"--chart", "--start", "1960-03-10", "--end", "2049-12-31"}), bare);
}
BENCHMARK(BM_ChartPersonalLifetime)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// A year's Personal chart as its agenda, the sky's own events found with it.
void BM_ChartPersonalYearAgenda(benchmark::State& state) {
    Chart(state, With(kBirth, {"--chart", "--start", "2026-01-01", "--end", "2026-12-31", "--format", "agenda"}));
}
BENCHMARK(BM_ChartPersonalYearAgenda)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// A year's World chart as JSON, with the sky's events beside its runs.
void BM_ChartWorldYearJson(benchmark::State& state) {
    Chart(state, {"--world", "--chart", "--start", "2026-01-01", "--end", "2026-12-31", "--format", "json"});
}
BENCHMARK(BM_ChartWorldYearJson)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
