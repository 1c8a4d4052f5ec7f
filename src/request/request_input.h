// A request as the window's controls hold it, in plain values, and what the request layer hands
// back: the messages of a refusal, the field to go to, and what the controls should show after a
// check (cleaned date boxes, dates in words, list positions it chose).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/dialogs.h"
#include "store/saved_state.h"
#include "transits/transit_results.h"

namespace meridel {

// The texts typed into one date row: year, month, day.
struct DateFields {
    std::string year, month, day;
    bool operator==(const DateFields&) const = default;
};
enum DateRow : int { kStartRow = 0, kEndRow = 1, kBirthRow = 2 };

struct RequestInput {
    bool world = false;                   // optWorld; else Personal
    bool sidereal = false;                // optSidereal (Personal only)
    bool northAmericanZones = false;      // chkDisplayNATZabbr: the zones' texts
    std::array<DateFields, 3> dates;      // by DateRow
    std::array<int, 2> planets{-1, -1};   // list positions of cboPlanet(0), (1); -1 nothing chosen
    std::array<int, kOrbCount> orbs{9, 4, 1};  // list positions of the outer, middle, inner orb lists
    int resultZone = -1;                  // list positions: 0 the blank entry, -1 nothing chosen
    int birthZone = -1;
    int hour = -1;                        // cboHour: 0 blank, 1..24 = 00..23
    int minute = -1;                      // cboMinute: 0 blank, 1..12 = 00..55
    std::string hourTyped, minuteTyped;   // what their edit fields show
    int searchAspect = -1;                // cboSearchAspect position (aspect code - 1)
    bool keepDates = true;                // chkKeepDates
    bool allPlanets = false;              // a run of the all-planets listing

    std::string Planet1Name() const;      // the texts the planet lists show
    std::string Planet2Name() const;
    std::string ResultZoneText() const;
    std::string BirthZoneText() const;
    // The start button's caption, which titles a run's messages.
    std::string RunCaption() const;
};

// The input's choices as the saved state keeps them (the hidden boxes' texts left empty).
SavedState KeptChoices(const RequestInput& input);

// Controls a refusal points the user to.
enum class Field {
    None,
    Year, Month, Day,  // of the row in Refusal::row
    BirthHour, BirthMinute, BirthZone, ResultZone,
    Planet1, Planet2, Orbs, SearchAspect,
};

struct Message {
    std::string text;
    MessageIcon icon = MessageIcon::None;
    std::string title;
};

// What a check leaves in the controls, applied whatever its outcome.
struct FieldUpdates {
    std::array<std::optional<DateFields>, 3> dates;         // boxes rewritten (cleaned)
    std::array<std::optional<std::string>, 3> dateLabels;   // the date in words, "invalid date" or ""
    std::optional<int> resultZone, birthZone, hour, minute;  // list positions chosen
    std::optional<std::string> hourTyped, minuteTyped;      // edit texts to show ("7" becomes "07")
};

// A request that stops: its messages in order, and where to go.
struct Refusal {
    std::vector<Message> messages;
    Field field = Field::None;
    int row = 0;  // the date row of a date field
};

// Shows a refusal's messages through the dialogs.
void ShowMessages(const std::vector<Message>& messages);

}  // namespace meridel
