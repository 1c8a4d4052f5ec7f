// The output box without a window: the separation of runs, and the runs it holds. (Its limit is
// met by the window's box and by meridel-list --box-limit.)
#include <gtest/gtest.h>

#include "transits/output_box.h"

namespace meridel {
namespace {

TEST(OutputBoxTest, RunsAreSeparatedOrTheBoxEmptied) {
    StringOutput text;
    OutputBox box(text, std::nullopt);
    box.BeginRun(true);
    EXPECT_TRUE(box.Empty()) << "an empty box is not separated";
    box.AppendLine("first");
    box.AddRun(RunRecord{});
    box.BeginRun(true);
    EXPECT_EQ(text.Text(), "first\r\n\r\n" + std::string(119, '-') + "\r\n");
    EXPECT_EQ(box.Runs().size(), 1u);
    box.BeginRun(false);
    EXPECT_TRUE(box.Empty());
    EXPECT_TRUE(box.Runs().empty()) << "the runs go with the text";
}

}  // namespace
}  // namespace meridel
