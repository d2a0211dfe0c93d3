// The recording stand-in for netsh and for a profile's command.
#include "Recording.h"

#include "platform/Platform.h"

#include <cstdlib>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::string TestExecutableFolder() {
    std::string path = platform::ExecutablePath();
    return path.substr(0, path.find_last_of(platform::PathSeparator()));
}

std::string StandInFolder() {
#ifdef _WIN32
    // netsh's path is overridden to name it.
    return TestExecutableFolder();
#else
    return TestExecutableFolder() + "/fake-netsh";
#endif
}

} // namespace

void SetEnvironment(const std::string& name, const std::string& value) {
#ifdef _WIN32
    SetEnvironmentVariableA(name.c_str(), value.c_str());
#else
    setenv(name.c_str(), value.c_str(), 1);
#endif
}

void UnsetEnvironment(const std::string& name) {
#ifdef _WIN32
    SetEnvironmentVariableA(name.c_str(), nullptr);
#else
    unsetenv(name.c_str());
#endif
}

Recording::Recording(const ScratchFolder& folder) : RecordFile(folder.File("record.txt")) {
    SetEnvironment("NORVEX_RECORD", RecordFile);
#ifdef _WIN32
    platform::NetshPathOverride = RecorderPath();
#else
    const char* path = std::getenv("PATH");
    OldPath = path != nullptr ? path : "";
    SetEnvironment("PATH", StandInFolder() + ":" + OldPath);
#endif
}

Recording::~Recording() {
    UnsetEnvironment("NORVEX_RECORD");
    UnsetEnvironment("NORVEX_RECORD_EXIT");
    UnsetEnvironment("NORVEX_RECORD_WINDOW");
    UnsetEnvironment("NORVEX_RECORD_OPEN");
    UnsetEnvironment("NORVEX_RECORD_PRINT");
    UnsetEnvironment("NORVEX_RECORD_PRINT_ERROR");
#ifdef _WIN32
    platform::NetshPathOverride.clear();
#else
    SetEnvironment("PATH", OldPath);
#endif
}

std::string Recording::RecorderPath() {
    return StandInFolder() + platform::PathSeparator() + "netsh" + (platform::PathSeparator() == '\\' ? ".exe" : "");
}

std::vector<std::vector<std::string>> Recording::Runs() const {
    std::vector<std::vector<std::string>> runs;
    std::ifstream in(RecordFile, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (line == "run")
            runs.emplace_back();
        else if (!runs.empty())
            runs.back().push_back(line);
    }
    return runs;
}

void Recording::SetExitCode(int code) const {
    SetEnvironment("NORVEX_RECORD_EXIT", std::to_string(code));
}

void Recording::WatchWindow(const std::string& caption) const {
    SetEnvironment("NORVEX_RECORD_WINDOW", caption);
}

void Recording::TryOpening(const std::vector<std::string>& files) const {
    std::string list;
    for (const std::string& file : files)
        list += (list.empty() ? "" : "*") + file;
    SetEnvironment("NORVEX_RECORD_OPEN", list);
}

void Recording::Print(const std::string& output, const std::string& error) const {
    SetEnvironment("NORVEX_RECORD_PRINT", output);
    if (error.empty())
        UnsetEnvironment("NORVEX_RECORD_PRINT_ERROR");
    else
        SetEnvironment("NORVEX_RECORD_PRINT_ERROR", error);
}
