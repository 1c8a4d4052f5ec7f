#include <gtest/gtest.h>

#include <limits>

#include "calendar/clock.h"
#include "calendar/daycount.h"

using namespace meridel;

namespace {

EuroDate makeDate(std::int32_t y, std::int32_t m, std::int32_t d) {
    EuroDate e;
    e.Year = y;
    e.Month = m;
    e.Day = d;
    return e;
}

}  // namespace

// Known day numbers, including the limits the date checks use.
TEST(DayNumbers, KnownDates) {
    struct Case { int y, m, d; std::int32_t jdn; } cases[] = {
        {2000, 1, 1, 2451545}, {1, 1, 1, 1721426}, {0, 12, 31, 1721425}, {2800, 1, 1, 2743739},
        {2799, 12, 31, 2743738}, {1600, 1, 1, 2305448}, {2099, 12, 31, 2488069}, {1582, 10, 15, 2299161},
        {1582, 10, 4, 2299150}, {1858, 11, 17, 2400001}, {800, 3, 1, 2013314}, {2022, 9, 22, 2459845},
    };
    for (const auto& c : cases) {
        EuroDate e = makeDate(c.y, c.m, c.d);
        EXPECT_EQ(euro_date_to_jdn(e), c.jdn) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_NE(e.Valid, 0);
        EXPECT_EQ(e.DayNumber, c.jdn);
    }
}

// Every day of years 1 to 2800 converts both ways without loss, in sequence.
TEST(DayNumbers, RoundTripEveryDay) {
    EuroDate first = makeDate(1, 1, 1);
    std::int32_t start = euro_date_to_jdn(first);
    EuroDate last = makeDate(2800, 12, 31);
    std::int32_t end = euro_date_to_jdn(last);
    int previousYear = 1, previousMonth = 1, previousDay = 0;
    for (std::int32_t n = start; n <= end; ++n) {
        EuroDate e;
        e.DayNumber = n;
        jdn_to_euro_date(e);
        bool nextDay = (e.Year == previousYear && e.Month == previousMonth && e.Day == previousDay + 1) ||
                       (e.Day == 1 && ((e.Month == previousMonth + 1 && e.Year == previousYear) ||
                                       (e.Month == 1 && previousMonth == 12 && e.Year == previousYear + 1)));
        ASSERT_TRUE(nextDay) << n;
        EuroDate back = makeDate(e.Year, e.Month, e.Day);
        ASSERT_EQ(euro_date_to_jdn(back), n);
        previousYear = e.Year;
        previousMonth = e.Month;
        previousDay = e.Day;
    }
}

TEST(DayNumbers, DatesThatDoNotExistAreInvalid) {
    struct Case { int y, m, d; } cases[] = {
        {2022, 9, 31}, {2023, 2, 29}, {1900, 2, 29}, {2022, 13, 1}, {2022, 0, 10}, {2022, 5, 0}, {2022, 1, 32},
    };
    for (const auto& c : cases) {
        EuroDate e = makeDate(c.y, c.m, c.d);
        e.DayNumber = 12345;
        euro_date_to_jdn(e);
        EXPECT_EQ(e.Valid, 0) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(e.DayNumber, 12345);
    }
    EuroDate leap = makeDate(2000, 2, 29);
    euro_date_to_jdn(leap);
    EXPECT_NE(leap.Valid, 0);
}

// The year of a moment is that of the Greenwich civil day containing it.
TEST(DayNumbers, YearOfMoment) {
    std::int32_t y, o1, o2, o3;
    juldat(2451544.5, "A", y, o1, o2, o3);  // 2000-01-01 00:00 UT
    EXPECT_EQ(y, 2000);
    juldat(2451544.4999, "A", y, o1, o2, o3);  // 1999-12-31 23:59 UT
    EXPECT_EQ(y, 1999);
    juldat(1721425.6, "A", y, o1, o2, o3);  // 1 January 1 CE
    EXPECT_EQ(y, 1);
    juldat(std::numeric_limits<double>::quiet_NaN(), "A", y, o1, o2, o3);
    EXPECT_EQ(y, 0);
}

TEST(DayNumbers, TimezoneComesFromTheClock) {
    FixedClock india(2026, -19800);
    const Clock* previous = setClock(&india);
    EXPECT_EQ(get_timezone(), -19800);
    EXPECT_EQ(activeClock().currentYear(), 2026);
    setClock(previous);
}

TEST(DayNumbers, SeparateThousandsFitsTheBuffer) {
    char buffer[21];
    separate_thousands("1234567", ',', buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "1,234,567");
    separate_thousands("-12345", '.', buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "-12.345");
    separate_thousands("999", ',', buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "999");
    char small[5];
    separate_thousands("1234567", ',', small, sizeof small);
    EXPECT_STREQ(small, "1,23");
}
