// One cold meridel-list process, timed: what the whole-process benchmarks share.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

}  // namespace meridel::bench
