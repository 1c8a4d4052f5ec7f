// The checks of the date rows and the birth data, as a run and the search make them: what each
// refuses, with its designed message, and what it leaves in the boxes and the labels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calendar/daycount.h"
#include "request/request_input.h"
#include "transits/transit_request.h"

namespace meridel {

// The text a date box keeps: its digits only.
std::string CleanedBox(const std::string& text);
// The value of a box's leading decimal digits, 0 when there are none.
std::int32_t BoxNumber(const std::string& text);
// "September 22, 2022 CE", or "invalid date".
std::string DateLabel(const EuroDate& date);

// What a date row shows once cleaned (a row left or changed by the user): its boxes and its label.
struct DateRowView {
    DateFields cleaned;
    std::string label;  // "" while a box is empty
    std::optional<std::int32_t> day;  // the row's day number, while no box is empty
};
DateRowView ViewDateRow(const DateFields& fields);

// The checks on one request, in the order the caller makes them. Each returns a refusal, or
// nothing when the input passes; all of them write what they leave in the controls into `updates`
// and the day numbers they find into request.RequestDays.
class DateChecks {
public:
    DateChecks(const RequestInput& input, TransitRequest& request, FieldUpdates& updates);

    // The row's three boxes cleaned, in turn; "Please specify start year." and the like.
    std::optional<Refusal> FieldsFilled(int row);
    // The birth boxes reduced to their digits: "Please specify year of birth." and the like.
    std::optional<Refusal> BirthFieldsFilled();
    // The row as a date that exists, within the range ("The start date is invalid.").
    std::optional<Refusal> Date(int row);
    // Birth date, its range, its place before the start date (unless skipped), birth time and
    // zone; the blank hour gives 12:00 and the blank zone GMT for the next try.
    std::optional<Refusal> BirthData(bool skipStartComparison);
    std::optional<Refusal> DateRange(int row);

private:
    Refusal Refuse(const std::string& text, MessageIcon icon, const std::string& title, Field field, int row = 0) const;
    void Clean(int row, std::string DateFields::* box);
    // Cleans the row's year, month and day boxes in turn, up to the first that is empty.
    std::optional<Field> FirstEmptyBox(int row);

    const RequestInput& input_;
    TransitRequest& request_;
    FieldUpdates& updates_;
    std::array<DateFields, 3> dates_;  // the boxes as the checks have left them
    std::string title_;                // the start button's caption
};

// The orb checks of a run: the inner orb's minimum for the moving planet (code), then the order.
// Title "Orb values".
std::optional<Refusal> CheckOrbs(const RequestInput& input, std::int16_t movingPlanet);
// Outer, middle and inner orb strictly decreasing, at least 2 degrees apart.
std::optional<Refusal> CheckOrbOrder(const RequestInput& input);

}  // namespace meridel
