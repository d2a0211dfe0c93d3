// The header band, the modal dialog base, control making and help pages.
#include "ui/DialogParts.h"

#include "core/Startup.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "resources/resource.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"
#include "ui/Unit1.h"
#include "ui/rules/DialogRules.h"
#include "ui/rules/MainWindowRules.h"
#include "ui/rules/ProfileFormRules.h"

void TDialogHeader::Create(HWND parent, int width, int pictureId) {
    RegisterWindowClass("TDialogHeader", static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    CreateHandle("TDialogHeader", 0, WS_CHILD | WS_VISIBLE, "", 0, 0, width, Height, parent);
    Picture = std::make_unique<TDpiPicture>(pictureId);
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
    const UINT dpi = Dpi();
    HBITMAP picture = Picture->For(dpi);
    DrawPicture(dc, picture, S(8), (area.bottom - PictureSize(picture).cy) / 2);
    HGDIOBJ old = SelectObject(dc, UiFont(TFontKind::Bold, dpi));
    RECT main{S(66), S(9), area.right - S(10), S(26)};
    DrawTextA(dc, Main.c_str(), -1, &main, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, UiFont(dpi));
    RECT label{S(78), S(28), area.right - S(10), area.bottom - S(4)};
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

void TPanel::Create(HWND parent, int x, int y, int width, int height, HBRUSH background, bool controlParent) {
    Background = background;
    RegisterWindowClass("TPanel", nullptr);
    CreateHandle("TPanel", controlParent ? WS_EX_CONTROLPARENT : 0, WS_CHILD | WS_CLIPSIBLINGS, "", x, y, width, height,
                 parent);
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
    DesignClient = SIZE{clientWidth, clientHeight};
    SetClientSize(Hwnd, clientWidth, clientHeight);
}

void TDialogForm::DestroyForm() {
    if (Hwnd != nullptr && IsWindow(Hwnd))
        DestroyWindow(Hwnd);
}

void TDialogForm::LayOutOnce() {
    if (LaidOutFor != 0)
        return;
    ApplyDpi(Dpi());
    SetClientSize(Hwnd, S(DesignClient.cx), S(DesignClient.cy));
    CentreOnDesktop(Hwnd);
}

void TDialogForm::ShowModal(HWND owner) {
    Closed = false;
    LayOutOnce();
    RunModal(Hwnd, owner, Closed);
}

void TDialogForm::ShowModeless() {
    Closed = false;
    LayOutOnce();
    ShowWindow(Hwnd, SW_SHOW);
    SetForegroundWindow(Hwnd);
}

namespace {
bool IsClass(HWND window, const char* name) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    return TRUE;
}
} // namespace

void TDialogForm::RecordDesign() {
    std::vector<HWND> children;
    EnumChildWindows(Hwnd, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        HWND parent = GetParent(child);
        // A list's header, a tree's parts and a drop-down list's field are placed by their control.
        if (IsClass(parent, WC_LISTVIEWA) || IsClass(parent, WC_TREEVIEWA) || IsClass(parent, "ComboBox"))
            continue;
        TDesigned designed{child, {}, false, TFontKind::Normal};
        GetWindowRect(child, &designed.Bounds);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&designed.Bounds), 2);
        const auto font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        designed.HasFont = font != nullptr && FontKindOf(font, designed.Font);
        Designed.push_back(designed);
        if (IsClass(child, WC_LISTVIEWA)) {
            std::vector<int> widths;
            const int columns = Header_GetItemCount(ListView_GetHeader(child));
            for (int column = 0; column < columns; ++column)
                widths.push_back(ListView_GetColumnWidth(child, column));
            DesignedColumns.push_back({child, widths});
        }
    }
}

void TDialogForm::ApplyDpi(UINT dpi) {
    if (LaidOutFor == 0)
        RecordDesign();
    LaidOutFor = dpi;
    for (const TDesigned& c : Designed) {
        const RECT& b = c.Bounds;
        // An etched line stays two pixels thin.
        const bool line =
            (GetWindowLongPtrA(c.Control, GWL_STYLE) & SS_TYPEMASK) == SS_ETCHEDHORZ && IsClass(c.Control, "Static");
        const int height = line ? b.bottom - b.top : Scaled(b.bottom - b.top, dpi);
        SetWindowPos(c.Control, nullptr, Scaled(b.left, dpi), Scaled(b.top, dpi), Scaled(b.right - b.left, dpi), height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (c.HasFont)
            SendMessageA(c.Control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(c.Font, dpi)), TRUE);
    }
    for (const auto& [list, widths] : DesignedColumns)
        for (size_t column = 0; column < widths.size(); ++column)
            ListView_SetColumnWidth(list, static_cast<int>(column), Scaled(widths[column], dpi));
    DpiChanged(dpi);
}

HWND TDialogForm::MakeControl(HWND parent, const char* className, const std::string& text, DWORD style, int x, int y,
                              int width, int height, DWORD exStyle, int id) {
    HWND control = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id != 0 ? id : NextId++)),
                                   ProgramInstance(), nullptr);
    // Made at 96 DPI; ApplyDpi places it and gives it its font for the monitor before the dialog shows. Under Wine a
    // static control given a font (a label, an owner-drawn picture) keeps a 24-byte record of it when it goes: the
    // profile editor's nine labels and two pictures keep about 0.4 KiB per opening, as a plain window with the same
    // statics does. Not ours to mend.
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(96)), FALSE);
    return control;
}

HWND TDialogForm::MakeButton(HWND parent, const std::string& text, int x, int y, int width, int height, int id) {
    const DWORD kind = id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    return MakeControl(parent, "BUTTON", text, WS_TABSTOP | kind, x, y, width, height, 0, id);
}

namespace {
bool IsPushButton(HWND control) {
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    const LONG_PTR kind = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(className, "Button") == 0 && (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON);
}

struct TIdSearch {
    int Id;
    bool PushButtonOnly;
    HWND Found;
};
BOOL CALLBACK FindControlWithId(HWND control, LPARAM data) {
    auto* search = reinterpret_cast<TIdSearch*>(data);
    if (GetDlgCtrlID(control) != search->Id || (search->PushButtonOnly && !IsPushButton(control)))
        return TRUE;
    search->Found = control;
    return FALSE;
}
} // namespace

// The controls of the pages lie on panels: a command for an id is looked for among all descendants. Only push buttons
// answer to the ids of OK and Cancel.
HWND TDialogForm::ControlById(int id) const {
    TIdSearch search{id, id == IDOK || id == IDCANCEL, nullptr};
    EnumChildWindows(Hwnd, FindControlWithId, reinterpret_cast<LPARAM>(&search));
    return search.Found;
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

namespace {
// The first control of the container, in tab order, that can take the focus.
HWND FirstTabStop(HWND container) {
    for (HWND child = GetWindow(container, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(child) && IsWindowEnabled(child))
            return child;
    return nullptr;
}
} // namespace

void TDialogForm::KeepFocusUsable(HWND page, HWND fallback) {
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(Hwnd, focus) || (IsWindowVisible(focus) && IsWindowEnabled(focus)))
        return;
    HWND first = FirstTabStop(page);
    SetFocus(first != nullptr ? first : fallback);
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
    case DM_GETDEFID: {
        // Enter presses the push button that has the focus, any other control leaves it to OK.
        HWND focus = GetFocus();
        const int id = focus != nullptr && IsChild(Hwnd, focus) && IsPushButton(focus) ? GetDlgCtrlID(focus) : IDOK;
        return MAKELRESULT(id, DC_HASDEFID);
    }
    case KeyPreviewMessage:
        return KeyPreview(wParam) ? TRUE : FALSE;
    case WM_DPICHANGED: {
        // Moved onto a monitor of another DPI: the same dialog at that DPI, where the system suggests.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ApplyDpi(HIWORD(wParam));
        SetWindowPos(Hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        SetClientSize(Hwnd, S(DesignClient.cx), S(DesignClient.cy));
        return 0;
    }
    case WM_COMMAND: {
        // Enter and Escape come as the id of a button, without its handle when it lies on a page, or with another
        // control that has the same id: the dialog manager looks for the default button's id through every control,
        // and the edits inside an IP address entry are numbered from 0 too.
        HWND control = lParam != 0 ? reinterpret_cast<HWND>(lParam) : nullptr;
        const int id = LOWORD(wParam);
        if (control == nullptr || ((id == IDOK || id == IDCANCEL) && !IsPushButton(control)))
            control = ControlById(id);
        if (control != nullptr && IsWindowEnabled(control))
            ControlCommand(control, HIWORD(wParam));
        return 0;
    }
    }
    return Default(message, wParam, lParam);
}

TValueDialog::TValueDialog() : Hint(IDB_HINT20X18) {}

void TValueDialog::MakeHintAndButtons(int hintTop, int hintHeight, int separatorTop, bool helpButton) {
    RECT client;
    GetClientRect(Hwnd, &client);
    const int width = client.right;
    Image1 = MakeControl(Hwnd, "STATIC", "", SS_OWNERDRAW, 20, hintTop + 2, 20, 18);
    Label3 = MakeLabel(Hwnd, "", 46, hintTop, width - 59, hintHeight);
    Panel3 = MakeSeparator(8, separatorTop, width - 16);
    const int buttonsTop = separatorTop + 8;
    ButtonOK = MakeButton(Hwnd, ValueDialogFixedCaptions[0], 155, buttonsTop, 80, 25, IDOK);
    ButtonSTORNO = MakeButton(Hwnd, ValueDialogFixedCaptions[1], 243, buttonsTop, 80, 25, IDCANCEL);
    if (helpButton)
        ButtonHELP = MakeButton(Hwnd, ValueDialogFixedCaptions[2], width - 8 - 25, buttonsTop, 25, 25);
}

void TValueDialog::LoadButtonCaptions(const char* section) {
    const HWND buttons[3] = {ButtonOK, ButtonSTORNO, ButtonHELP};
    for (size_t i = 0; i < 3; ++i)
        if (buttons[i] != nullptr)
            SetWindowTextA(buttons[i], ValueDialogButtonCaption(section, i).c_str());
}

void TValueDialog::CloseBox() {
    // The close box is a Storno: a closed window must not add a value the user never entered.
    CancelValueDialog();
    FormClose();
}

void TValueDialog::ControlCommand(HWND control, int code) {
    if (code == BN_CLICKED)
        ButtonCommandClick(control);
}

LRESULT TValueDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        DrawPicture(item.hDC, Hint.For(Dpi()), item.rcItem.left, item.rcItem.top);
        return TRUE;
    }
    return TDialogForm::HandleMessage(message, wParam, lParam);
}

HMENU MakeIconMenu(const std::string& iconWord, TPictureList list, std::vector<std::string>& hints) {
    HMENU menu = CreatePopupMenu();
    hints.clear();
    for (const TIconMenuEntry& entry : IconMenuEntries(iconWord, PictureCount(list))) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING;
        info.wID = FirstIconItem + static_cast<UINT>(hints.size());
        info.dwTypeData = const_cast<char*>(entry.Caption.c_str());
        SetMenuItemImage(info, list, entry.Image);
        InsertMenuItemA(menu, static_cast<UINT>(hints.size()), TRUE, &info);
        hints.push_back(entry.Hint);
    }
    return menu;
}

UINT TrackButtonMenu(HMENU menu, HWND button, HWND owner) {
    POINT at;
    UINT align = TPM_LEFTALIGN | TPM_TOPALIGN;
    if (LastInputWasKeyboard()) {
        RECT bounds;
        GetWindowRect(button, &bounds);
        at = POINT{bounds.left, bounds.bottom};
    } else {
        GetCursorPos(&at);
    }
    return static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | align, at.x, at.y, 0, owner, nullptr));
}

void OpenHelpPage(const std::string& page) {
    const std::string path = HelpPagePath(page);
    if (GUI_Form != nullptr && GUI_Form->OpenDocument)
        GUI_Form->OpenDocument(path);
    else
        OpenHelpDocument(nullptr, path, [](const std::string& text) {
            MessageBoxA(nullptr, text.c_str(), ApplicationTitle, MB_OK | MB_ICONINFORMATION);
        });
}

void OpenHelpDocument(HWND owner, const std::string& path, const std::function<void(const std::string&)>& tell) {
    if (HelpOpeningFor(platform::IsElevated()) == THelpOpening::ProgramShell)
        platform::OpenDocument(path, owner);
    else if (!platform::OpenDocumentAsUser(path))
        tell(FillPlaceholder(ReadLanguageKey("GUI", "HELP_NOT_OPENED", LanguageName), "$PATH$", path));
}

void DrawImageControl(const DRAWITEMSTRUCT& item, TPictureList list, int index, HBRUSH background) {
    FillRect(item.hDC, &item.rcItem, background);
    DrawListImage(PictureList(list, WindowDpi(item.hwndItem)), index, item.hDC, item.rcItem.left, item.rcItem.top);
}
