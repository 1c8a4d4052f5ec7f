#include "request/choices.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "calendar/daycount.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"

namespace meridel {

namespace {

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

struct NorthAmericanZone {
    int entry;
    const char* text;
};

constexpr NorthAmericanZone kNorthAmericanZones[] = {
    {19, "NDT"}, {18, "ADT"}, {17, "NST"}, {16, "AST/EDT"}, {14, "EST/CDT"},
    {12, "CST/MDT"}, {10, "MST/PDT"}, {8, "PST/AKDT"}, {6, "AKST/HADT"}, {4, "HAST"},
};

}  // namespace

int FirstPlanetCode(bool world, int list) { return world && list == 1 ? kMercury : kSun; }

int LastPlanetCode(bool world, int list) {
    if (world) return list == 0 ? kNeptune : kPluto;
    return list == 0 ? kPluto : kMoon;
}

std::int16_t PlanetAtPosition(bool world, int list, int position) {
    if (position < 0) return 0;
    return static_cast<std::int16_t>(position + FirstPlanetCode(world, list));
}

std::string PlanetNameAtPosition(bool world, int list, int position) {
    const std::int16_t code = PlanetAtPosition(world, list, position);
    return code > 0 && code <= LastPlanetCode(world, list) ? BodyName[code] : "";
}

std::string OrbText(int degrees) { return std::to_string(degrees) + "\xC2\xB0"; }

std::vector<std::string> ZoneTexts(bool northAmerican) {
    std::vector<std::string> texts{""};
    for (int k = 11; k >= 0; --k) {
        texts.push_back("GMT-" + std::to_string(k) + ":30");
        texts.push_back(k == 0 ? "GMT" : "GMT-" + std::to_string(k) + ":00");
    }
    for (int k = 0; k <= 11; ++k) {
        if (k > 0) texts.push_back("GMT+" + std::to_string(k) + ":00");
        texts.push_back("GMT+" + std::to_string(k) + ":30");
    }
    if (northAmerican) {
        for (const NorthAmericanZone& zone : kNorthAmericanZones) texts[static_cast<std::size_t>(zone.entry)] = zone.text;
    }
    return texts;
}

int ZonePosition(int minutesEast) { return static_cast<int>(std::nearbyint(minutesEast / 30.0 + kGreenwichEntry)); }

std::int16_t LocalTimezoneMinutes() {
    return static_cast<std::int16_t>(std::nearbyint(-static_cast<double>(get_timezone()) / 60.0));
}

int LocalZonePosition() { return std::clamp(ZonePosition(LocalTimezoneMinutes()), 1, kZoneEntries - 1); }

int ZoneListPosition(bool northAmerican, const std::string& text) {
    if (text.empty()) return -1;
    const std::vector<std::string> texts = ZoneTexts(northAmerican);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i] == text) return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> HourTexts() {
    std::vector<std::string> texts{""};
    for (int h = 0; h <= 23; ++h) texts.push_back(TwoDigits(h));
    return texts;
}

std::vector<std::string> MinuteTexts() {
    std::vector<std::string> texts{""};
    for (int m = 0; m <= 55; m += 5) texts.push_back(TwoDigits(m));
    return texts;
}

int EntryOfTypedNumber(const std::vector<std::string>& entries, const std::string& typed) {
    const std::size_t first = typed.find_first_not_of(" \t");
    if (first == std::string::npos) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].empty()) return static_cast<int>(i);
        }
        return -1;
    }
    const std::string number = typed.substr(first, typed.find_last_not_of(" \t") + 1 - first);
    if (number.find_first_not_of("0123456789") != std::string::npos) return -1;
    // Leading zeros name the same number; what remains is compared as text with each entry's.
    auto significant = [](const std::string& digits) {
        return digits.substr(std::min(digits.find_first_not_of('0'), digits.size() - 1));
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        if (entry.empty() || entry.find_first_not_of("0123456789") != std::string::npos) continue;
        if (significant(entry) == significant(number)) return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> SearchAspectTexts(int aspectCount) {
    std::vector<std::string> texts;
    for (int a = 1; a <= aspectCount; ++a) {
        std::string name = AspectName[a];
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        texts.push_back(name);
    }
    return texts;
}

std::string RunCaption(bool world, const std::string& s0, const std::string& s1) {
    return world ? "Show all world transits between " + s0 + " and " + s1
                 : "Show all personal transits by " + s0 + " of natal " + s1;
}

std::string ShowAllCaption(bool world, int index, const std::string& s0, const std::string& s1) {
    if (world) return "Show all transits between " + s1 + " and other planets";
    return index == 0 ? "Show all transits of natal " + s1 : "Show all transits by transiting " + s0;
}

std::string SearchOrbLabel(int outerPosition) { return "for first " + OrbText(OrbDegreesAtPosition(outerPosition)); }

int PlanetMemory::PositionToShow(bool world, int list, int count) const {
    const int remembered = Remembered(world, list);
    if (remembered >= count) return count - 1;
    if (remembered >= 0) return remembered;
    return list == 1 && !world ? 4 : 3;
}

void PlanetMemory::Remember(bool world, int list, int position) {
    positions_[Index(world, list)] = static_cast<std::int16_t>(position);
}

}  // namespace meridel
