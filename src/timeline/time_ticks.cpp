#include "timeline/time_ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "calendar/daycount.h"

namespace meridel {

namespace {

enum class Unit { Day, Month, Year };

// One way of placing the minor row: ticks on these days of the month, these months, or years
// divisible by `every`. `shortest` is the fewest days between two of its ticks.
struct Choice {
    Unit unit;
    std::vector<int> at;  // days of the month, or months
    int every;            // years
    double shortest;
};

const char* const kMonths[13] = {"", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::vector<int> Range(int first, int last, int step) {
    std::vector<int> values;
    for (int v = first; v <= last; v += step) values.push_back(v);
    return values;
}

const std::vector<Choice>& Choices() {
    static const std::vector<Choice> choices = {
        {Unit::Day, Range(1, 31, 1), 0, 1},         {Unit::Day, Range(1, 27, 2), 0, 2},
        {Unit::Day, Range(1, 26, 5), 0, 3},         {Unit::Day, {1, 11, 21}, 0, 8},
        {Unit::Month, Range(1, 12, 1), 0, 28},      {Unit::Month, Range(1, 11, 2), 0, 59},
        {Unit::Month, {1, 4, 7, 10}, 0, 89},        {Unit::Month, {1, 7}, 0, 181},
        {Unit::Year, {}, 1, 365},                   {Unit::Year, {}, 2, 730},
        {Unit::Year, {}, 5, 1826},                  {Unit::Year, {}, 10, 3652},
        {Unit::Year, {}, 20, 7305},                 {Unit::Year, {}, 50, 18262},
        {Unit::Year, {}, 100, 36524},               {Unit::Year, {}, 200, 73048},
        {Unit::Year, {}, 500, 182621},
    };
    return choices;
}

std::int32_t DayNumber(int year, int month, int day) {
    EuroDate d{year, month, day};
    return euro_date_to_jdn(d);
}

EuroDate LocalDate(double moment, int zoneMinutes) {
    EuroDate d;
    d.DayNumber = static_cast<std::int32_t>(std::floor(moment + 0.5 + zoneMinutes / 1440.0));
    jdn_to_euro_date(d);
    return d;
}

// The ticks of a choice (minor row) or of the unit above it (major row) within start..end.
std::vector<TimeTick> Ticks(const Choice& c, bool major, double start, double end, int zone) {
    std::vector<TimeTick> ticks;
    const EuroDate first = LocalDate(start, zone);
    const Unit unit = major ? (c.unit == Unit::Day ? Unit::Month : Unit::Year) : c.unit;
    auto add = [&](std::int32_t day, std::string label) {
        const double moment = LocalMidnight(day, zone);
        if (moment >= start - 1e-9 && moment <= end + 1e-9) ticks.push_back({moment, std::move(label)});
    };
    if (unit == Unit::Year) {
        const int every = major ? 1 : c.every;
        int year = first.Year - ((first.Year % every) + every) % every;
        for (; LocalMidnight(DayNumber(year, 1, 1), zone) <= end; year += every) {
            add(DayNumber(year, 1, 1), std::to_string(year));
        }
        return ticks;
    }
    for (int year = first.Year, month = first.Month; LocalMidnight(DayNumber(year, month, 1), zone) <= end;) {
        if (unit == Unit::Month) {
            bool listed = major;
            for (int m : c.at) listed = listed || m == month;
            if (listed) add(DayNumber(year, month, 1), major ? kMonths[month] + (" " + std::to_string(year)) : kMonths[month]);
        } else {
            for (int day : c.at) {
                EuroDate d{year, month, day};
                const std::int32_t number = euro_date_to_jdn(d);
                if (d.Valid) add(number, std::to_string(day));
            }
        }
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return ticks;
}

// The widest label a choice can write within start..end.
double WidestLabel(const Choice& c, double start, double end, int zone, const TextWidth& width) {
    double widest = 0;
    switch (c.unit) {
        case Unit::Day:
            for (int day : c.at) widest = std::max(widest, width(std::to_string(day)));
            break;
        case Unit::Month:
            for (int month : c.at) widest = std::max(widest, width(kMonths[month]));
            break;
        case Unit::Year:
            for (double moment : {start, end}) widest = std::max(widest, width(std::to_string(LocalDate(moment, zone).Year)));
            break;
    }
    return widest;
}

}  // namespace

TimeTicks ChooseTimeTicks(double start, double end, int zoneMinutes, double pixelsPerDay, const TextWidth& width,
                          double gap, double from, double to) {
    TimeTicks out;
    from = std::max(from, start);
    to = std::min(to, end);
    if (!(end > start) || !(pixelsPerDay > 0) || !(to >= from)) return out;
    const Choice* chosen = &Choices().back();
    for (const Choice& c : Choices()) {
        // Every label of the row clears the next tick, even the widest before the closest tick.
        if (c.shortest * pixelsPerDay < WidestLabel(c, start, end, zoneMinutes, width) + gap) continue;
        chosen = &c;
        break;
    }
    out.minor = Ticks(*chosen, false, from, to, zoneMinutes);
    // Years are named on the minor row; days and months on it have the unit above them named on
    // the major row, also at the period's start when that unit began before it and there is room
    // before its next tick.
    if (chosen->unit == Unit::Year) return out;
    out.major = Ticks(*chosen, true, from, to, zoneMinutes);
    if (from > start + 1e-9) return out;
    if (out.major.empty() || out.major.front().moment > start + 1e-9) {
        const EuroDate first = LocalDate(start, zoneMinutes);
        const std::string label = chosen->unit == Unit::Day
                                      ? std::string(kMonths[first.Month]) + " " + std::to_string(first.Year)
                                      : std::to_string(first.Year);
        const double room = out.major.empty() ? to - start : out.major.front().moment - start;
        if (room * pixelsPerDay >= width(label) + gap) out.major.insert(out.major.begin(), {start, label});
    }
    return out;
}

}  // namespace meridel
