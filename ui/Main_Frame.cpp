// The interface page: rows from the store, commands that change the store and then refresh and save.
#include "ui/Main_Frame.h"

#include "core/Promenne.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

namespace {

// The panel's commands, top to bottom, with their icons of the system image list.
constexpr TFrameCommand PanelCommands[5] = {TFrameCommand::Add, TFrameCommand::Delete, TFrameCommand::Edit,
                                            TFrameCommand::Run, TFrameCommand::Interface};
constexpr int PanelIcons[5] = {7, 11, 12, 10, 3};
constexpr TFrameSender LabelSenders[5] = {TFrameSender::Label_ADD, TFrameSender::Label_DELETE, TFrameSender::Label_EDIT,
                                          TFrameSender::Label_RUN, TFrameSender::Label_INTERFACE};
constexpr TFrameSender ImageSenders[5] = {TFrameSender::Image_ADD, TFrameSender::Image_DELETE, TFrameSender::Image_EDIT,
                                          TFrameSender::Image_RUN, TFrameSender::Image_INTERFACE};
constexpr int RowHeight = 22;

int PanelPosition(TFrameCommand command) {
    for (int i = 0; i < 5; ++i)
        if (PanelCommands[i] == command)
            return i;
    return -1;
}

// Context-menu item numbers.
enum { PopupAdd = 1, PopupDelete, PopupEdit, PopupRun, PopupAddCurrent };

} // namespace

void TMainFrame::Create(HWND parent) {
    RegisterWindowClass("TMainFrame", GetSysColorBrush(COLOR_WINDOW));
    CreateHandle("TMainFrame", WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPCHILDREN, "", 0, 0, 200, 400, parent);
    JvNavDivider1.Create(Hwnd, true);
    JvNavDivider2.Create(Hwnd, true);
    JvNavDivider1.OnMoved = [this](int moved) {
        TopSpace = DragUpperDivider(PageHeight(), TopSpace, CommandsHeight, moved, Metrics());
        JvNavMoved();
    };
    JvNavDivider2.OnMoved = [this](int moved) {
        CommandsHeight = DragLowerDivider(PageHeight(), TopSpace, CommandsHeight, moved, Metrics());
        JvNavMoved();
    };
    JvListView1 = CreateWindowExA(0, WC_LISTVIEWA, "",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                      LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
                                  5, 0, 100, 100, Hwnd, nullptr, ProgramInstance(), nullptr);
    ListView_SetExtendedListViewStyle(JvListView1, LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    Panel1.Create(*this);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = ListWidth;
    SendMessageA(JvListView1, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    // Rows handed over before the page was made.
    ListView_SetItemCountEx(JvListView1, static_cast<int>(Rows.size()), 0);
    ApplyDpi();
}

void TMainFrame::ApplyDpi() {
    const UINT dpi = Dpi();
    SendMessageA(JvListView1, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), FALSE);
    ListView_SetColumnWidth(JvListView1, 0, S(ListWidth));
    ListView_SetImageList(JvListView1, PictureList(TPictureList::Profiles16, dpi), LVSIL_SMALL);
    Layout();
}

void TMainFrame::SetCommandCaption(TFrameCommand command, const std::string& caption) {
    int position = PanelPosition(command);
    if (position >= 0)
        Captions[static_cast<size_t>(position)] = caption;
    else if (command == TFrameCommand::AddFromCurrent)
        AddFromCurrentCaption = caption;
    // Before the page is made the caption is only kept: a null window would stand for the whole desktop.
    if (Hwnd != nullptr)
        InvalidateRect(Hwnd, nullptr, TRUE);
}

std::string TMainFrame::CommandCaption(TFrameCommand command) const {
    int position = PanelPosition(command);
    if (command == TFrameCommand::AddFromCurrent)
        return AddFromCurrentCaption;
    return position >= 0 ? Captions[static_cast<size_t>(position)] : std::string();
}

void TMainFrame::SetConnectionNote(const std::string& note) {
    JvNavDivider1.SetNote(note);
}

void TMainFrame::ClearRows() {
    SetRows({});
}

void TMainFrame::SetRows(std::vector<TProfileItem> rows) {
    // The list holds no rows of its own: it asks for those it shows (LVN_GETDISPINFO), however many the slot has.
    Rows = std::move(rows);
    ListView_SetItemCountEx(JvListView1, static_cast<int>(Rows.size()), 0);
}

void TMainFrame::ShowRow(NMLVDISPINFOA& asked) const {
    const size_t row = static_cast<size_t>(asked.item.iItem);
    if (row >= Rows.size())
        return;
    if ((asked.item.mask & LVIF_TEXT) && asked.item.cchTextMax > 0)
        lstrcpynA(asked.item.pszText, Rows[row].Caption.c_str(), asked.item.cchTextMax);
    // A picture index out of the list's range (a hand-edited file) shows no picture.
    if (asked.item.mask & LVIF_IMAGE) {
        const int image = PictureIndexOrNone(TPictureList::Profiles16, Rows[row].Icon);
        asked.item.iImage = image >= 0 ? image : I_IMAGENONE;
    }
}

int TMainFrame::RowCount() const {
    return ListView_GetItemCount(JvListView1);
}

std::string TMainFrame::RowCaption(int row) const {
    char buffer[1024] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(JvListView1, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int TMainFrame::SelectedRow() const {
    return ListView_GetNextItem(JvListView1, -1, LVNI_SELECTED);
}

void TMainFrame::SelectRow(int row) {
    ListView_SetItemState(JvListView1, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0)
        ListView_SetItemState(JvListView1, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void TMainFrame::onClick(TFrameSender sender) {
    TFrameCommand command = CommandOfSender(sender);
    if (command == TFrameCommand::None)
        return;
    const int row = SelectedRow();
    const int profile = ProfileOfRow(Selection.ProfileRows, row);
    if (CommandNeedsRow(command) && profile < 0)
        return;
    // The highlight goes before anything modal opens.
    onMouseMove(TFrameSender::Other);
    // Afterwards the keyboard goes on from the list, with a row selected: the profile just added or edited (or the
    // one selected before, when the editor was cancelled), after a delete the next row.
    switch (command) {
    case TFrameCommand::Run:
        Selection.CurrentProfile = profile;
        Owner.ApplyProfile();
        SelectAfterCommand(profile, row);
        break;
    case TFrameCommand::Add:
        Selection.CurrentProfile = -1;
        Owner.EditProfile();
        RefreshSaveAndSelect(Selection.CurrentProfile >= 0 ? Selection.CurrentProfile : profile, row);
        break;
    case TFrameCommand::AddFromCurrent:
        Selection.CurrentProfile = -1;
        if (!Owner.EditProfileFromCurrentSettings())
            return;
        RefreshSaveAndSelect(Selection.CurrentProfile >= 0 ? Selection.CurrentProfile : profile, row);
        break;
    case TFrameCommand::Edit:
        Selection.CurrentProfile = profile;
        Owner.EditProfile();
        RefreshSaveAndSelect(profile, row);
        break;
    case TFrameCommand::Delete:
        if (!Owner.AskYesNo(FillPlaceholder(ReadLanguageKey("NAVPANELS", "DELETE_QUESTION", LanguageName), "$PROFILE$",
                                            Profiles[static_cast<size_t>(profile)].Name)))
            return;
        Selection.CurrentProfile = profile;
        MarkDeleted(profile);
        RefreshSaveAndSelect(profile, row);
        break;
    case TFrameCommand::Interface:
        Owner.EditSlot();
        Owner.ApplySlotDisplay();
        RefreshSaveAndSelect(profile, row);
        break;
    case TFrameCommand::None:
        break;
    }
}

void TMainFrame::RefreshSaveAndSelect(int profile, int row) {
    Owner.RefreshSettings();
    // Read again after a file changed on disk, the store's indexes stand for other profiles: the row of the same
    // place is selected then.
    SelectAfterCommand(Owner.SaveSettings() ? profile : -1, row);
}

void TMainFrame::SelectAfterCommand(int profile, int row) {
    std::vector<int> shown;
    for (const TProfileItem& item : Rows)
        shown.push_back(item.ProfileIndex);
    const int selected = RowAfterCommand(shown, profile, row);
    SelectRow(selected);
    if (selected >= 0)
        ListView_EnsureVisible(JvListView1, selected, FALSE);
    if (IsWindowVisible(JvListView1))
        SetFocus(JvListView1);
}

void TMainFrame::onMouseMove(TFrameSender sender) {
    TFrameCommand hover = CommandOfSender(sender);
    if (hover != Hover) {
        Hover = hover;
        InvalidateRect(Panel1.Handle(), nullptr, TRUE);
    }
}

void TMainFrame::JvNavMoved() {
    Layout();
    InvalidateRect(JvNavDivider1.Handle(), nullptr, TRUE);
    InvalidateRect(JvNavDivider2.Handle(), nullptr, TRUE);
}

TFrameMetrics FrameMetrics(UINT dpi) {
    // Asked at every layout: measured once per DPI.
    static std::map<UINT, TFrameMetrics> measured;
    if (auto known = measured.find(dpi); known != measured.end())
        return known->second;
    TFrameMetrics& metrics = measured[dpi];
    metrics.Divider = Scaled(TNavDivider::Height, dpi);
    // Three rows of the list: a row is as high as its picture or its text, with a little room.
    int pictureWidth = 0;
    int pictureHeight = 0;
    ImageList_GetIconSize(PictureList(TPictureList::Profiles16, dpi), &pictureWidth, &pictureHeight);
    metrics.MinList = 3 * (std::max<int>(UiFontHeight(dpi), pictureHeight) + Scaled(3, dpi)) + Scaled(4, dpi);
    metrics.MinCommands = Scaled(8 + 5 * RowHeight + 8, dpi);
    return metrics;
}

TFrameMetrics TMainFrame::Metrics() const {
    return FrameMetrics(Dpi());
}

int TMainFrame::PageHeight() const {
    RECT area;
    GetClientRect(Hwnd, &area);
    return area.bottom;
}

void TMainFrame::Layout() {
    RECT area;
    GetClientRect(Hwnd, &area);
    const int width = area.right;
    const TFrameMetrics metrics = Metrics();
    if (CommandsHeight < metrics.MinCommands)
        CommandsHeight = metrics.MinCommands;
    const TFrameLayout layout = LayOutFrame(area.bottom, TopSpace, CommandsHeight, metrics);
    SetWindowPos(JvNavDivider1.Handle(), nullptr, 0, layout.Divider1Top, width, metrics.Divider,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(JvListView1, nullptr, S(5), layout.ListTop + S(2), std::max(width - S(10), 0),
                 std::max(layout.ListHeight - S(4), 0), SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(JvNavDivider2.Handle(), nullptr, 0, layout.Divider2Top, width, metrics.Divider,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Panel1.Handle(), nullptr, 0, layout.CommandsTop, width,
                 std::max<int>(area.bottom - layout.CommandsTop, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TCommandPanel::Create(TMainFrame& frame) {
    Frame = &frame;
    RegisterWindowClass("TPanel1", GetSysColorBrush(COLOR_WINDOW));
    CreateHandle("TPanel1", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, "", 0, 0, 100, 100, frame.Handle());
}

RECT TCommandPanel::IconRect(int command) const {
    const int top = S(8 + command * RowHeight);
    return RECT{S(10), top, S(10 + 16), top + S(16)};
}

RECT TCommandPanel::LabelRect(int command) const {
    const int top = S(8 + command * RowHeight);
    HDC dc = GetDC(Hwnd);
    HGDIOBJ old = SelectObject(dc, UiFont(TFontKind::BoldUnderline, Dpi()));
    SIZE size{};
    const std::string& text = Frame->Captions[static_cast<size_t>(command)];
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(Hwnd, dc);
    return RECT{S(32), top, S(32) + size.cx, top + S(16)};
}

TFrameSender TCommandPanel::SenderAt(POINT point) const {
    for (int i = 0; i < 5; ++i) {
        RECT icon = IconRect(i);
        RECT label = LabelRect(i);
        if (PtInRect(&icon, point))
            return ImageSenders[i];
        if (PtInRect(&label, point))
            return LabelSenders[i];
    }
    return TFrameSender::Other;
}

void TCommandPanel::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd, &paint);
    SetBkMode(dc, TRANSPARENT);
    const UINT dpi = Dpi();
    for (int i = 0; i < 5; ++i) {
        RECT icon = IconRect(i);
        DrawListImage(PictureList(TPictureList::System16, dpi), PanelIcons[i], dc, icon.left, icon.top);
        bool hot = PanelCommands[i] == Frame->Hover;
        HGDIOBJ old = SelectObject(dc, UiFont(hot ? TFontKind::BoldUnderline : TFontKind::Normal, dpi));
        const TColor text = GetSysColor(COLOR_WINDOWTEXT);
        SetTextColor(dc, hot ? ReadableTextColor({GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_HIGHLIGHT)},
                                                 GetSysColor(COLOR_WINDOW), text)
                             : text);
        RECT label = LabelRect(i);
        if (i == Focused && GetFocus() == Hwnd) {
            RECT focus = label;
            InflateRect(&focus, S(3), S(2));
            DrawFocusRect(dc, &focus);
        }
        label.right += S(40);
        DrawTextA(dc, Frame->Captions[static_cast<size_t>(i)].c_str(), -1, &label,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    EndPaint(Hwnd, &paint);
}

LRESULT TCommandPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_GETDLGCODE: {
        // The arrows move between the commands; Enter gives one instead of going to the window's default command.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool enter = key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_LEFT || wParam == VK_DOWN || wParam == VK_RIGHT) {
            Focused = (Focused + (wParam == VK_UP || wParam == VK_LEFT ? 4 : 1)) % 5;
            InvalidateRect(Hwnd, nullptr, TRUE);
        } else if (wParam == VK_RETURN || wParam == VK_SPACE) {
            Frame->onClick(LabelSenders[Focused]);
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(Hwnd, nullptr, TRUE);
        break;
    case WM_MOUSEMOVE: {
        Frame->onMouseMove(SenderAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Hwnd, 0};
        TrackMouseEvent(&track);
        return 0;
    }
    case WM_MOUSELEAVE:
        Frame->onMouseMove(TFrameSender::Other);
        return 0;
    case WM_SETCURSOR: {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(Hwnd, &point);
        if (reinterpret_cast<HWND>(wParam) == Hwnd && SenderAt(point) != TFrameSender::Other) {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONUP: {
        TFrameSender sender = SenderAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (sender != TFrameSender::Other)
            Frame->onClick(sender);
        return 0;
    }
    }
    return Default(message, wParam, lParam);
}

void TMainFrame::ListKeyDown(WORD key) {
    switch (key) {
    case VK_F2:
        onClick(TFrameSender::Popup_EDIT);
        break;
    case VK_INSERT:
        onClick(TFrameSender::Popup_ADD);
        break;
    case VK_DELETE:
        onClick(TFrameSender::Popup_DELETE);
        break;
    }
}

POINT TMainFrame::KeyboardMenuPoint() const {
    RECT at;
    const int row = SelectedRow();
    if (row < 0 || !ListView_GetItemRect(JvListView1, row, &at, LVIR_LABEL)) {
        GetClientRect(JvListView1, &at);
        at.bottom = at.top;
    }
    POINT point{at.left + 8, at.bottom};
    ClientToScreen(JvListView1, &point);
    return point;
}

void TMainFrame::ShowContextMenu(POINT screen) {
    HMENU menu = CreatePopupMenu();
    struct Item {
        int Id;
        TFrameCommand Command;
        int Icon;
    };
    const Item items[] = {{PopupAdd, TFrameCommand::Add, 7},
                          {PopupAddCurrent, TFrameCommand::AddFromCurrent, 7},
                          {PopupDelete, TFrameCommand::Delete, 11},
                          {PopupEdit, TFrameCommand::Edit, 12},
                          {0, TFrameCommand::None, -1},
                          {PopupRun, TFrameCommand::Run, 10}};
    for (const Item& item : items) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        if (item.Id == 0) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            std::string caption = CommandCaption(item.Command);
            info.fMask = MIIM_ID | MIIM_STRING;
            info.wID = static_cast<UINT>(item.Id);
            info.dwTypeData = const_cast<char*>(caption.c_str());
            SetMenuItemImage(info, TPictureList::System16, item.Icon);
            InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
            continue;
        }
        InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
    }
    int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Hwnd, nullptr);
    DestroyMenu(menu);
    switch (chosen) {
    case PopupAdd:
        onClick(TFrameSender::Popup_ADD);
        break;
    case PopupAddCurrent:
        onClick(TFrameSender::Popup_ADDCURRENT);
        break;
    case PopupDelete:
        onClick(TFrameSender::Popup_DELETE);
        break;
    case PopupEdit:
        onClick(TFrameSender::Popup_EDIT);
        break;
    case PopupRun:
        onClick(TFrameSender::Popup_RUN);
        break;
    }
}

LRESULT TMainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        Layout();
        return 0;
    case WM_MOUSEMOVE:
        // Over the page itself, outside the commands: no command is highlighted.
        onMouseMove(TFrameSender::Other);
        return 0;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == JvListView1) {
            POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            // From the keyboard (the menu key, Shift+F10): under the selected row, or the list's corner.
            if (screen.x == -1 && screen.y == -1)
                screen = KeyboardMenuPoint();
            ShowContextMenu(screen);
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom != JvListView1)
            break;
        if (header->code == LVN_GETDISPINFOA)
            ShowRow(*reinterpret_cast<NMLVDISPINFOA*>(lParam));
        else if (header->code == NM_DBLCLK && reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem >= 0)
            onClick(TFrameSender::Popup_EDIT);
        else if (header->code == LVN_KEYDOWN)
            ListKeyDown(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey);
        return 0;
    }
    }
    return Default(message, wParam, lParam);
}
