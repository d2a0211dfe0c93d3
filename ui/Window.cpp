// The window base: class registration, creation with `this` bound, the modal loop and small helpers.
#include "ui/Window.h"

#include "core/Startup.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"

#include <set>
#include <vector>

TWindow::~TWindow() {
    if (Hwnd != nullptr && IsWindow(Hwnd)) {
        SetWindowLongPtrA(Hwnd, GWLP_USERDATA, 0);
        DestroyWindow(Hwnd);
    }
}

HINSTANCE ProgramInstance() {
    return GetModuleHandleA(nullptr);
}

UINT TWindow::Dpi() const {
    return WindowDpi(Hwnd);
}

int TWindow::S(int length96) const {
    return Scaled(length96, Dpi());
}

namespace {
std::function<void(const std::string&)> UnexpectedErrorReporter;
}

void SetUnexpectedErrorReporter(std::function<void(const std::string&)> reporter) {
    UnexpectedErrorReporter = std::move(reporter);
}

void ReportUnexpectedError(const char* what) {
    // A handler that fails again while the report is shown (a repaint behind the box) is not reported twice.
    static bool reporting = false;
    if (reporting)
        return;
    reporting = true;
    try {
        WaitForSettingsReadAhead(); // a failure while the window is made: the language file may be in use
        std::string text = ReadLanguageKey("GUI", "UNEXPECTED_ERROR", LanguageName);
        if (what != nullptr && *what != '\0')
            text += " (" + std::string(what) + ")";
        if (UnexpectedErrorReporter)
            UnexpectedErrorReporter(text);
        else
            MessageBoxA(GetActiveWindow(), text.c_str(), "Norvex", MB_OK | MB_ICONERROR);
    } catch (...) {
        // Out of memory even for the words: the fixed text, without the language file.
        MessageBoxA(GetActiveWindow(), "Norvex could not finish what it was doing.", "Norvex", MB_OK | MB_ICONERROR);
    }
    reporting = false;
}

void TWindow::RegisterWindowClass(const char* className, HBRUSH background, HICON icon) {
    static std::set<std::string> registered;
    if (!registered.insert(className).second)
        return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Dispatch;
    windowClass.hInstance = ProgramInstance();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
}

bool TWindow::CreateHandle(const char* className, DWORD exStyle, DWORD style, const std::string& title, int x, int y,
                           int width, int height, HWND parent) {
    CreateWindowExA(exStyle, className, title.c_str(), style, x, y, width, height, parent, nullptr, ProgramInstance(),
                    this);
    return Hwnd != nullptr;
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK TWindow::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* window = static_cast<TWindow*>(create->lpCreateParams);
        window->Hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<TWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (window == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    // Menu pictures are drawn by whichever window opened the menu.
    if ((message == WM_MEASUREITEM || message == WM_DRAWITEM) &&
        HandleMenuImageMessage(message, lParam, WindowDpi(hwnd)))
        return TRUE;
    LRESULT result = CallGuarded([&] { return window->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        window->Hwnd = nullptr;
    }
    return result;
}

namespace {
bool KeyboardInput = false;
}

void NoteInput(const MSG& message) {
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST)
        KeyboardInput = true;
    else if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST && message.message != WM_MOUSEMOVE)
        KeyboardInput = false;
}

bool LastInputWasKeyboard() {
    return KeyboardInput;
}

void RunModal(HWND window, HWND owner, const bool& done) {
    // Every other top-level window of the program stays disabled too, as with any modal dialog.
    if (owner != nullptr)
        EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG message;
    while (!done && IsWindow(window) && IsWindowVisible(window)) {
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        NoteInput(message);
        // A window the dialog does not disable (the keep question) takes its own dialog keys while it is active.
        HWND active = GetActiveWindow();
        if (active == nullptr)
            active = window;
        if (active == window && (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
            SendMessageA(window, KeyPreviewMessage, message.wParam, 0) != FALSE)
            continue;
        if (!IsDialogMessageA(active, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (owner != nullptr) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

void SetClientSize(HWND window, int width, int height) {
    RECT rect{0, 0, width, height};
    AdjustWindowRectForDpi(rect, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)), WindowDpi(window));
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOnDesktop(HWND window) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data());
}
