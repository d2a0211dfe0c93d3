// The single Norvex of a folder: a named mutex in the session's namespace, and a message the running one answers.
#include "ui/SingleInstance.h"

#include "core/Startup.h"
#include "platform/Platform.h"

#include <string>

namespace {

// The executable's folder as the system spells it in full: a start through a short (8.3) path meets one through
// the long path.
std::string ProgramFolder() {
    std::string folder = platform::FolderPartOf(platform::ExecutablePath());
    char full[MAX_PATH * 4];
    const DWORD length = GetLongPathNameA(folder.c_str(), full, sizeof full);
    if (length > 0 && length < sizeof full)
        folder = full;
    return folder;
}

// Asks every main window of the session; true when the one of this folder has shown itself.
bool AskRunningToShow(WPARAM key) {
    for (HWND window = FindWindowExA(nullptr, nullptr, "TGUI_Form", nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, "TGUI_Form", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        // This start came from the user: it may hand the foreground on to the running program.
        AllowSetForegroundWindow(process);
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(window, ShowRunningMessage(), key, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0 &&
            static_cast<LRESULT>(answer) == ShownAnswer)
            return true;
    }
    return false;
}

} // namespace

UINT ShowRunningMessage() {
    static const UINT message = RegisterWindowMessageA("Norvex.ShowRunningProgram");
    return message;
}

WPARAM OwnInstanceKey() {
    static const WPARAM key = static_cast<WPARAM>(InstanceKey(ProgramFolder()));
    return key;
}

bool ClaimSingleInstance() {
    // The handle stays open until the process ends: the name is taken as long as this program runs.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, InstanceMutexName(ProgramFolder()).c_str());
    if (mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS)
        return true; // without a mutex from the system the program runs as it always did
    CloseHandle(mutex);
    // The running one may still be making its window.
    for (int attempt = 0; attempt < 50 && !AskRunningToShow(OwnInstanceKey()); ++attempt)
        Sleep(100);
    return false;
}
