// The output box without a window: the runs it holds. (Its separation of runs is pinned by the
// golden all-planets listings; its limit is met by the window's box and by meridel-list
// --box-limit; a run that does not append takes the runs away with the text in the window's
// show-all tests.)
#include <gtest/gtest.h>

#include "transits/output_box.h"

namespace meridel {
namespace {

// The window's box (one with a limit) tells which runs the text still shows: one edited or
// deleted by hand drops out of what is exported and drawn, and a box emptied by hand holds none.
TEST(OutputBoxTest, RunsWhoseTextIsGoneDropOut) {
    StringOutput text;
    OutputBox box(text, OutputBox::kWindowLimit);
    auto run = [&](const std::string& line, std::int32_t day) {
        box.BeginRun(true);
        box.AppendLine(line);
        RunRecord record;
        record.request.StartDay = day;
        box.AddRun(record);
    };
    auto shown = [&box](const std::string& boxText) {
        std::string days;
        for (const RunRecord& r : box.RunsShownIn(boxText)) days += std::to_string(r.request.StartDay);
        return days;
    };
    run("first", 1);
    run("second", 2);
    run("first", 3);
    EXPECT_EQ(shown(text.Text()), "123");
    std::string edited = text.Text();
    edited.replace(edited.find("second"), 6, "secund");
    EXPECT_EQ(shown(edited), "13");
    EXPECT_EQ(shown(edited.substr(0, edited.find("secund"))), "1") << "the same text twice is two runs";
    EXPECT_EQ(shown(""), "");

    text.Clear();  // selected and deleted in the window
    run("fourth", 4);
    EXPECT_EQ(box.Runs().size(), 1u);
    EXPECT_EQ(text.Text(), "fourth\r\n");
}

}  // namespace
}  // namespace meridel
