// The saved-state store as text: string values by key ("Software\Vantorel\MRD") and value name,
// kept in an ini file with one section per key, "[Software\Vantorel\MRD]", then "name=value"
// lines. In names and values, backslashes, control characters and (in names) "=" and a leading
// "[", ";" or "#" are written as \\ and \xHH, so that every value keeps its exact text, blanks
// included, on one line.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace meridel {

// key -> value name -> text. Keys are normal (see NormalSettingsKey); a key without values
// counts as absent.
using SettingsKeys = std::map<std::string, std::map<std::string, std::string>>;

// "Software\Vantorel\" and "\Software\Vantorel" name the same key as "Software\Vantorel": the
// parts between backslashes joined by one backslash. "" when there is no part.
std::string NormalSettingsKey(const std::string& key);

// The ini text of keys.
std::string SettingsText(const SettingsKeys& keys);

// The keys of an ini text, or nullopt when the text is not one this program wrote or could have
// written. Reading is lenient: CR LF line ends, comment lines (";" or "#"), sections without
// values, and a backslash that starts no escape (kept as it is) are all accepted.
std::optional<SettingsKeys> ParseSettingsText(const std::string& text);

}  // namespace meridel
