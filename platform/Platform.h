// Every operating-system operation Norvex needs, with one implementation for Windows and one for POSIX.
// Strings are byte strings in the system code page, handed to the "A" functions unchanged.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Libraries loaded at run time, by the program or by the system's own libraries for it, come from the system folder
// only: never from the program's folder or the current folder. The first thing each program does.
void RestrictLibrarySearch();

// The path separator of the platform: '\' on Windows, '/' on POSIX.
char PathSeparator();

// Full path of the running executable.
std::string ExecutablePath();

// The system's temporary folder as the system names it, whatever its length; empty when it names none.
std::string SystemTempFolder();

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Creates the folder with all missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& path);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& content);

// What came of reading a file that must be an ordinary file of bounded size (a profile's template).
enum class ReadFileResult { Ok, Missing, NotRegular, TooLarge, Unreadable };

// Reads a whole regular file of at most maxBytes. A FIFO, a device or anything else that is not a regular file is
// refused without waiting for it or reading from it; so is a file larger than the bound.
ReadFileResult ReadRegularFile(const std::string& path, size_t maxBytes, std::string& content);

// Who may change a file or folder: its owner and the entries of its access list, accounts named by their SIDs. On
// POSIX the mode bits in the same terms: the owner (root is SYSTEM, S-1-5-18; a user S-1-22-1-<uid>), an entry for the
// group (S-1-22-2-<gid>) and one for Everyone (S-1-1-0) when they may write.
struct TAccessEntry {
    bool Allow = true; // false: a deny entry
    std::string Sid;
    std::uint32_t Mask = 0;
    bool InheritOnly = false; // only for what is made inside the folder, not for the folder itself
    bool operator==(const TAccessEntry&) const = default;
};
struct TFileRights {
    std::string Owner;         // never empty
    bool HasAccessList = true; // without one, everyone may do everything
    std::vector<TAccessEntry> Entries;
};

// A file or folder opened for reading, and everyone else's reading, writing and deleting. Its rights and its content
// are read through the one handle: both come from the same file, whatever happens to the name meanwhile. `hold`
// shares it for reading only: while it is open nobody can change, rename or delete it.
class TOpenedFile {
public:
    explicit TOpenedFile(const std::string& path, bool hold = false);
    ~TOpenedFile();
    TOpenedFile(TOpenedFile&& other) noexcept;
    TOpenedFile& operator=(TOpenedFile&&) = delete;
    TOpenedFile(const TOpenedFile&) = delete;
    TOpenedFile& operator=(const TOpenedFile&) = delete;

    bool IsOpen() const { return Handle != -1; }
    // Why it could not be opened: Missing or Unreadable.
    ReadFileResult OpenFailure() const { return Failure; }
    // Nothing when they cannot be read.
    std::optional<TFileRights> Rights() const;
    // The whole content, as ReadRegularFile reads it.
    ReadFileResult Read(size_t maxBytes, std::string& content) const;

private:
    explicit TOpenedFile(std::intptr_t handle); // takes over a handle of its own
    friend std::optional<TOpenedFile> WriteTempFile(const std::string& path, const std::string& content);

    std::intptr_t Handle = -1; // a HANDLE on Windows, a file descriptor on POSIX
    ReadFileResult Failure = ReadFileResult::Ok;
};

// Writes a file of the temporary folder anew, and holds it: until the result goes, the file is shared for reading only
// (Windows), so that nothing changes it between its writing and its use. Whatever lay under the name is removed first
// or, where it cannot be, refused: a link or reparse point is never followed, no file written through. On POSIX the
// file is private to the user (0600). Nothing when it cannot be made, written and held as written.
std::optional<TOpenedFile> WriteTempFile(const std::string& path, const std::string& content);

// Whether the program runs with administrator rights: its token is elevated. Never on POSIX.
bool IsElevated();
// The account the program runs as, by its SID.
std::string CurrentUserSid();
// An account's name as its owner knows it ("BUILTIN\Users", "Everyone"); the SID itself when it has none.
std::string AccountName(const std::string& sid);

// Writes the bytes to a new file in the same folder and then renames it over `path`, so that a crash, a kill or a
// full disk leaves either the old or the new file, never a cut one. False when anything fails (the old file stays).
// After a successful rename, new files that a killed earlier write of the same file left beside it are removed.
bool WriteFileAtomically(const std::string& path, const std::string& content);

// Removes the new files that killed earlier writes of the file left beside it.
void RemoveLeftoversOfWrite(const std::string& path);

// Whether a file of the folder is the new file of a write of `baseName` that never reached its rename:
// `<baseName>.<letters and digits>.tmp`, the names the writers above give their new files.
bool IsLeftoverOfWrite(const std::string& fileName, const std::string& baseName);

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

// Converts text in the system code page to UTF-8. On POSIX the code page is already UTF-8: a byte that does not
// belong to a well-formed sequence becomes U+FFFD, so the result is always valid UTF-8.
std::string SystemCodePageToUtf8(const std::string& text);

// Standard output passes bytes unchanged: no LF is widened to CR LF (Windows), so a script written there keeps its
// exact bytes.
void SetBinaryStandardOutput();

// Whether a path names a file on another computer: it begins with two separators ("\\server\share\...",
// "//server/...", "\\?\UNC\..."), but for "\\?\" or "\\.\" before a drive. Opening such a file hands the user's
// sign-in to that computer.
bool IsRemotePath(const std::string& path);

// The folder part of a path: everything up to and including its last separator ('\', '/' or the drive's ':' on
// Windows, '/' on POSIX); empty when the path has none.
std::string FolderPartOf(const std::string& path);

// Splits a command line into the program and its arguments as a Windows program sees them: the program name ends at
// the first blank outside double quotes, which group and are removed; in the arguments, 2n backslashes before a quote
// give n backslashes and a quote that groups, 2n+1 give n and a literal quote, and "" inside a quoted part gives a
// literal quote.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// The command line that gives a program these words as SplitCommandLine splits them: the program name in quotes,
// each argument as it is where that is the same, or quoted with the backslashes before its quotes doubled.
std::string JoinCommandLine(const std::vector<std::string>& words);

// Show-window values of the Windows API.
inline constexpr int SwHide = 0;
inline constexpr int SwShowDefault = 10;

// A program to start and wait for.
struct TProcessStart {
    std::string Program;     // its full path: started as it is named, never searched for
    std::string CommandLine; // what the program is given, its own name first
    int ShowWindow = SwShowDefault;
};

// Starts the program with the show-window value for its first window and blocks until it ends, without a time limit.
// Returns its exit code, or -1 when it could not be started or waited for.
int RunProcess(const TProcessStart& start);

// A program run with its standard output and error going into a file, and what it wrote there.
struct TLoggedRun {
    bool LogMade = false; // the file was made; without it the program was not started
    int ExitCode = -1;    // as RunProcess gives it
    std::string Output;   // the first maxOutput bytes it wrote, in the system code page
};
// Runs the program as RunProcess does, with an empty standard input and its standard output and error written into
// a file made anew at logPath, as WriteTempFile makes one (nothing that lay under the name is followed or written
// through). The file is held while the program runs, shared for reading only: nobody else writes into it.
TLoggedRun RunProcessLogged(const TProcessStart& start, const std::string& logPath, size_t maxOutput);

// netsh by its full path: in the system folder on Windows, the first on PATH on POSIX; or NetshPathOverride, where
// the tests put their stand-in.
std::string NetshPath();
extern std::string NetshPathOverride;

// Where a program named without a folder is looked for after the program's own folder: the system folder, the
// Windows folder and each folder of PATH that is named with a full path. Never the current folder.
std::vector<std::string> ProgramSearchFolders();

// The program a command line starts, with its full path; empty when there is none. Found as Windows finds it (".exe"
// added to a name without extension; an unquoted name with blanks tried word by word, the shortest first) but never in
// the current folder: a full path as it is named, a path with a folder from the program's own folder, a bare name in
// the program's own folder and then in the search folders.
std::string FindCommandProgram(const std::string& commandLine, const std::string& programFolder,
                               const std::vector<std::string>& searchFolders);

// The show-window value the running program was started with.
int StartupShowWindow();

// Copies one file the way the Windows shell does when asked to copy silently: an existing target file is overwritten
// without asking, a target that is an existing folder receives the file under its own name, missing folders of the
// target are created. False when the copy did not happen.
bool ShellCopyFile(const std::string& source, const std::string& target);

// Opens a document (a help page) with the program the shell has for it, as the program runs: elevated when it is.
// False when the shell would not.
bool OpenDocument(const std::string& path, void* ownerWindow);
// The same through the signed-in user's shell, the desktop's Explorer, which starts that program as the user: never
// with administrator rights the program has. False when there is no such shell to ask (none on POSIX); whether the
// page then opens is Explorer's to say.
bool OpenDocumentAsUser(const std::string& path);

// The operating system's platform id and version numbers; all zero on a system that is not Windows.
struct SystemVersion {
    unsigned PlatformId = 0;
    unsigned Major = 0;
    unsigned Minor = 0;
};
SystemVersion GetSystemVersion();

// A native window handle; null where there is none.
using WindowHandle = void*;

// The application's main window, owner of the wait windows; set by the main window when it is created.
void SetMainWindow(WindowHandle window);
WindowHandle MainWindow();

// The small window shown while a child program runs: the caption, a text box with the message over the whole client
// area and the hourglass cursor, 250 by 125 pixels (at 100%; larger at a larger display scale) in the centre of the
// desktop, owned by the main window, without title-bar buttons. It is painted once when made and removed when the
// object goes; no messages are handled meanwhile. Shows nothing on a system without windows.
class WaitWindow {
public:
    WaitWindow(const std::string& caption, const std::string& message);
    ~WaitWindow();
    WaitWindow(const WaitWindow&) = delete;
    WaitWindow& operator=(const WaitWindow&) = delete;

    static constexpr int Width = 250;
    static constexpr int Height = 125;

private:
    [[maybe_unused]] WindowHandle Window = nullptr;
    [[maybe_unused]] WindowHandle TextBox = nullptr;
};

} // namespace platform
