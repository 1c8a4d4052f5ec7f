#include <gtest/gtest.h>

#include "calendar/date_text.h"

using namespace meridel;

// Every caller asks for year-month-day with "-" and no era.
TEST(DateText, ShortLongAndMonthNameDates) {
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
