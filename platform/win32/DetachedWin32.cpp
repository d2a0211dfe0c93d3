// Keep or revert on the command line, on Windows: the countdown's process and its confirmation. Only norvex-cli
// links this: it imports advapi32 (a KnownDLL) for the confirmation's security.
#include "platform/Detached.h"

#include "platform/Platform.h"
#include "platform/win32/HandleList.h"

#include <windows.h>

#include <sddl.h>

#include <algorithm>

namespace platform {

namespace {

// In the global namespace: a countdown started from one session (a remote console) is confirmed from another.
// Only administrators may create objects there, so no standard user can take its place.
const char* const KeepEventName = "Global\\Norvex.KeepOrRevert";

// How often the output is looked at while the program runs and writes nothing.
constexpr DWORD OutputLookMs = 50;

HANDLE AsHandle(void* handle) {
    return static_cast<HANDLE>(handle);
}

} // namespace

bool DetachedCountdownAvailable() {
    return true;
}

DetachedProcess::~DetachedProcess() {
    if (Output != nullptr)
        CloseHandle(AsHandle(Output));
    if (Process != nullptr)
        CloseHandle(AsHandle(Process));
}

bool DetachedProcess::Start(const std::string& program, const std::vector<std::string>& arguments) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &inherited, 0))
        return false;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    HANDLE nothing =
        CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr);
    // Exactly these two handles go to the program: none of the console's.
    HANDLE handed[2] = {write, nothing};
    const THandleList list(handed, 2);
    bool started = false;
    if (nothing != INVALID_HANDLE_VALUE && list.List() != nullptr) {
        STARTUPINFOEXA startup{};
        startup.StartupInfo.cb = sizeof startup;
        startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
        startup.StartupInfo.hStdInput = nothing;
        startup.StartupInfo.hStdOutput = write;
        startup.StartupInfo.hStdError = write;
        startup.lpAttributeList = list.List();
        std::vector<std::string> words{program};
        words.insert(words.end(), arguments.begin(), arguments.end());
        const std::string commandLine = JoinCommandLine(words);
        PROCESS_INFORMATION process{};
        DWORD flags = DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP | EXTENDED_STARTUPINFO_PRESENT;
        // Out of the job a remote shell ends its processes with; a job that allows no breakaway refuses.
        for (bool breakAway : {true, false}) {
            std::vector<char> line(commandLine.begin(), commandLine.end());
            line.push_back('\0');
            // By its full path, never searched for.
            if (CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE,
                               flags | (breakAway ? CREATE_BREAKAWAY_FROM_JOB : 0), nullptr, nullptr,
                               &startup.StartupInfo, &process)) {
                BOOL inJob = FALSE;
                OutsideTheJob = breakAway || (IsProcessInJob(process.hProcess, nullptr, &inJob) && !inJob);
                started = true;
                break;
            }
            if (GetLastError() != ERROR_ACCESS_DENIED)
                break;
        }
        if (started) {
            CloseHandle(process.hThread);
            Process = process.hProcess;
        }
    }
    // The program holds its own ends now: the pipe ends when it ends.
    CloseHandle(write);
    if (nothing != INVALID_HANDLE_VALUE)
        CloseHandle(nothing);
    if (!started) {
        CloseHandle(read);
        return false;
    }
    Output = read;
    return true;
}

// Its output ends with it: a program it started may hold the pipe's other end for much longer (under Wine, the
// desktop's process, started from the countdown's, keeps every handle it could inherit), and nobody waits for that.
bool DetachedProcess::ReadOutput(std::string& piece) {
    if (Output == nullptr)
        return false;
    for (;;) {
        // Looked at before the pipe: what it wrote before it ended is read all the same.
        const bool ended = Process == nullptr || WaitForSingleObject(AsHandle(Process), 0) == WAIT_OBJECT_0;
        DWORD available = 0;
        if (!PeekNamedPipe(AsHandle(Output), nullptr, 0, nullptr, &available, nullptr))
            return false; // closed by every writer
        if (available > 0) {
            char buffer[4096];
            DWORD read = 0;
            if (!ReadFile(AsHandle(Output), buffer, std::min<DWORD>(available, sizeof buffer), &read, nullptr) ||
                read == 0)
                return false;
            piece.assign(buffer, read);
            return true;
        }
        if (ended)
            return false;
        WaitForSingleObject(AsHandle(Process), OutputLookMs);
    }
}

int DetachedProcess::Wait() {
    DWORD code = 0;
    if (Process == nullptr || WaitForSingleObject(AsHandle(Process), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(AsHandle(Process), &code))
        return -1;
    return static_cast<int>(code);
}

KeepConfirmation::~KeepConfirmation() {
    Release();
}

void KeepConfirmation::Release() {
    if (Event != nullptr)
        CloseHandle(AsHandle(Event));
    Event = nullptr;
}

KeepConfirmation::TakeResult KeepConfirmation::Take() {
    const std::string user = CurrentUserSid();
    if (user.empty())
        return TakeResult::Failed;
    // SYSTEM, administrators and this user; nobody else may open it.
    const std::string descriptor = "D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;" + user + ")";
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptor.c_str(), SDDL_REVISION_1, &security, nullptr))
        return TakeResult::Failed;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security, FALSE};
    HANDLE event = CreateEventA(&attributes, TRUE, FALSE, KeepEventName);
    const DWORD error = GetLastError();
    LocalFree(security);
    if (event == nullptr) {
        // Denied: another user's countdown holds it, or this process may not create it (it is not elevated).
        HANDLE other = OpenEventA(SYNCHRONIZE, FALSE, KeepEventName);
        const bool exists = other != nullptr || GetLastError() == ERROR_ACCESS_DENIED;
        if (other != nullptr)
            CloseHandle(other);
        return exists ? TakeResult::Busy : TakeResult::Failed;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(event);
        return TakeResult::Busy;
    }
    Event = event;
    return TakeResult::Taken;
}

bool KeepConfirmation::WaitForConfirm(int milliseconds) {
    return Event != nullptr &&
           WaitForSingleObject(AsHandle(Event), static_cast<DWORD>(milliseconds > 0 ? milliseconds : 0)) ==
               WAIT_OBJECT_0;
}

bool ConfirmKeep() {
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, KeepEventName);
    if (event == nullptr)
        return false;
    const bool confirmed = SetEvent(event) != FALSE;
    CloseHandle(event);
    return confirmed;
}

} // namespace platform
