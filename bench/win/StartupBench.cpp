// Start-up of Norvex's main window with five slots of 200 profiles: from process start until the window is shown
// with its active page filled; then the process ends at once. "--prepare" writes the settings beside it first.
#include "core/Promenne.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "ui/Unit1.h"

#include <commctrl.h>

#include <cstring>

namespace {

void PrepareSettings() {
    ResolveFolders();
    ResetStore();
    for (int slot = 1; slot <= SlotCount; ++slot) {
        Interfaces[static_cast<size_t>(slot)] = {"LAN " + std::to_string(slot), "Office", "LAN", slot, false};
        for (int k = 0; k < 200; ++k) {
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

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (std::strstr(commandLine, "--prepare") != nullptr) {
        PrepareSettings();
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    TGUI_Form form;
    form.Create();
    form.Show();
    DWORD deadline = GetTickCount() + 20000;
    while (StartingUp || form.MainFrame(1).RowCount() < 200) {
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
    ExitProcess(0);
}
