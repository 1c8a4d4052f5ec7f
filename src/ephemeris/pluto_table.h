// Pluto's longitude from the daily table pluto.slx.
//
// A line's first three characters hold the longitude at 0 h UT in whole arc minutes (the
// designed encoding, EncodePlutoLine). After them a line may carry the rest of the value, so that
// the table is as exact as the other planets:
//   characters 4-7   the rest at 0 h UT (value minus the line's whole minutes), EncodePlutoRest;
//   then, optionally, one character "0" + e and 2^e - 1 more rests of four characters: the day
//   cut into N = 2^e equal steps (e from 2 to 8), with the rest at each step j = 1 .. N - 1,
//   again from the line's whole minutes. The tool cuts only the few days around Pluto's passes
//   close behind the Sun, where the bending of its light changes faster than days can follow.
// Where the lines around a moment carry their rests, Pluto is a cubic through the four nearest
// of those values; otherwise, as for a table of three-character lines, a straight line between
// the whole minutes of two days. A line whose text after the third character is not of this form
// counts as a three-character line.
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
// Line k's whole value at 0 h UT in degrees, rest included (so within half an arc minute of
// PlutoTableValue, possibly just below 0 or just at 360); NaN when the line carries no rest or
// does not decode.
double PlutoPreciseValue(std::int32_t k);
// Reads DataFolder + fileName into PlutoLines and checks every line the range needs (182623
// kept lines that decode; later lines are kept but never read). On failure leaves the table
// empty, sets errorText to the problem (the file's path and the system's description, the count
// of lines, or the file line number that does not decode) and returns false; the caller says so.
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

// A rest in arc seconds as four characters: n = round(rest * 10000) + 2^23 in base 64, most
// significant digit first, digit d written as the character with code 48 + d ("0" to "o"); kept
// to 0.0001" over +-838". "" for a rest outside that span.
std::string EncodePlutoRest(double arcSeconds);
// The character announcing a day cut into 2^e steps (e from 2 to 8).
char PlutoStepsMark(int e);

}  // namespace meridel
