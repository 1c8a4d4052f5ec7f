// The output box without a window: its limit, line ends counted as two characters, the
// separation of runs, and the runs it holds.
#include <gtest/gtest.h>

#include "dialogs/dialogs.h"
#include "transits/output_box.h"

namespace meridel {
namespace {

TEST(OutputBoxTest, LimitCountsLineEndsAsTwoCharactersAndTellsOnce) {
    RecordingDialogs shown;
    Dialogs* previous = setDialogs(&shown);
    StringOutput text;
    OutputBox box(text, OutputBox::kWindowLimit);
    box.Append(std::string(63996, 'x') + "\xC2\xB0\r\n");  // a degree sign is one character
    EXPECT_EQ(text.Length(), 63999u);
    EXPECT_TRUE(box.WriteRow("r", "Meridel")) << "at 63999 a row is still taken";
    EXPECT_EQ(text.Length(), 64002u);
    EXPECT_FALSE(box.WriteRow("row", "Meridel"));
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].text + "|" + shown.messages[0].title, "Output textbox is full.|Meridel");
    EXPECT_EQ(text.Text().substr(text.Text().size() - 22), "r\r\nTextbox is full -- ");

    // Without a limit nothing is refused.
    StringOutput whole;
    OutputBox unlimited(whole, std::nullopt);
    unlimited.Append(std::string(70000, 'x'));
    EXPECT_TRUE(unlimited.WriteRow("row", "Meridel"));
    setDialogs(previous);
}

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
