// One cold meridel-list process, timed: what the whole-process benchmarks share.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <algorithm>

#include "calendar/daycount.h"
#include "ephemeris/data_folder.h"

namespace meridel::bench {

// The meridel-list beside this program, or MERIDEL_LIST's (the same runs of another build).
inline std::string ListProgram() {
    const char* other = std::getenv("MERIDEL_LIST");
    return other && *other ? other : ExecutableFolder() + "meridel-list";
}

struct ProcessRun {
    double seconds = 0;
    double cpuSeconds = 0;
    double peakMegabytes = 0;
    int status = -1;
};

// Runs meridel-list with these arguments, its output thrown away.
inline ProcessRun RunList(const std::vector<std::string>& arguments) {
    std::vector<std::string> words{ListProgram()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const auto begun = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (!freopen("/dev/null", "w", stdout)) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    ProcessRun run;
    struct rusage usage {};
    wait4(child, &run.status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
    run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return run;
}

// The day number of a Gregorian date.
inline std::int32_t DayOf(int year, int month, int day) {
    EuroDate date{year, month, day, kGregorianCalendar, 0, 0};
    return euro_date_to_jdn(date);
}

// The runs of meridel-list the benchmark asks for, each timed as one iteration: their largest
// peak memory (also counter peak_MB) and their clock and processor time in all; nullopt (and the
// benchmark skipped) when one fails.
struct TimedRuns {
    double peakMegabytes = 0, seconds = 0, cpuSeconds = 0;
};
inline std::optional<TimedRuns> TimeRuns(benchmark::State& state, const std::vector<std::string>& arguments) {
    TimedRuns all;
    for (auto _ : state) {
        const ProcessRun run = RunList(arguments);
        if (run.status != 0) {
            state.SkipWithError("meridel-list failed");
            return std::nullopt;
        }
        state.SetIterationTime(run.seconds);
        all.peakMegabytes = std::max(all.peakMegabytes, run.peakMegabytes);
        all.seconds += run.seconds;
        all.cpuSeconds += run.cpuSeconds;
    }
    state.counters["peak_MB"] = all.peakMegabytes;
    return all;
}

}  // namespace meridel::bench
