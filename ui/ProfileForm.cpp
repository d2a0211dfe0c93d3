// The profile editor: its life as a modal dialog, captions by the key rule, the pages and their keys, the DPI.
// Its pages are made in ProfileFormPages, its lists edited in ProfileFormLists, its controls bound to the working
// copy in ProfileFormChanges.
#include "ui/ProfileForm.h"

#include "core/Promenne.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "platform/win32/SystemLibrary.h"
#include "resources/resource.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"

#include <commctrl.h>
#include <commdlg.h>

TProfile_Form* Profile_Form = nullptr;

namespace {

constexpr int TabIcons[7] = {7, 13, 14, 15, 16, 17, 18}; // of the system pictures

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// The file dialog's library is loaded when a file is first browsed for, not at every start: with the printing
// libraries it brings it cost each start of the program several milliseconds.
BOOL OpenFileDialog(OPENFILENAMEA& dialog) {
    static const auto open =
        platform::SystemLibraryFunction<decltype(&GetOpenFileNameA)>(L"comdlg32.dll", "GetOpenFileNameA");
    return open != nullptr ? open(&dialog) : FALSE;
}

bool ChooseFile(HWND owner, std::string& fileName) {
    char buffer[4096] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = sizeof buffer;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!OpenFileDialog(dialog))
        return false;
    fileName = buffer;
    return true;
}

} // namespace

TProfile_Form::TProfile_Form(HWND owner) : Hint(IDB_HINT20X18) {
    Profile_Form = this;
    JvOpenDialog1 = [this](std::string& fileName) { return ChooseFile(Hwnd, fileName); };

    CreateForm("TProfile_Form", owner, ClientWidth, ClientHeight, true);
    Header.Create(Hwnd, ClientWidth, IDB_HEADER48);

    const RECT& b = PageControlBounds;
    PageControl = MakeControl(Hwnd, WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPSIBLINGS, b.left, b.top, b.right - b.left,
                              b.bottom - b.top);
    TabCtrl_SetImageList(PageControl, PictureList(TPictureList::System16, 96));
    // Seven captioned tabs with icons must fit in one row.
    TabCtrl_SetPadding(PageControl, 4, 3);
    for (int page = 0; page < 7; ++page) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>("");
        item.iImage = PictureIndexOrNone(TPictureList::System16, TabIcons[page]);
        SendMessageA(PageControl, TCM_INSERTITEMA, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
    }
    RECT display{0, 0, b.right - b.left, b.bottom - b.top};
    TabCtrl_AdjustRect(PageControl, FALSE, &display);
    for (size_t page = 0; page < TabSheets.size(); ++page) {
        // The device page holds only controls that are never enabled: nothing there can take the focus.
        TabSheets[page].Create(Hwnd, b.left + display.left, b.top + display.top, display.right - display.left,
                               display.bottom - display.top, GetSysColorBrush(COLOR_BTNFACE), page != 1);
        // Above the tab control, which leaves them alone when it paints.
        SetWindowPos(TabSheets[page].Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    CreatePage1();
    CreatePage2();
    CreatePage3();
    CreatePage4();
    CreatePage5();
    CreatePage6();
    CreatePage7();
    CreateButtons();
    // Tab goes through the tab strip, the page shown, then OK, Cancel and ?: the strip comes last among the
    // windows, below the pages it frames.
    SetWindowPos(PageControl, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowPage(1);
}

TProfile_Form::~TProfile_Form() {
    DestroyForm();
    if (Profile_Form == this)
        Profile_Form = nullptr;
    if (PopupMenu1 != nullptr)
        DestroyMenu(PopupMenu1);
}

void TProfile_Form::FormActivate() {
    LoadStrings();
}

void TProfile_Form::FormClose() {
    EndModal();
    Profile_Form = nullptr;
}

void TProfile_Form::CloseBox() {
    FormClose();
}

void TProfile_Form::LoadStrings() {
    for (const std::string& key : ProfileFormCaptionKeys()) {
        if (key == "LISTVIEW1_3_1") {
            // Between the captions and the column captions: the lists start empty.
            for (int list = 1; list <= ListCount; ++list)
                ClearList(list);
        }
        const std::string text = ReadLanguageKey("PROFILEFORM", key, LanguageName);
        if (key == "ICON") {
            // The device page shows, and nothing enables it again.
            for (HWND control : {CheckBox1_2, RadioButton1_2, RadioButton2_2})
                EnableWindow(control, FALSE);
            BuildIconMenu(text);
            continue;
        }
        SetCaption(key, text);
    }
    LoadData();
    LoadingData = false;
    SetFocus(Edit1_1);
    SendMessageA(Edit1_1, EM_SETSEL, 0, -1);
}

void TProfile_Form::SetCaption(const std::string& key, const std::string& text) {
    if (key == "WINDOWTITLE") {
        SetWindowTextA(Hwnd, text.c_str());
    } else if (key == "MAINTITLE") {
        Header.SetMainText(text);
    } else if (key == "HELPTITLE") {
        Header.SetLabelText(text);
    } else if (key == "IPPROFILE") {
        SetWindowTextA(Edit1_1, text.c_str());
    } else if (StartsWith(key, "TABSHEET")) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(PageControl, TCM_SETITEMA, static_cast<WPARAM>(key.back() - '1'), reinterpret_cast<LPARAM>(&item));
    } else if (key == "MOVE_UP" || key == "MOVE_DOWN") {
        for (const auto& [button, arrow] : ArrowButtons)
            if (arrow == (key == "MOVE_UP" ? 0 : 1))
                SetWindowTextA(button, text.c_str());
    } else if (StartsWith(key, "LISTVIEW")) {
        // LISTVIEW1_3_1: list JvListView1_3, column 1.
        HWND list = key.compare(0, 11, "LISTVIEW1_3") == 0 ? JvListView1_3 : JvListView1_4;
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<char*>(text.c_str());
        SendMessageA(list, LVM_SETCOLUMNA, static_cast<WPARAM>(key.back() - '1'), reinterpret_cast<LPARAM>(&column));
    } else {
        for (const auto& [name, control] : Named)
            if (ProfileFormControlKey(name) == key) {
                std::string caption = StartsWith(name, "GroupBox") ? GroupBoxCaption(text) : text;
                SetWindowTextA(control, caption.c_str());
            }
    }
}

void TProfile_Form::BuildIconMenu(const std::string& iconText) {
    if (PopupMenu1 != nullptr)
        DestroyMenu(PopupMenu1);
    PopupMenu1 = MakeIconMenu(iconText, TPictureList::Profiles16, IconHints);
}

int TProfile_Form::IconMenuCount() const {
    return PopupMenu1 != nullptr ? GetMenuItemCount(PopupMenu1) : 0;
}

std::string TProfile_Form::IconMenuCaption(int entry) const {
    char buffer[256] = {};
    GetMenuStringA(PopupMenu1, static_cast<UINT>(entry), buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}

int TProfile_Form::ActivePage() const {
    return TabCtrl_GetCurSel(PageControl) + 1;
}

void TProfile_Form::SetActivePage(int page) {
    TabCtrl_SetCurSel(PageControl, page - 1);
    ShowPage(page);
}

void TProfile_Form::ShowPage(int page) {
    for (int i = 1; i <= 7; ++i)
        ShowWindow(Page(i), i == page ? SW_SHOW : SW_HIDE);
    // The focus follows into the page shown, or to the tab strip where the page has nothing to take it; on the strip
    // it stays, so that the arrows go on changing the page.
    KeepFocusUsable(Page(page), PageControl);
}

std::string TProfile_Form::TabCaption(int page) const {
    char buffer[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(PageControl, TCM_GETITEMA, static_cast<WPARAM>(page - 1), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void TProfile_Form::DpiChanged(UINT dpi) {
    TabCtrl_SetImageList(PageControl, PictureList(TPictureList::System16, dpi));
    TabCtrl_SetPadding(PageControl, Scaled(4, dpi), Scaled(3, dpi));
    // The pages fill the tab control's display area, whose top follows the tabs' height at this DPI.
    RECT control;
    GetWindowRect(PageControl, &control);
    MapWindowPoints(nullptr, Hwnd, reinterpret_cast<POINT*>(&control), 2);
    RECT display{0, 0, control.right - control.left, control.bottom - control.top};
    TabCtrl_AdjustRect(PageControl, FALSE, &display);
    for (TPanel& sheet : TabSheets)
        SetWindowPos(sheet.Handle(), HWND_TOP, control.left + display.left, control.top + display.top,
                     display.right - display.left, display.bottom - display.top, SWP_NOACTIVATE);
}

bool TProfile_Form::KeyPreview(WPARAM key) {
    if (GetKeyState(VK_CONTROL) >= 0)
        return false;
    int step = 0;
    if (key == VK_TAB)
        step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    else if (key == VK_NEXT)
        step = 1;
    else if (key == VK_PRIOR)
        step = -1;
    if (step == 0)
        return false;
    SetActivePage((ActivePage() - 1 + step + 7) % 7 + 1);
    return true;
}

LRESULT TProfile_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == PageControl && header->code == TCN_SELCHANGE)
            ShowPage(ActivePage());
        if (header->code == TTN_GETDISPINFOA) {
            // An arrow's tooltip is its name.
            auto* tip = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            TipText = WindowText(reinterpret_cast<HWND>(header->idFrom));
            tip->lpszText = const_cast<char*>(TipText.c_str());
        }
        return 0;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        for (const auto& [button, arrow] : ArrowButtons)
            if (item.hwndItem == button)
                DrawImageButton(item, TPictureList::Arrows16, TPictureList::Arrows16Disabled, arrow);
        if (item.hwndItem == Image1_1) {
            DrawImageControl(item, TPictureList::Profiles16, IconBoxPicture, GetSysColorBrush(COLOR_BTNFACE));
        } else if (item.hwndItem == Image1_2) {
            FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
            DrawPicture(item.hDC, Hint.For(Dpi()), item.rcItem.left, item.rcItem.top);
        }
        return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
        // The one-column lists lie on the dialog's face like the others.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return TDialogForm::HandleMessage(message, wParam, lParam);
}
