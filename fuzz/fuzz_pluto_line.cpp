// Lines of the Pluto table. The first byte places the lines (a line's place enters its first
// character); the rest are up to eight lines. Every line decodes to a longitude within the circle
// or is refused, reading nothing beyond its text; what decodes encodes back to the same
// characters; Pluto within a day whose two lines decode is on the circle, otherwise "no
// position". The second half checks encoding then decoding of any whole minutes and rest.
#include <cmath>
#include <cstring>

#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"
#include "fuzz_check.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

// The rests four digits hold: -2^23 .. 2^23 - 1 ten-thousandths of an arc second.
constexpr double kRestUnits = 8388608;

// The three-character decoding on its own: s, d and m within their ranges for place k.
bool Decodes(const std::string& line, std::int32_t k) {
    if (line.size() < 3) return false;
    const int s = static_cast<unsigned char>(line[0]) - 58 - k % 55;
    const int d = static_cast<unsigned char>(line[1]) - 59;
    const int m = static_cast<unsigned char>(line[2]) - 60;
    return s >= 0 && s <= 5 && d >= 0 && d <= 59 && m >= 0 && m <= 59;
}

void CheckLines(std::int32_t first, const std::vector<std::string>& lines) {
    std::vector<std::string> kept(static_cast<std::size_t>(first), std::string());
    // Each line in its own allocation, so that a read past its end is one ASan sees.
    for (const std::string& line : lines) kept.push_back(line);
    kept.shrink_to_fit();
    const PlutoTable table(kept);
    const auto count = static_cast<std::int32_t>(kept.size());
    FUZZ_CHECK(table.LineCount() == count, "the table is not its lines");
    for (std::int32_t k = first; k < count; ++k) {
        const std::string& line = kept[static_cast<std::size_t>(k)];
        const double value = table.PlutoTableValue(k);
        const std::string what = "line " + std::to_string(k) + " " + Shown(line);
        if (!Decodes(line, k)) {
            FUZZ_CHECK(value == kBeforeRange, what + " decoded to " + std::to_string(value));
            FUZZ_CHECK(std::isnan(table.PlutoPreciseValue(k)), what);
            continue;
        }
        FUZZ_CHECK(value >= 0 && value < 360, what + " decoded to " + std::to_string(value));
        const auto minutes = static_cast<std::int32_t>(std::lround(value * 60));
        FUZZ_CHECK(EncodePlutoLine(k, minutes) == line.substr(0, 3), what);
        const double precise = table.PlutoPreciseValue(k);
        if (std::isnan(precise)) continue;
        const double rest = (precise - value) * 3600;
        FUZZ_CHECK(rest * 10000 >= -kRestUnits - 1e-3 && rest * 10000 < kRestUnits, what + " rest " + std::to_string(rest));
        FUZZ_CHECK(line.size() >= 7 && EncodePlutoRest(rest) == line.substr(3, 4), what + " rest " + std::to_string(rest));
    }
    // Moments through each day: the designed answers only.
    for (std::int32_t k = first; k + 1 < count; ++k) {
        const bool both = Decodes(kept[static_cast<std::size_t>(k)], k) && Decodes(kept[static_cast<std::size_t>(k + 1)], k + 1);
        for (double f : {0.0, 0.001, 0.25, 0.4999, 0.5, 0.77, 0.999999}) {
            const double longitude = table.PlutoLongitude(kMoonPlutoFirstDay + k - 0.5 + f);
            const std::string what = "day " + std::to_string(k) + " + " + std::to_string(f) + ": " +
                                     std::to_string(longitude);
            if (both) {
                FUZZ_CHECK(longitude >= 0 && longitude < kFullCircle, what);
            } else {
                FUZZ_CHECK(longitude == kBeforeRange, what);
            }
        }
    }
    FUZZ_CHECK(table.PlutoLongitude(kMoonPlutoFirstDay - 0.5 - 1e-6) == kBeforeRange, "before the table");
    FUZZ_CHECK(table.PlutoLongitude(kMoonPlutoLastDay + 0.5) == kAfterRange, "after the table");
}

void CheckEncoding(const std::uint8_t* data, std::size_t size) {
    if (size < 16) return;
    std::int32_t k, minutes;
    double rest;
    std::memcpy(&k, data, 4);
    std::memcpy(&minutes, data + 4, 4);
    std::memcpy(&rest, data + 8, 8);
    // Only k mod 55 enters a line; a few cycles of it keep the table short.
    k = static_cast<std::int32_t>(static_cast<std::uint32_t>(k) % 1100);
    const std::string line = EncodePlutoLine(k, minutes);
    const std::string encodedRest = EncodePlutoRest(rest);
    std::vector<std::string> kept(static_cast<std::size_t>(k), std::string());
    kept.push_back(line + encodedRest);
    const PlutoTable table(kept);
    const std::int32_t circle = ((minutes % 21600) + 21600) % 21600;
    const std::string what = std::to_string(k) + ", " + std::to_string(minutes) + "', " + std::to_string(rest) + "\"";
    FUZZ_CHECK(line.size() == 3 && std::lround(table.PlutoTableValue(k) * 60) == circle, what + ": " + Shown(line));
    const double units = std::nearbyint(rest * 10000);
    const bool representable = units >= -kRestUnits && units < kRestUnits;
    FUZZ_CHECK(encodedRest.empty() != representable, what + ": rest " + Shown(encodedRest));
    if (representable) {
        const double back = (table.PlutoPreciseValue(k) - table.PlutoTableValue(k)) * 3600;
        FUZZ_CHECK(std::fabs(back - units / 10000) < 2e-8, what + ": read " + std::to_string(back));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<std::string> lines = Split(Text(data + 1, size - 1), '\n');
    if (lines.size() > 8) lines.resize(8);
    CheckLines(data[0] % 110, lines);
    CheckEncoding(data + 1, size - 1);
    return 0;
}
