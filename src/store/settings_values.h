// The values of the saved-state store as the registry routines see them: storing a value under a
// key and reading it back with the registry's status texts, whose first character is "0" exactly
// when the call succeeded. Where the keys live (a file, or memory) is the caller's business.
#pragma once

#include <string>

#include "store/settings_text.h"

namespace meridel {

// "" when a value may be stored under key and name; otherwise the status of the refused write,
// "87 Unable to create (or find) key.  The parameter is incorrect." (no key, no name, or a key
// with a control character).
std::string SettingsWriteRefusal(const std::string& key, const std::string& name);

// Stores value under name in key, creating the key. Status "0 New key created.  ..." or
// "0 Key already exists.  ..."; the refusal of SettingsWriteRefusal, leaving keys unchanged.
std::string PutSettingsValue(SettingsKeys& keys, const std::string& key, const std::string& name,
                             const std::string& value);

// Reads the value name of key into value (trailing characters below code 32 removed).
// Status: "0 OK"; "1 Key not found or is empty."; "2 Name not specified."; "3 Name not found."
// (also for a stored empty text). value is left empty unless the status is "0 OK".
std::string ReadSettingsValue(const SettingsKeys& keys, const std::string& key, const std::string& name,
                              std::string& value);

// The status of a write that failed for reason: code, " Unable to create (or find) key.  ", reason.
std::string SettingsWriteFailure(int code, const std::string& reason);

// A value read back as a number: the text's leading number part (blanks before it skipped;
// sign, digits, decimal point, exponent), rounded to an integer with halves to even; 0 when
// there is none. Out-of-range values are clamped to the int range.
int NumberFromRegistryText(const std::string& text);

}  // namespace meridel
