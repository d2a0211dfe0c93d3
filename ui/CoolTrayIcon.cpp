// The tray icon.
#include "ui/CoolTrayIcon.h"

#include "ui/Window.h"

#include <shellapi.h>

namespace {
constexpr UINT IconId = 1;
}

TCoolTrayIcon::~TCoolTrayIcon() {
    if (Added)
        Notify(NIM_DELETE);
    if (Handler != nullptr)
        DestroyWindow(Handler);
}

void TCoolTrayIcon::Create(HWND mainWindow, HICON icon) {
    Main = mainWindow;
    Icon = icon;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = HandlerProc;
    windowClass.hInstance = ProgramInstance();
    windowClass.lpszClassName = "TTrayIconHandler";
    RegisterClassExA(&windowClass);
    // A hidden top-level window, not a message-only one: only top-level windows hear the shell's broadcast
    // that the taskbar was created again.
    Handler = CreateWindowExA(0, "TTrayIconHandler", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ProgramInstance(),
                              nullptr);
    SetWindowLongPtrA(Handler, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    TaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    // Norvex runs elevated where it can: let the shell's broadcast through to it all the same.
    ChangeWindowMessageFilterEx(Handler, TaskbarCreated, MSGFLT_ALLOW, nullptr);
    Notify(NIM_ADD);
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = Handler;
    data.uID = IconId;
    data.uVersion = 0; // classic mouse messages
    Shell_NotifyIconA(NIM_SETVERSION, &data);
}

void TCoolTrayIcon::Notify(DWORD action) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = Handler;
    data.uID = IconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = CallbackMessage;
    data.hIcon = Icon;
    // No tooltip: the tip stays empty.
    BOOL done = Shell_NotifyIconA(action, &data);
    if (action == NIM_ADD)
        Added = done != FALSE || Added;
    if (action == NIM_DELETE)
        Added = false;
}

LRESULT CALLBACK TCoolTrayIcon::HandlerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tray = reinterpret_cast<TCoolTrayIcon*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (tray != nullptr) {
        if (message == CallbackMessage) {
            tray->HandleIconMessage(lParam);
            return 0;
        }
        if (tray->TaskbarCreated != 0 && message == tray->TaskbarCreated) {
            // The shell restarted: the icon comes back without anyone asking.
            tray->Added = false;
            tray->Notify(NIM_ADD);
            return 0;
        }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void TCoolTrayIcon::HandleIconMessage(LPARAM mouseMessage) {
    switch (static_cast<UINT>(mouseMessage)) {
    case WM_RBUTTONDOWN:
        // The menu opens on the press, not on the release.
        if (OnShowMenu)
            OnShowMenu();
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDefaultItem)
            OnDefaultItem();
        break;
    }
}

void TCoolTrayIcon::MinimizeToTray() {
    if (Hiding || !IsWindowVisible(Main))
        return;
    Hiding = true;
    if (OnMinimizeToTray)
        OnMinimizeToTray();
    ShowWindow(Main, SW_HIDE);
    if (!Added)
        Notify(NIM_ADD);
    Hiding = false;
}

void TCoolTrayIcon::RestoreFromTray() {
    ShowWindow(Main, IsIconic(Main) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Main);
}

bool TCoolTrayIcon::HandleMainWindowMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    // Every way of minimising (title-bar button, system menu, taskbar, the tray item) ends here once.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) {
        MinimizeToTray();
        result = 0;
        return true;
    }
    if (message == WM_SIZE && wParam == SIZE_MINIMIZED) {
        MinimizeToTray();
        result = 0;
        return true;
    }
    return false;
}
