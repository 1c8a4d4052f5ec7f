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
// Longitude in degrees encoded by kept line k (0 <= k < PlutoLines.size()).
double PlutoTableValue(std::int32_t k);
// Reads DataFolder + fileName into PlutoLines and checks every line the range needs. On failure
// shows "Error when reading geocentric Pluto data." with the problem (title "Read Pluto Data"),
// leaves the table empty, sets errorText and returns false.
bool LoadPlutoData(const std::string& fileName, std::string& errorText);
// Reads a text file into target from firstIndex on. Skips blank lines when asked, trims blanks
// when asked; count receives the number of lines stored. On an error errorText and errorNumber
// receive the system's description and code.
void ReadLinesIntoArray(const std::string& path, std::vector<std::string>& target, std::int32_t firstIndex,
                        bool skipBlankLines, bool trim, std::int32_t& count, std::string& errorText,
                        std::int32_t& errorNumber);
// The three characters that encode a longitude (whole arc minutes, 0..21599) on line k.
std::string EncodePlutoLine(std::int32_t k, std::int32_t arcMinutes);

}  // namespace meridel
