// The program's folders: where it lies, its language files, its settings and the temporary folder. Set at start-up
// (core/Startup); a home of their own, below the store, so that the language lookup can find its folder without
// reaching up to the store.
#pragma once

#include <string>

extern std::string ExeDir;      // without a trailing separator
extern std::string LanguageDir; // ExeDir, a separator, "Language"; the help pages in its "Help" folder
extern std::string SettingsDir; // ExeDir, a separator, "Settings" and a separator
extern std::string TempDir;     // the system's temporary folder, as it names it; empty when it names none
