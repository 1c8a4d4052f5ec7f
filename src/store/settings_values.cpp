#include "store/settings_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "calendar/str_proc.h"

namespace meridel {

namespace {

constexpr const char* kSuccessReason = "The operation completed successfully.";
constexpr const char* kKeyNotFound = "1 Key not found or is empty.";
constexpr const char* kNameNotSpecified = "2 Name not specified.";
constexpr const char* kNameNotFound = "3 Name not found.";

bool KeyExists(const SettingsKeys& keys, const std::string& key) {
    auto it = keys.find(key);
    if (it != keys.end() && !it->second.empty()) return true;
    const std::string prefix = key + "\\";
    for (auto sub = keys.lower_bound(prefix); sub != keys.end(); ++sub) {
        if (sub->first.compare(0, prefix.size(), prefix) != 0) break;
        if (!sub->second.empty()) return true;
    }
    return false;
}

// Whether the number text[from, to) (an optional sign, digits with at most one point, at least
// one of them not 0, and an optional exponent) is at least 1 in size: the power of ten of its
// first significant digit plus its exponent is not negative.
bool AtLeastOne(const std::string& text, size_t from, size_t to) {
    size_t i = from + (text[from] == '+' || text[from] == '-');
    long long integerDigits = 0, power = 0;
    bool significant = false, afterPoint = false;
    long long fractionPlace = 0;
    for (; i < to && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            afterPoint = true;
            continue;
        }
        if (afterPoint) ++fractionPlace;
        if (significant) {
            if (!afterPoint) ++integerDigits;
            continue;
        }
        if (text[i] != '0') {
            significant = true;
            if (afterPoint) power = -fractionPlace;
            else integerDigits = 1;
        }
    }
    if (significant && power == 0) power = integerDigits - 1;
    long long exponent = 0;
    if (i < to) {
        const bool negative = text[++i] == '-';
        i += text[i] == '+' || text[i] == '-';
        // Beyond a million the exponent decides on its own.
        for (; i < to; ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000LL);
        if (negative) exponent = -exponent;
    }
    return power + exponent >= 0;
}

}  // namespace

std::string SettingsWriteFailure(int code, const std::string& reason) {
    return std::to_string(code) + " Unable to create (or find) key.  " + reason;
}

std::string SettingsWriteRefusal(const std::string& key, const std::string& name) {
    // A key is a section header of the file, one line written as it is: a line break in it
    // would leave a file that reads as corrupt, and with it every value saved.
    const bool controlCharacter =
        std::any_of(key.begin(), key.end(), [](char c) { return static_cast<unsigned char>(c) < 32; });
    if (NormalSettingsKey(key).empty() || name.empty() || controlCharacter)
        return SettingsWriteFailure(87, "The parameter is incorrect.");
    return "";
}

std::string PutSettingsValue(SettingsKeys& keys, const std::string& key, const std::string& name,
                             const std::string& value) {
    std::string refusal = SettingsWriteRefusal(key, name);
    if (!refusal.empty()) return refusal;
    const std::string normal = NormalSettingsKey(key);
    const bool existed = KeyExists(keys, normal);
    keys[normal][name] = value;
    return std::string(existed ? "0 Key already exists." : "0 New key created.") + "  " + kSuccessReason;
}

std::string ReadSettingsValue(const SettingsKeys& keys, const std::string& key, const std::string& name,
                              std::string& value) {
    value.clear();
    const std::string normal = NormalSettingsKey(key);
    if (normal.empty()) return kKeyNotFound;
    if (!KeyExists(keys, normal)) return kKeyNotFound;
    if (name.empty()) return kNameNotSpecified;
    auto values = keys.find(normal);
    if (values == keys.end()) return kNameNotFound;
    auto it = values->second.find(name);
    if (it == values->second.end()) return kNameNotFound;
    std::string read = it->second;
    StripTrailingControlChars(read);
    if (read.empty()) return kNameNotFound;
    value = read;
    return "0 OK";
}

int NumberFromRegistryText(const std::string& text) {
    size_t i = 0;
    const size_t n = text.size();
    auto isDigit = [&](size_t k) { return k < n && text[k] >= '0' && text[k] <= '9'; };
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    while (isDigit(i)) ++i, digits = true;
    if (i < n && text[i] == '.') {
        ++i;
        while (isDigit(i)) ++i, digits = true;
    }
    if (!digits) return 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < n && (text[e] == '+' || text[e] == '-')) ++e;
        if (isDigit(e)) {
            while (isDigit(e)) ++e;
            i = e;
        }
    }
    // from_chars takes no leading "+" and, unlike strtod, ignores the locale.
    const size_t from = text[start] == '+' ? start + 1 : start;
    double value = 0;
    auto result = std::from_chars(text.data() + from, text.data() + i, value);
    const bool negative = text[start] == '-';
    // from_chars reports a number too small for a double as it does one too large: the first
    // rounds to 0, only the second is clamped.
    if (result.ec == std::errc::result_out_of_range)
        value = !AtLeastOne(text, start, i) ? 0.0 : negative ? -1e300 : 1e300;
    else if (result.ec != std::errc())
        return 0;
    value = std::nearbyint(value);
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

}  // namespace meridel
