// The soak check: Norvex's main window in this process, each everyday operation run over and over as in weeks in
// the tray, and the process's own memory read after a warm-up (under Wine its anonymous memory). Prints each
// operation's growth per cycle and exits with 1 when one grows by more than the limit.
//   norvex_soak.exe [cycles] [limit in bytes per cycle]
// An operation runs a warm-up, then twice `cycles` cycles: the smaller growth of the two rounds counts, so that a heap
// that grows once in a step is not taken for a leak, while a leak shows in both.
#include "Recording.h"
#include "core/Promenne.h"
#include "ui/DialogSteps.h"
#include "ui/IPaddressForm.h"
#include "ui/ProfileForm.h"
#include "ui/WindowTestSupport.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

// Slot 2: a profile that applies its IP settings (netsh runs, the stand-in here) and a second one.
const char* const SoakSlot = "[LAN]\r\nNAME=Office\r\nCAPTION=Docking station\r\nINTERFACE=Local Area Connection\r\n"
                             "[PROFILE_1]\r\nNAME=Office\r\nIP_APPLY=TRUE\r\nIP_SOURCETYPE=1\r\n"
                             "IP_ADRESSES_ADDRESS_0=192.168.10.25\r\nIP_ADRESSES_MASK_0=255.255.255.0\r\n"
                             "IP_GATEWAYS_0=192.168.10.1\r\nDNS_APPLY=TRUE\r\nDNS_SOURCETYPE=1\r\n"
                             "DNS_ADRESSES_0=192.168.10.2\r\nWINS_APPLY=TRUE\r\nWINS_SOURCETYPE=0\r\n"
                             "[PROFILE_2]\r\nNAME=Home\r\nICON=5\r\n";

// Bytes of memory the process holds of its own: under Wine the page-file usage is its anonymous memory as /proc
// tells it (RssAnon and swap), on Windows its private committed bytes.
long long ProcessMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long long>(counters.PagefileUsage);
}

// The GDI objects the process holds; Wine does not count them and says 0.
long GdiObjects() {
    return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

// Closes the tray menu as soon as it is open.
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu != nullptr && IsWindowVisible(menu)) {
        KillTimer(nullptr, timer);
        EndMenu();
    }
}

struct Operation {
    const char* Name;
    std::function<void()> Cycle;
};

} // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 200;
    const double limit = argc > 2 ? std::atof(argv[2]) : 1024;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=2\r\n");
    program.Folder().Write("Settings/LAN2.ini", SoakSlot);
    Recording netsh(program.Folder());
    TGUI_Form& form = program.Start();
    TMainFrame& page = form.MainFrame(2);

    const Operation operations[] = {
        {"apply",
         [&] {
             Selection.CurrentProfile = 0;
             form.ApplyCurrentProfileAndTell();
         }},
        {"editor open and cancel",
         [&] {
             DialogSteps steps({[] { Click(Profile_Form->ButtonSTORNO); }});
             page.SelectRow(0);
             page.onClick(TFrameSender::Popup_EDIT);
         }},
        {"IP dialog open and cancel",
         [&] {
             DialogSteps steps({[] { Click(IPaddress_Form->ButtonSTORNO); }});
             Selection.DialogMode = 2;
             Selection.DialogValue1 = "10.0.0.1";
             Selection.DialogValue2 = "255.0.0.0";
             ShowIPaddressDialog(form.Handle());
         }},
        {"tray menu open and close",
         [&] {
             SetTimer(nullptr, 0, 20, CloseMenu);
             form.ShowTrayMenu();
         }},
        {"page switches",
         [&] {
             for (int active : {3, 0, 1, 2})
                 form.JvPanel.SetActivePage(active);
         }},
    };

    std::printf("%d cycles of each operation after a warm-up; the limit is %.0f bytes per cycle\n", cycles, limit);
    bool withinLimit = true;
    for (const Operation& operation : operations) {
        auto run = [&](int count) {
            for (int i = 0; i < count; ++i)
                operation.Cycle();
            Pump(100);
            return ProcessMemory();
        };
        run(std::max(cycles / 4, 10));
        const long long start = ProcessMemory();
        const long gdiStart = GdiObjects();
        const long long middle = run(cycles);
        const long long end = run(cycles);
        const double perCycle = static_cast<double>(std::min(middle - start, end - middle)) / cycles;
        const bool within = perCycle <= limit;
        withinLimit = withinLimit && within;
        std::printf("%-28s %8.0f bytes per cycle (rounds: %+lld KiB, %+lld KiB), GDI objects %+ld%s\n", operation.Name,
                    perCycle, (middle - start) / 1024, (end - middle) / 1024, GdiObjects() - gdiStart,
                    within ? "" : "  ABOVE THE LIMIT");
        std::fflush(stdout);
    }
    form.FormClose();
    return withinLimit ? 0 : 1;
}
