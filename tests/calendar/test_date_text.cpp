#include <gtest/gtest.h>

#include "calendar/date_text.h"

using namespace meridel;

class DateText : public ::testing::Test {
protected:
    void SetUp() override { InitDateTables(); }
};

TEST_F(DateText, ShortDates) {
    EXPECT_EQ(ShortDateText(2451545, 2, "-", ",", false), "2000-01-01");
    EXPECT_EQ(ShortDateText(2451545, 2, "-", ",", true), "2000-01-01 CE");
    EXPECT_EQ(ShortDateText(2013314, 2, "-", ",", false), "800-03-01");
    EXPECT_EQ(ShortDateText(2459936, 1, ".", ",", false), "22.12.2022");
    EXPECT_EQ(ShortDateText(2459936, 0, "-", ",", false), "12-22-2022");
    EXPECT_EQ(ShortDateText(1721426, 2, "-", ",", false), "1-01-01");
}

TEST_F(DateText, LongAndMonthNameDates) {
    EXPECT_EQ(LongDateText(2451545), "January 1, 2000");
    EXPECT_EQ(LongDateText(2459845), "September 22, 2022");
    EXPECT_EQ(MonthNameDateText(2459845), "Sept. 22, 2022");
    EXPECT_EQ(MonthNameDateText(2455261), "March 5, 2010");
    EXPECT_EQ(MonthNameDateText(2451545), "Jan. 1, 2000");
    // Names of up to five letters stay whole.
    EuroDate may{2010, 5, 9, kGregorianCalendar, 0, 0}, june{2010, 6, 9, kGregorianCalendar, 0, 0},
        july{2010, 7, 9, kGregorianCalendar, 0, 0};
    EXPECT_EQ(MonthNameDateText(DayNumberFromDate(may)), "May 9, 2010");
    EXPECT_EQ(MonthNameDateText(DayNumberFromDate(june)), "June 9, 2010");
    EXPECT_EQ(MonthNameDateText(DayNumberFromDate(july)), "July 9, 2010");
}

TEST_F(DateText, SeparateThousands) {
    EXPECT_EQ(SeparateThousands("12345", ""), "12345");
    EXPECT_EQ(SeparateThousands("12345", ","), "12,345");
    EXPECT_EQ(SeparateThousands("123", ","), "123");
}
