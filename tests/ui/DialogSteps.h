// Acting on modal dialogs from a test: the steps run one after another from a timer, inside whichever modal loop
// is running, so a step that opens a dialog lets the steps after it act on that dialog.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class DialogSteps {
public:
    explicit DialogSteps(std::deque<std::function<void()>> steps);
    ~DialogSteps();
    DialogSteps(const DialogSteps&) = delete;
    DialogSteps& operator=(const DialogSteps&) = delete;

    // Every step ran, and no dialog had to be closed because the steps ran out while it was open.
    bool Finished() const { return Steps.empty() && !TimedOut; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::deque<std::function<void()>> Steps;
    std::vector<HWND> ActiveAtStepStart; // one per step running, innermost last
    UINT_PTR Timer = 0;
    DWORD Deadline = 0;
    bool TimedOut = false;
};

// Clicks a button as the user does (BM_CLICK), so that its notification goes through the dialog.
void Click(HWND button);

// Input through the system's input queue, handled by whichever modal loop runs: keys (with Shift where a
// character needs it) and mouse clicks in the middle of a control or at a point of the screen.
void Press(WORD key, bool shift = false, bool control = false);
void TypeKeys(const std::string& text);
void ClickAt(POINT screen);
void MouseClick(HWND control);

// Sets an edit's text as typed (the edit reports the change).
void Type(HWND edit, const std::string& text);

// Saves a picture of a window, frame included, as a 24-bit BMP.
bool SaveWindowPicture(HWND window, const std::string& path);
