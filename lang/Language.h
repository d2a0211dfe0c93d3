// The language lookup and the settings-key lookup, with their shared open-file slot and fallback texts.
#pragma once

#include "lang/IniFile.h"
#include "platform/Platform.h"

#include <memory>
#include <optional>
#include <string>

// Every fallback text starts with this marker.
inline constexpr const char* FallbackMarker = "PARROR: ";
inline constexpr const char* LanguageErrorText = "PARROR: L1: language error";

// The one ini file that is open, shared by both lookups, and the name under which it was opened.
struct TIniFileSlot {
    std::string Path;
    platform::FileStamp Stamp;
    std::shared_ptr<const IniFile> Content;
};
extern TIniFileSlot CurrentIniFile;
extern std::string CurrentIniName;

// Text of `key` in `section` of Language/<languageName>.ini with $DATE$ and $TIME$ expanded;
// "PARROR: L1: language error" without the file, "PARROR: " + section without the key.
std::string ReadLanguageKey(const std::string& section, const std::string& key, const std::string& languageName);

// Raw text of `key` in `section` of the ini file at `filePath`; "PARROR: L1: language error" without the file,
// "PARROR: " + section + " - " + key without the key.
std::string ReadSettingsKey(const std::string& section, const std::string& key, const std::string& filePath);

// Closes the open file of the shared slot, if any, and empties its name.
void CloseIniFile();

// Puts the value in place of every occurrence of a placeholder of a language text ($PROFILE$, $PATH$, ...); what
// the value brings in is left as it is.
std::string FillPlaceholder(const std::string& text, const std::string& placeholder, const std::string& value);

// Replaces every $DATE$ and $TIME$ (any letter case) by the current date and time in the user's formats.
std::string ExpandDateTime(const std::string& text);

// Ini files larger than this are not read: a file of gigabytes would exhaust the memory.
inline constexpr size_t MaxIniFileSize = 16 * 1024 * 1024;

// Reads and parses a whole ini file; a missing one, or a folder in its place, gives an ini without sections. So does
// one that is there but is not read (larger than MaxIniFileSize, a pipe or a device, unreadable): then `refusal`, when
// given, says why ("it is larger than 16 MiB"); it is emptied otherwise.
std::shared_ptr<const IniFile> LoadIniFile(const std::string& path, std::string* refusal = nullptr);

// Why the language file was not read when it was last looked for, naming it; empty when it was read or is missing.
std::string LanguageFileRefusal();
