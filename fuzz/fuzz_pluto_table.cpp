// The whole Pluto table loader on a file. The first byte chooses the file: even, the rest of the
// input as it is; odd, a full-length table made by repeating the input's lines (the first
// non-blank character of each shifted by its kept line's place, as a table's are), one to three
// lines short of or beyond what the range needs, by the second byte. The load succeeds exactly
// when the file has 182623 kept lines that decode; then Pluto is on the circle at every moment of
// the range and has no position outside it, and a failed load gives no table.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"
#include "fuzz_check.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

// A template line longer than this is cut, so that a table stays a few megabytes.
constexpr std::size_t kLongestTemplate = 80;

// The folder the tables are written to, removed at exit; a plain array, so that it outlives
// every object the exit destroys.
char folder[1024];

void RemoveFolder() { std::filesystem::remove_all(folder); }

std::string Folder() {
    if (!folder[0]) {
        const char* tmp = std::getenv("TMPDIR");
        std::snprintf(folder, sizeof folder, "%s/fuzz_pluto_table.%d", tmp && *tmp ? tmp : "/tmp", static_cast<int>(getpid()));
        std::filesystem::create_directories(folder);
        std::atexit(RemoveFolder);
    }
    return std::string(folder) + "/";
}

bool Decodes(std::string_view line, std::int32_t k) {
    if (line.size() < 3) return false;
    const int s = static_cast<unsigned char>(line[0]) - 58 - k % 55;
    const int d = static_cast<unsigned char>(line[1]) - 59;
    const int m = static_cast<unsigned char>(line[2]) - 60;
    return s >= 0 && s <= 5 && d >= 0 && d <= 59 && m >= 0 && m <= 59;
}

std::string_view TrimBlanks(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(' ') + 1 - first);
}

// The kept lines of a file's text: lines end at LF (a CR before it dropped), trimmed of blanks,
// blank ones skipped. Views into text.
std::vector<std::string_view> KeptLines(std::string_view text) {
    std::vector<std::string_view> kept;
    for (std::size_t from = 0; from < text.size();) {
        std::size_t at = text.find('\n', from);
        if (at == std::string_view::npos) at = text.size();
        std::string_view line = text.substr(from, at - from);
        from = at + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = TrimBlanks(line);
        if (!line.empty()) kept.push_back(line);
    }
    return kept;
}

// Whether a template line holds more than blanks (and a CR at its end).
bool HoldsText(const std::string& line) {
    std::string_view text = line;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    return !TrimBlanks(text).empty();
}

std::string RepeatedTable(const std::string& input, int change) {
    std::vector<std::string> templates = Split(input, '\n');
    std::vector<std::size_t> firstText(templates.size(), std::string::npos);  // npos: counts for no line
    std::size_t longest = 0;
    bool anyText = false;
    for (std::size_t i = 0; i < templates.size(); ++i) {
        std::string& t = templates[i];
        t.resize(std::min(t.size(), kLongestTemplate));
        longest = std::max(longest, t.size());
        if (HoldsText(t)) firstText[i] = t.find_first_not_of(' '), anyText = true;
    }
    if (!anyText) return input;
    const std::int32_t wanted = kPlutoTableLines + change;
    std::string text;
    text.reserve((longest + 1) * static_cast<std::size_t>(wanted + 3) * 2);
    std::int32_t k = 0;
    for (std::size_t j = 0; k < wanted; ++j) {
        const std::size_t i = j % templates.size();
        const std::size_t at = text.size();
        text += templates[i];
        text += '\n';
        if (firstText[i] == std::string::npos) continue;
        char& first = text[at + firstText[i]];
        first = static_cast<char>(static_cast<unsigned char>(first) + k % 55);
        ++k;
    }
    return text;
}

void CheckLoaded(const PlutoTable& table, const std::vector<std::string_view>& kept) {
    // The table is the file's kept lines: each decodes as the line on its own does.
    FUZZ_CHECK(table.LineCount() == static_cast<std::int32_t>(kept.size()), "the table is not the file's lines");
    const PlutoTable lines(std::vector<std::string>(kept.begin(), kept.end()));
    for (std::int32_t k = 0; k < table.LineCount(); ++k) {
        const double a = table.PlutoPreciseValue(k), b = lines.PlutoPreciseValue(k);
        FUZZ_CHECK(table.PlutoTableValue(k) == lines.PlutoTableValue(k) && (a == b || (std::isnan(a) && std::isnan(b))),
                   "line " + std::to_string(k));
    }
    const std::int32_t days = kMoonPlutoLastDay - kMoonPlutoFirstDay + 1;
    auto check = [&](std::int32_t k) {
        for (double f : {0.0, 0.371, 0.999999}) {
            const double longitude = table.PlutoLongitude(kMoonPlutoFirstDay + k - 0.5 + f);
            FUZZ_CHECK(longitude >= 0 && longitude < kFullCircle,
                       "day " + std::to_string(k) + " + " + std::to_string(f) + ": " + std::to_string(longitude));
        }
    };
    // The ends of the range, and a day in every stretch of a thousand between them.
    for (std::int32_t k = 0; k < 300; ++k) check(k);
    for (std::int32_t k = days - 300; k < days; ++k) check(k);
    for (std::int32_t k = 300; k < days - 300; k += 997) check(k);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string rest = Text(data + 2, size - 2);
    const std::string text = data[0] % 2 == 0 ? rest : RepeatedTable(rest, data[1] % 7 - 3);
    {
        std::ofstream file(Folder() + "pluto.slx", std::ios::binary | std::ios::trunc);
        file << text;
        FUZZ_CHECK(file.good(), "cannot write the table to try");
    }
    const std::vector<std::string_view> kept = KeptLines(text);
    bool usable = kept.size() >= static_cast<std::size_t>(kPlutoTableLines);
    for (std::int32_t k = 0; usable && k < kPlutoTableLines; ++k) usable = Decodes(kept[static_cast<std::size_t>(k)], k);

    std::string error;
    const auto table = LoadPlutoData(Folder(), "pluto.slx", error);
    const bool loaded = table != nullptr;
    FUZZ_CHECK(loaded == usable, std::string(loaded ? "loaded" : "refused") + " a table of " +
                                     std::to_string(kept.size()) + " kept lines: " + error);
    FUZZ_CHECK(loaded == error.empty(), "loaded with an error, or refused without one: " + error);
    if (!loaded) return 0;
    CheckLoaded(*table, kept);
    FUZZ_CHECK(table->PlutoLongitude(kMoonPlutoFirstDay - 0.5 - 1e-6) == kBeforeRange, "before the range");
    FUZZ_CHECK(table->PlutoLongitude(kMoonPlutoLastDay + 0.5) == kAfterRange, "after the range");
    return 0;
}
