// Calendar library: proleptic Gregorian day numbers, the year of a moment, the local time zone
// and digit grouping. Day numbers are Julian day numbers of civil dates (2000-01-01 is 2451545);
// midnight at Greenwich at the start of day d is the moment d - 0.5.
#pragma once

#include <cstddef>
#include <cstdint>

namespace meridel {

inline constexpr std::int32_t kGregorianCalendar = 71;  // 'G'

struct EuroDate {
    std::int32_t Year = 0;
    std::int32_t Month = 0;  // 1..12
    std::int32_t Day = 0;
    std::int32_t Calendar = kGregorianCalendar;
    std::int32_t DayNumber = 0;
    std::int32_t Valid = 0;  // non-zero when the date exists
};

// The moment (universal time) of local midnight at the start of day `day` in a zone `zoneMinutes`
// east of Greenwich.
inline double LocalMidnight(std::int32_t day, int zoneMinutes) { return day - 0.5 - zoneMinutes / 1440.0; }

// Day number of Year/Month/Day in the proleptic Gregorian calendar (astronomical years: 0 is
// 1 BCE). Sets Valid to 1 when the date exists, 0 otherwise (for example 31 September); for a
// date that does not exist the result is 0 and DayNumber is left unchanged.
std::int32_t euro_date_to_jdn(EuroDate& date);

// Fills Year, Month and Day from DayNumber (proleptic Gregorian). Valid becomes 1.
void jdn_to_euro_date(EuroDate& date);

// Calendar year of the civil (Greenwich) day that contains the moment: the year of day number
// floor(moment + 0.5). code is "A"; o1, o2, o3 receive month, day and 0.
void juldat(double moment, const char* code, std::int32_t& year, std::int32_t& o1, std::int32_t& o2,
            std::int32_t& o3);

// The computer's offset from Greenwich now, in seconds, positive WEST (UTC+1 gives -3600),
// read through the clock interface (calendar/clock.h).
std::int32_t get_timezone();

// Writes number (decimal text, optional leading '-') into buffer with its digits grouped in
// threes by the character with code separator, zero-terminated. bufferSize counts the whole
// buffer; a result that does not fit is cut, always leaving the terminating zero.
void separate_thousands(const char* number, std::int32_t separator, char* buffer, std::size_t bufferSize);

}  // namespace meridel
