// The tray icon: the program's icon in the notification area for the whole run, its menu on the right button,
// the default item on a double-click, and minimising the main window into the notification area.
#pragma once

#include <windows.h>

#include <functional>

class TCoolTrayIcon {
public:
    // The message the shell sends about the icon.
    static constexpr UINT CallbackMessage = WM_USER + 1024;

    ~TCoolTrayIcon();

    // Puts the icon into the notification area for `mainWindow`.
    void Create(HWND mainWindow, HICON icon);

    // The main window hands every message here first; true when the tray consumed it.
    bool HandleMainWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Hides the main window into the notification area, telling OnMinimizeToTray first.
    void MinimizeToTray();
    // Shows the main window again, in front.
    void RestoreFromTray();

    bool IconAdded() const { return Added; }

    std::function<void()> OnMinimizeToTray;
    std::function<void()> OnShowMenu;      // the right button was pressed on the icon
    std::function<void()> OnDefaultItem;   // the icon was double-clicked

private:
    static LRESULT CALLBACK HandlerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Notify(DWORD action);
    void HandleIconMessage(LPARAM mouseMessage);

    HWND Main = nullptr;
    HWND Handler = nullptr; // the hidden window that receives the shell's messages
    HICON Icon = nullptr;
    UINT TaskbarCreated = 0;
    bool Added = false;
    bool Hiding = false;
};
