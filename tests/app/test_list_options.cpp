// meridel-list's command line: what it takes, what it refuses as a usage error.
#include <gtest/gtest.h>

#include <cctype>

#include "app/list_options.h"

namespace meridel {
namespace {

// What the end-to-end listings leave: a search needs no start date, and the mode follows --birth
// when neither is named; an all-planets listing takes orbs 10,5,2 even with Mercury moving (a
// Mercury run's 10,6,3 is theirs); only the window-less build's usage says --graph is not in it.
TEST(ListOptionsTest, WhatTheListingsLeave) {
    std::string error;
    const auto search = ParseListArguments({"--planet1", "Mars", "--planet2", "Jupiter", "--end", "2024-12-31",
                                            "--search", "square", "--no-keep-dates"}, error);
    ASSERT_TRUE(search);
    EXPECT_TRUE(search->isWorld());
    EXPECT_FALSE(search->keepDates);
    const auto mercury = ParseListArguments({"--planet1", "Mercury", "--planet2", "Saturn", "--start", "2024-01-01",
                                             "--end", "2024-12-31", "--all-planets", "0"}, error);
    EXPECT_EQ(mercury->OrbsToUse(), (std::array<int, 3>{10, 5, 2}));
    EXPECT_EQ(ListUsage(true).find("--graph is not in this meridel-list"), std::string::npos);
}

TEST(ListOptionsTest, UsageErrors) {
    const std::vector<std::string> base = {"--planet1", "Mars", "--planet2", "Jupiter", "--start", "2024-01-01",
                                           "--end", "2024-12-31"};
    auto with = [&base](std::vector<std::string> more) {
        std::vector<std::string> args = base;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    for (const auto& [args, fragment] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--planet1", "Mars"}, "--planet2 are required"},
             {with({"--orbs", "10,5"}), "three whole degrees"},
             {with({"--orbs", "16,5,2"}), "from 1 to 15"},
             {with({"--start", "2024/01/01"}), "not a date"},
             {with({"--start", "12345-1-1"}), "not a date"},
             {with({"--world", "--personal"}), "exclude each other"},
             {with({"--birth-time", "12:07"}), "steps of 5"},
             {with({"--sidereal"}), "belong to Personal mode"},
             {with({"--personal"}), "missing --birth, --birth-time or --birth-tz"},
             {with({"--all-planets", "2"}), "takes 0 or 1"},
             {with({"--search", "trine", "--all-planets", "0"}), "exclude each other"},
             {with({"--no-keep-dates"}), "goes with --search"},
             {with({"--tz"}), "needs a zone"},
             {with({"--chart", "--world"}), "no --planet1 or --planet2"},
             {{"--chart", "--start", "2024-01-01", "--end", "2024-12-31"}, "needs --personal or --world"},
             {{"--chart", "--world", "--start", "2024-01-01", "--end", "2024-12-31", "--box-limit"}, "excludes --search"},
             {with({"--frobnicate"}), "unknown argument"}}) {
        std::string error;
        EXPECT_FALSE(ParseListArguments(args, error)) << fragment;
        EXPECT_NE(error.find(fragment), std::string::npos) << error;
        // One capitalisation: after "meridel-list: " every message begins in lower case.
        EXPECT_FALSE(std::isupper(static_cast<unsigned char>(error.at(0)))) << error;
    }
}

}  // namespace
}  // namespace meridel
