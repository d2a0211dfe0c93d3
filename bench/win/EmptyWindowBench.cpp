// The yardstick of the start-up benchmark: a minimal Win32 program that shows one empty window and ends. With
// "--common-controls" it loads the common controls first, as every program with a list view does; built with the
// program's manifest (bench_empty_window_manifest) these are version 6, which under Wine loads the active visual
// style too: most of what such a program pays at start beyond an empty window.
#include <windows.h>

namespace {
bool Activated = false;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
        Activated = true;
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (lstrcmpA(commandLine, "--common-controls") == 0)
        LoadLibraryA("comctl32.dll");
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "EmptyWindow";
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowA("EmptyWindow", "Empty", WS_OVERLAPPEDWINDOW, 0, 0, 250, 490, nullptr, nullptr, instance, nullptr);
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
