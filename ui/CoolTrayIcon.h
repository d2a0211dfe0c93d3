// The tray icon: the program's icon in the notification area for the whole run, its menu on the right button,
// the default item on a double-click, notifications, and minimising the main window into the notification area.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>

class TCoolTrayIcon {
public:
    // The message the shell sends about the icon.
    static constexpr UINT CallbackMessage = WM_USER + 1024;
    static constexpr UINT IconId = 1;
    // When the shell is not ready (at sign-in), adding the icon is tried again this often, this many times; the
    // shell's "TaskbarCreated" broadcast brings it back later in any case.
    static constexpr UINT RetryMilliseconds = 1000;
    static constexpr int RetryCount = 10;

    ~TCoolTrayIcon();

    // Prepares the icon for `mainWindow`; AddIcon puts it into the notification area.
    void Create(HWND mainWindow, HICON icon);
    // Puts the icon into the notification area; when the shell is not ready, tries again on a timer.
    void AddIcon();

    // The main window hands every message here first; true when the tray consumed it.
    bool HandleMainWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Hides the main window into the notification area, telling OnMinimizeToTray first. Only with the icon in the
    // notification area: without it the window would be out of reach, so it stays and this gives false.
    bool MinimizeToTray();
    // Shows the main window again, in front.
    void RestoreFromTray();

    // A notification from the icon: information, or a warning.
    void ShowBalloon(const std::string& title, const std::string& text, bool warning);
    // The tooltip shown when the mouse rests on the icon.
    void SetTip(const std::string& tip);

    bool IconAdded() const { return Added; }
    HWND HandlerWindow() const { return Handler; }

    std::function<void()> OnMinimizeToTray;
    std::function<void()> OnShowMenu;    // the right button was pressed on the icon
    std::function<void()> OnDefaultItem; // the icon was double-clicked
    std::function<void()> OnIconAdded;   // the icon came into the notification area after a failed first try
    // Every call to the shell goes through here; the tests put a recorder in its place.
    std::function<BOOL(DWORD, NOTIFYICONDATAA&)> NotifyShell = [](DWORD action, NOTIFYICONDATAA& data) {
        return Shell_NotifyIconA(action, &data);
    };

private:
    static LRESULT CALLBACK HandlerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleHandlerMessage(UINT message, WPARAM wParam, LPARAM lParam);
    NOTIFYICONDATAA Record(UINT flags) const;
    bool Notify(DWORD action);
    void HandleIconMessage(LPARAM mouseMessage);

    HWND Main = nullptr;
    HWND Handler = nullptr; // the hidden window that receives the shell's messages
    HICON Icon = nullptr;
    std::string Tip;
    UINT TaskbarCreated = 0;
    bool Added = false;
    bool Hiding = false;
    int RetriesLeft = 0;
};
