#include <gtest/gtest.h>

#include "calendar/date_text.h"

using namespace meridel;

// Known day numbers, including the limits the date checks use; a date that does not exist (day
// number 0 below) is invalid and leaves the day number as it was.
TEST(DayNumbers, KnownAndInvalidDates) {
    struct Case { int y, m, d; std::int32_t jdn; } cases[] = {
        {2000, 1, 1, 2451545}, {1, 1, 1, 1721426}, {0, 12, 31, 1721425}, {2800, 1, 1, 2743739},
        {2799, 12, 31, 2743738}, {1600, 1, 1, 2305448}, {2099, 12, 31, 2488069}, {1582, 10, 15, 2299161},
        {1582, 10, 4, 2299150}, {1858, 11, 17, 2400001}, {800, 3, 1, 2013314}, {2022, 9, 22, 2459845},
        {2000, 2, 29, 2451604}, {2022, 9, 31, 0}, {2023, 2, 29, 0}, {1900, 2, 29, 0}, {2022, 13, 1, 0},
        {2022, 0, 10, 0}, {2022, 5, 0, 0}, {2022, 1, 32, 0},
    };
    for (const auto& c : cases) {
        EuroDate e{c.y, c.m, c.d, kGregorianCalendar, 12345};
        const std::int32_t jdn = euro_date_to_jdn(e);
        EXPECT_EQ(e.Valid != 0 ? jdn : 0, c.jdn) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(e.DayNumber, c.jdn != 0 ? c.jdn : 12345);
    }
}

// Every day of years 1 to 2800 converts both ways without loss, in sequence.
TEST(DayNumbers, RoundTripEveryDay) {
    EuroDate first{1, 1, 1}, last{2800, 12, 31}, previous{1, 1, 0};
    for (std::int32_t n = euro_date_to_jdn(first); n <= euro_date_to_jdn(last); ++n) {
        EuroDate e;
        e.DayNumber = n;
        jdn_to_euro_date(e);
        const bool nextDay = (e.Year == previous.Year && e.Month == previous.Month && e.Day == previous.Day + 1) ||
                             (e.Day == 1 && ((e.Month == previous.Month + 1 && e.Year == previous.Year) ||
                                             (e.Month == 1 && previous.Month == 12 && e.Year == previous.Year + 1)));
        ASSERT_TRUE(nextDay) << n;
        EuroDate back{e.Year, e.Month, e.Day};
        ASSERT_EQ(euro_date_to_jdn(back), n);
        previous = e;
    }
}

// A World listing may run from year 1. (The headings' month-name and long dates, and the short
// dates of later years, are the golden listings'.)
TEST(DateText, AYearBefore1000IsNotPadded) {
    EXPECT_EQ(ShortDateText(2013314, 2, "-", ",", false), "800-03-01");
}
