// The Windows side of the platform operations, through the ANSI ("A") functions of the system.
#include "platform/Platform.h"
#include "platform/win32/HandleList.h"
#include "platform/win32/SystemLibrary.h"

#include <windows.h>

#include <aclapi.h>
#include <exdisp.h>
#include <fcntl.h>
#include <io.h>
#include <sddl.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace platform {

namespace {

std::int64_t FileTimeToInt(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return std::string();
    // "C:\" keeps its separator: it is the root, not a folder named "C:".
    if (slash == 2 && path.size() > 1 && path[1] == ':')
        return path.substr(0, 3);
    return path.substr(0, slash);
}

std::string WideToSystemCodePage(const wchar_t* text, int length) {
    if (length <= 0)
        return std::string();
    int needed = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, "?", nullptr);
    std::string out(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), needed, "?", nullptr);
    return out;
}

bool WriteHandle(HANDLE file, const std::string& content) {
    const char* data = content.data();
    size_t left = content.size();
    while (left > 0) {
        DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

const char* const WaitWindowClass = "NorvexWaitWindow";

// The system's message font, at the system's scale; made once.
HFONT MessageFont() {
    static const HFONT font = [] {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        return CreateFontIndirectA(&metrics.lfMessageFont);
    }();
    return font;
}

LRESULT CALLBACK WaitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        // Over the text box too: a child asks its parent first.
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        // The text lies on the white of a text box.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RegisterWaitWindowClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WaitWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = WaitWindowClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

} // namespace

char PathSeparator() {
    return '\\';
}

void RestrictLibrarySearch() {
    // SetDefaultDllDirectories comes with Windows 8, and with Windows 7's loader update.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories != nullptr && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Without it, at least the current folder leaves the search.
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    // A loader without the flag refuses it as an invalid parameter.
    return GetLastError() == ERROR_INVALID_PARAMETER ? LoadSystemLibraryByPath(name) : nullptr;
}

HMODULE LoadSystemLibraryByPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    // The libraries it needs are looked for beside it first, in the system folder.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::string ExecutablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string SystemTempFolder() {
    // Ask for the length first: ordinary temporary folders are longer than any fixed room would allow.
    DWORD needed = GetTempPathA(0, nullptr);
    if (needed == 0)
        return std::string();
    std::vector<char> buffer(needed + 1);
    DWORD length = GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size())
        return std::string();
    return std::string(buffer.data(), length);
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& path) {
    if (path.empty())
        return false;
    std::string folder = path;
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    if (DirectoryExists(folder))
        return true;
    std::string parent = FolderOf(folder);
    if (!parent.empty() && parent != folder && !ForceDirectories(parent))
        return false;
    return CreateDirectoryA(folder.c_str(), nullptr) ||
           (GetLastError() == ERROR_ALREADY_EXISTS && DirectoryExists(folder));
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    content.clear();
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0)
        content.reserve(static_cast<size_t>(size.QuadPart));
    char buffer[65536];
    bool ok = true;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        content.append(buffer, got);
    }
    CloseHandle(file);
    return ok;
}

ReadFileResult ReadRegularFile(const std::string& path, size_t maxBytes, std::string& content) {
    content.clear();
    TOpenedFile file(path);
    return file.IsOpen() ? file.Read(maxBytes, content) : file.OpenFailure();
}

TOpenedFile::TOpenedFile(const std::string& path, bool hold) {
    // A folder opens too, for its rights.
    const DWORD share = hold ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        Failure = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadFileResult::Missing
                                                                                 : ReadFileResult::Unreadable;
        return;
    }
    Handle = reinterpret_cast<std::intptr_t>(file);
}

TOpenedFile::~TOpenedFile() {
    if (IsOpen())
        CloseHandle(reinterpret_cast<HANDLE>(Handle));
}

TOpenedFile::TOpenedFile(std::intptr_t handle) : Handle(handle) {}

TOpenedFile::TOpenedFile(TOpenedFile&& other) noexcept : Handle(other.Handle), Failure(other.Failure) {
    other.Handle = -1;
}

ReadFileResult TOpenedFile::Read(size_t maxBytes, std::string& content) const {
    content.clear();
    HANDLE file = reinterpret_cast<HANDLE>(Handle);
    if (!IsOpen())
        return Failure;
    // A pipe, a console or a device (a disk opened by its device name too: it has no file size) is no template.
    LARGE_INTEGER size{};
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !GetFileSizeEx(file, &size))
        return ReadFileResult::NotRegular;
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
        return ReadFileResult::TooLarge;
    LARGE_INTEGER start{};
    SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
    content.reserve(static_cast<size_t>(size.QuadPart));
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            content.clear();
            return ReadFileResult::Unreadable;
        }
        if (got == 0)
            return ReadFileResult::Ok;
        // The file may have grown since it was measured.
        if (content.size() + got > maxBytes) {
            content.clear();
            return ReadFileResult::TooLarge;
        }
        content.append(buffer, got);
    }
}

namespace {

std::string SidText(PSID sid) {
    char* text = nullptr;
    if (sid == nullptr || !ConvertSidToStringSidA(sid, &text))
        return std::string();
    std::string result = text;
    LocalFree(text);
    return result;
}

} // namespace

std::optional<TFileRights> TOpenedFile::Rights() const {
    if (!IsOpen())
        return std::nullopt;
    PSID owner = nullptr;
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(reinterpret_cast<HANDLE>(Handle), SE_FILE_OBJECT,
                        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr, &list, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return std::nullopt;
    TFileRights rights;
    rights.Owner = SidText(owner);
    rights.HasAccessList = list != nullptr;
    for (DWORD i = 0; list != nullptr && i < list->AceCount; ++i) {
        ACE_HEADER* header = nullptr;
        if (!GetAce(list, i, reinterpret_cast<void**>(&header)))
            continue;
        TAccessEntry entry;
        entry.InheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
        switch (header->AceType) {
        case ACCESS_ALLOWED_ACE_TYPE:
        case ACCESS_ALLOWED_CALLBACK_ACE_TYPE:
        case ACCESS_DENIED_ACE_TYPE:
        case ACCESS_DENIED_CALLBACK_ACE_TYPE: {
            // These four share their layout up to the SID.
            const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
            entry.Allow =
                header->AceType == ACCESS_ALLOWED_ACE_TYPE || header->AceType == ACCESS_ALLOWED_CALLBACK_ACE_TYPE;
            entry.Mask = ace->Mask;
            entry.Sid = SidText(const_cast<DWORD*>(&ace->SidStart));
            break;
        }
        default:
            // An entry of a kind not read here may grant anything to anyone.
            entry.Sid = "S-1-1-0";
            entry.Mask = GENERIC_ALL;
            break;
        }
        rights.Entries.push_back(entry);
    }
    LocalFree(descriptor);
    if (rights.Owner.empty())
        return std::nullopt;
    return rights;
}

bool IsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                          elevation.TokenIsElevated != 0;
    CloseHandle(token);
    return elevated;
}

std::string CurrentUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return std::string();
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<char> buffer(size);
    std::string sid;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        sid = SidText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
    CloseHandle(token);
    return sid;
}

std::string AccountName(const std::string& sid) {
    PSID binary = nullptr;
    if (!ConvertStringSidToSidA(sid.c_str(), &binary))
        return sid;
    char name[256];
    char domain[256];
    DWORD nameSize = sizeof name;
    DWORD domainSize = sizeof domain;
    SID_NAME_USE use;
    std::string account = sid;
    if (LookupAccountSidA(nullptr, binary, name, &nameSize, domain, &domainSize, &use))
        account = domain[0] != '\0' ? std::string(domain) + "\\" + name : std::string(name);
    LocalFree(binary);
    return account;
}

// The new files of writes that were killed before their rename, beside `path`.
void RemoveLeftoversOfWrite(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string baseName = slash == std::string::npos ? path : path.substr(slash + 1);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + ".*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsLeftoverOfWrite(found.cFileName, baseName))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    std::string temporary = path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    HANDLE file =
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = WriteHandle(file, content) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        RemoveLeftoversOfWrite(path);
        return true;
    }
    DeleteFileA(temporary.c_str());
    return false;
}

namespace {

// Removes whatever lies under the name without following it: a file, a link to one (not what it links to), a link to
// a folder or a junction. False when something is left there: a real folder, a file that cannot be deleted.
bool RemoveWithoutFollowing(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true; // nothing there, or no folder: making the file tells
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return RemoveDirectoryA(path.c_str()) != 0;
        SetLastError(ERROR_DIRECTORY); // a real folder stays, and is not waited for
        return false;
    }
    return DeleteFileA(path.c_str()) != 0;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// Whether the last file of the name is still held by a program that will let go of it in a moment: a virus scanner
// reading it, or (under Wine) the console host of the netsh that wrote it, which took netsh's handles with it.
bool StillHeld(const std::string& path, DWORD error) {
    if (error == ERROR_SHARING_VIOLATION)
        return true;
    if (error != ERROR_ACCESS_DENIED && error != ERROR_FILE_EXISTS)
        return false;
    // Deleted but still open somewhere: the name is there, and a file waiting to go cannot even be looked at. A
    // folder that refuses new files has nothing under the name.
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES || GetLastError() == ERROR_ACCESS_DENIED;
}

constexpr int TempFileAttempts = 40; // 50 ms apart: two seconds
constexpr DWORD TempFileRetryMs = 50;

// The user's temporary folder is open to every program of the user, elevated or not: what lies under the name is
// removed, never followed or written through, and a new file takes its place.
HANDLE NewTempFile(const std::string& path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security = nullptr) {
    for (int attempt = 1;; ++attempt) {
        if (RemoveWithoutFollowing(path)) {
            HANDLE file = CreateFileA(path.c_str(), access, share, security, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
            if (file != INVALID_HANDLE_VALUE)
                return file;
        }
        if (attempt == TempFileAttempts || !StillHeld(path, GetLastError()))
            return INVALID_HANDLE_VALUE;
        Sleep(TempFileRetryMs);
    }
}

} // namespace

std::optional<TOpenedFile> WriteTempFile(const std::string& path, const std::string& content) {
    HANDLE file = NewTempFile(path, GENERIC_WRITE, 0);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION written{};
    bool ok = WriteHandle(file, content) && GetFileInformationByHandle(file, &written);
    ok = CloseHandle(file) && ok;
    if (!ok)
        return std::nullopt;
    // Held for reading only from here on, so that netsh or the copy reads what was written. Between the two opens
    // another program of the user could have changed or replaced it: it must still be the same file with the same
    // bytes, and nobody may still hold it open for writing.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return std::nullopt;
    TOpenedFile result(reinterpret_cast<std::intptr_t>(held));
    BY_HANDLE_FILE_INFORMATION now{};
    std::string check;
    if (!GetFileInformationByHandle(held, &now) || !SameFile(written, now) ||
        result.Read(content.size(), check) != ReadFileResult::Ok || check != content)
        return std::nullopt;
    return result;
}

FileStamp GetFileStamp(const std::string& path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return stamp;
    stamp.Exists = true;
    stamp.Size = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    stamp.ModifiedNs = FileTimeToInt(data.ftLastWriteTime) * 100;
    stamp.ChangedNs = FileTimeToInt(data.ftCreationTime) * 100;
    return stamp;
}

std::string CurrentShortDate() {
    char buffer[256];
    int length = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length - 1)) : std::string();
}

std::string CurrentLongTime() {
    char buffer[256];
    int length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length - 1)) : std::string();
}

std::string Utf8ToSystemCodePage(const std::string& utf8) {
    if (utf8.empty())
        return std::string();
    int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), needed);
    return WideToSystemCodePage(wide.data(), needed);
}

std::string Utf16ToSystemCodePage(const std::u16string& utf16) {
    return WideToSystemCodePage(reinterpret_cast<const wchar_t*>(utf16.data()), static_cast<int>(utf16.size()));
}

std::string SystemCodePageToUtf8(const std::string& text) {
    if (text.empty())
        return std::string();
    const int length = static_cast<int>(text.size());
    int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), needed, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), needed, out.data(), bytes, nullptr, nullptr);
    return out;
}

void SetBinaryStandardOutput() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

namespace {

// Starts the program and waits for its end; its exit code, or -1. With `output`, its standard output and error go
// there and its input is empty; no other handle of this process goes with them.
int StartAndWait(const TProcessStart& start, HANDLE output) {
    STARTUPINFOEXA startup{};
    startup.StartupInfo.cb = sizeof startup.StartupInfo;
    startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
    startup.StartupInfo.wShowWindow = static_cast<WORD>(start.ShowWindow);
    DWORD flags = NORMAL_PRIORITY_CLASS;
    std::optional<THandleList> handed;
    if (output != nullptr) {
        handed.emplace(&output, 1);
        if (handed->List() == nullptr)
            return -1;
        startup.StartupInfo.cb = sizeof startup;
        startup.StartupInfo.dwFlags |= STARTF_USESTDHANDLES;
        startup.StartupInfo.hStdOutput = output;
        startup.StartupInfo.hStdError = output;
        startup.lpAttributeList = handed->List();
        flags |= EXTENDED_STARTUPINFO_PRESENT;
    }
    PROCESS_INFORMATION process{};
    // CreateProcessA may write into the command line.
    std::vector<char> line(start.CommandLine.begin(), start.CommandLine.end());
    line.push_back('\0');
    // The program by its full path: the system's search order would try the program's folder and the current folder
    // first.
    const bool started = !start.Program.empty() &&
                         CreateProcessA(start.Program.c_str(), line.data(), nullptr, nullptr, output != nullptr, flags,
                                        nullptr, nullptr, &startup.StartupInfo, &process);
    if (!started)
        return -1;
    int result = -1;
    WaitForInputIdle(process.hProcess, INFINITE);
    if (WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        if (GetExitCodeProcess(process.hProcess, &exitCode))
            result = static_cast<int>(exitCode);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

// What a console program wrote into a file is in the code page of its console, not the system's: netsh, like the
// system's other console programs, writes its messages into a file in its console's output code page. From norvex-cli
// it shares this process's console, so that page is this console's (which `chcp` may have changed); from the window
// or the countdown's process, which have no console, it gets a console of its own, which starts in the OEM code page
// (850 or 852 where the system code page is 1252 or 1250). Converted here into the system code page, in which the
// program keeps all its text; the file itself keeps the bytes as written, as a redirection in a console gives them.
std::string ConsoleOutputToSystemCodePage(const std::string& text) {
    if (text.empty())
        return std::string();
    const UINT console = GetConsoleOutputCP();
    const UINT codePage = console != 0 ? console : CP_OEMCP;
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
    return WideToSystemCodePage(wide.data(), needed);
}

} // namespace

int RunProcess(const TProcessStart& start) {
    return StartAndWait(start, nullptr);
}

TLoggedRun RunProcessLogged(const TProcessStart& start, const std::string& logPath, size_t maxOutput) {
    TLoggedRun run;
    // Handed to the program as its output; held shared for reading only, so that only the program writes into it.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE log = NewTempFile(logPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, &inherited);
    if (log == INVALID_HANDLE_VALUE)
        return run;
    run.LogMade = true;
    run.ExitCode = StartAndWait(start, log);
    std::string written;
    const LARGE_INTEGER beginning{};
    SetFilePointerEx(log, beginning, nullptr, FILE_BEGIN);
    char buffer[65536];
    while (written.size() < maxOutput) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(sizeof buffer, maxOutput - written.size()));
        if (!ReadFile(log, buffer, want, &got, nullptr) || got == 0)
            break;
        written.append(buffer, got);
    }
    CloseHandle(log);
    run.Output = ConsoleOutputToSystemCodePage(written);
    return run;
}

namespace {

std::string SystemFolder() {
    char buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(buffer, length);
}

// The shared Windows folder: under Terminal Services GetWindowsDirectory may name one of the user's own.
std::string WindowsFolder() {
    char buffer[MAX_PATH];
    const UINT length = GetSystemWindowsDirectoryA(buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(buffer, length);
}

} // namespace

std::string NetshPath() {
    return NetshPathOverride.empty() ? SystemFolder() + "\\netsh.exe" : NetshPathOverride;
}

std::vector<std::string> ProgramSearchFolders() {
    std::vector<std::string> folders = {SystemFolder(), WindowsFolder()};
    const DWORD needed = GetEnvironmentVariableA("PATH", nullptr, 0);
    std::vector<char> path(needed + 1);
    const DWORD length = needed == 0 ? 0 : GetEnvironmentVariableA("PATH", path.data(), needed + 1);
    std::string entry;
    for (DWORD i = 0; i <= length && length < path.size(); ++i) {
        if (i < length && path[i] != ';') {
            if (path[i] != '"') // a folder of PATH may be quoted
                entry += path[i];
            continue;
        }
        if (!entry.empty())
            folders.push_back(entry);
        entry.clear();
    }
    return folders;
}

int StartupShowWindow() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

bool ShellCopyFile(const std::string& source, const std::string& target) {
    // Both are lists of paths ended by an empty one: the string's own zero ends the list.
    std::string from = source + '\0';
    std::string to = target + '\0';
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;
    return SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

bool OpenDocument(const std::string& path, void* ownerWindow) {
    return reinterpret_cast<INT_PTR>(
               ShellExecuteA(static_cast<HWND>(ownerWindow), nullptr, path.c_str(), "", "", SW_SHOWNORMAL)) > 32;
}

namespace {

// A COM interface pointer released when it goes.
template <typename Interface> struct TComPointer {
    Interface* Pointer = nullptr;
    ~TComPointer() {
        if (Pointer != nullptr)
            Pointer->Release();
    }
    Interface* operator->() const { return Pointer; }
    void** Out() { return reinterpret_cast<void**>(&Pointer); }
};

// COM's libraries are loaded only when a help page is opened this way: not at every start.
struct TComFunctions {
    decltype(&CoInitializeEx) Initialize =
        SystemLibraryFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    decltype(&CoUninitialize) Uninitialize =
        SystemLibraryFunction<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    decltype(&CoCreateInstance) CreateInstance =
        SystemLibraryFunction<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    decltype(&SysAllocString) AllocString =
        SystemLibraryFunction<decltype(&SysAllocString)>(L"oleaut32.dll", "SysAllocString");
    decltype(&SysFreeString) FreeString =
        SystemLibraryFunction<decltype(&SysFreeString)>(L"oleaut32.dll", "SysFreeString");
    bool Loaded() const {
        return Initialize != nullptr && Uninitialize != nullptr && CreateInstance != nullptr &&
               AllocString != nullptr && FreeString != nullptr;
    }
};

// The desktop's shell, as Explorer serves it to other programs: its folder view's Application object.
bool DesktopShellExecute(const TComFunctions& com, const std::wstring& file) {
    TComPointer<IShellWindows> windows;
    if (FAILED(com.CreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.Out())))
        return false;
    VARIANT empty{}; // VT_EMPTY
    long desktopWindow = 0;
    TComPointer<IDispatch> desktop;
    if (windows->FindWindowSW(&empty, &empty, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH,
                              reinterpret_cast<IDispatch**>(desktop.Out())) != S_OK ||
        desktop.Pointer == nullptr)
        return false;
    TComPointer<IServiceProvider> services;
    TComPointer<IShellBrowser> browser;
    TComPointer<IShellView> view;
    TComPointer<IDispatch> background;
    TComPointer<IShellFolderViewDual> folderView;
    TComPointer<IDispatch> application;
    TComPointer<IShellDispatch2> shell;
    if (FAILED(desktop->QueryInterface(IID_IServiceProvider, services.Out())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.Out())) ||
        FAILED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.Out()))) ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.Out())) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.Out())) ||
        FAILED(folderView->get_Application(reinterpret_cast<IDispatch**>(application.Out()))) ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, shell.Out())))
        return false;
    BSTR name = com.AllocString(file.c_str());
    VARIANT show{};
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    const HRESULT result = shell->ShellExecute(name, empty, empty, empty, show);
    com.FreeString(name);
    return SUCCEEDED(result);
}

} // namespace

bool OpenDocumentAsUser(const std::string& path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return false;
    std::wstring file(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, file.data(), length);
    file.pop_back();
    static const TComFunctions com;
    if (!com.Loaded())
        return false;
    const HRESULT initialized = com.Initialize(nullptr, COINIT_APARTMENTTHREADED);
    const bool opened = DesktopShellExecute(com, file);
    if (SUCCEEDED(initialized))
        com.Uninitialize();
    return opened;
}

SystemVersion GetSystemVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return SystemVersion();
    return SystemVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

WaitWindow::WaitWindow(const std::string& caption, const std::string& message) {
    RegisterWaitWindowClass();
    // 250 by 125 at 100%, larger on a display at a larger scale.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const int width = MulDiv(Width, dpi, 96);
    const int height = MulDiv(Height, dpi, 96);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window = CreateWindowExA(0, WaitWindowClass, caption.c_str(), WS_POPUP | WS_CAPTION, left, top, width, height,
                                  static_cast<HWND>(MainWindow()), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr)
        return;
    RECT client;
    GetClientRect(window, &client);
    // A word-wrapped static text, as a read-only edit shows it: the window handles no messages, so nothing of an edit
    // could be used, and Wine's multi-line edit keeps about 5 KiB of every such window whose text it wraps at some
    // widths (this one's among them): an apply each day would add up.
    HWND textBox =
        CreateWindowExA(0, "STATIC", message.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0,
                        0, client.right, client.bottom, window, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (textBox != nullptr)
        SendMessageA(textBox, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    Window = window;
    TextBox = textBox;
}

WaitWindow::~WaitWindow() {
    if (TextBox != nullptr)
        DestroyWindow(static_cast<HWND>(TextBox));
    if (Window != nullptr)
        DestroyWindow(static_cast<HWND>(Window));
}

} // namespace platform
