// Start-up: folder resolution and the store reset, the same on every show of the main window.
#include "core/Startup.h"

#include "core/Promenne.h"
#include "core/Settings.h"
#include "lang/IniFile.h"
#include "platform/Platform.h"

#include <cstdio>
#include <future>

std::string ResolveTempDir(const std::string& systemAnswer) {
    std::string folder = systemAnswer;
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

void ResolveFolders(const std::string& executablePath) {
    const char separator = platform::PathSeparator();
    StartingUp = true;
    size_t last = executablePath.find_last_of(separator == '\\' ? "\\/" : "/");
    ExeDir = last == std::string::npos ? std::string() : executablePath.substr(0, last);
    LanguageDir = ExeDir + separator + "Language";
    SettingsDir = ExeDir + separator + "Settings" + separator;
    TempDir = ResolveTempDir(platform::SystemTempFolder());
}

std::string ProgramPathOverride;

void ResolveFolders() {
    ResolveFolders(ProgramPathOverride.empty() ? platform::ExecutablePath() : ProgramPathOverride);
}

std::uint64_t InstanceKey(const std::string& programFolder) {
    std::string folder = LowerAscii(programFolder);
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    // FNV-1a, 64 bits.
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : folder)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

std::string InstanceMutexName(const std::string& programFolder) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(InstanceKey(programFolder)));
    return std::string("Local\\Norvex-") + hex;
}

void ResolveFoldersAndResetStore() {
    ResolveFolders();
    ResetStore();
}

namespace {
std::future<std::vector<std::string>> ReadAhead;
}

void ReadSettingsAhead() {
    ReadAhead = std::async(std::launch::async, [] {
        ResolveFoldersAndResetStore();
        return LoadAllSettings();
    });
}

std::optional<std::vector<std::string>> TakeSettingsReadAhead() {
    if (!ReadAhead.valid())
        return std::nullopt;
    return ReadAhead.get(); // a failure of the reading is raised here, in the show sequence, as it would have been
}

void WaitForSettingsReadAhead() {
    if (ReadAhead.valid())
        ReadAhead.wait();
}

std::vector<std::string> LoadAllSettings() {
    std::vector<std::string> messages = LoadSettings(0);
    std::vector<std::string> more = LoadSettings(1);
    messages.insert(messages.end(), more.begin(), more.end());
    return messages;
}
