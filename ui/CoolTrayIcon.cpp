// The tray icon.
#include "ui/CoolTrayIcon.h"

#include "ui/Window.h"

#include <cstring>

namespace {
constexpr UINT_PTR RetryTimer = 1;

// Copies as much of the text as the shell's field holds, always ending it.
template <size_t Size> void CopyField(char (&field)[Size], const std::string& text) {
    const size_t length = text.size() < Size ? text.size() : Size - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
    if (text.size() >= Size && Size > 4)
        std::memcpy(field + Size - 4, "...", 4);
}
} // namespace

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
    Handler =
        CreateWindowExA(0, "TTrayIconHandler", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ProgramInstance(), nullptr);
    SetWindowLongPtrA(Handler, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    TaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    // Norvex runs elevated where it can: let the shell's broadcast through to it all the same.
    ChangeWindowMessageFilterEx(Handler, TaskbarCreated, MSGFLT_ALLOW, nullptr);
}

NOTIFYICONDATAA TCoolTrayIcon::Record(UINT flags) const {
    NOTIFYICONDATAA data{};
    // The record with the notification fields, which every Windows since 2000 knows.
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = Handler;
    data.uID = IconId;
    data.uFlags = flags;
    data.uCallbackMessage = CallbackMessage;
    data.hIcon = Icon;
    return data;
}

bool TCoolTrayIcon::Notify(DWORD action) {
    NOTIFYICONDATAA data = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    CopyField(data.szTip, Tip);
    const bool done = NotifyShell(action, data) != FALSE;
    if (action == NIM_ADD)
        Added = done || Added;
    if (action == NIM_DELETE)
        Added = false;
    return done;
}

void TCoolTrayIcon::AddIcon() {
    if (Added)
        return;
    if (Notify(NIM_ADD)) {
        KillTimer(Handler, RetryTimer);
        RetriesLeft = 0;
        NOTIFYICONDATAA data = Record(0);
        data.uVersion = 0; // classic mouse messages
        NotifyShell(NIM_SETVERSION, data);
        return;
    }
    if (RetriesLeft == 0) {
        RetriesLeft = RetryCount;
        SetTimer(Handler, RetryTimer, RetryMilliseconds, nullptr);
    }
}

LRESULT CALLBACK TCoolTrayIcon::HandlerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tray = reinterpret_cast<TCoolTrayIcon*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (tray == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return CallGuarded([&] { return tray->HandleHandlerMessage(message, wParam, lParam); });
}

LRESULT TCoolTrayIcon::HandleHandlerMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CallbackMessage) {
        HandleIconMessage(lParam);
        return 0;
    }
    if (TaskbarCreated != 0 && message == TaskbarCreated) {
        // The shell (re)started: the icon comes back without anyone asking.
        const bool wasAdded = Added;
        Added = false;
        AddIcon();
        if (Added && !wasAdded && OnIconAdded)
            OnIconAdded();
        return 0;
    }
    switch (message) {
    case WM_TIMER:
        if (wParam == RetryTimer && !Added) {
            AddIcon();
            if (Added && OnIconAdded)
                OnIconAdded();
            else if (--RetriesLeft <= 0)
                KillTimer(Handler, RetryTimer);
        }
        return 0;
    // This window lives as long as the icon: a close or the end of the session from outside does not take it
    // away while the program runs on.
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
        return 1;
    }
    return DefWindowProcA(Handler, message, wParam, lParam);
}

void TCoolTrayIcon::HandleIconMessage(LPARAM mouseMessage) {
    switch (static_cast<UINT>(mouseMessage)) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        // The menu opens on the press, not on the release; a second press soon after closing it arrives as a
        // double-click and opens it as well.
        if (OnShowMenu)
            OnShowMenu();
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDefaultItem)
            OnDefaultItem();
        break;
    }
}

void TCoolTrayIcon::SetTip(const std::string& tip) {
    Tip = tip;
    if (Added)
        Notify(NIM_MODIFY);
}

void TCoolTrayIcon::ShowBalloon(const std::string& title, const std::string& text, bool warning) {
    NOTIFYICONDATAA data = Record(NIF_INFO);
    CopyField(data.szInfoTitle, title);
    // The shell removes a notification whose text is empty instead of showing it.
    CopyField(data.szInfo, text.empty() ? title : text);
    data.dwInfoFlags = warning ? NIIF_WARNING : NIIF_INFO;
    data.uTimeout = 10000;
    NotifyShell(NIM_MODIFY, data);
}

bool TCoolTrayIcon::MinimizeToTray() {
    if (Hiding || !IsWindowVisible(Main))
        return true;
    if (!Added)
        AddIcon();
    if (!Added)
        return false;
    Hiding = true;
    if (OnMinimizeToTray)
        OnMinimizeToTray();
    ShowWindow(Main, SW_HIDE);
    Hiding = false;
    return true;
}

void TCoolTrayIcon::RestoreFromTray() {
    ShowWindow(Main, IsIconic(Main) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Main);
}

bool TCoolTrayIcon::HandleMainWindowMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    // Every way of minimising (title-bar button, system menu, taskbar, the tray item) ends here once. Without the
    // icon the window is minimised the ordinary way, onto the taskbar.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE && MinimizeToTray()) {
        result = 0;
        return true;
    }
    if (message == WM_SIZE && wParam == SIZE_MINIMIZED && MinimizeToTray()) {
        result = 0;
        return true;
    }
    return false;
}
