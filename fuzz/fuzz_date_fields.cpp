// The date rows: year, month and day texts as typed. A cleaned box holds only digits, every one of
// them typed, and cleans to itself; a row is a day number or one refusal, never both; a day reads
// back as the numbers typed, and a date refused as invalid has no month or day every year has.
// (A row's view on leaving it shares the date and its label with these checks.)
// The input is "year\nmonth\nday\nyear\nmonth\nday": the start date (also taken as a birth date),
// then the end date.
#include "calendar/date_text.h"
#include "fuzz_check.h"
#include "request/date_checks.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

void CheckBox(const std::string& typed) {
    const std::string cleaned = CleanedBox(typed);
    std::size_t at = 0;
    for (char c : cleaned) {
        FUZZ_CHECK(c >= '0' && c <= '9' && (at = typed.find(c, at)) != std::string::npos);
        ++at;
    }
    FUZZ_CHECK(CleanedBox(cleaned) == cleaned);
}

void CheckOutcome(const std::optional<Refusal>& refusal, const DateFields& f, int row, const TransitRequest& request,
                  const FieldUpdates& updates) {
    // A check stops at its first refusal: the boxes it reached are cleaned, the others as typed.
    if (const auto& left = updates.dates[static_cast<std::size_t>(row)]) {
        for (const auto& [box, typed] : {std::pair{left->year, f.year}, {left->month, f.month}, {left->day, f.day}})
            FUZZ_CHECK(box == CleanedBox(typed) || (refusal && box == typed));
    }
    const std::int32_t month = BoxNumber(CleanedBox(f.month)), day = BoxNumber(CleanedBox(f.day));
    if (refusal) {
        FUZZ_CHECK(refusal->messages.size() == 1 && refusal->row == row);
        if (refusal->messages[0].text.find("invalid") != std::string::npos)
            FUZZ_CHECK(month < 1 || month > 12 || day < 1 || day > 28);
        return;
    }
    EuroDate back;
    back.DayNumber = request.RequestDays[static_cast<std::size_t>(row)];
    DateFromDayNumber(back);
    FUZZ_CHECK(back.Year == BoxNumber(CleanedBox(f.year)) && back.Month == month && back.Day == day);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> parts = Split(Text(data, size), '\n', 6);
    const DateFields start{parts[0], parts[1], parts[2]};
    const DateFields end{parts[3], parts[4], parts[5]};
    for (const std::string& typed : parts) CheckBox(typed);

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
