// The header band, the modal dialog base, control making and help pages.
#include "ui/DialogParts.h"

#include "ui/Graphics.h"
#include "ui/Unit1.h"
#include "ui/rules/MainWindowRules.h"

#include <shellapi.h>

TDialogHeader::~TDialogHeader() {
    if (Picture != nullptr)
        DeleteObject(Picture);
}

void TDialogHeader::Create(HWND parent, int width, int pictureId) {
    RegisterWindowClass("TDialogHeader", static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    CreateHandle("TDialogHeader", 0, WS_CHILD | WS_VISIBLE, "", 0, 0, width, Height, parent);
    Picture = LoadPicture(pictureId);
}

void TDialogHeader::SetMainText(const std::string& text) {
    Main = text;
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TDialogHeader::SetLabelText(const std::string& text) {
    Label = text;
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TDialogHeader::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd, &paint);
    RECT area;
    GetClientRect(Hwnd, &area);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawPicture(dc, Picture, 8, (Height - 48) / 2);
    HGDIOBJ old = SelectObject(dc, UiBoldFont());
    RECT main{66, 9, area.right - 10, 26};
    DrawTextA(dc, Main.c_str(), -1, &main, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, UiFont());
    RECT label{78, 28, area.right - 10, Height - 4};
    DrawTextA(dc, Label.c_str(), -1, &label, DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old);
    RECT edge{0, area.bottom - 1, area.right, area.bottom};
    FillRect(dc, &edge, GetSysColorBrush(COLOR_BTNSHADOW));
    EndPaint(Hwnd, &paint);
}

LRESULT TDialogHeader::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Paint();
        return 0;
    }
    return Default(message, wParam, lParam);
}

void TPanel::Create(HWND parent, int x, int y, int width, int height, HBRUSH background) {
    Background = background;
    RegisterWindowClass("TPanel", nullptr);
    CreateHandle("TPanel", WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPSIBLINGS, "", x, y, width, height, parent);
}

LRESULT TPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
        return SendMessageA(GetParent(Hwnd), message, wParam, lParam);
    case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(Hwnd, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, Background);
        return 1;
    }
    }
    return Default(message, wParam, lParam);
}

void TDialogForm::CreateForm(const char* className, HWND owner, int clientWidth, int clientHeight, bool minimizeBox) {
    RegisterWindowClass(className, GetSysColorBrush(COLOR_BTNFACE));
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (minimizeBox ? WS_MINIMIZEBOX : 0);
    CreateHandle(className, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, style, "", 0, 0, clientWidth, clientHeight,
                 owner);
    SetClientSize(Hwnd, clientWidth, clientHeight);
    CentreOnDesktop(Hwnd);
}

void TDialogForm::DestroyForm() {
    if (Hwnd != nullptr && IsWindow(Hwnd))
        DestroyWindow(Hwnd);
}

void TDialogForm::ShowModal(HWND owner) {
    Closed = false;
    RunModal(Hwnd, owner, Closed);
}

HWND TDialogForm::MakeControl(HWND parent, const char* className, const std::string& text, DWORD style, int x, int y,
                              int width, int height, DWORD exStyle) {
    HWND control =
        CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextId++)), ProgramInstance(), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    return control;
}

HWND TDialogForm::MakeButton(HWND parent, const std::string& text, int x, int y, int width, int height) {
    return MakeControl(parent, "BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON, x, y, width, height);
}

HWND TDialogForm::MakeLabel(HWND parent, const std::string& text, int x, int y, int width, int height) {
    return MakeControl(parent, "STATIC", text, SS_LEFT | SS_NOPREFIX, x, y, width, height);
}

HWND TDialogForm::MakeEdit(HWND parent, int x, int y, int width, int height) {
    return MakeControl(parent, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, x, y, width, height, WS_EX_CLIENTEDGE);
}

HWND TDialogForm::MakeSeparator(int x, int y, int width) {
    return MakeControl(Hwnd, "STATIC", "", SS_ETCHEDHORZ, x, y, width, 2);
}

LRESULT TDialogForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(Hwnd, focus))
                FocusBeforeLeaving = focus;
            return 0;
        }
        if (!Activated) {
            Activated = true;
            FormActivate();
            return 0;
        }
        if (FocusBeforeLeaving != nullptr && IsWindow(FocusBeforeLeaving)) {
            SetFocus(FocusBeforeLeaving);
            return 0;
        }
        break;
    case WM_CLOSE:
        CloseBox();
        return 0;
    case WM_COMMAND:
        // Commands without a control (Enter and Escape turned into IDOK and IDCANCEL, menus) are not ours.
        if (lParam != 0)
            ControlCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    }
    return Default(message, wParam, lParam);
}

void OpenHelpPage(const std::string& page) {
    const std::string path = HelpPagePath(page);
    if (GUI_Form != nullptr && GUI_Form->OpenDocument)
        GUI_Form->OpenDocument(path);
    else
        ShellExecuteA(nullptr, nullptr, path.c_str(), "", "", SW_SHOWNORMAL);
}

void DrawImageControl(const DRAWITEMSTRUCT& item, HIMAGELIST list, int index, HBRUSH background) {
    FillRect(item.hDC, &item.rcItem, background);
    DrawListImage(list, index, item.hDC, item.rcItem.left, item.rcItem.top);
}
