// The entry point: the main window is the only window made at start; the message loop runs until it closes.
#include "core/Promenne.h"
#include "core/Startup.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "ui/Unit1.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::RestrictLibrarySearch();
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
