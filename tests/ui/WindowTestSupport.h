// Running the real main window in a test: a program folder of its own, and message pumping.
#pragma once

#include "TestFolders.h"
#include "ui/Unit1.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The program as installed in a scratch folder: Language beside it, Settings created by the program.
class ProgramUnderTest {
public:
    ProgramUnderTest();
    ~ProgramUnderTest();

    // Creates and shows the main window, and lets it settle. `beforeCreate` may replace what the window reaches out
    // to (the shell's notification area) before the window exists.
    TGUI_Form& Start(const std::function<void(TGUI_Form&)>& beforeCreate = nullptr);
    TGUI_Form& Form() { return *Window; }
    const ScratchFolder& Folder() const { return Root; }

    std::vector<std::string> Errors;
    std::vector<std::string> OpenedDocuments;
    std::vector<std::string> Questions; // asked with Yes and No; answered with AnswerYes
    bool AnswerYes = true;
    bool AskOnScreen = false; // set before Start: the program's own question box, answered by keys

private:
    ScratchFolder Root;
    std::unique_ptr<TGUI_Form> Window;
};

// Handles the window messages that come in for the given time (a quit message ends nothing here).
void Pump(int milliseconds = 50);

// The caption of a menu item, by position.
std::string MenuItemCaption(HMENU menu, int position);
std::string MenuItemCaptionById(HMENU menu, UINT id);

// Closes the next popup menu as soon as it is open, remembering where it opened.
class MenuProbe {
public:
    MenuProbe();
    ~MenuProbe();
    MenuProbe(const MenuProbe&) = delete;
    MenuProbe& operator=(const MenuProbe&) = delete;
    bool Seen = false;
    RECT Bounds{};
    // The screen's pixels of the open menu (0x00RRGGBB, row by row), taken before it is closed.
    std::vector<COLORREF> Pixels;
    COLORREF Pixel(int x, int y) const; // screen coordinates
    HWND Window = nullptr;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR Timer = 0;
};
