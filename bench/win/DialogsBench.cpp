// How long the interface settings dialog and the profile editor take to open: from creating the dialog until its
// captions and fields are filled (what its first activation runs: LoadStrings), and destroying it again, in
// milliseconds; the first opening of each in the process and the median of the next ones. With --connections,
// also the interface dialog's list of the machine's connections, which it fills once it is on screen. Showing and
// painting are left out: under Wine without a window manager they wait for the X server. Needs the settings that
// "bench_startup.exe --prepare N" writes beside it; slot 1's first profile is edited.
//   bench_dialogs.exe [OPENINGS] [--connections]    default 20
#include "core/Promenne.h"
#include "ui/InterfaceForm.h"
#include "ui/ProfileForm.h"
#include "ui/Unit1.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

double Milliseconds(const std::function<void()>& open) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    open();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, int openings, const std::function<void()>& open) {
    const double first = Milliseconds(open);
    std::vector<double> times;
    for (int i = 0; i < openings; ++i)
        times.push_back(Milliseconds(open));
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("%s: first opening %.2f ms; median of %d further openings %.2f ms\n", what, first, openings, median);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const int openings = std::atoi(commandLine) > 0 ? std::atoi(commandLine) : 20;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    TGUI_Form form;
    form.Create();
    form.Show();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    Report("Interface settings dialog", openings, [&] {
        TInterface_Form dialog(form.Handle(), 1);
        dialog.LoadStrings();
    });
    if (std::strstr(commandLine, "--connections") != nullptr)
        Report("Interface settings dialog with its list of connections", openings, [&] {
            TInterface_Form dialog(form.Handle(), 1);
            dialog.LoadStrings();
            dialog.LoadConnections();
        });
    Report("Profile editor", openings, [&] {
        Selection.CurrentProfile = ProfilesOfSlot(1).empty() ? -1 : ProfilesOfSlot(1).front();
        TProfile_Form editor(form.Handle());
        editor.LoadStrings();
    });
    std::fflush(stdout);
    ExitProcess(0);
}
