// The birth time and zone as typed or chosen: a typed hour or minute names its own entry or none,
// a zone text its own entry or none, and the birth check then refuses with one designed message or
// passes with list positions and texts that name each other, never both; a passed birth gives a
// natal position on the circle or a mark for outside the ephemeris, on the side of the range the
// birth day lies.
// The input: one byte (bits 0-3 the natal planet, 4 the zone abbreviations, 5 sidereal, 6 the
// zone taken by position rather than by text), then "hour\nminute\nzone\nyear\nmonth\nday".
#include <set>

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

// Digits without their leading zeros ("0" for none), to compare numbers of any length.
std::string Significant(const std::string& digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// A chosen entry is one whose own text chooses it again and names the number typed (blanks
// around it aside); none is -1.
void CheckTypedEntry(const std::vector<std::string>& entries, const std::string& typed, int entry) {
    const std::string what = Shown(typed) + " chose entry " + std::to_string(entry);
    FUZZ_CHECK(entry >= -1 && entry < static_cast<int>(entries.size()), what);
    if (entry <= 0) return;
    const std::string& text = entries[static_cast<std::size_t>(entry)];
    FUZZ_CHECK(EntryOfTypedNumber(entries, text) == entry, what);
    const std::size_t first = typed.find_first_not_of(" \t");
    FUZZ_CHECK(Significant(typed.substr(first, typed.find_last_not_of(" \t") + 1 - first)) == Significant(text), what);
}

const Sky* sky = nullptr;

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

    const std::vector<std::string> hours = HourTexts(), minutes = MinuteTexts();
    RequestInput in;
    in.world = false;
    in.sidereal = flags & 0x20;
    in.northAmericanZones = northAmerican;
    in.planets = {0, natal - kSun};  // the Sun transiting the natal planet
    in.hourTyped = Part(parts, 0);
    in.minuteTyped = Part(parts, 1);
    in.hour = EntryOfTypedNumber(hours, in.hourTyped);
    in.minute = EntryOfTypedNumber(minutes, in.minuteTyped);
    CheckTypedEntry(hours, in.hourTyped, in.hour);
    CheckTypedEntry(minutes, in.minuteTyped, in.minute);

    const std::string zoneText = Part(parts, 2);
    if (flags & 0x40) {
        // A list position as the window holds it: -1 (none) to the last entry.
        in.birthZone = zoneText.empty() ? -1 : static_cast<unsigned char>(zoneText[0]) % (kZoneEntries + 1) - 1;
    } else {
        in.birthZone = ZoneListPosition(northAmerican, zoneText);
        const std::string what = Shown(zoneText) + " is zone " + std::to_string(in.birthZone);
        FUZZ_CHECK(in.birthZone == -1 || (in.birthZone >= 1 && in.birthZone < kZoneEntries &&
                                          ZoneTexts(northAmerican)[static_cast<std::size_t>(in.birthZone)] == zoneText),
                   what);
        if (in.birthZone > 0) FUZZ_CHECK(ZonePosition(ZoneMinutesAtPosition(in.birthZone)) == in.birthZone, what);
    }
    in.dates[kStartRow] = {"2799", "12", "31"};
    in.dates[kBirthRow] = {Part(parts, 3), Part(parts, 4), Part(parts, 5)};

    TransitRequest request;
    FieldUpdates updates;
    DateChecks checks(in, request, updates);
    FUZZ_CHECK(!checks.Date(kStartRow), "the last day of the range refused as a start date");
    std::optional<Refusal> refusal = checks.BirthFieldsFilled();
    if (!refusal) refusal = checks.BirthData(false);
    static const std::set<std::string> timeAndZone = {
        "The birth hour must be 00 to 23.", "The birth minute must be 00 to 55 in steps of 5.",
        "Please specify the birth time, or use 12:00 if not known.", "Please specify the timezone, or use GMT if not known."};
    const std::string what = Shown(in.hourTyped) + ":" + Shown(in.minuteTyped) + " zone " + std::to_string(in.birthZone);
    if (refusal) {
        FUZZ_CHECK(refusal->messages.size() == 1, what);
        const std::string& text = refusal->messages[0].text;
        // The time and zone are refused only when one of them names no entry; the date rows'
        // own harness checks the date refusals.
        if (timeAndZone.count(text)) FUZZ_CHECK(in.hour <= 0 || in.minute < 0 || in.birthZone <= 0, what + ": " + text);
        return 0;
    }

    // Passed: positions the lists have, shown as the texts the lists hold.
    const int hour = updates.hour.value_or(in.hour), minute = updates.minute.value_or(in.minute);
    FUZZ_CHECK(hour >= 1 && hour <= 24 && minute >= 1 && minute <= 12 && in.birthZone >= 1, what);
    FUZZ_CHECK(updates.hourTyped.value_or(in.hourTyped) == hours[static_cast<std::size_t>(hour)], what);
    FUZZ_CHECK(updates.minuteTyped.value_or(in.minuteTyped) == minutes[static_cast<std::size_t>(minute)], what);

    RequestInput checked = in;
    checked.minute = minute;
    const std::int32_t birthDay = request.RequestDays[kBirthRow];
    const double longitude = NatalLongitude(sky->InZodiac(in.sidereal), checked, natal, birthDay);
    const bool narrow = natal == kMoon || natal == kPluto;
    const std::int32_t first = narrow ? kMoonPlutoFirstDay : kPlanetLibraryFirstDay;
    const std::int32_t last = narrow ? kMoonPlutoLastDay : kPlanetLibraryLastDay;
    const std::string born = BodyName[natal] + " born " + std::to_string(birthDay) + ": " + std::to_string(longitude);
    // A zone moves the moment by under a day either way.
    if (longitude == kBeforeRange) {
        FUZZ_CHECK(birthDay <= first + 1, born);
    } else if (longitude == kAfterRange) {
        FUZZ_CHECK(birthDay >= last - 1, born);
    } else {
        FUZZ_CHECK(longitude >= 0 && longitude < kFullCircle && birthDay >= first - 1 && birthDay <= last + 1, born);
    }
    return 0;
}
