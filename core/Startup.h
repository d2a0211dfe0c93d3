// Start-up: where the program's folders are, and the store reset that begins every show of the main window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* ApplicationTitle = "Kestrova Norvex 2.0";

// The temporary folder from the system's answer, one trailing separator removed; empty when it names none. A folder
// that does not exist stays named (applying then says so): no other folder is put in its place.
std::string ResolveTempDir(const std::string& systemAnswer);

// Where the tests put the program: the folders are resolved from this path instead of the running executable's.
extern std::string ProgramPathOverride;

// Sets StartingUp, ExeDir, LanguageDir, SettingsDir and TempDir from the executable's folder.
void ResolveFolders();
void ResolveFolders(const std::string& executablePath);

// One Norvex runs per program folder and session: the name of the session's mutex for the folder of the executable
// ("Local\Norvex-" and a hash of the folder, letter case folded, without a trailing separator). Two starts of one
// copy meet under it; portable copies in other folders, each with its own Settings, do not.
std::string InstanceMutexName(const std::string& programFolder);
// The same folder as a number, which the running program compares when a second start asks for its window.
std::uint64_t InstanceKey(const std::string& programFolder);

// The first step of every show: folders resolved, then the store reset.
void ResolveFoldersAndResetStore();

// The reading order of the show sequence, after the window's captions: the window file, then the five slot
// files. Returns the messages of values that are not integers.
std::vector<std::string> LoadAllSettings();

// The first show's reading (folders, store reset, LoadAllSettings) can run on a second thread while the program
// makes its window: with many profiles it takes as long as the window. ReadSettingsAhead starts it; until the
// first show takes it, nothing else may touch the folders, the store or the language file.
void ReadSettingsAhead();
// The reading begun ahead, once it is done, with its messages; nothing when none was begun or it was taken.
std::optional<std::vector<std::string>> TakeSettingsReadAhead();
// Waits until the reading begun ahead, if any, is done, leaving it to be taken: for a report that must read the
// language file before the first show.
void WaitForSettingsReadAhead();
