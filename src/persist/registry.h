// Registry3: the saved state's store. The window's choices live under the current user's key
// "Software\Vantorel" followed by a key part ("\MRD", "\MRD\Year", ...), as string values.
// Underneath is a per-user ini file (its text: store/settings_text.h), read and written whole by
// this file (every write replaces the file atomically and is checked byte for byte), or an empty
// in-memory store for the batch front-end and for tests. Status texts start with "0" exactly when
// the call succeeded.
#pragma once

#include <string>

// NumberFromRegistryText, the reading of a stored number, comes with the store's values.
#include "store/settings_values.h"

namespace meridel {

// The only root the program uses: the current user's part of the store.
enum class RegistryRoot { CurrentUser };

inline constexpr const char* kRegistryBaseKey = "Software\\Vantorel";

// Creates the key if needed and stores value under name. Status "0 New key created.  ..." or
// "0 Key already exists.  ..." when the store really holds the value afterwards; otherwise a
// result code, " Unable to create (or find) key." and the reason, e.g.
// "5 Unable to create (or find) key.  Access is denied.". Nothing is shown to the user.
std::string WriteRegistryString(RegistryRoot root, const std::string& key, const std::string& name,
                                const std::string& value);

// Reads the value name of key into value (trailing characters below code 32 removed).
// Status: "0 OK"; "1 Key not found or is empty." (also for an unreadable or corrupted store);
// "2 Name not specified."; "3 Name not found." (also for a stored empty text). value is left
// empty unless the status is "0 OK".
std::string ReadRegistryString(RegistryRoot root, const std::string& key, const std::string& name,
                               std::string& value);

// Stores value (an empty text as one blank " ") under "Software\Vantorel" + keyPart.
// True when the store holds it. status, when given, receives the store's status text.
bool SaveRegistryValue(const std::string& keyPart, const std::string& name, const std::string& value,
                       std::string* status = nullptr);

// Reads name under "Software\Vantorel" + keyPart into value; on failure value = defaultValue and
// the result is false.
bool RestoreRegistryValue(const std::string& keyPart, const std::string& name, std::string& value,
                          const std::string& defaultValue);

// --- Where the store lives ---------------------------------------------------------------

// The per-user ini file: <user config folder>/Vantorel/Meridel.ini.
std::string DefaultSettingsFilePath();
// Use the ini file at path (created with its folders on the first write). Tests point this at a
// temporary folder.
void UseSettingsFile(const std::string& path);
// Use an empty store in memory: the user's saved state is neither read nor written.
void UseMemorySettings();

}  // namespace meridel
