#include "calendar/date_text.h"

namespace meridel {

std::int32_t DayNumberFromDate(EuroDate& date) { return euro_date_to_jdn(date); }

void DateFromDayNumber(EuroDate& date) { jdn_to_euro_date(date); }

std::string SeparateThousands(const std::string& number, const std::string& separator) {
    if (separator.empty()) return number;
    char buffer[21];
    separate_thousands(number.c_str(), static_cast<unsigned char>(separator[0]), buffer, sizeof buffer);
    return buffer;
}

namespace {

EuroDate DateOf(std::int32_t day) {
    EuroDate date;
    date.DayNumber = day;
    DateFromDayNumber(date);
    return date;
}

std::string twoDigits(std::int32_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string YearText(std::int32_t year, const std::string& thousands) {
    std::string y = std::to_string(year);
    if (year > 9999 || year < -9999) y = SeparateThousands(y, thousands);
    return y;
}

}  // namespace

std::string ShortDateText(std::int32_t day, std::int16_t style, const std::string& separator,
                          const std::string& thousands, bool appendEra) {
    EuroDate date = DateOf(day);
    std::string d = twoDigits(date.Day);
    std::string m = twoDigits(date.Month);
    std::string y = YearText(date.Year, thousands);
    std::string text;
    if (style == 2) {
        text = y + separator + m + separator + d;
    } else if (style == 1) {
        text = d + separator + m + separator + y;
    } else {
        text = m + separator + d + separator + y;
    }
    if (appendEra) text += " CE";
    return text;
}

std::string LongDateText(std::int32_t day) {
    EuroDate date = DateOf(day);
    return MonthNames[date.Month] + " " + std::to_string(date.Day) + ", " + YearText(date.Year, ",");
}

std::string MonthNameDateText(std::int32_t day) {
    EuroDate date = DateOf(day);
    const std::string& name = MonthNames[date.Month];
    const std::string& month = name.size() <= 5 ? name : MonthAbbreviations[date.Month];
    return month + " " + std::to_string(date.Day) + ", " + std::to_string(date.Year);
}

}  // namespace meridel
