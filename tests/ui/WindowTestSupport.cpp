// Running the real main window in a test.
#include "WindowTestSupport.h"

#include "core/Promenne.h"
#include "core/Startup.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <filesystem>

ProgramUnderTest::ProgramUnderTest() {
    // The shipped language file, as it lies beside the test executables.
    std::filesystem::path exe(platform::ExecutablePath());
    std::filesystem::copy(exe.parent_path() / "Language", Root.File("Language"),
                          std::filesystem::copy_options::recursive);
    ProgramPathOverride = Root.File("Norvex.exe");
    CloseIniFile();
    Interfaces = {};
    WindowState = TWindowState();
    Selection = TSelection();
}

ProgramUnderTest::~ProgramUnderTest() {
    Window.reset();
    Pump(10);
    ProgramPathOverride.clear();
    CloseIniFile();
}

TGUI_Form& ProgramUnderTest::Start(const std::function<void(TGUI_Form&)>& beforeCreate) {
    Window = std::make_unique<TGUI_Form>();
    Window->ShowError = [this](const std::string& text) { Errors.push_back(text); };
    Window->OpenDocument = [this](const std::string& path) { OpenedDocuments.push_back(path); };
    if (!AskOnScreen)
        Window->AskYesNo = [this](const std::string& question) {
            Questions.push_back(question);
            return AnswerYes;
        };
    if (beforeCreate)
        beforeCreate(*Window);
    Window->Create();
    Window->Show();
    SetForegroundWindow(Window->Handle());
    Pump(100);
    return *Window;
}

void Pump(int milliseconds) {
    DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            DispatchProgramMessage(message);
        }
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

std::string MenuItemCaption(HMENU menu, int position) {
    char buffer[512] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}

std::string MenuItemCaptionById(HMENU menu, UINT id) {
    char buffer[512] = {};
    GetMenuStringA(menu, id, buffer, sizeof buffer, MF_BYCOMMAND);
    return buffer;
}

namespace {
MenuProbe* RunningProbe = nullptr;
}

MenuProbe::MenuProbe() {
    RunningProbe = this;
    Timer = SetTimer(nullptr, 0, 20, Tick);
}

MenuProbe::~MenuProbe() {
    KillTimer(nullptr, Timer);
    RunningProbe = nullptr;
}

void CALLBACK MenuProbe::Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (RunningProbe == nullptr || RunningProbe->Seen || menu == nullptr || !IsWindowVisible(menu))
        return;
    MenuProbe& probe = *RunningProbe;
    probe.Seen = true;
    probe.Window = menu;
    GetWindowRect(menu, &probe.Bounds);
    const int width = probe.Bounds.right - probe.Bounds.left;
    const int height = probe.Bounds.bottom - probe.Bounds.top;
    HDC screen = GetDC(nullptr);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            probe.Pixels.push_back(GetPixel(screen, probe.Bounds.left + x, probe.Bounds.top + y));
    ReleaseDC(nullptr, screen);
    EndMenu();
}

COLORREF MenuProbe::Pixel(int x, int y) const {
    const int width = Bounds.right - Bounds.left;
    return Pixels[static_cast<size_t>((y - Bounds.top) * width + (x - Bounds.left))];
}
