// Date texts of day numbers, and the wrappers of the calendar library's date conversions.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calendar/daycount.h"

namespace meridel {

// Indexed 1..12 by month; entry 0 is empty.
inline const std::array<std::string, 13> MonthNames{"",     "January", "February",  "March",   "April",
                                                    "May",  "June",    "July",      "August",  "September",
                                                    "October", "November", "December"};
inline const std::array<std::string, 13> MonthAbbreviations{"",     "Jan.", "Feb.", "Mar.",  "Apr.", "May", "June",
                                                            "July", "Aug.", "Sept.", "Oct.", "Nov.", "Dec."};

// Day number of the record's Year/Month/Day; sets the record's Valid (and DayNumber when valid).
std::int32_t DayNumberFromDate(EuroDate& date);
// Fills the record's Year/Month/Day from its DayNumber.
void DateFromDayNumber(EuroDate& date);

// Numeric date of a day number. style 2: Y-M-D, 1: D-M-Y, other: M-D-Y; day and month two
// digits, the year without leading zeros (grouped by thousands beyond +-9999). appendEra adds " CE".
// ShortDateText(2451545, 2, "-", ",", false) == "2000-01-01".
std::string ShortDateText(std::int32_t day, std::int16_t style, const std::string& separator,
                          const std::string& thousands, bool appendEra);
// "January 1, 2000".
std::string LongDateText(std::int32_t day);
// "Jan. 1, 2000"; month names of up to five letters stay whole ("March 5, 2010").
std::string MonthNameDateText(std::int32_t day);
// Groups the digits of a decimal text; an empty separator returns the text unchanged.
std::string SeparateThousands(const std::string& number, const std::string& separator);

}  // namespace meridel
