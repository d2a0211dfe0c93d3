// The POSIX side of the platform operations: the native build, where most of the testing happens.
#include "platform/Platform.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <locale.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

bool WriteAll(int fd, const std::string& content) {
    const char* data = content.data();
    size_t left = content.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string FormatNow(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[256];
    size_t length = 0;
    // The user's locale, without changing the process-wide one.
    locale_t user = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (user != static_cast<locale_t>(0)) {
        length = strftime_l(buffer, sizeof buffer, format, &local, user);
        freelocale(user);
    } else {
        length = std::strftime(buffer, sizeof buffer, format, &local);
    }
    return std::string(buffer, length);
}

} // namespace

// Nothing is loaded from where the program lies: no library search to restrict.
void RestrictLibrarySearch() {}

char PathSeparator() {
    return '/';
}

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return std::string();
    return std::string(buffer, static_cast<size_t>(length));
}

std::string SystemTempFolder() {
    const char* tmpdir = std::getenv("TMPDIR");
    if (tmpdir != nullptr && *tmpdir != '\0')
        return tmpdir;
    return "/tmp";
}

bool FileExists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ForceDirectories(const std::string& path) {
    if (path.empty())
        return false;
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (DirectoryExists(folder))
        return true;
    std::string parent = FolderOf(folder);
    if (parent != folder && !ForceDirectories(parent))
        return false;
    return ::mkdir(folder.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(folder));
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    content.clear();
    struct stat info;
    if (::fstat(fd, &info) == 0 && info.st_size > 0)
        content.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    bool ok = true;
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        if (got == 0)
            break;
        content.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return ok;
}

ReadFileResult ReadRegularFile(const std::string& path, size_t maxBytes, std::string& content) {
    content.clear();
    TOpenedFile file(path);
    return file.IsOpen() ? file.Read(maxBytes, content) : file.OpenFailure();
}

TOpenedFile::TOpenedFile(const std::string& path, bool /*hold*/) {
    // Without blocking: a FIFO opened for reading would wait for a writer for ever. A folder opens too.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        Failure = errno == ENOENT || errno == ENOTDIR ? ReadFileResult::Missing : ReadFileResult::Unreadable;
    else
        Handle = fd;
}

TOpenedFile::~TOpenedFile() {
    if (IsOpen())
        ::close(static_cast<int>(Handle));
}

TOpenedFile::TOpenedFile(std::intptr_t handle) : Handle(handle) {}

TOpenedFile::TOpenedFile(TOpenedFile&& other) noexcept : Handle(other.Handle), Failure(other.Failure) {
    other.Handle = -1;
}

ReadFileResult TOpenedFile::Read(size_t maxBytes, std::string& content) const {
    content.clear();
    if (!IsOpen())
        return Failure;
    const int fd = static_cast<int>(Handle);
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return ReadFileResult::Unreadable;
    if (!S_ISREG(info.st_mode))
        return ReadFileResult::NotRegular;
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        return ReadFileResult::TooLarge;
    content.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (off_t offset = 0;;) {
        ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            content.clear();
            return ReadFileResult::Unreadable;
        }
        if (got == 0)
            return ReadFileResult::Ok;
        // The file may have grown since it was measured.
        if (content.size() + static_cast<size_t>(got) > maxBytes) {
            content.clear();
            return ReadFileResult::TooLarge;
        }
        content.append(buffer, static_cast<size_t>(got));
        offset += got;
    }
}

namespace {

// The rights that writing into a file, or adding and removing files of a folder, takes on Windows.
constexpr std::uint32_t WriteRights = 0x2 | 0x4;
constexpr std::uint32_t FolderWriteRights = WriteRights | 0x40;

std::string UserSid(uid_t user) {
    return user == 0 ? "S-1-5-18" : "S-1-22-1-" + std::to_string(user);
}

} // namespace

std::optional<TFileRights> TOpenedFile::Rights() const {
    struct stat info;
    if (!IsOpen() || ::fstat(static_cast<int>(Handle), &info) != 0)
        return std::nullopt;
    TFileRights rights;
    rights.Owner = UserSid(info.st_uid);
    const std::uint32_t write = S_ISDIR(info.st_mode) ? FolderWriteRights : WriteRights;
    if (info.st_mode & S_IWGRP)
        rights.Entries.push_back({true, "S-1-22-2-" + std::to_string(info.st_gid), write, false});
    if (info.st_mode & S_IWOTH)
        rights.Entries.push_back({true, "S-1-1-0", write, false});
    return rights;
}

bool IsElevated() {
    return false;
}

std::string CurrentUserSid() {
    return UserSid(::geteuid());
}

std::string AccountName(const std::string& sid) {
    if (sid == "S-1-1-0")
        return "Everyone";
    const std::string userPrefix = "S-1-22-1-", groupPrefix = "S-1-22-2-";
    if (sid.compare(0, userPrefix.size(), userPrefix) == 0) {
        const passwd* user = ::getpwuid(static_cast<uid_t>(std::strtoul(sid.c_str() + userPrefix.size(), nullptr, 10)));
        return user != nullptr ? user->pw_name : sid;
    }
    if (sid.compare(0, groupPrefix.size(), groupPrefix) == 0) {
        const struct group* group =
            ::getgrgid(static_cast<gid_t>(std::strtoul(sid.c_str() + groupPrefix.size(), nullptr, 10)));
        return group != nullptr ? std::string("group ") + group->gr_name : sid;
    }
    return sid;
}

void RemoveLeftoversOfWrite(const std::string& path) {
    const std::string folder = FolderOf(path);
    const size_t slash = path.find_last_of('/');
    const std::string baseName = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr)
        return;
    while (const dirent* entry = ::readdir(directory))
        if (IsLeftoverOfWrite(entry->d_name, baseName))
            ::unlinkat(::dirfd(directory), entry->d_name, 0);
    ::closedir(directory);
}

namespace {

// The folder's own entry for the new name is flushed too, or a power cut could bring back the old file.
void FlushFolderOf(const std::string& path) {
    int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A new file in the same folder that takes the name by rename once it is complete: the old file stays until then.
// With `kept`, the new file stays open there (-1 when it failed); otherwise it is closed before the rename.
bool ReplaceWithNewFile(const std::string& path, const std::string& content, mode_t mode, bool durable,
                        int* kept = nullptr) {
    const std::string suffix = ".tmp";
    std::string pattern = path + ".XXXXXX" + suffix;
    int fd = ::mkstemps(pattern.data(), static_cast<int>(suffix.size()));
    if (fd < 0)
        return false;
    ::fchmod(fd, mode);
    bool ok = WriteAll(fd, content) && (!durable || ::fsync(fd) == 0);
    if (kept == nullptr)
        ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(pattern.c_str(), path.c_str()) == 0) {
        if (durable)
            FlushFolderOf(path);
        RemoveLeftoversOfWrite(path);
        if (kept != nullptr)
            *kept = fd;
        return true;
    }
    if (kept != nullptr)
        ::close(fd);
    ::unlink(pattern.c_str());
    return false;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    // A settings file is as readable as any other file of the user.
    mode_t mask = ::umask(0);
    ::umask(mask);
    return ReplaceWithNewFile(path, content, 0666 & ~mask, true);
}

namespace {

// The temporary folder is shared by all users: whatever lies under the name (a link to another file, a file another
// user planted and can still change) is never written into. A new private file takes the name by rename, which the
// shared folder's sticky bit refuses over another user's file: then the step is skipped. A link or anything but a
// regular file under the name is refused outright, as an unwritable folder would be. The descriptor, open for reading
// and writing, or -1.
int NewTempFile(const std::string& path, const std::string& content) {
    struct stat planted;
    if (::lstat(path.c_str(), &planted) == 0 && !S_ISREG(planted.st_mode))
        return -1;
    int fd = -1;
    return ReplaceWithNewFile(path, content, 0600, false, &fd) ? fd : -1;
}

} // namespace

std::optional<TOpenedFile> WriteTempFile(const std::string& path, const std::string& content) {
    const int fd = NewTempFile(path, content);
    if (fd < 0)
        return std::nullopt;
    return TOpenedFile(fd);
}

FileStamp GetFileStamp(const std::string& path) {
    FileStamp stamp;
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return stamp;
    stamp.Exists = true;
    stamp.Size = info.st_size;
    stamp.ModifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.ChangedNs = static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    stamp.Identity = (static_cast<std::uint64_t>(info.st_dev) << 32) ^ static_cast<std::uint64_t>(info.st_ino);
    return stamp;
}

std::string CurrentShortDate() {
    return FormatNow("%x");
}

std::string CurrentLongTime() {
    return FormatNow("%X");
}

// The system code page of a POSIX system is the locale's, UTF-8.
std::string Utf8ToSystemCodePage(const std::string& utf8) {
    return utf8;
}

namespace {

// The length of the well-formed UTF-8 sequence at the start of the text, or 0: no overlong forms, no surrogates,
// nothing past U+10FFFF.
size_t Utf8SequenceLength(const unsigned char* p, size_t left) {
    if (p[0] < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (p[0] >= 0xC2 && p[0] <= 0xDF) {
        length = 2;
    } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
        length = 3;
        low = p[0] == 0xE0 ? 0xA0 : 0x80;
        high = p[0] == 0xED ? 0x9F : 0xBF;
    } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
        length = 4;
        low = p[0] == 0xF0 ? 0x90 : 0x80;
        high = p[0] == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (left < length || p[1] < low || p[1] > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    return length;
}

} // namespace

std::string SystemCodePageToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t i = 0; i < text.size();) {
        size_t length = Utf8SequenceLength(bytes + i, text.size() - i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    return out;
}

void SetBinaryStandardOutput() {}

std::string Utf16ToSystemCodePage(const std::u16string& utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out += '?';
            continue;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

namespace {

// Spawned directly, never through a shell: the words are the program's name and its arguments as Windows would split
// them. With `output`, its standard output and error go there and its input is empty.
int SpawnAndWait(const TProcessStart& start, int output) {
    std::vector<std::string> words = SplitCommandLine(start.CommandLine);
    if (start.Program.empty() || words.empty())
        return -1;
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (output >= 0) {
        ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        ::posix_spawn_file_actions_adddup2(&actions, output, 1);
        ::posix_spawn_file_actions_adddup2(&actions, output, 2);
        if (output > 2)
            ::posix_spawn_file_actions_addclose(&actions, output);
    }
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, start.Program.c_str(), &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    // Ended by a signal: it ran and ended, with the code a shell reports for it.
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

} // namespace

int RunProcess(const TProcessStart& start) {
    return SpawnAndWait(start, -1);
}

// The system code page here is UTF-8, as the program's output is: it is kept as it was written.
TLoggedRun RunProcessLogged(const TProcessStart& start, const std::string& logPath, size_t maxOutput) {
    TLoggedRun run;
    const int log = NewTempFile(logPath, std::string());
    if (log < 0)
        return run;
    run.LogMade = true;
    run.ExitCode = SpawnAndWait(start, log);
    char buffer[65536];
    for (off_t at = 0; run.Output.size() < maxOutput;) {
        const ssize_t got = ::pread(log, buffer, std::min(sizeof buffer, maxOutput - run.Output.size()), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        run.Output.append(buffer, static_cast<size_t>(got));
        at += got;
    }
    ::close(log);
    return run;
}

std::vector<std::string> ProgramSearchFolders() {
    std::vector<std::string> folders;
    const char* path = std::getenv("PATH");
    std::string entry;
    for (const char* c = path != nullptr ? path : "";; ++c) {
        if (*c != ':' && *c != '\0') {
            entry += *c;
            continue;
        }
        if (!entry.empty())
            folders.push_back(entry);
        entry.clear();
        if (*c == '\0')
            break;
    }
    return folders;
}

// No system folder here: the first netsh on PATH, where the tests put their stand-in.
std::string NetshPath() {
    return NetshPathOverride.empty() ? FindCommandProgram("netsh", std::string(), ProgramSearchFolders())
                                     : NetshPathOverride;
}

int StartupShowWindow() {
    return SwShowDefault;
}

bool ShellCopyFile(const std::string& source, const std::string& target) {
    std::string content;
    if (!ReadWholeFile(source, content))
        return false;
    std::string destination = target;
    if (DirectoryExists(target)) {
        size_t slash = source.find_last_of('/');
        destination = target + (target.back() == '/' ? "" : "/") +
                      (slash == std::string::npos ? source : source.substr(slash + 1));
    } else {
        std::string folder = FolderPartOf(target);
        if (!folder.empty() && !ForceDirectories(folder))
            return false;
    }
    return WriteFileAtomically(destination, content);
}

// No shell here to open documents with.
bool OpenDocument(const std::string&, void*) {
    return false;
}

bool OpenDocumentAsUser(const std::string&) {
    return false;
}

SystemVersion GetSystemVersion() {
    return SystemVersion();
}

// No windows here: the wait is not shown.
WaitWindow::WaitWindow(const std::string&, const std::string&) {}
WaitWindow::~WaitWindow() {}

} // namespace platform
