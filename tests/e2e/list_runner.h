// Running meridel-list from a test, the committed listings it is compared with, and the sky
// check of its printed rows. Set MERIDEL_UPDATE_GOLDEN=1 to rewrite the listings after a
// deliberate change (never in CI, where CI is set); the sky check still has to pass for them.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "listing_check.h"

namespace meridel::testing {

using namespace meridel::skycheck;

struct RunResult {
    int exitCode = -1;
    std::string out, err;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs meridel-list with the arguments (and the environment's assignments before it); its standard
// output and error are kept whole.
inline RunResult RunList(const std::string& arguments, const std::string& environment = "") {
    // The process id too: two builds' tests may run at once and share the temporary folder.
    const std::string base = ::testing::TempDir() + "meridel_list_" + std::to_string(getpid()) + "_" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string command =
        environment + " " + std::string(MERIDEL_LIST) + " " + arguments + " >" + base + ".out 2>" + base + ".err";
    RunResult r;
    const int status = std::system(command.c_str());
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadFile(base + ".out");
    r.err = ReadFile(base + ".err");
    std::remove((base + ".out").c_str());
    std::remove((base + ".err").c_str());
    return r;
}

// The standard output of a request that must succeed without a word on standard error.
inline std::string Listed(const std::string& arguments) {
    const RunResult r = RunList(arguments);
    EXPECT_EQ(r.exitCode, 0) << arguments;
    EXPECT_EQ(r.err, "") << arguments;
    return r.out;
}

// A request refused by a check: exit status 1 and exactly this on standard error.
inline void ExpectRefused(const std::string& arguments, const std::string& messages) {
    const RunResult r = RunList(arguments);
    EXPECT_EQ(r.exitCode, 1) << arguments;
    EXPECT_EQ(r.err, messages) << arguments;
}

inline void ExpectGolden(const std::string& name, const std::string& text) {
    const std::string path = std::string(MERIDEL_GOLDEN_DIR) + "/" + name + ".txt";
    if (std::getenv("MERIDEL_UPDATE_GOLDEN")) {
        // In CI a listing is only ever compared: rewriting it there would pass anything.
        if (std::getenv("CI")) ADD_FAILURE() << "MERIDEL_UPDATE_GOLDEN is set in CI";
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    EXPECT_EQ(text, ReadFile(path)) << "listing differs from " << path;
}

// The rows of one run's printed output (CR LF line ends).
inline std::vector<Cells> RowsOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t from = 0, at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    return skycheck::RowsOf(lines);
}

// The runs of one output (the all-planets listing): each run after the first follows a blank
// line and a rule.
inline std::vector<std::string> SplitRuns(const std::string& text) {
    const std::string separator = "\r\n\r\n" + std::string(119, '-') + "\r\n";
    std::vector<std::string> runs;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + separator.size())
        runs.push_back(text.substr(from, at - from + 2));
    runs.push_back(text.substr(from));
    return runs;
}

using Listings = skycheck::EphemerisSuite;

}  // namespace meridel::testing
