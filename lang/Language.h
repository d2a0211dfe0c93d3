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

// Reads and parses a whole ini file; a missing or unreadable file gives an ini without sections.
std::shared_ptr<const IniFile> LoadIniFile(const std::string& path);
