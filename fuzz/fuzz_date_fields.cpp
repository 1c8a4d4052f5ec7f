// The date rows: year, month and day texts as typed. A cleaned box holds only digits, every one of
// them typed, and cleans to itself; a row is a day number or one refusal, never both; a day reads
// back as the numbers typed and lies in the range, and a date refused as invalid has no month or
// day every year has. The input is "year\nmonth\nday\nyear\nmonth\nday": the start date (also
// taken as a birth date), then the end date.
#include "calendar/date_text.h"
#include "fuzz_check.h"
#include "request/date_checks.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

std::string What(const DateFields& f) { return Shown(f.year) + " / " + Shown(f.month) + " / " + Shown(f.day); }

void CheckBox(const std::string& typed) {
    const std::string cleaned = CleanedBox(typed);
    std::size_t at = 0;
    for (char c : cleaned) {
        FUZZ_CHECK(c >= '0' && c <= '9' && (at = typed.find(c, at)) != std::string::npos, Shown(typed) + " cleaned to " + Shown(cleaned));
        ++at;
    }
    FUZZ_CHECK(CleanedBox(cleaned) == cleaned && BoxNumber(cleaned) >= 0 && BoxNumber(cleaned) <= 999999, Shown(cleaned));
}

// The day's date, as the boxes' numbers.
void CheckDayOf(std::int32_t day, const DateFields& f) {
    EuroDate back;
    back.DayNumber = day;
    DateFromDayNumber(back);
    FUZZ_CHECK(back.Year == BoxNumber(CleanedBox(f.year)) && back.Month == BoxNumber(CleanedBox(f.month)) &&
                   back.Day == BoxNumber(CleanedBox(f.day)),
               What(f) + " gave day " + std::to_string(day));
}

// A month and day every year has are never refused as invalid.
bool EveryYearHas(const DateFields& f) {
    const std::int32_t month = BoxNumber(CleanedBox(f.month)), day = BoxNumber(CleanedBox(f.day));
    return month >= 1 && month <= 12 && day >= 1 && day <= 28;
}

void CheckView(const DateFields& f) {
    const DateRowView view = ViewDateRow(f);
    FUZZ_CHECK((view.cleaned == DateFields{CleanedBox(f.year), CleanedBox(f.month), CleanedBox(f.day)}), What(f));
    const bool filled = !view.cleaned.year.empty() && !view.cleaned.month.empty() && !view.cleaned.day.empty();
    FUZZ_CHECK(view.day.has_value() == filled && view.label.empty() == !filled, What(f) + ": " + view.label);
    if (!filled) return;
    if (view.label == "invalid date") {
        FUZZ_CHECK(!EveryYearHas(f), What(f));
    } else {
        CheckDayOf(*view.day, f);
    }
}

void CheckOutcome(const std::optional<Refusal>& refusal, const DateFields& f, int row, const TransitRequest& request,
                  const FieldUpdates& updates) {
    const std::string what = "row " + std::to_string(row) + " " + What(f);
    // A check stops at its first refusal: the boxes it reached are cleaned, the others as typed.
    if (const auto& left = updates.dates[static_cast<std::size_t>(row)]) {
        for (const auto& [box, typed] : {std::pair{left->year, f.year}, {left->month, f.month}, {left->day, f.day}})
            FUZZ_CHECK(box == CleanedBox(typed) || (refusal && box == typed), what + " left as " + What(*left));
    }
    const std::int32_t day = request.RequestDays[static_cast<std::size_t>(row)];
    const bool inRange = day >= (row == kBirthRow ? 2305448 : 1721426) && day <= 2743738;
    if (refusal) {
        const std::string& text = refusal->messages.at(0).text;
        FUZZ_CHECK(refusal->messages.size() == 1 && refusal->row == row, what + ": " + text);
        if (text.find("invalid") != std::string::npos) FUZZ_CHECK(!EveryYearHas(f), what);
        if (text.find(" too ") != std::string::npos) FUZZ_CHECK(!inRange, what + ": " + text);
        return;
    }
    FUZZ_CHECK(inRange, what + ": day " + std::to_string(day));
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
    for (int r : {kStartRow, kEndRow}) {
        if (!refusal && (refusal = checks.FieldsFilled(r))) CheckOutcome(refusal, r == kStartRow ? start : end, r, request, updates);
    }
    for (int r : {kStartRow, kEndRow}) {
        if (refusal) break;
        refusal = checks.Date(r);
        CheckOutcome(refusal, r == kStartRow ? start : end, r, request, updates);
    }

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
    CheckOutcome(birthRefusal, start, kBirthRow, birthRequest, birthUpdates);
    return 0;
}
