// The date rows: year, month and day texts as typed. A cleaned box holds the typed digits and
// nothing else; a row is a day number or a refusal with its designed message, never both, and
// which one follows from the calendar alone (a date that exists, from 1 January 1 to 31 December
// 2799; a birth date from 1 January 1600). The input is "year\nmonth\nday\nyear\nmonth\nday":
// the start date (also taken as a birth date), then the end date.
#include <array>
#include <tuple>

#include "calendar/date_text.h"
#include "fuzz_check.h"
#include "request/date_checks.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

using Ymd = std::tuple<std::int64_t, std::int64_t, std::int64_t>;

std::string Digits(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c >= '0' && c <= '9') out += c;
    return out;
}

// A box's number: its leading digits, at most 999999.
std::int64_t Number(const std::string& digits) {
    std::int64_t n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') break;
        n = std::min<std::int64_t>(999999, n * 10 + (c - '0'));
    }
    return n;
}

bool Exists(const Ymd& date) {
    const auto [y, m, d] = date;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= days[m - 1] + (m == 2 && leap);
}

std::string What(const DateFields& f) { return Shown(f.year) + " / " + Shown(f.month) + " / " + Shown(f.day); }

// The refusal a row must meet first, "" for none.
std::string ExpectedRefusal(const DateFields& f, int row) {
    const std::string which = row == kStartRow ? "start" : row == kEndRow ? "end" : "birth";
    const std::string boxes[3] = {Digits(f.year), Digits(f.month), Digits(f.day)};
    const char* names[3] = {"year", "month", "day"};
    for (int i = 0; i < 3; ++i) {
        if (boxes[i].empty()) {
            return row == kBirthRow ? "Please specify " + std::string(names[i]) + " of birth."
                                    : "Please specify " + which + " " + names[i] + ".";
        }
    }
    const Ymd date{Number(boxes[0]), Number(boxes[1]), Number(boxes[2])};
    if (!Exists(date)) return "The " + which + " date is invalid.";
    if (row == kBirthRow && date < Ymd{1600, 1, 1}) return "Birth date is too early";
    if (row != kBirthRow && date < Ymd{1, 1, 1}) return std::string(row == kStartRow ? "Start" : "End") + " date is too early";
    if (date > Ymd{2799, 12, 31}) return "End date is too late";
    return "";
}

void CheckBox(const std::string& typed) {
    const std::string cleaned = CleanedBox(typed);
    FUZZ_CHECK(cleaned == Digits(typed), Shown(typed) + " cleaned to " + Shown(cleaned));
    FUZZ_CHECK(BoxNumber(cleaned) == Number(cleaned), Shown(cleaned) + " is " + std::to_string(BoxNumber(cleaned)));
}

void CheckDayOf(std::int32_t day, const DateFields& f) {
    EuroDate back;
    back.DayNumber = day;
    DateFromDayNumber(back);
    FUZZ_CHECK((Ymd{back.Year, back.Month, back.Day} ==
                Ymd{Number(Digits(f.year)), Number(Digits(f.month)), Number(Digits(f.day))}),
               What(f) + " gave day " + std::to_string(day));
}

void CheckView(const DateFields& f) {
    const DateRowView view = ViewDateRow(f);
    FUZZ_CHECK((view.cleaned == DateFields{Digits(f.year), Digits(f.month), Digits(f.day)}), What(f));
    const bool filled = !view.cleaned.year.empty() && !view.cleaned.month.empty() && !view.cleaned.day.empty();
    FUZZ_CHECK(view.label.empty() == !filled, What(f) + ": " + view.label);
    if (!filled) return;
    const Ymd date{Number(view.cleaned.year), Number(view.cleaned.month), Number(view.cleaned.day)};
    if (!Exists(date)) {
        FUZZ_CHECK(view.label == "invalid date", What(f) + ": " + view.label);
        return;
    }
    FUZZ_CHECK(view.label == MonthNames[static_cast<std::size_t>(std::get<1>(date))] + " " +
                                 std::to_string(std::get<2>(date)) + ", " + std::to_string(std::get<0>(date)) + " CE",
               What(f) + ": " + view.label);
}

void CheckOutcome(const std::optional<Refusal>& refusal, const std::string& expected, const DateFields& f, int row,
                  const TransitRequest& request, const FieldUpdates& updates) {
    const std::string got = refusal ? refusal->messages.at(0).text : "";
    FUZZ_CHECK(got == expected, "row " + std::to_string(row) + " " + What(f) + ": \"" + got + "\", not \"" + expected + "\"");
    if (refusal) FUZZ_CHECK(refusal->messages.size() == 1 && refusal->row == row, got);
    // A check stops at its first refusal: the boxes it reached are cleaned, the others as typed.
    if (const auto& left = updates.dates[static_cast<std::size_t>(row)]) {
        for (const auto& [box, typed] : {std::pair{left->year, f.year}, {left->month, f.month}, {left->day, f.day}})
            FUZZ_CHECK(box == Digits(typed) || (refusal && box == typed), What(f) + " left as " + What(*left));
    }
    if (refusal) return;
    const std::int32_t day = request.RequestDays[static_cast<std::size_t>(row)];
    FUZZ_CHECK(day >= 1721426 && day <= 2743738, What(f) + ": day " + std::to_string(day));
    CheckDayOf(day, f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> parts = Split(Text(data, size), '\n');
    const DateFields start{Part(parts, 0), Part(parts, 1), Part(parts, 2)};
    const DateFields end{Part(parts, 3), Part(parts, 4), Part(parts, 5)};
    for (const std::string& typed : parts) CheckBox(typed);
    CheckView(start);
    CheckView(end);

    // A run's checks in their order: both rows filled, then both dates.
    RequestInput input;
    input.world = true;
    input.dates = {start, end, start};
    TransitRequest request;
    FieldUpdates updates;
    DateChecks checks(input, request, updates);
    std::optional<Refusal> refusal;
    int row = kStartRow;
    for (int r : {kStartRow, kEndRow}) {
        if (!refusal && (refusal = checks.FieldsFilled(r))) row = r;
    }
    for (int r : {kStartRow, kEndRow}) {
        if (!refusal && (refusal = checks.Date(r))) row = r;
    }
    std::string expected = ExpectedRefusal(start, kStartRow);
    if (expected.empty()) row = kEndRow, expected = ExpectedRefusal(end, kEndRow);
    // The rows' fields are both checked before either date.
    const bool startFilled = !Digits(start.year).empty() && !Digits(start.month).empty() && !Digits(start.day).empty();
    if (startFilled && ExpectedRefusal(end, kEndRow).rfind("Please specify", 0) == 0) {
        row = kEndRow, expected = ExpectedRefusal(end, kEndRow);
    }
    CheckOutcome(refusal, expected, row == kStartRow ? start : end, row, request, updates);
    if (!refusal) CheckOutcome(std::nullopt, "", start, kStartRow, request, updates);

    // The same date as a birth date, in Personal mode, with a birth time and zone chosen.
    RequestInput personal = input;
    personal.world = false;
    personal.hour = 13, personal.minute = 1, personal.birthZone = 24;
    personal.hourTyped = "12", personal.minuteTyped = "00";
    TransitRequest birthRequest;
    FieldUpdates birthUpdates;
    DateChecks birth(personal, birthRequest, birthUpdates);
    std::optional<Refusal> birthRefusal = birth.BirthFieldsFilled();
    if (!birthRefusal) birthRefusal = birth.BirthData(true);
    CheckOutcome(birthRefusal, ExpectedRefusal(start, kBirthRow), start, kBirthRow, birthRequest, birthUpdates);
    return 0;
}
