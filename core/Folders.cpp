// The program's folders.
#include "core/Folders.h"

std::string ExeDir;
std::string LanguageDir;
std::string SettingsDir;
std::string TempDir;
