#include <gtest/gtest.h>

#include "calendar/str_proc.h"

using namespace meridel;

TEST(StrProc, CleanNumberText) {
    EXPECT_EQ(CleanNumberText("12a3", false, false), "123");
    EXPECT_EQ(CleanNumberText("-5", false, false), "5");
    EXPECT_EQ(CleanNumberText("-5", true, false), "-5");
    EXPECT_EQ(CleanNumberText("5-3", true, true), "53");
    EXPECT_EQ(CleanNumberText("+-7", true, true), "+7");
    EXPECT_EQ(CleanNumberText("+7", true, false), "7");
    EXPECT_EQ(CleanNumberText("", false, false), "");
    EXPECT_EQ(CleanNumberText("abc", false, false), "");
}

TEST(StrProc, TrimAndFind) {
    EXPECT_EQ(TrimLeadingChars("0042", "0"), "42");
    EXPECT_EQ(TrimLeadingChars("000", "0"), "");
    EXPECT_EQ(TrimLeadingChars("400", "0"), "400");
    EXPECT_EQ(TrimLeadingChars("0042", ""), "0042");
    EXPECT_EQ(FindFirstNotInSet("abc", 0, "a"), 2);
    EXPECT_EQ(FindFirstNotInSet("abc", 3, "a"), 3);
    EXPECT_EQ(FindFirstNotInSet("abc", 0, ""), 1);
    EXPECT_EQ(FindFirstNotInSet("", 1, "a"), 0);
    EXPECT_EQ(FindFirstNotInSet("aaa", 1, "a"), 0);
    EXPECT_EQ(KeepOnlyChars("a1b2c3", "123"), "123");
}

TEST(StrProc, SafeLeftAndStrip) {
    EXPECT_EQ(SafeLeft("abc", 0), "");
    EXPECT_EQ(SafeLeft("abc", -3), "");
    EXPECT_EQ(SafeLeft("abc", 2), "ab");
    EXPECT_EQ(SafeLeft("abc", 5), "abc");
    std::string text = std::string("value \r\n\t") + '\0';
    StripTrailingControlChars(text);
    EXPECT_EQ(text, "value ");
    std::string empty;
    StripTrailingControlChars(empty);
    EXPECT_EQ(empty, "");
}
