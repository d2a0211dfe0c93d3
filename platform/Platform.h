// Every operating-system operation Norvex needs, with one implementation for Windows and one for POSIX.
// Strings are byte strings in the system code page, handed to the "A" functions unchanged.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The path separator of the platform: '\' on Windows, '/' on POSIX.
char PathSeparator();

// Full path of the running executable.
std::string ExecutablePath();

// The system's temporary folder as the system names it, whatever its length; empty when it names none.
std::string SystemTempFolder();

// Where the temporary files go when the system names no usable temporary folder.
std::string FallbackTempFolder();

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Creates the folder with all missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& path);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& content);

// Writes the bytes to a new file in the same folder and then renames it over `path`, so that a crash, a kill or a
// full disk leaves either the old or the new file, never a cut one. False when anything fails (the old file stays).
bool WriteFileAtomically(const std::string& path, const std::string& content);

// Creates or overwrites a file with the bytes given. On POSIX it refuses to follow a symbolic link planted in place
// of the file and creates it with permissions 0600. False when the file cannot be opened safely or written.
bool WriteTempFile(const std::string& path, const std::string& content);

// What tells one version of a file from another: changes whenever the file is rewritten.
struct FileStamp {
    bool Exists = false;
    std::int64_t Size = 0;
    std::int64_t ModifiedNs = 0;
    std::int64_t ChangedNs = 0;
    std::uint64_t Identity = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp GetFileStamp(const std::string& path);

// The current date in the user's short date format and the current time in the user's long time format.
std::string CurrentShortDate();
std::string CurrentLongTime();

// Converts UTF-8 or UTF-16 text (without its byte-order mark) to the system code page; a character the code page
// lacks becomes '?'.
std::string Utf8ToSystemCodePage(const std::string& utf8);
std::string Utf16ToSystemCodePage(const std::u16string& utf16);

} // namespace platform
