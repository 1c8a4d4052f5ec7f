#include "calendar/str_proc.h"

namespace meridel {

std::string SafeLeft(const std::string& text, std::int32_t n) {
    if (n <= 0) return "";
    if (static_cast<std::size_t>(n) < text.size()) return text.substr(0, static_cast<std::size_t>(n));
    return text;
}

std::int32_t FindFirstNotInSet(const std::string& text, std::int32_t start, const std::string& set) {
    if (text.empty()) return 0;
    if (set.empty()) return 1;
    for (std::size_t p = start > 1 ? static_cast<std::size_t>(start) : 1; p <= text.size(); ++p) {
        if (set.find(text[p - 1]) == std::string::npos) return static_cast<std::int32_t>(p);
    }
    return 0;
}

std::string KeepOnlyChars(const std::string& text, const std::string& set) {
    std::string kept;
    for (char c : text) {
        if (set.find(c) != std::string::npos) kept += c;
    }
    return kept;
}

std::string CleanNumberText(const std::string& text, bool allowMinus, bool allowPlus) {
    std::string t = KeepOnlyChars(text, "0123456789-+");
    if (t.empty()) return t;
    std::string first = t.substr(0, 1);
    std::string rest = t.substr(1);
    if ((first == "-" && !allowMinus) || (first == "+" && !allowPlus)) first.clear();
    return first + KeepOnlyChars(rest, "0123456789");
}

std::string TrimLeadingChars(const std::string& text, const std::string& set) {
    if (text.empty()) return "";
    if (set.empty()) return text;
    std::int32_t p = FindFirstNotInSet(text, 1, set);
    if (p == 0) return "";
    return text.substr(static_cast<std::size_t>(p) - 1);
}

void StripTrailingControlChars(std::string& text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 32) {
        text = SafeLeft(text, static_cast<std::int32_t>(text.size()) - 1);
    }
}

}  // namespace meridel
