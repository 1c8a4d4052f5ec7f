// meridel-list's command line: what it takes, what it refuses as a usage error.
#include <gtest/gtest.h>

#include <cctype>

#include "app/list_options.h"

namespace meridel {
namespace {

std::optional<ListOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string message;
    auto options = ParseListArguments(args, message);
    if (error) *error = message;
    return options;
}

// A search needs no start date, and the mode follows --birth when neither is named. (Whole
// requests, charts, the formats, --help and --version are the end-to-end listings' checks.)
TEST(ListOptionsTest, ASearch) {
    const auto search = Parse({"--planet1", "Mars", "--planet2", "Jupiter", "--end", "2024-12-31", "--search",
                               "square", "--no-keep-dates"});
    ASSERT_TRUE(search);
    EXPECT_TRUE(search->isWorld());
    EXPECT_EQ(*search->searchAspect, "square");
    EXPECT_FALSE(search->keepDates);
}

// Without --orbs, orbs the moving planet accepts: with Mercury the inner orb must be 3 degrees.
TEST(ListOptionsTest, DefaultOrbsFitTheMovingPlanet) {
    auto orbs = [](std::vector<std::string> more) {
        std::vector<std::string> args = {"--planet2", "Saturn", "--start", "2024-01-01", "--end", "2024-12-31"};
        args.insert(args.end(), more.begin(), more.end());
        return Parse(args)->OrbsToUse();
    };
    EXPECT_EQ(orbs({"--planet1", "Mercury"}), (std::array<int, 3>{10, 6, 3}));
    EXPECT_EQ(orbs({"--planet1", "Mars"}), (std::array<int, 3>{10, 5, 2}));
    EXPECT_EQ(orbs({"--planet1", "Mercury", "--all-planets", "0"}), (std::array<int, 3>{10, 5, 2}));
    EXPECT_EQ(orbs({"--planet1", "Mercury", "--orbs", "9,6,3"}), (std::array<int, 3>{9, 6, 3}));
    EXPECT_NE(ListUsage(true).find("10,6,3"), std::string::npos);
    // The window-less build says --graph is not in it.
    EXPECT_NE(ListUsage(false).find("--graph is not in this meridel-list"), std::string::npos);
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
        EXPECT_FALSE(Parse(args, &error)) << fragment;
        EXPECT_NE(error.find(fragment), std::string::npos) << error;
        // One capitalisation: after "meridel-list: " every message begins in lower case.
        EXPECT_FALSE(std::isupper(static_cast<unsigned char>(error.at(0)))) << error;
    }
}

}  // namespace
}  // namespace meridel
