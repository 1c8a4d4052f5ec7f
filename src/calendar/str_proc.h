// Small text routines for cleaning typed numbers and values read back from the settings store.
// Positions count from 1; comparisons are exact. Texts are treated byte by byte (the sets used
// are ASCII).
#pragma once

#include <cstdint>
#include <string>

namespace meridel {

// The first n characters; "" for n <= 0; the whole text when n >= its length.
std::string SafeLeft(const std::string& text, std::int32_t n);
// Position (1-based) of the first character at or after start that is not in set; 0 when none
// or text is empty; 1 when set is empty.
std::int32_t FindFirstNotInSet(const std::string& text, std::int32_t start, const std::string& set);
// The characters of text that occur in set, in order.
std::string KeepOnlyChars(const std::string& text, const std::string& set);
// Digits only, with a leading sign kept only when allowed ("12a3" -> "123", "-5" -> "5").
std::string CleanNumberText(const std::string& text, bool allowMinus, bool allowPlus);
// text without its leading characters from set ("0042" -> "42", "000" -> "").
std::string TrimLeadingChars(const std::string& text, const std::string& set);
// Removes every trailing character with a code below 32, in place.
void StripTrailingControlChars(std::string& text);

}  // namespace meridel
