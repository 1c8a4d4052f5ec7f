#include "calendar/daycount.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "calendar/clock.h"

namespace meridel {

namespace {

// Floor division: the calendar arithmetic must hold for negative years too.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

bool isLeapYear(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(std::int64_t y, std::int32_t m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && isLeapYear(y)) ? 29 : days[m - 1];
}

std::int64_t gregorianToDayNumber(std::int64_t y, std::int64_t m, std::int64_t d) {
    std::int64_t a = floorDiv(14 - m, 12);
    std::int64_t yy = y + 4800 - a;
    std::int64_t mm = m + 12 * a - 3;
    return d + floorDiv(153 * mm + 2, 5) + 365 * yy + floorDiv(yy, 4) - floorDiv(yy, 100) +
           floorDiv(yy, 400) - 32045;
}

void DayNumberToGregorian(std::int64_t jdn, std::int64_t& y, std::int64_t& m, std::int64_t& d) {
    std::int64_t a = jdn + 32044;
    std::int64_t b = floorDiv(4 * a + 3, 146097);
    std::int64_t c = a - floorDiv(146097 * b, 4);
    std::int64_t dd = floorDiv(4 * c + 3, 1461);
    std::int64_t e = c - floorDiv(1461 * dd, 4);
    std::int64_t mm = floorDiv(5 * e + 2, 153);
    d = e - floorDiv(153 * mm + 2, 5) + 1;
    m = mm + 3 - 12 * floorDiv(mm, 10);
    y = 100 * b + dd - 4800 + floorDiv(mm, 10);
}

}  // namespace

std::int32_t euro_date_to_jdn(EuroDate& date) {
    date.Valid = 0;
    if (date.Month < 1 || date.Month > 12 || date.Day < 1 || date.Day > DaysInMonth(date.Year, date.Month)) {
        return 0;
    }
    std::int64_t jdn = gregorianToDayNumber(date.Year, date.Month, date.Day);
    if (jdn < INT32_MIN || jdn > INT32_MAX) return 0;
    date.DayNumber = static_cast<std::int32_t>(jdn);
    date.Valid = 1;
    return date.DayNumber;
}

void jdn_to_euro_date(EuroDate& date) {
    std::int64_t y, m, d;
    DayNumberToGregorian(date.DayNumber, y, m, d);
    date.Year = static_cast<std::int32_t>(y);
    date.Month = static_cast<std::int32_t>(m);
    date.Day = static_cast<std::int32_t>(d);
    date.Valid = 1;
}

void juldat(double moment, const char* /*code*/, std::int32_t& year, std::int32_t& o1, std::int32_t& o2,
            std::int32_t& o3) {
    year = o1 = o2 = o3 = 0;
    // Outside the 32-bit day numbers there is no civil date to name.
    double day = std::floor(moment + 0.5);
    if (!(day >= INT32_MIN && day <= INT32_MAX)) return;
    EuroDate date;
    date.DayNumber = static_cast<std::int32_t>(day);
    jdn_to_euro_date(date);
    year = date.Year;
    o1 = date.Month;
    o2 = date.Day;
}

std::int32_t get_timezone() { return ActiveClock().LocalOffsetSecondsWest(); }

void separate_thousands(const char* number, std::int32_t separator, char* buffer, std::size_t bufferSize) {
    if (bufferSize == 0) return;
    std::string text = number ? number : "";
    std::string sign;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        sign = text.substr(0, 1);
        text.erase(0, 1);
    }
    std::string grouped;
    int count = 0;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        if (count > 0 && count % 3 == 0) grouped.insert(grouped.begin(), static_cast<char>(separator));
        grouped.insert(grouped.begin(), *it);
        ++count;
    }
    grouped = sign + grouped;
    std::size_t n = std::min(grouped.size(), bufferSize - 1);
    std::memcpy(buffer, grouped.data(), n);
    buffer[n] = '\0';
}

}  // namespace meridel
