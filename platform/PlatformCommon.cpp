// The platform operations that are the same on every system: path and command-line text, the main window's handle.
#include "platform/Platform.h"

#include <cctype>

namespace platform {

namespace {

WindowHandle TheMainWindow = nullptr;

bool IsCommandLineBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsSeparator(char c) {
    return c == PathSeparator() || c == '/';
}

// From the root: "/x" on POSIX; "C:\x", "\\server\share\x" or "\x" (the current drive's root) on Windows.
bool IsFullPath(const std::string& path) {
    if (!path.empty() && IsSeparator(path[0]))
        return true;
    return PathSeparator() == '\\' && path.size() > 2 && path[1] == ':' && IsSeparator(path[2]);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return !folder.empty() && IsSeparator(folder.back()) ? folder + name : folder + PathSeparator() + name;
}

// One name a command line may start with, resolved; empty when no such program exists.
std::string ResolveProgram(std::string name, const std::string& programFolder,
                           const std::vector<std::string>& searchFolders) {
    if (name.empty())
        return std::string();
    // Windows adds ".exe" to a program name without an extension.
    const size_t lastSeparator = name.find_last_of(PathSeparator() == '\\' ? "\\/:" : "/");
    const size_t lastDot = name.find_last_of('.');
    if (PathSeparator() == '\\' &&
        (lastDot == std::string::npos || (lastSeparator != std::string::npos && lastDot < lastSeparator)))
        name += ".exe";
    if (IsFullPath(name))
        return FileExists(name) ? name : std::string();
    std::vector<std::string> folders;
    if (!programFolder.empty())
        folders.push_back(programFolder);
    // A name with a folder is taken from the program's own folder, never from the current one.
    if (lastSeparator == std::string::npos)
        folders.insert(folders.end(), searchFolders.begin(), searchFolders.end());
    for (const std::string& folder : folders) {
        if (!IsFullPath(folder))
            continue;
        std::string path = JoinPath(folder, name);
        if (FileExists(path))
            return path;
    }
    return std::string();
}

} // namespace

std::string NetshPathOverride;

std::string FindCommandProgram(const std::string& commandLine, const std::string& programFolder,
                               const std::vector<std::string>& searchFolders) {
    size_t start = 0;
    while (start < commandLine.size() && IsCommandLineBlank(commandLine[start]))
        ++start;
    size_t end = start;
    while (end < commandLine.size() && !IsCommandLineBlank(commandLine[end]) && commandLine[end] != '"')
        ++end;
    // A name with quotes is the program's name as the program itself reads it.
    if (end < commandLine.size() && commandLine[end] == '"')
        return ResolveProgram(SplitCommandLine(commandLine).front(), programFolder, searchFolders);
    // Without, each blank may end it: "C:\Program Files\Tool\run.exe /a" is "C:\Program.exe" if that exists, then
    // "C:\Program Files\Tool\run.exe".
    for (; end <= commandLine.size(); ++end) {
        if (end < commandLine.size() && !IsCommandLineBlank(commandLine[end]))
            continue;
        std::string found = ResolveProgram(commandLine.substr(start, end - start), programFolder, searchFolders);
        if (!found.empty())
            return found;
    }
    return std::string();
}

bool IsLeftoverOfWrite(const std::string& fileName, const std::string& baseName) {
    const std::string prefix = baseName + ".";
    const std::string suffix = ".tmp";
    if (fileName.size() <= prefix.size() + suffix.size() || fileName.compare(0, prefix.size(), prefix) != 0 ||
        fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (size_t i = prefix.size(); i < fileName.size() - suffix.size(); ++i) {
        const char c = fileName[i];
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

bool IsRemotePath(const std::string& path) {
    const auto separator = [&](size_t i) { return i < path.size() && (path[i] == '\\' || path[i] == '/'); };
    if (!separator(0) || !separator(1))
        return false;
    // "\\?\C:\..." and "\\.\C:\..." name a local drive.
    const bool localDrive = path.size() >= 6 && (path[2] == '?' || path[2] == '.') && separator(3) &&
                            std::isalpha(static_cast<unsigned char>(path[4])) && path[5] == ':';
    return !localDrive;
}

std::string FolderPartOf(const std::string& path) {
    size_t last = path.find_last_of(PathSeparator() == '\\' ? "\\/:" : "/");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> words;
    const size_t end = commandLine.size();
    size_t i = 0;
    while (i < end && IsCommandLineBlank(commandLine[i]))
        ++i;
    if (i == end)
        return words;

    // The program name knows no backslash escapes: quotes only group.
    std::string program;
    for (bool quoted = false; i < end; ++i) {
        char c = commandLine[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && IsCommandLineBlank(c))
            break;
        else
            program += c;
    }
    words.push_back(program);

    for (;;) {
        while (i < end && IsCommandLineBlank(commandLine[i]))
            ++i;
        if (i == end)
            break;
        std::string word;
        bool quoted = false;
        while (i < end) {
            char c = commandLine[i];
            if (c == '\\') {
                size_t backslashes = 0;
                for (; i < end && commandLine[i] == '\\'; ++i)
                    ++backslashes;
                if (i < end && commandLine[i] == '"') {
                    word.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        word += '"';
                        ++i;
                    }
                } else {
                    word.append(backslashes, '\\');
                }
            } else if (c == '"') {
                if (quoted && i + 1 < end && commandLine[i + 1] == '"') {
                    word += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else if (!quoted && IsCommandLineBlank(c)) {
                break;
            } else {
                word += c;
                ++i;
            }
        }
        words.push_back(word);
    }
    return words;
}

std::string JoinCommandLine(const std::vector<std::string>& words) {
    std::string line;
    for (size_t w = 0; w < words.size(); ++w) {
        const std::string& word = words[w];
        if (w == 0) {
            // A program's path holds no quotes.
            line += '"' + word + '"';
            continue;
        }
        line += ' ';
        if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos) {
            line += word;
            continue;
        }
        line += '"';
        size_t backslashes = 0;
        for (char c : word) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            // Backslashes before a quote are doubled, and the quote is escaped.
            line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
            backslashes = 0;
            line += c;
        }
        // So are those before the closing quote.
        line.append(2 * backslashes, '\\');
        line += '"';
    }
    return line;
}

void SetMainWindow(WindowHandle window) {
    TheMainWindow = window;
}

WindowHandle MainWindow() {
    return TheMainWindow;
}

} // namespace platform
