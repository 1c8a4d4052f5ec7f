// The birth time and zone as typed or chosen: the hour, minute and zone texts become list
// positions (the window's typed entry, meridel-list's zone lookup), the birth check refuses them
// with its designed message or passes them, never both, and the natal position is on the circle
// exactly when the birth moment in universal time lies within the natal body's range.
// The input: one byte (bits 0-3 the natal planet, 4 the zone abbreviations, 5 sidereal, 6 the
// zone taken by position rather than by text), then "hour\nminute\nzone\nyear\nmonth\nday".
#include <cmath>

#include "calendar/date_text.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"
#include "fuzz_check.h"
#include "request/choices.h"
#include "request/date_checks.h"
#include "request/run_request.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// The number a typed text stands for, or -1 when it is none (or beyond any list).
int TypedNumber(const std::string& typed) {
    const std::string t = Trimmed(typed);
    if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos) return -1;
    const std::size_t first = t.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    return t.size() - first > 3 ? -1 : std::stoi(t.substr(first));
}

void CheckTypedEntry(const std::vector<std::string>& entries, const std::string& typed, int step, int last) {
    const int entry = EntryOfTypedNumber(entries, typed);
    const int number = TypedNumber(typed);
    const std::string what = Shown(typed) + " chose entry " + std::to_string(entry);
    if (Trimmed(typed).empty()) {
        FUZZ_CHECK(entry == 0, what);
    } else if (number >= 0 && number % step == 0 && number <= last) {
        FUZZ_CHECK(entry == number / step + 1 && std::stoi(entries[static_cast<std::size_t>(entry)]) == number, what);
    } else {
        FUZZ_CHECK(entry == -1, what);
    }
}

void CheckZone(bool northAmerican, const std::string& text, int position) {
    const std::vector<std::string> texts = ZoneTexts(northAmerican);
    const std::string what = Shown(text) + " is zone " + std::to_string(position);
    FUZZ_CHECK(texts.size() == kZoneEntries, "the zone list has " + std::to_string(texts.size()) + " entries");
    if (position < 0) {
        for (std::size_t i = 1; i < texts.size(); ++i) FUZZ_CHECK(texts[i] != text, what);
        return;
    }
    FUZZ_CHECK(position >= 1 && position < kZoneEntries && texts[static_cast<std::size_t>(position)] == text, what);
    const int minutes = ZoneMinutesAtPosition(position);
    FUZZ_CHECK(minutes % 30 == 0 && minutes >= -690 && minutes <= 690 && ZonePosition(minutes) == position, what);
}

// The harness's sky, with its Pluto table: made once.
const Sky* sky = nullptr;

struct Range {
    std::int32_t first, last;
};

Range RangeOf(std::int16_t body) {
    if (body == kMoon || body == kPluto) return {kMoonPlutoFirstDay, kMoonPlutoLastDay};
    return {kPlanetLibraryFirstDay, kPlanetLibraryLastDay};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static Sky made = InstalledSky();
    std::string error;
    auto table = LoadPlutoData(made.DataFolder(), "pluto.slx", error);
    if (!table) Fail(__FILE__, __LINE__, "LoadPlutoData", error);
    made = made.WithPlutoLines(std::move(table));
    sky = &made;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t flags = data[0];
    const std::vector<std::string> parts = Split(Text(data + 1, size - 1), '\n');
    const auto natal = static_cast<std::int16_t>(kSun + (flags & 0x0F) % 10);
    const bool northAmerican = flags & 0x10;
    const bool sidereal = flags & 0x20;

    const std::vector<std::string> hours = HourTexts(), minutes = MinuteTexts();
    RequestInput in;
    in.world = false;
    in.sidereal = sidereal;
    in.northAmericanZones = northAmerican;
    in.planets = {0, natal - kSun};  // the Sun transiting the natal planet
    in.hourTyped = Part(parts, 0);
    in.minuteTyped = Part(parts, 1);
    in.hour = EntryOfTypedNumber(hours, in.hourTyped);
    in.minute = EntryOfTypedNumber(minutes, in.minuteTyped);
    CheckTypedEntry(hours, in.hourTyped, 1, 23);
    CheckTypedEntry(minutes, in.minuteTyped, 5, 55);

    const std::string zoneText = Part(parts, 2);
    if (flags & 0x40) {
        // A list position as the window holds it: -1 (none) to the last entry.
        in.birthZone = zoneText.empty() ? -1 : static_cast<unsigned char>(zoneText[0]) % (kZoneEntries + 1) - 1;
    } else {
        in.birthZone = ZoneListPosition(northAmerican, zoneText);
        CheckZone(northAmerican, zoneText, in.birthZone);
    }
    in.dates[kStartRow] = {"2799", "12", "31"};
    in.dates[kBirthRow] = {Part(parts, 3), Part(parts, 4), Part(parts, 5)};

    TransitRequest request;
    FieldUpdates updates;
    DateChecks checks(in, request, updates);
    std::optional<Refusal> refusal = checks.Date(kStartRow);
    FUZZ_CHECK(!refusal, "the last day of the range refused as a start date");
    refusal = checks.BirthFieldsFilled();
    if (!refusal) refusal = checks.BirthData(false);
    const std::int32_t birthDay = request.RequestDays[kBirthRow];
    const bool dateRefused = refusal && refusal->field != Field::BirthHour && refusal->field != Field::BirthMinute &&
                             refusal->field != Field::BirthZone;
    if (dateRefused) return 0;  // the date rows' own harness checks those

    // The time and zone: exactly one refusal, the first that applies, or none.
    std::string expected;
    if (in.hour < 0 && !Trimmed(in.hourTyped).empty()) expected = "The birth hour must be 00 to 23.";
    else if (in.minute < 0 && !Trimmed(in.minuteTyped).empty()) expected = "The birth minute must be 00 to 55 in steps of 5.";
    else if (in.hour <= 0) expected = "Please specify the birth time, or use 12:00 if not known.";
    else if (in.birthZone <= 0) expected = "Please specify the timezone, or use GMT if not known.";
    const std::string got = refusal ? refusal->messages.at(0).text : "";
    FUZZ_CHECK(got == expected, Shown(in.hourTyped) + ":" + Shown(in.minuteTyped) + " zone " +
                                    std::to_string(in.birthZone) + ": \"" + got + "\", not \"" + expected + "\"");
    if (refusal) {
        FUZZ_CHECK(refusal->messages.size() == 1, got);
        if (in.hour <= 0 && expected.rfind("Please", 0) == 0) FUZZ_CHECK(updates.hour == 13 && updates.minute == 1, got);
        return 0;
    }

    // Passed: the positions the run goes on with, and the texts the lists show.
    RequestInput checked = in;
    if (updates.minute) checked.minute = *updates.minute;
    FUZZ_CHECK(checked.hour >= 1 && checked.hour <= 24 && checked.minute >= 1 && checked.minute <= 12,
               std::to_string(checked.hour) + ":" + std::to_string(checked.minute));
    FUZZ_CHECK(updates.hourTyped.value_or(in.hourTyped) == hours[static_cast<std::size_t>(checked.hour)], Shown(in.hourTyped));
    FUZZ_CHECK(updates.minuteTyped.value_or(in.minuteTyped) == minutes[static_cast<std::size_t>(checked.minute)],
               Shown(in.minuteTyped));
    const int localMinutes = (checked.hour - 1) * 60 + (checked.minute - 1) * 5;
    FUZZ_CHECK(localMinutes == BirthMinutesAtPositions(checked.hour, checked.minute), "birth minutes");

    const double longitude = NatalLongitude(sky->InZodiac(sidereal), checked, natal, birthDay);
    const double moment = birthDay - 0.5 + (localMinutes - ZoneMinutesAtPosition(checked.birthZone)) / 1440.0;
    const auto day = static_cast<std::int32_t>(std::floor(moment + 0.5));
    const Range range = RangeOf(natal);
    const std::string what = BodyName[natal] + " born " + std::to_string(birthDay) + " " + std::to_string(localMinutes) +
                             " min, zone " + std::to_string(checked.birthZone) + ": " + std::to_string(longitude);
    if (day < range.first) {
        FUZZ_CHECK(longitude == kBeforeRange, what);
    } else if (day > range.last) {
        FUZZ_CHECK(longitude == kAfterRange, what);
    } else {
        FUZZ_CHECK(longitude >= 0 && longitude < kFullCircle, what);
    }
    return 0;
}
