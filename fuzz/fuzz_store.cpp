// The saved-state store's reader. Any bytes are either a store or refused as corrupt; a store
// written out and read again is the same store; values written under any key and name read back
// as they were written (less trailing control characters, as designed); a stored number reads
// back as the nearest whole number to what the C library reads, within the int range.
#include <algorithm>
#include <climits>
#include <cmath>
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
        FUZZ_CHECK(!key.empty() && NormalSettingsKey(key) == key);
        for (const auto& entry : values) FUZZ_CHECK(!entry.first.empty());
    }
    const std::string written = SettingsText(*keys);
    const auto again = ParseSettingsText(written);
    FUZZ_CHECK(again && *again == *keys && SettingsText(*again) == written);
}

// The input as records key \0 name \0 value \0 ..., written one by one into the store the input
// is (or an empty one), then the store's text read back.
void CheckWriteThenRead(const std::string& text) {
    SettingsKeys keys = ParseSettingsText(text).value_or(SettingsKeys{});
    const std::vector<std::string> parts = Split(text, '\0');
    std::map<std::pair<std::string, std::string>, std::string> written;  // (normal key, name) -> value
    for (std::size_t i = 0; i + 2 < parts.size(); i += 3) {
        const std::string &key = parts[i], &name = parts[i + 1];
        const SettingsKeys before = keys;
        const std::string status = PutSettingsValue(keys, key, name, parts[i + 2]);
        if (status.rfind('0', 0) == 0) {
            written[{NormalSettingsKey(key), name}] = parts[i + 2];
        } else {
            FUZZ_CHECK(!status.empty() && keys == before && status == SettingsWriteRefusal(key, name));
        }
    }
    const auto read = ParseSettingsText(SettingsText(keys));
    FUZZ_CHECK(read.has_value());
    for (auto [where, expected] : written) {
        StripTrailingControlChars(expected);
        std::string got;
        const std::string status = ReadSettingsValue(*read, where.first, where.second, got);
        FUZZ_CHECK(got == expected && status == (expected.empty() ? "3 Name not found." : "0 OK"));
    }
}

// The number part of a text is what strtod reads from its leading blanks, signs, digits, points
// and exponents (so no "0x", "inf" or locale).
void CheckNumber(const std::string& text) {
    const std::string numberPart = text.substr(0, text.find_first_not_of(" \t+-.0123456789eE"));
    const double read = std::strtod(numberPart.c_str(), nullptr);
    FUZZ_CHECK(std::fabs(std::clamp(read, double{INT_MIN}, double{INT_MAX}) - NumberFromRegistryText(text)) <= 0.5);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = Text(data, size);
    CheckRoundTrip(text);
    CheckWriteThenRead(text);
    for (const std::string& line : Split(text, '\n')) CheckNumber(line);
    return 0;
}
