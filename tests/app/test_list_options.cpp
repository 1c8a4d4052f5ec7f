// meridel-list's command line: what it takes, what it refuses as a usage error.
#include <gtest/gtest.h>

#include "app/list_options.h"

namespace meridel {
namespace {

std::optional<ListOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string message;
    auto options = ParseListArguments(args, message);
    if (error) *error = message;
    return options;
}

// The rest of a whole request shows in the end-to-end listings' headings and rows.
TEST(ListOptionsTest, AWholeRequest) {
    const auto o = Parse({"--personal", "--sidereal", "--planet1", "Saturn", "--planet2", "Moon", "--start", "800-3-1",
                          "--end", "2024-12-31", "--orbs", "8,5,3", "--tz", "EST/CDT", "--na-abbr", "--birth",
                          "1975-03-02", "--birth-time", "06:35", "--birth-tz", "GMT-5:00", "--box-limit"});
    ASSERT_TRUE(o);
    EXPECT_FALSE(o->isWorld());
    EXPECT_EQ(o->start.year + "|" + o->start.month + "|" + o->start.day, "800|3|1");

    // The mode follows --birth when neither is named; a search needs no start date.
    const auto search = Parse({"--planet1", "Mars", "--planet2", "Jupiter", "--end", "2024-12-31", "--search",
                               "square", "--no-keep-dates"});
    ASSERT_TRUE(search);
    EXPECT_TRUE(search->isWorld());
    EXPECT_EQ(*search->searchAspect, "square");
    EXPECT_FALSE(search->keepDates);
    EXPECT_TRUE(Parse({"--help"})->help);
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
             {with({"--personal"}), "Personal mode needs"},
             {with({"--all-planets", "2"}), "takes 0 or 1"},
             {with({"--search", "trine", "--all-planets", "0"}), "exclude each other"},
             {with({"--no-keep-dates"}), "goes with --search"},
             {with({"--tz"}), "needs a zone"},
             {with({"--frobnicate"}), "unknown argument"}}) {
        std::string error;
        EXPECT_FALSE(Parse(args, &error)) << fragment;
        EXPECT_NE(error.find(fragment), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace meridel
