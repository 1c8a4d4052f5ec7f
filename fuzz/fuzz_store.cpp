// The saved-state store's reader. Any bytes are either a store ("corrupt" otherwise); a store
// written out and read again is the same store; values written under any key and name read back
// as they were written (less trailing control characters, as designed); a stored number reads
// back as the C library reads it, rounded and clamped.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <map>
#include <utility>

#include "calendar/str_proc.h"
#include "fuzz_check.h"
#include "store/settings_text.h"
#include "store/settings_values.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

void CheckRoundTrip(const std::string& text) {
    const auto keys = ParseSettingsText(text);
    if (!keys) return;
    for (const auto& [key, values] : *keys) {
        FUZZ_CHECK(!key.empty() && NormalSettingsKey(key) == key, "key " + Shown(key));
        for (const auto& entry : values) FUZZ_CHECK(!entry.first.empty(), "empty name in " + Shown(key));
    }
    const std::string written = SettingsText(*keys);
    const auto again = ParseSettingsText(written);
    FUZZ_CHECK(again.has_value(), "its own text is corrupt: " + Shown(written));
    FUZZ_CHECK(*again == *keys, "read back differs: " + Shown(written));
    FUZZ_CHECK(SettingsText(*again) == written, "written twice differs: " + Shown(written));
}

// The input as records key \0 name \0 value \0 ..., written one by one into the store the input
// is (or an empty one), then the store's text read back.
void CheckWriteThenRead(const std::string& text) {
    SettingsKeys keys = ParseSettingsText(text).value_or(SettingsKeys{});
    const std::vector<std::string> parts = Split(text, '\0');
    std::map<std::pair<std::string, std::string>, std::string> written;  // (normal key, name) -> value
    for (std::size_t i = 0; i + 2 < parts.size(); i += 3) {
        const std::string& key = parts[i];
        const std::string& name = parts[i + 1];
        const std::string& value = parts[i + 2];
        const SettingsKeys before = keys;
        const std::string status = PutSettingsValue(keys, key, name, value);
        FUZZ_CHECK(!status.empty(), "no status");
        if (status[0] != '0') {
            FUZZ_CHECK(keys == before, "a refused write changed the store: " + Shown(key));
            FUZZ_CHECK(status == SettingsWriteRefusal(key, name), status);
            continue;
        }
        written[{NormalSettingsKey(key), name}] = value;
    }
    const std::string stored = SettingsText(keys);
    const auto read = ParseSettingsText(stored);
    FUZZ_CHECK(read.has_value(), "a store that took every write is corrupt: " + Shown(stored));
    for (const auto& [where, value] : written) {
        std::string expected = value;
        StripTrailingControlChars(expected);
        std::string got;
        const std::string status = ReadSettingsValue(*read, where.first, where.second, got);
        const std::string what = Shown(where.first) + " / " + Shown(where.second) + " = " + Shown(value);
        if (expected.empty()) {
            FUZZ_CHECK(status == "3 Name not found." && got.empty(), status + ": " + what);
        } else {
            FUZZ_CHECK(status == "0 OK" && got == expected, status + ", read " + Shown(got) + ": " + what);
        }
    }
}

// The number the C library reads at the start of text, rounded half to even and clamped; only
// for a text that starts, after blanks and tabs, with a decimal number (so no "0x", "inf", ...).
bool ReferenceNumber(const std::string& text, int& number) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    std::size_t digit = i + (text[i] == '+' || text[i] == '-');
    if (digit >= text.size()) return false;
    const char c = text[digit];
    if (!(c == '.' || (c >= '0' && c <= '9'))) return false;
    if (c == '0' && digit + 1 < text.size() && (text[digit + 1] == 'x' || text[digit + 1] == 'X')) return false;
    const char* begin = text.c_str() + i;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin) {
        number = 0;
        return true;
    }
    const double rounded = std::nearbyint(value);
    number = rounded >= INT_MAX ? INT_MAX : rounded <= INT_MIN ? INT_MIN : static_cast<int>(rounded);
    return true;
}

void CheckNumber(const std::string& text) {
    // strtod stops at a zero byte; so does the number part of a text.
    const std::string upToZero = text.substr(0, text.find('\0'));
    int expected = 0;
    if (!ReferenceNumber(upToZero, expected)) return;
    FUZZ_CHECK(NumberFromRegistryText(text) == expected,
               Shown(text) + " read as " + std::to_string(NumberFromRegistryText(text)) + ", not " +
                   std::to_string(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = Text(data, size);
    CheckRoundTrip(text);
    CheckWriteThenRead(text);
    for (const std::string& line : Split(text, '\n')) CheckNumber(line);
    return 0;
}
