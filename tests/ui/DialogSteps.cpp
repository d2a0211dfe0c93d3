// Driving modal dialogs from a test, and pictures of windows.
#include "DialogSteps.h"

#include <fstream>
#include <vector>

namespace {
DialogSteps* Running = nullptr;
constexpr DWORD StepSeconds = 20;
} // namespace

DialogSteps::DialogSteps(std::deque<std::function<void()>> steps) : Steps(std::move(steps)) {
    Running = this;
    Deadline = GetTickCount() + StepSeconds * 1000;
    Timer = SetTimer(nullptr, 0, 40, Tick);
}

DialogSteps::~DialogSteps() {
    KillTimer(nullptr, Timer);
    Running = nullptr;
}

void CALLBACK DialogSteps::Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogSteps* self = Running;
    if (self == nullptr)
        return;
    // A step that lets messages through without opening a dialog must not have the next step run inside it.
    HWND active = GetActiveWindow();
    if (!self->ActiveAtStepStart.empty() && self->ActiveAtStepStart.back() == active)
        return;
    if (!self->Steps.empty()) {
        std::function<void()> step = std::move(self->Steps.front());
        self->Steps.pop_front();
        self->ActiveAtStepStart.push_back(active);
        step(); // may open a dialog, inside whose modal loop the next ticks come
        self->ActiveAtStepStart.pop_back();
        return;
    }
    // Out of steps with a dialog still open: close it, or the test would wait for ever.
    if (static_cast<int>(GetTickCount() - self->Deadline) > 0) {
        if (active != nullptr && GetWindow(active, GW_OWNER) != nullptr) {
            self->TimedOut = true;
            PostMessageA(active, WM_CLOSE, 0, 0);
        }
    }
}

void Click(HWND button) {
    SendMessageA(button, BM_CLICK, 0, 0);
}

namespace {
void Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}
} // namespace

void Press(WORD key, bool shift, bool control) {
    if (control)
        Key(VK_CONTROL, false);
    if (shift)
        Key(VK_SHIFT, false);
    Key(key, false);
    Key(key, true);
    if (shift)
        Key(VK_SHIFT, true);
    if (control)
        Key(VK_CONTROL, true);
}

void TypeKeys(const std::string& text) {
    for (char c : text) {
        SHORT scan = VkKeyScanA(c);
        Press(static_cast<WORD>(scan & 0xFF), (scan & 0x100) != 0);
    }
}

void ClickAt(POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input[3] = {};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = screen.x * 65535 / (width - 1);
        i.mi.dy = screen.y * 65535 / (height - 1);
    }
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, input, sizeof input[0]);
}

void MouseClick(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void Type(HWND edit, const std::string& text) {
    SetWindowTextA(edit, text.c_str());
}

bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    // What is on the screen, as the user sees it.
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    SelectObject(memory, old);
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride) * height);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return static_cast<bool>(out);
}
