#include <gtest/gtest.h>

#include "calendar/date_text.h"
#include "calendar/str_proc.h"

using namespace meridel;

// Every caller asks for year-month-day with "-" and no era.
TEST(DateText, ShortLongAndMonthNameDates) {
    InitDateTables();
    EXPECT_EQ(ShortDateText(2013314, 2, "-", ",", false), "800-03-01");
    EXPECT_EQ(ShortDateText(1721426, 2, "-", ",", false), "1-01-01");
    EXPECT_EQ(LongDateText(2459845), "September 22, 2022");
    EXPECT_EQ(MonthNameDateText(2459845), "Sept. 22, 2022");
    EXPECT_EQ(MonthNameDateText(2455261), "March 5, 2010");
    // Names of up to five letters stay whole.
    for (auto [month, name] : {std::pair{5, "May"}, {6, "June"}, {7, "July"}}) {
        EuroDate date{2010, month, 9, kGregorianCalendar, 0, 0};
        EXPECT_EQ(MonthNameDateText(DayNumberFromDate(date)), std::string(name) + " 9, 2010");
    }
}

TEST(StrProc, CleanNumberText) {
    EXPECT_EQ(CleanNumberText("12a3", false, false), "123");
    EXPECT_EQ(CleanNumberText("-5", false, false), "5");
    EXPECT_EQ(CleanNumberText("-5", true, false), "-5");
    EXPECT_EQ(CleanNumberText("5-3", true, true), "53");
    EXPECT_EQ(CleanNumberText("+-7", true, true), "+7");
    EXPECT_EQ(CleanNumberText("+7", true, false), "7");
    EXPECT_EQ(CleanNumberText("abc", false, false), "");
}

// The helpers the cleaning functions are built on are proved through them.
TEST(StrProc, TrimAndStrip) {
    EXPECT_EQ(TrimLeadingChars("0042", "0") + "|" + TrimLeadingChars("000", "0") + "|" + TrimLeadingChars("400", "0"),
              "42||400");
    EXPECT_EQ(TrimLeadingChars("0042", ""), "0042");
    std::string text = std::string("value \r\n\t") + '\0', empty;
    StripTrailingControlChars(text);
    StripTrailingControlChars(empty);
    EXPECT_EQ(text + "|" + empty, "value |");
}
