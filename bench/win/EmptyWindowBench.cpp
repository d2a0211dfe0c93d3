// The yardstick of the start-up benchmark: a minimal Win32 program that shows one empty window and ends. With
// "--list-view" the window holds one empty list view with the focus, the least any program with a list view
// shows; built with the program's manifest (bench_empty_window_manifest) the common controls are version 6, which
// under Wine load the active visual style too.
#include <windows.h>

#include <commctrl.h>

namespace {
bool Activated = false;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
        Activated = true;
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const bool listView = lstrcmpA(commandLine, "--list-view") == 0;
    if (listView) {
        // Loaded here, not imported: the plain empty window must not load the common controls.
        using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        auto init = reinterpret_cast<InitFunction>(
            reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("comctl32.dll"), "InitCommonControlsEx")));
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        init(&controls);
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "EmptyWindow";
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowA("EmptyWindow", "Empty", WS_OVERLAPPEDWINDOW, 0, 0, 250, 490, nullptr, nullptr, instance, nullptr);
    if (listView) {
        HWND list = CreateWindowExA(0, WC_LISTVIEWA, "",
                                    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_OWNERDATA, 5, 60, 225,
                                    300, window, nullptr, instance, nullptr);
        SetFocus(list);
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    DWORD deadline = GetTickCount() + 20000;
    while (!Activated) {
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
