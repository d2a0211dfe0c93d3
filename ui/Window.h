// A thin base for the program's windows: binds `this` to the handle and hands messages to the class.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

class TWindow {
public:
    TWindow() = default;
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND Handle() const { return Hwnd; }

    // The DPI of the monitor the window is on, and a length given for 96 DPI at that DPI.
    UINT Dpi() const;
    int S(int length96) const;

protected:
    // Registers the class on first use; every class of the program goes through here.
    static void RegisterWindowClass(const char* className, HBRUSH background, HICON icon = nullptr);
    bool CreateHandle(const char* className, DWORD exStyle, DWORD style, const std::string& title, int x, int y,
                      int width, int height, HWND parent);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(Hwnd, message, wParam, lParam);
    }

    HWND Hwnd = nullptr;

private:
    static LRESULT CALLBACK Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Tells the user that a message handler failed (an exception, such as running out of memory), and goes on: the
// settings saved so far stay as they are. Goes to the reporter the main window sets, or to a message box.
void ReportUnexpectedError(const char* what);
void SetUnexpectedErrorReporter(std::function<void(const std::string&)> reporter);

// Runs one message handler so that no exception leaves the window procedure: the system's code between our window
// procedures cannot pass one on, and the program must keep running.
template <typename Handler> LRESULT CallGuarded(Handler&& handler) {
    try {
        return handler();
    } catch (const std::exception& error) {
        ReportUnexpectedError(error.what());
    } catch (...) {
        ReportUnexpectedError(nullptr);
    }
    return 0;
}

// Shows a window modally over its owner: the owner is disabled until `done` becomes true or the window is gone.
// Every key pressed is offered to the window first as KeyPreviewMessage (wParam: the key); a window that answers
// TRUE has used it, and the dialog keys (Tab, Enter, Escape) do not see it.
void RunModal(HWND window, HWND owner, const bool& done);
inline constexpr UINT KeyPreviewMessage = WM_APP + 40;

// Whether the last input the program took was a key rather than the mouse: a button pressed from the keyboard
// opens its menu under itself, one clicked opens it at the mouse.
void NoteInput(const MSG& message);
bool LastInputWasKeyboard();

// The instance of Norvex.exe (or of the test executable that holds the windows).
HINSTANCE ProgramInstance();

// Sets the client area of a window to the size given, keeping its frame.
void SetClientSize(HWND window, int width, int height);

// Centres a window on the desktop's work area.
void CentreOnDesktop(HWND window);

// Text of a window or control.
std::string WindowText(HWND window);
