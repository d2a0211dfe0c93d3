// Start-up of Norvex's main window: from process start until the window is shown with its active page (slot 1)
// filled with the number of rows given on the command line; then the process ends at once. "--prepare N" first
// writes settings of five slots of N profiles each beside it (200 when N is not given). NORVEX_BENCH_STAGES prints
// when each stage was reached.
#include "core/Promenne.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "ui/Unit1.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void PrepareSettings(int perSlot) {
    ResolveFolders();
    ResetStore();
    for (int slot = 1; slot <= SlotCount; ++slot) {
        Interfaces[static_cast<size_t>(slot)] = {"LAN " + std::to_string(slot), "Office", "LAN", slot, false};
        for (int k = 0; k < perSlot; ++k) {
            TProfile& p = Profiles[static_cast<size_t>(AppendProfile())];
            p.InterfaceNo = slot;
            p.Name = "Profile " + std::to_string(slot) + "-" + std::to_string(k);
            p.Icon = k % 9;
            p.Scripts = {true, {{"HOST", "alpha"}, {"IP", "10.0.0.5"}, {"USER", "x"}}, "C:\\t.txt", "C:\\d.txt", "x"};
            p.IP = {true,
                    1,
                    {{"10.0.0.1", "255.0.0.0"}, {"10.0.0.2", "255.0.0.0"}, {"10.0.0.3", "255.0.0.0"}},
                    {"10.0.0.254", "10.0.0.253"}};
            p.DNS = {true, 1, {"10.0.0.53", "10.0.0.54"}, 1};
            p.WINS = {true, 1, {"10.0.0.80", "10.0.0.81"}};
        }
    }
    TWindowSnapshot window;
    window.SelectPanel = 1;
    SaveSettings(window);
}

} // namespace

// Milliseconds since the process was created, for NORVEX_BENCH_STAGES.
double SinceStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    auto value = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(value(now) - value(created)) / 10000.0;
}

void Stage(const char* name) {
    if (std::getenv("NORVEX_BENCH_STAGES") != nullptr)
        std::fprintf(stderr, "%8.1f ms  %s\n", SinceStart(), name);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (const char* prepare = std::strstr(commandLine, "--prepare")) {
        const int perSlot = std::atoi(prepare + std::strlen("--prepare"));
        PrepareSettings(perSlot > 0 || std::strchr(prepare, '0') != nullptr ? perSlot : 200);
        return 0;
    }
    // The rows slot 1's page is to show: its profiles, as prepared.
    const int rows = std::atoi(commandLine);
    Stage("program entered");
    ReadSettingsAhead(); // as the program does
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    TGUI_Form form;
    form.Create();
    Stage("window created");
    form.Show();
    Stage("window shown");
    // The show sequence fills the page before the window appears; should that change, the rows are waited for.
    DWORD deadline = GetTickCount() + 20000;
    while (StartingUp || form.MainFrame(1).RowCount() < rows) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (static_cast<int>(deadline - GetTickCount()) < 0) {
            ExitProcess(1);
        } else {
            Sleep(1);
        }
    }
    Stage("rows shown");
    ExitProcess(0);
}
