// The entry point: one program per folder; the main window is the only window made at start; the message loop runs
// until it closes.
#include "core/Promenne.h"
#include "core/Startup.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "ui/SingleInstance.h"
#include "ui/Unit1.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::RestrictLibrarySearch();
    // A second start of this copy (the Start menu while the program sits in the tray, the sign-in task and a
    // click) shows the running program and ends: two programs on the same files lose profiles.
    if (!ClaimSingleInstance())
        return 0;
    ReadSettingsAhead();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int exitCode = 0;
    {
        TGUI_Form form;
        form.Create();
        form.Show();
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchProgramMessage(message);
        exitCode = static_cast<int>(message.wParam);
    }
    CloseIniFile();
    ClearStore();
    return exitCode;
}
