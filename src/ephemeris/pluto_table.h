// Pluto's longitude from the daily table pluto.slx, linearly interpolated between days.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace meridel {

// Kept lines needed: one per day from 1600-01-01 (line 0) to 2100-01-01.
inline constexpr std::int32_t kPlutoTableLines = 182623;

// The kept (non-blank, trimmed) lines of the table, from index 0. Empty until a load succeeds.
extern std::vector<std::string> PlutoLines;

// Longitude of Pluto at moment jd (UT), radians [0, 2pi); -99 before 1600-01-01, -100 after
// 2099-12-31 (by day number floor(jd + 0.5)); -99 as well while no table is loaded.
double PlutoLongitude(double jd);
// Longitude in degrees [0, 360) encoded by kept line k; -99 when k lies outside PlutoLines or
// the line does not decode (shorter than three characters, codes outside their ranges).
double PlutoTableValue(std::int32_t k);
// Reads DataFolder + fileName into PlutoLines and checks every line the range needs (182623
// kept lines that decode; later lines are kept but never read). On failure shows "Error when
// reading geocentric Pluto data." and the problem (title "Read Pluto Data", exclamation icon),
// leaves the table empty, sets errorText to the problem (the file's path and the system's
// description, the count of lines, or the file line number that does not decode) and returns false.
bool LoadPlutoData(const std::string& fileName, std::string& errorText);
// Reads a text file into target: target becomes firstIndex empty entries followed by the lines.
// A line holding only blanks is skipped when asked; blanks around a line are trimmed when asked;
// a CR before the LF is dropped. count receives the number of lines stored. On an error
// errorText and errorNumber receive the system's description and code (errno).
void ReadLinesIntoArray(const std::string& path, std::vector<std::string>& target, std::int32_t firstIndex,
                        bool skipBlankLines, bool trim, std::int32_t& count, std::string& errorText,
                        std::int32_t& errorNumber);
// The three characters that encode a longitude (whole arc minutes, reduced to 0..21599) on
// kept line k >= 0.
std::string EncodePlutoLine(std::int32_t k, std::int32_t arcMinutes);

}  // namespace meridel
