// The Pluto table, from its lines and from a file. The first byte chooses:
// - below 240, up to eight lines (the rest of the input, one a line) placed from line byte % 110:
//   each decodes to a value on the circle that encodes back to its characters, or is refused,
//   reading nothing beyond its text; a moment within a day is on the circle exactly when both
//   its lines decode. The same bytes also give a line number, whole minutes and a rest that
//   survive encoding and decoding.
// - 240 and above (rarer: a file costs as much as a hundred lines), a file: even, the rest of the
//   input as it is, which loads with no error or is refused with one; odd, a table of the range's
//   length give or take three lines (the second byte), with blanks, CRs, blank lines and perhaps a
//   line that cannot decode, which loads exactly when it is long enough and every line decodes,
//   to the values encoded, and with marks outside the range.
#include <sys/mman.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"
#include "fuzz_check.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

void CheckLines(std::int32_t first, const std::vector<std::string>& lines) {
    std::vector<std::string> kept(static_cast<std::size_t>(first), std::string());
    // Each line in its own allocation, so that a read past its end is one ASan sees.
    for (const std::string& line : lines) kept.push_back(line);
    kept.shrink_to_fit();
    const PlutoTable table(kept);
    const auto count = static_cast<std::int32_t>(kept.size());
    FUZZ_CHECK(table.LineCount() == count);
    std::vector<bool> decodes(kept.size());
    for (std::int32_t k = first; k < count; ++k) {
        const std::string& line = kept[static_cast<std::size_t>(k)];
        const double value = table.PlutoTableValue(k), precise = table.PlutoPreciseValue(k);
        decodes[static_cast<std::size_t>(k)] = value != kBeforeRange;
        if (value == kBeforeRange) {
            FUZZ_CHECK(std::isnan(precise));
            continue;
        }
        FUZZ_CHECK(value >= 0 && value < 360);
        FUZZ_CHECK(EncodePlutoLine(k, static_cast<std::int32_t>(std::lround(value * 60))) == line.substr(0, 3));
        if (!std::isnan(precise))
            FUZZ_CHECK(line.size() >= 7 && EncodePlutoRest((precise - value) * 3600) == line.substr(3, 4));
    }
    for (std::int32_t k = first; k + 1 < count; ++k) {
        const bool both = decodes[static_cast<std::size_t>(k)] && decodes[static_cast<std::size_t>(k + 1)];
        for (double f : {0.0, 0.001, 0.25, 0.4999, 0.5, 0.77, 0.999999}) {
            const double longitude = table.PlutoLongitude(kMoonPlutoFirstDay + k - 0.5 + f);
            FUZZ_CHECK(both ? longitude >= 0 && longitude < kFullCircle : longitude == kBeforeRange);
        }
    }
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
    const std::string line = EncodePlutoLine(k, minutes), encodedRest = EncodePlutoRest(rest);
    std::vector<std::string> kept(static_cast<std::size_t>(k), std::string());
    kept.push_back(line + encodedRest);
    const PlutoTable table(kept);
    FUZZ_CHECK(line.size() == 3 && std::lround(table.PlutoTableValue(k) * 60) == ((minutes % 21600) + 21600) % 21600);
    // A rest outside the span four characters hold is refused ("").
    if (!encodedRest.empty())
        FUZZ_CHECK(std::fabs((table.PlutoPreciseValue(k) - table.PlutoTableValue(k)) * 3600 - rest) <= 0.00005 + 2e-8);
}

// The file the tables are written to: one in memory, which no run leaves behind.
std::string TablePath() {
    static const int file = memfd_create("pluto.slx", 0);
    return "/proc/self/fd/" + std::to_string(file);
}

// Line k's whole minutes, from the input's bytes.
std::int32_t MinutesOf(const std::string& bytes, std::int32_t k) {
    const auto b = static_cast<unsigned char>(bytes[static_cast<std::size_t>(k) % bytes.size()]);
    return (b * 83 + k * 7) % 21600;
}

// The encoded table with harmless decorations the input chooses, and a line that cannot decode
// when `bad` (so: refused), within the range: lines past it are never read.
std::string EncodedTable(const std::string& bytes, std::int32_t lines, bool bad) {
    std::string text;
    const auto read = static_cast<std::size_t>(std::min(lines, kPlutoTableLines));
    const std::int32_t badLine = bad ? static_cast<std::int32_t>(bytes.size() * 997 % read) : -1;
    for (std::int32_t k = 0; k < lines; ++k) {
        const auto d = static_cast<unsigned char>(bytes[static_cast<std::size_t>(k * 3 + 1) % bytes.size()]);
        const std::string line = k == badLine ? "!!!" : EncodePlutoLine(k, MinutesOf(bytes, k));
        switch (d % 8) {
            case 4: text += "  " + line + "\n"; break;
            case 5: text += line + "   \n"; break;
            case 6: text += line + "\r\n"; break;
            case 7: text += line + "\n \r\n\n"; break;
            default: text += line + "\n";
        }
    }
    return text;
}

void CheckFile(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return;
    const std::string rest = Text(data + 2, size - 2);
    const bool encoded = data[0] % 2 == 1;
    const std::int32_t lines = kPlutoTableLines + data[1] % 7 - 3;
    const bool bad = data[1] / 7 % 4 == 1;
    const std::string path = TablePath();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << (encoded ? EncodedTable(rest, lines, bad) : rest);
    std::string error;
    const auto table = LoadPlutoData("", path, error);
    FUZZ_CHECK((table != nullptr) == error.empty());
    if (encoded) FUZZ_CHECK((table != nullptr) == (lines >= kPlutoTableLines && !bad));
    if (!table) return;
    for (std::int32_t k = 0; encoded && k < kPlutoTableLines; ++k)
        FUZZ_CHECK(std::lround(table->PlutoTableValue(k) * 60) == MinutesOf(rest, k));
    FUZZ_CHECK(table->PlutoLongitude(kMoonPlutoFirstDay - 0.5 - 1e-6) == kBeforeRange);
    FUZZ_CHECK(table->PlutoLongitude(kMoonPlutoLastDay + 0.5) == kAfterRange);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    if (data[0] >= 240) {
        CheckFile(data, size);
        return 0;
    }
    std::vector<std::string> lines = Split(Text(data + 1, size - 1), '\n');
    if (lines.size() > 8) lines.resize(8);
    CheckLines(data[0] % 110, lines);
    CheckEncoding(data + 1, size - 1);
    return 0;
}
