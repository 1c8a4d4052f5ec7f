// The birth time and zone as typed or chosen: a typed hour or minute names its own entry or none,
// a zone text its own entry or none, and the birth check then refuses with one message or passes
// with list positions and texts that name each other, never both; a passed birth gives a natal
// position on the circle, or a mark for outside the ephemeris on the side of the range the birth
// day lies.
// The input: one byte (bits 0-3 the natal planet, 4 the zone abbreviations, 5 sidereal, 6 the
// zone taken by position rather than by text), then "hour\nminute\nzone\nyear\nmonth\nday".
#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"
#include "fuzz_check.h"
#include "request/choices.h"
#include "request/date_checks.h"
#include "request/run_request.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

// Digits without blanks around them or leading zeros ("0" for none), to compare numbers of any
// length.
std::string Significant(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    const std::string number = first == std::string::npos ? "" : text.substr(first, last + 1 - first);
    const std::size_t digit = number.find_first_not_of('0');
    return digit == std::string::npos ? "0" : number.substr(digit);
}

// A chosen entry is one whose own text chooses it again and names the number typed; none is -1.
void CheckTypedEntry(const std::vector<std::string>& entries, const std::string& typed, int entry) {
    FUZZ_CHECK(entry >= -1 && entry < static_cast<int>(entries.size()));
    if (entry <= 0) return;
    const std::string& text = entries[static_cast<std::size_t>(entry)];
    FUZZ_CHECK(EntryOfTypedNumber(entries, text) == entry && Significant(typed) == Significant(text));
}

const Sky* sky = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static Sky made = InstalledSky();
    std::string error;
    auto table = LoadPlutoData(made.DataFolder(), "pluto.slx", error);
    if (!table) Fail(__FILE__, __LINE__, error.c_str());
    made = made.WithPlutoLines(std::move(table));
    sky = &made;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t flags = data[0];
    const std::vector<std::string> parts = Split(Text(data + 1, size - 1), '\n', 6);
    const auto natal = static_cast<std::int16_t>(kSun + (flags & 0x0F) % 10);
    const bool northAmerican = flags & 0x10;

    const std::vector<std::string> hours = HourTexts(), minutes = MinuteTexts();
    RequestInput in;
    in.world = false;
    in.sidereal = flags & 0x20;
    in.northAmericanZones = northAmerican;
    in.planets = {0, natal - kSun};  // the Sun transiting the natal planet
    in.hourTyped = parts[0];
    in.minuteTyped = parts[1];
    in.hour = EntryOfTypedNumber(hours, in.hourTyped);
    in.minute = EntryOfTypedNumber(minutes, in.minuteTyped);
    CheckTypedEntry(hours, in.hourTyped, in.hour);
    CheckTypedEntry(minutes, in.minuteTyped, in.minute);

    const std::string zoneText = parts[2];
    if (flags & 0x40) {
        // A list position as the window holds it: -1 (none) to the last entry.
        in.birthZone = zoneText.empty() ? -1 : static_cast<unsigned char>(zoneText[0]) % (kZoneEntries + 1) - 1;
    } else {
        const int zone = in.birthZone = ZoneListPosition(northAmerican, zoneText);
        FUZZ_CHECK(zone == -1 || (zone >= 1 && zone < kZoneEntries &&
                                  ZoneTexts(northAmerican)[static_cast<std::size_t>(zone)] == zoneText &&
                                  ZonePosition(ZoneMinutesAtPosition(zone)) == zone));
    }
    in.dates[kStartRow] = {"2799", "12", "31"};
    in.dates[kBirthRow] = {parts[3], parts[4], parts[5]};

    TransitRequest request;
    FieldUpdates updates;
    DateChecks checks(in, request, updates);
    FUZZ_CHECK(!checks.Date(kStartRow));
    std::optional<Refusal> refusal = checks.BirthFieldsFilled();
    if (!refusal) refusal = checks.BirthData(false);
    if (refusal) {
        FUZZ_CHECK(refusal->messages.size() == 1);
        return 0;
    }

    // Passed: positions the lists have, shown as the texts the lists hold.
    const int hour = updates.hour.value_or(in.hour), minute = updates.minute.value_or(in.minute);
    FUZZ_CHECK(hour >= 1 && hour <= 24 && minute >= 1 && minute <= 12 && in.birthZone >= 1);
    FUZZ_CHECK(updates.hourTyped.value_or(in.hourTyped) == hours[static_cast<std::size_t>(hour)]);
    FUZZ_CHECK(updates.minuteTyped.value_or(in.minuteTyped) == minutes[static_cast<std::size_t>(minute)]);

    RequestInput checked = in;
    checked.minute = minute;
    const std::int32_t birthDay = request.RequestDays[kBirthRow];
    const double longitude = NatalLongitude(sky->InZodiac(in.sidereal), checked, natal, birthDay);
    // Births lie from 1600 on, where only the Moon's and Pluto's range ends; a zone moves the
    // moment by under a day either way.
    if (longitude == kBeforeRange) {
        FUZZ_CHECK(birthDay <= kMoonPlutoFirstDay + 1);
    } else if (longitude == kAfterRange) {
        FUZZ_CHECK(birthDay >= kMoonPlutoLastDay - 1);
    } else {
        FUZZ_CHECK(longitude >= 0 && longitude < kFullCircle);
    }
    return 0;
}
