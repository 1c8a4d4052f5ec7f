#include "request/date_checks.h"

#include <algorithm>

#include "calendar/date_text.h"
#include "calendar/str_proc.h"
#include "ephemeris/planet_longitude.h"
#include "request/choices.h"

namespace meridel {

namespace {

constexpr std::int32_t kFirstDay = 1721426;       // 1 January 1 CE
constexpr std::int32_t kFirstBirthDay = 2305448;  // 1 January 1600
constexpr std::int32_t kLastDay = 2743738;        // 31 December 2799

// Larger than any year, month or day the boxes can hold when typed, and small enough that the
// day number of such a date stays within 32 bits.
constexpr std::int32_t kNumberCap = 999999;

constexpr const char* kOrbTitle = "Orb values";

EuroDate DateOf(const DateFields& fields) {
    EuroDate date;
    date.Calendar = kGregorianCalendar;
    date.Year = BoxNumber(fields.year);
    date.Month = BoxNumber(fields.month);
    date.Day = BoxNumber(fields.day);
    DayNumberFromDate(date);
    return date;
}

// Text typed into an editable list that chose none of its entries.
bool TypedTextNamesNoEntry(int position, const std::string& typed) {
    return position < 0 && typed.find_first_not_of(' ') != std::string::npos;
}

}  // namespace

std::string CleanedBox(const std::string& text) { return CleanNumberText(text, false, false); }

std::int32_t BoxNumber(const std::string& text) {
    std::int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min(kNumberCap, value * 10 + (c - '0'));
    }
    return value;
}

std::string DateLabel(const EuroDate& date) {
    if (!date.Valid) return "invalid date";
    return MonthNames[date.Month] + " " + std::to_string(date.Day) + ", " + std::to_string(date.Year) + " CE";
}

DateRowView ViewDateRow(const DateFields& fields) {
    DateRowView view{{CleanedBox(fields.year), CleanedBox(fields.month), CleanedBox(fields.day)}, "", std::nullopt};
    if (view.cleaned.year.empty() || view.cleaned.month.empty() || view.cleaned.day.empty()) return view;
    const EuroDate date = DateOf(view.cleaned);
    view.day = date.DayNumber;
    view.label = DateLabel(date);
    return view;
}

DateChecks::DateChecks(const RequestInput& input, TransitRequest& request, FieldUpdates& updates)
    : input_(input), request_(request), updates_(updates), dates_(input.dates), title_(input.RunCaption()) {}

Refusal DateChecks::Refuse(const std::string& text, MessageIcon icon, const std::string& title, Field field,
                           int row) const {
    return Refusal{{Message{text, icon, title}}, field, row};
}

void DateChecks::Clean(int row, std::string DateFields::* box) {
    std::string& text = dates_[static_cast<std::size_t>(row)].*box;
    const std::string cleaned = CleanedBox(text);
    if (cleaned == text) return;
    text = cleaned;
    updates_.dates[static_cast<std::size_t>(row)] = dates_[static_cast<std::size_t>(row)];
}

std::optional<Field> DateChecks::FirstEmptyBox(int row) {
    for (const auto& [box, field] : {std::pair{&DateFields::year, Field::Year}, std::pair{&DateFields::month, Field::Month},
                                     std::pair{&DateFields::day, Field::Day}}) {
        Clean(row, box);
        if ((dates_[static_cast<std::size_t>(row)].*box).empty()) return field;
    }
    return std::nullopt;
}

std::optional<Refusal> DateChecks::FieldsFilled(int row) {
    const auto empty = FirstEmptyBox(row);
    if (!empty) return std::nullopt;
    const char* what = *empty == Field::Year ? " year." : *empty == Field::Month ? " month." : " day.";
    return Refuse(std::string("Please specify ") + (row == kStartRow ? "start" : "end") + what, MessageIcon::None,
                  title_, *empty, row);
}

std::optional<Refusal> DateChecks::BirthFieldsFilled() {
    const auto empty = FirstEmptyBox(kBirthRow);
    if (!empty) return std::nullopt;
    const char* what = *empty == Field::Year ? "year" : *empty == Field::Month ? "month" : "day";
    return Refuse(std::string("Please specify ") + what + " of birth.", MessageIcon::None, title_, *empty, kBirthRow);
}

std::optional<Refusal> DateChecks::Date(int row) {
    const EuroDate date = DateOf(dates_[static_cast<std::size_t>(row)]);
    request_.RequestDays[static_cast<std::size_t>(row)] = date.DayNumber;
    updates_.dateLabels[static_cast<std::size_t>(row)] = DateLabel(date);
    if (!date.Valid) {
        const std::string which = row == kStartRow ? "start" : "end";
        return Refuse("The " + which + " date is invalid.", MessageIcon::Information, "Invalid input", Field::Day, row);
    }
    return DateRange(row);
}

std::optional<Refusal> DateChecks::BirthData(bool skipStartComparison) {
    const EuroDate date = DateOf(dates_[kBirthRow]);
    request_.RequestDays[kBirthRow] = date.DayNumber;
    updates_.dateLabels[kBirthRow] = DateLabel(date);
    if (!date.Valid) return Refuse("The birth date is invalid.", MessageIcon::Information, title_, Field::Day, kBirthRow);
    if (auto refusal = DateRange(kBirthRow)) return refusal;
    if (!skipStartComparison && request_.RequestDays[kBirthRow] > request_.RequestDays[kStartRow]) {
        return Refuse("The birth date must not be later than the start date.", MessageIcon::Information, title_,
                      Field::Year, kBirthRow);
    }
    // Typed text that names no entry is refused as typed: a guess would move the natal position
    // without a word. A list at -1 with no text is as good as its blank entry.
    if (TypedTextNamesNoEntry(input_.hour, input_.hourTyped)) {
        return Refuse("The birth hour must be 00 to 23.", MessageIcon::Information, title_, Field::BirthHour);
    }
    if (TypedTextNamesNoEntry(input_.minute, input_.minuteTyped)) {
        return Refuse("The birth minute must be 00 to 55 in steps of 5.", MessageIcon::Information, title_,
                      Field::BirthMinute);
    }
    // These two choose a default for the user, who has nothing to correct: no field, so the
    // focus stays on the start button for the next click.
    if (input_.hour <= 0) {
        updates_.hour = 13;  // 12:00
        updates_.minute = 1;
        return Refuse("Please specify the birth time, or use 12:00 if not known.", MessageIcon::None, title_,
                      Field::None);
    }
    if (input_.birthZone <= 0) {
        updates_.birthZone = kGreenwichEntry;
        return Refuse("Please specify the timezone, or use GMT if not known.", MessageIcon::None, title_,
                      Field::None);
    }
    const int minute = input_.minute <= 0 ? 1 : input_.minute;
    if (minute != input_.minute) updates_.minute = minute;
    // A number typed as "7" shows as the entry it chose, "07", as the listing's heading will.
    const std::string hourText = HourTexts()[static_cast<std::size_t>(input_.hour)];
    const std::string minuteText = MinuteTexts()[static_cast<std::size_t>(minute)];
    if (input_.hourTyped != hourText) updates_.hourTyped = hourText;
    if (input_.minuteTyped != minuteText) updates_.minuteTyped = minuteText;
    return std::nullopt;
}

std::optional<Refusal> DateChecks::DateRange(int row) {
    const std::int32_t day = request_.RequestDays[static_cast<std::size_t>(row)];
    if (row != kBirthRow && day < kFirstDay) {
        return Refuse(std::string(row == kStartRow ? "Start" : "End") + " date is too early", MessageIcon::Information,
                      title_, Field::Year, row);
    }
    if (row == kBirthRow && day < kFirstBirthDay) {
        return Refuse("Birth date is too early", MessageIcon::Information, title_, Field::Year, row);
    }
    if (day > kLastDay) return Refuse("End date is too late", MessageIcon::Information, title_, Field::Year, row);
    return std::nullopt;
}

std::optional<Refusal> CheckOrbs(const RequestInput& input, std::int16_t planet) {
    const int inner = input.orbs[kInnerOrb];
    const std::string prefix = input.world ? "With" : "With transiting";
    auto refuse = [](const std::string& text) {
        return Refusal{{Message{text, MessageIcon::Information, kOrbTitle}}, Field::Orbs, 0};
    };
    if (planet == kMercury && inner < 2) return refuse(prefix + " Mercury the inner orb must be at least 3°.");
    if (inner == 0 && (planet == kSun || planet == kVenus || planet == kMars)) {
        return refuse(prefix + " Sun, Venus or Mars the inner orb must be at least 2°.");
    }
    return CheckOrbOrder(input);
}

std::optional<Refusal> CheckOrbOrder(const RequestInput& input) {
    const int outer = input.orbs[kOuterOrb], middle = input.orbs[kMiddleOrb], inner = input.orbs[kInnerOrb];
    if (!(middle <= outer - 2 && inner <= middle - 2)) {
        return Refusal{{Message{"Orbs must be strictly decreasing and differ by at least 2°.", MessageIcon::Information,
                                kOrbTitle}},
                       Field::Orbs, 0};
    }
    return std::nullopt;
}

}  // namespace meridel
