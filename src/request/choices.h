// The choices the window offers, as values: what each list position of the planet, orb, zone,
// birth-time and aspect lists stands for, the texts the lists show, and the captions that name
// the chosen planets. The window fills its lists from these; the request layer reads positions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace meridel {

// Planet list positions. World: the inner list holds codes 1..8 (Sun to Neptune), the outer list
// codes 2..9 (Mercury to Pluto); Personal: the transiting list codes 1..9, the natal list 1..10.
int FirstPlanetCode(bool world, int list);
int LastPlanetCode(bool world, int list);
// The planet code at a list position (position + first code); 0 for no position (-1).
std::int16_t PlanetAtPosition(bool world, int list, int position);
// The name the list shows at a position; "" for no position.
std::string PlanetNameAtPosition(bool world, int list, int position);

// The planet lists' positions remembered for each mode, so that switching between World and
// Personal brings back that mode's last choice; nothing is remembered at first.
class PlanetMemory {
public:
    // The position list `list` of a mode shows when filled with `count` entries: the remembered
    // one (the last entry when it lies beyond), else the mode's default (Mars, and Jupiter or Mars).
    int PositionToShow(bool world, int list, int count) const;
    void Remember(bool world, int list, int position);
    // -1 when nothing is remembered.
    int Remembered(bool world, int list) const { return positions_[Index(world, list)]; }

private:
    static std::size_t Index(bool world, int list) { return static_cast<std::size_t>(2 * list + (world ? 0 : 1)); }
    std::array<std::int16_t, 4> positions_{-1, -1, -1, -1};
};

// Orb lists: position k is k + 1 degrees, 1 to 15.
inline constexpr int kOrbChoices = 15;
inline int OrbDegreesAtPosition(int position) { return position + 1; }
std::string OrbText(int degrees);  // "10°"

// The 48 entries of either zone list: 0 is blank; entry i >= 1 stands for (i - 24) * 30 minutes
// east of Greenwich. With the North American abbreviations ten entries read "EST/CDT" and the like.
inline constexpr int kZoneEntries = 48;
inline constexpr int kGreenwichEntry = 24;
std::vector<std::string> ZoneTexts(bool northAmerican);
inline int ZoneMinutesAtPosition(int position) { return (position - kGreenwichEntry) * 30; }
// The position of a zone with this offset: minutes / 30 + 24, halves to even. May lie outside
// 1..47 for offsets of -12:00 or +12:00 and beyond.
int ZonePosition(int minutesEast);
// The computer's offset from Greenwich in minutes, east positive, from the clock.
std::int16_t LocalTimezoneMinutes();
// The entry of the computer's zone, or of the nearest real zone for offsets of -12:00 and of
// +12:00 and beyond, which have none.
int LocalZonePosition();
// The position of the entry that shows text ("GMT+1:00", or "EST/CDT" with the abbreviations);
// -1 for a text no entry shows, the blank one's included.
int ZoneListPosition(bool northAmerican, const std::string& text);

// Birth time lists: "" then "00".."23"; "" then "00", "05" .. "55".
std::vector<std::string> HourTexts();
std::vector<std::string> MinuteTexts();
// Local birth time in minutes after midnight from the two lists' positions (entry 1 is 00).
inline int BirthMinutesAtPositions(int hour, int minute) { return (hour - 1) * 60 + (minute - 1) * 5; }
// The entry of a list of two-digit numbers (HourTexts, MinuteTexts) that text typed into it
// stands for: "7" and "007" are "07". Text of blanks only is the blank entry; text that is no
// number, or a number the list lacks, is -1.
int EntryOfTypedNumber(const std::vector<std::string>& entries, const std::string& typed);

// The search's aspect list: "conjunction" .. "sextile".
std::vector<std::string> SearchAspectTexts(int aspectCount);

// Captions naming the chosen planets (s0, s1 the texts the planet lists show).
std::string RunCaption(bool world, const std::string& s0, const std::string& s1);
std::string ShowAllCaption(bool world, int index, const std::string& s0, const std::string& s1);
// "for first 10°": the search row's label for the outer orb list's position.
std::string SearchOrbLabel(int outerPosition);

}  // namespace meridel
