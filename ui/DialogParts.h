// What every dialog of the program shares: the white header band, the modal life of a dialog created when it
// opens and destroyed when it closes, controls made in code with the dialog font, and the help pages.
#pragma once

#include "ui/Graphics.h"
#include "ui/Window.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The band across the top of a dialog: a 48 by 48 picture, a bold MainText line and a smaller LabelText line.
class TDialogHeader : public TWindow {
public:
    static constexpr int Height = 60; // at 96 DPI

    void Create(HWND parent, int width, int pictureId);
    void SetMainText(const std::string& text);
    void SetLabelText(const std::string& text);
    const std::string& MainText() const { return Main; }
    const std::string& LabelText() const { return Label; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    std::unique_ptr<TDpiPicture> Picture;
    std::string Main;
    std::string Label;
};

// A child window that hands its controls' notifications on to its parent, so that a dialog's pages and groups
// need no handlers of their own.
class TPanel : public TWindow {
public:
    // A panel whose controls the dialog keys (Tab, the arrows) reach is a control parent. One without a control that
    // can take the focus must not be: the dialog manager can search such a container for ever.
    void Create(HWND parent, int x, int y, int width, int height, HBRUSH background, bool controlParent = true);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HBRUSH Background = nullptr;
};

// A fixed-size dialog shown modally over its owner. Its first activation runs FormActivate (once per opening);
// coming back from a window it opened only gives the focus back to the control that had it. Enter presses the
// focused push button, or else the OK button (the default button, id IDOK); Escape presses the button with the id
// IDCANCEL.
class TDialogForm : public TWindow {
public:
    // Runs the modal loop until the dialog closes.
    void ShowModal(HWND owner);
    // Shows the dialog without a loop of its own: the program's loop serves it, and no other window is disabled.
    void ShowModeless();
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
    // A key pressed anywhere in the dialog, before the dialog keys see it; true when the dialog used it.
    virtual bool KeyPreview(WPARAM) { return false; }
    // The dialog's controls were laid out again for a DPI: what the general scaling leaves (image lists, tab
    // padding) is done here.
    virtual void DpiChanged(UINT) {}
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Makes a control with the dialog font; ids count from 100, above IDOK and IDCANCEL.
    HWND MakeControl(HWND parent, const char* className, const std::string& text, DWORD style, int x, int y, int width,
                     int height, DWORD exStyle = 0, int id = 0);
    // A push button; with the id IDOK it is the default button, with IDCANCEL the one Escape presses.
    HWND MakeButton(HWND parent, const std::string& text, int x, int y, int width, int height, int id = 0);
    HWND MakeLabel(HWND parent, const std::string& text, int x, int y, int width, int height);
    HWND MakeEdit(HWND parent, int x, int y, int width, int height);
    // The 2-pixel line above a dialog's buttons.
    HWND MakeSeparator(int x, int y, int width);
    // Moves the focus off a control of the dialog the user can no longer see or use (on a page just hidden, or just
    // disabled) to the first tab stop of `page`, or to `fallback` when the page has none. A focus left there makes
    // the dialog manager's search for a control (Tab, a mnemonic) run round for ever.
    void KeepFocusUsable(HWND page, HWND fallback);

private:
    // The dialog is made at 96 DPI; before it is shown, and whenever it moves to a monitor of another DPI, every
    // control is placed and given its font again from that design.
    struct TDesigned {
        HWND Control;
        RECT Bounds; // in its parent, at 96 DPI
        bool HasFont;
        TFontKind Font;
    };
    void RecordDesign();
    void ApplyDpi(UINT dpi);
    // Before the first showing: placed and sized for the monitor's DPI, in the middle of the desktop.
    void LayOutOnce();
    HWND ControlById(int id) const;
    std::vector<TDesigned> Designed;
    std::vector<std::pair<HWND, std::vector<int>>> DesignedColumns; // list views' column widths
    SIZE DesignClient{};
    UINT LaidOutFor = 0;
    bool Closed = false;
    bool Activated = false;
    HWND FocusBeforeLeaving = nullptr;
    int NextId = 100;
};

// The two small value dialogs (a script variable, an IP address): under their entries a hint with its picture, a
// separator, and OK, Storno and, when asked, "?" at the right. Storno and the close box cancel.
class TValueDialog : public TDialogForm {
public:
    virtual void ButtonCommandClick(HWND sender) = 0;
    virtual void FormClose() = 0;

    HWND Image1 = nullptr;
    HWND Label3 = nullptr;
    HWND Panel3 = nullptr;
    HWND ButtonOK = nullptr;
    HWND ButtonSTORNO = nullptr;
    HWND ButtonHELP = nullptr; // null without a help button

protected:
    TValueDialog();
    // The hint at hintTop, the separator at separatorTop and the buttons under it.
    void MakeHintAndButtons(int hintTop, int hintHeight, int separatorTop, bool helpButton);
    // The buttons' captions: the dialog's own BUTTON_OK, BUTTON_STORNO and BUTTON_HELP keys, where the language
    // file has them.
    void LoadButtonCaptions(const char* section);
    void CloseBox() override;
    void ControlCommand(HWND control, int code) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TDpiPicture Hint;
};

// An icon menu: an entry for every picture of the list with its picture and "<icon word> <n>", numbered from
// FirstIconItem; each entry's hint goes into `hints`.
inline constexpr UINT FirstIconItem = 1;
HMENU MakeIconMenu(const std::string& iconWord, TPictureList list, std::vector<std::string>& hints);

// Opens a button's menu and gives the id chosen (0 for none): under the button when it was pressed from the
// keyboard, at the mouse when it was clicked.
UINT TrackButtonMenu(HMENU menu, HWND button, HWND owner);

// Opens a help page (a path under the Language folder, "Help\<Page>.htm") with the shell. Goes through the main
// window's OpenDocument, which the tests replace.
void OpenHelpPage(const std::string& page);

// Opens a help page as HelpOpeningFor says, for the program as it runs; when the user's shell cannot be asked, tells
// the page's path instead. A failure of the program's own shell is not reported.
void OpenHelpDocument(HWND owner, const std::string& path, const std::function<void(const std::string&)>& tell);

// The page or menu picture an owner-drawn static shows: nothing when the index is outside the list.
void DrawImageControl(const DRAWITEMSTRUCT& item, TPictureList list, int index, HBRUSH background);
