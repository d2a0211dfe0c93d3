// The recording stand-in for netsh and for a profile's command: where it lies, and what it was started with.
#pragma once

#include "TestFolders.h"

#include <string>
#include <vector>

// While it exists, every start of the stand-in is recorded into a file of the folder, and netsh is the stand-in (its
// path overridden on Windows, first on PATH on POSIX). The environment is put back when it goes.
class Recording {
public:
    explicit Recording(const ScratchFolder& folder);
    ~Recording();
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    // The full path of the stand-in, to start it by name as a profile's command.
    static std::string RecorderPath();

    // Each run: its arguments as "arg <text>" lines, then on Windows "window <what it found>".
    std::vector<std::vector<std::string>> Runs() const;

    void SetExitCode(int code) const;
    // On Windows each run looks for a visible window with this caption and records its size.
    void WatchWindow(const std::string& caption) const;
    // On Windows each run records whether each of the files opens for reading and for writing ("read allowed",
    // "write refused").
    void TryOpening(const std::vector<std::string>& files) const;
    // Each run prints the line on its standard output, and the other on its standard error.
    void Print(const std::string& output, const std::string& error = std::string()) const;

private:
    std::string RecordFile;
    std::string OldPath;
};

void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);
