// Pluto's longitude from the daily table pluto.slx.
//
// A line's first three characters hold the longitude at 0 h UT in whole arc minutes (the
// designed encoding, EncodePlutoLine). After them a line may carry the rest of the value, so that
// the table is as exact as the other planets:
//   characters 4-7   the rest at 0 h UT (value minus the line's whole minutes), EncodePlutoRest;
//   then, optionally, the digit e (a rest digit, "2" to "8") and 2^e - 1 more rests: the day
//   cut into N = 2^e equal steps (e from 2 to 8), with the rest at each step j = 1 .. N - 1,
//   again from the line's whole minutes. The tool cuts only the few days around Pluto's passes
//   close behind the Sun, where the bending of its light changes faster than days can follow.
// Where the lines around a moment carry their rests, Pluto is a cubic through the four nearest
// of those values; otherwise, as for a table of three-character lines, a straight line between
// the whole minutes of two days. A line whose text after the third character is not of this form
// counts as a three-character line.
//
// The lines are decoded once, when the table is made: a lookup is arithmetic on the values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ephemeris/position_store.h"

namespace meridel {

// Kept lines needed: one per day from 1600-01-01 (line 0) to 2100-01-01.
inline constexpr std::int32_t kPlutoTableLines = 182623;

// The kept (non-blank, trimmed) lines of a table, decoded. Immutable once it is part of a sky, so
// any number of threads may read it.
class PlutoTable {
public:
    explicit PlutoTable(const std::vector<std::string>& keptLines = {});

    // Decodes `line` as the next kept line.
    void AppendLine(std::string_view line);
    // Makes room for this many lines.
    void Reserve(std::size_t lines);
    // Decodes `line` in place of kept line k (the table's maker and tests try lines so).
    void ReplaceLine(std::int32_t k, std::string_view line);
    std::int32_t LineCount() const { return static_cast<std::int32_t>(lines_.size()); }

    // Longitude of Pluto at moment jd (UT), radians [0, 2pi); -99 before 1600-01-01, -100 after
    // 2099-12-31 (by day number floor(jd + 0.5)); -99 as well where the table has no usable line.
    double PlutoLongitude(double jd) const;
    // The same with its rate (radians per day): the slope of the cubic, or of the straight line.
    LongitudeAndRate PlutoLongitudeWithRate(double jd) const;
    // Longitude in degrees [0, 360) encoded by kept line k; -99 when k lies outside the table or
    // the line does not decode (shorter than three characters, codes outside their ranges).
    double PlutoTableValue(std::int32_t k) const;
    // Line k's whole value at 0 h UT in degrees, rest included (so within half an arc minute of
    // PlutoTableValue, possibly just below 0 or just at 360); NaN when the line carries no rest or
    // does not decode.
    double PlutoPreciseValue(std::int32_t k) const;

private:
    struct Line {
        double whole;             // PlutoTableValue: degrees, or -99
        std::int32_t steps;       // 0 no rests, 1 the rest at 0 h, 2^e a cut day
        std::int32_t firstValue;  // where its values (whole minutes plus each rest) begin in values_
    };
    Line Decode(std::int32_t k, std::string_view text);
    // Pluto in degrees at fraction f of day k from the rests, or NaN where the lines around it
    // carry none; the slope (degrees per day) into *slope when asked.
    double PreciseDegrees(std::int32_t k, double f, double* slope) const;
    double Continued(double jd, double* slope) const;

    std::vector<Line> lines_;
    std::vector<double> values_;
};

// Reads dataFolder + fileName and checks every line the range needs (182623 kept lines that
// decode; later lines are kept but never read). On failure returns nullptr and sets errorText to
// the problem (the file's path and the system's description, the count of lines, or the file
// line number that does not decode); the caller says so.
std::shared_ptr<const PlutoTable> LoadPlutoData(const std::string& dataFolder, const std::string& fileName,
                                                std::string& errorText);
// The three characters that encode a longitude (whole arc minutes, reduced to 0..21599) on
// kept line k >= 0.
std::string EncodePlutoLine(std::int32_t k, std::int32_t arcMinutes);

// A rest in arc seconds as four characters: n = round(rest * 10000) + 2^23 in base 64, most
// significant digit first, the digits being "0".."9", the capitals and small letters without c, e
// and p, then "#$%&*+=?"; kept to 0.0001" over +-838". "" for a rest outside that span.
std::string EncodePlutoRest(double arcSeconds);
// The character announcing a day cut into 2^e steps (e from 2 to 8).
char PlutoStepsMark(int e);

}  // namespace meridel
