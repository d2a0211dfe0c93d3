// What every dialog of the program shares: the white header band, the modal life of a dialog created when it
// opens and destroyed when it closes, controls made in code with the dialog font, and the help pages.
#pragma once

#include "ui/Window.h"

#include <commctrl.h>

#include <string>

// The band across the top of a dialog: a 48 by 48 picture, a bold MainText line and a smaller LabelText line.
class TDialogHeader : public TWindow {
public:
    static constexpr int Height = 60;
    ~TDialogHeader() override;

    void Create(HWND parent, int width, int pictureId);
    void SetMainText(const std::string& text);
    void SetLabelText(const std::string& text);
    const std::string& MainText() const { return Main; }
    const std::string& LabelText() const { return Label; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    HBITMAP Picture = nullptr;
    std::string Main;
    std::string Label;
};

// A child window that hands its controls' notifications on to its parent, so that a dialog's pages and groups
// need no handlers of their own.
class TPanel : public TWindow {
public:
    void Create(HWND parent, int x, int y, int width, int height, HBRUSH background);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HBRUSH Background = nullptr;
};

// A fixed-size dialog shown modally over its owner. Its first activation runs FormActivate (once per opening);
// coming back from a window it opened only gives the focus back to the control that had it. No button is the
// default or the cancel button: Enter and Escape close nothing.
class TDialogForm : public TWindow {
public:
    // Runs the modal loop until the dialog closes.
    void ShowModal(HWND owner);
    bool IsClosed() const { return Closed; }

    virtual void FormActivate() = 0;

protected:
    void CreateForm(const char* className, HWND owner, int clientWidth, int clientHeight, bool minimizeBox);
    // Destroys the window while the whole dialog object still exists; every dialog's destructor starts with it.
    void DestroyForm();
    // Ends the modal loop; the opening function then destroys the dialog.
    void EndModal() { Closed = true; }
    // The title-bar close box.
    virtual void CloseBox() = 0;
    // A control reports: a click (BN_CLICKED), a change (EN_CHANGE), ...
    virtual void ControlCommand(HWND control, int code) = 0;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Makes a control with the dialog font; ids start above IDOK and IDCANCEL so that neither ever reaches us.
    HWND MakeControl(HWND parent, const char* className, const std::string& text, DWORD style, int x, int y, int width,
                     int height, DWORD exStyle = 0);
    HWND MakeButton(HWND parent, const std::string& text, int x, int y, int width, int height);
    HWND MakeLabel(HWND parent, const std::string& text, int x, int y, int width, int height);
    HWND MakeEdit(HWND parent, int x, int y, int width, int height);
    // The 2-pixel line above a dialog's buttons.
    HWND MakeSeparator(int x, int y, int width);

private:
    bool Closed = false;
    bool Activated = false;
    HWND FocusBeforeLeaving = nullptr;
    int NextId = 100;
};

// Opens a help page (a path under the Language folder, "Help\<Page>.htm") with the shell. Goes through the main
// window's OpenDocument, which the tests replace; a failure is not reported.
void OpenHelpPage(const std::string& page);

// The page or menu picture an owner-drawn static shows: nothing when the index is outside the list.
void DrawImageControl(const DRAWITEMSTRUCT& item, HIMAGELIST list, int index, HBRUSH background);
