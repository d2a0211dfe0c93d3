// The interface settings dialog.
#include "ui/InterfaceForm.h"

#include "engine/Connections.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "resources/resource.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"
#include "ui/rules/DialogRules.h"
#include "ui/rules/MainWindowRules.h"
#include "ui/rules/ProfileFormRules.h"

int ChosenInterfaceIcon = 0;
TInterface_Form* Interface_Form = nullptr;

namespace {
constexpr int Width = 479;
constexpr int Height = 257;
constexpr int ListHeight = 200;   // the connection field with its list dropped down
constexpr int DroppedWidth = 420; // the list, wider than the field: its entries tell description and state
// After a list entry was chosen, the field takes the connection's name (or its text before, for an entry that
// cannot be used): the list sets the field's text after it tells of the choice.
constexpr UINT ConnectionChosenMessage = WM_APP + 1;
constexpr UINT LoadConnectionsMessage = WM_APP + 2;
} // namespace

TInterface_Form::TInterface_Form(HWND owner, int slot) : EditedSlot(slot) {
    Interface_Form = this;
    CreateForm("TInterface_Form", owner, Width, Height, true);
    Header.Create(Hwnd, Width, IDB_INTERFACE48);
    Label1 = MakeLabel(Hwnd, "", 20, 74, 124, 16);
    Edit1 = MakeEdit(Hwnd, 150, 70, 310, 22);
    Label2 = MakeLabel(Hwnd, "", 20, 100, 124, 16);
    Edit2 = MakeEdit(Hwnd, 150, 96, 310, 22);
    Label3 = MakeLabel(Hwnd, "", 20, 126, 124, 16);
    // The list holds the names, so that whatever the list puts into the field is a name; each entry is drawn with
    // its description and state.
    Edit3 = MakeControl(Hwnd, "COMBOBOX", "",
                        WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                        150, 122, 310, ListHeight);
    Label5 = MakeLabel(Hwnd, "", 150, 148, 310, 28);
    Label4 = MakeLabel(Hwnd, "", 20, 184, 124, 16);
    Image1 = MakeControl(Hwnd, "STATIC", "", SS_OWNERDRAW, 150, 181, 24, 20);
    ButtonSELECT = MakeButton(Hwnd, "", 184, 178, 130, 25);
    MakeSeparator(8, 214, Width - 16);
    ButtonOK = MakeButton(Hwnd, "", 155, 224, 80, 25, IDOK);
    ButtonSTORNO = MakeButton(Hwnd, "", 243, 224, 80, 25, IDCANCEL);
    ButtonHELP = MakeButton(Hwnd, "", Width - 8 - 25, 224, 25, 25);
}

TInterface_Form::~TInterface_Form() {
    DestroyForm();
    if (Interface_Form == this)
        Interface_Form = nullptr;
    if (PopupMenu1 != nullptr)
        DestroyMenu(PopupMenu1);
}

void TInterface_Form::FormActivate() {
    LoadStrings();
}

void TInterface_Form::LoadStrings() {
    // WINDOWTITLE, MAINTITLE, HELPTITLE, LABEL1 to LABEL4, BUTTON_OK, BUTTON_STORNO, BUTTON_HELP, BUTTON_SELECT, ICON
    const std::vector<std::string>& keys = InterfaceFormCaptionKeys();
    std::vector<std::string> texts;
    for (const std::string& key : keys)
        texts.push_back(ReadLanguageKey("INTERFACEFORM", key, LanguageName));
    SetWindowTextA(Hwnd, texts[0].c_str());
    Header.SetMainText(texts[1]);
    Header.SetLabelText(texts[2]);
    const HWND captioned[] = {Label1, Label2, Label3, Label4, ButtonOK, ButtonSTORNO, ButtonHELP, ButtonSELECT};
    for (size_t i = 0; i < std::size(captioned); ++i)
        SetWindowTextA(captioned[i], texts[3 + i].c_str());

    if (PopupMenu1 != nullptr)
        DestroyMenu(PopupMenu1);
    PopupMenu1 = MakeIconMenu(texts[11], TPictureList::Panels16, IconHints);

    const TInterfaceFields fields = LoadInterfaceFields(EditedSlot);
    SetWindowTextA(Edit1, fields.Name.c_str());
    SetWindowTextA(Edit2, fields.Caption.c_str());
    SetWindowTextA(Edit3, fields.Interface.c_str());
    TypedConnection = fields.Interface;
    // The machine is read once the dialog is on screen: it opens as fast as it did without the list.
    PostMessageA(Hwnd, LoadConnectionsMessage, 0, 0);
    ChosenInterfaceIcon = fields.Icon;
    onPopupIconMenuSelect(SenderEdit2);
    SetFocus(Edit1);
    SendMessageA(Edit1, EM_SETSEL, 0, -1);
}

void TInterface_Form::LoadConnections() {
    // Read when the dialog opens, never before: the machine as it is now.
    Machine = ReadMachine();
    Connections = ConnectionChoices(Machine);
    SendMessageA(Edit3, CB_RESETCONTENT, 0, 0);
    const std::string unusable = ReadLanguageKey("CONNECTIONS", "LIST_ITEM_UNUSABLE", LanguageName);
    for (TConnectionChoice& choice : Connections) {
        if (!choice.Usable)
            choice.Text = FillPlaceholder(unusable, "$ITEM$", choice.Text);
        SendMessageA(Edit3, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.Name.c_str()));
    }
    // Emptying the list emptied the field too; what was typed meanwhile stays.
    SetWindowTextA(Edit3, TypedConnection.c_str());
    ShowNote(ConnectionFieldNote(Machine, TypedConnection));
}

std::string TInterface_Form::ConnectionEntryText(int entry) const {
    return entry >= 0 && entry < static_cast<int>(Connections.size()) ? Connections[static_cast<size_t>(entry)].Text
                                                                      : std::string();
}

void TInterface_Form::DrawConnection(const DRAWITEMSTRUCT& item) const {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int entry = static_cast<int>(item.itemID);
    if (entry < 0 || entry >= static_cast<int>(Connections.size()))
        return;
    const TConnectionChoice& choice = Connections[static_cast<size_t>(entry)];
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(!choice.Usable ? COLOR_GRAYTEXT
                                       : selected     ? COLOR_HIGHLIGHTTEXT
                                                      : COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(item.hDC, UiFont(Dpi()));
    RECT text = item.rcItem;
    text.left += S(3);
    DrawTextA(item.hDC, choice.Text.c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(item.hDC, old);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

void TInterface_Form::SizeConnectionList(UINT dpi) {
    // Entries as high as the dialog's text, the list wide enough for their descriptions.
    const int height = UiFontHeight(dpi) + Scaled(2, dpi);
    SendMessageA(Edit3, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    SendMessageA(Edit3, CB_SETITEMHEIGHT, 0, height);
    SendMessageA(Edit3, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Scaled(DroppedWidth, dpi)), 0);
}

void TInterface_Form::ChooseConnection(int entry) {
    SendMessageA(Edit3, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    SendMessageA(Hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Edit3), CBN_SELCHANGE), reinterpret_cast<LPARAM>(Edit3));
}

void TInterface_Form::ConnectionChosen() {
    const LRESULT entry = SendMessageA(Edit3, CB_GETCURSEL, 0, 0);
    if (entry < 0 || entry >= static_cast<LRESULT>(Connections.size()))
        return;
    const TConnectionChoice& choice = Connections[static_cast<size_t>(entry)];
    if (choice.Usable)
        TypedConnection = choice.Name;
    SetWindowTextA(Edit3, TypedConnection.c_str());
    SendMessageA(Edit3, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    ShowNote(choice.Usable ? ConnectionFieldNote(Machine, TypedConnection) : UnusableConnectionNote());
}

void TInterface_Form::ShowNote(const std::string& note) {
    SetWindowTextA(Label5, note.c_str());
}

std::string TInterface_Form::ConnectionNote() const {
    return WindowText(Label5);
}

void TInterface_Form::onPopupIconMenuSelect(int entry) {
    if (entry >= 0 && entry < static_cast<int>(IconHints.size()))
        ChosenInterfaceIcon = IconOfHint(IconHints[static_cast<size_t>(entry)]);
    Preview = PictureIndexOrNone(TPictureList::Panels24x20, ShownSlotIcon(ChosenInterfaceIcon));
    InvalidateRect(Image1, nullptr, TRUE);
}

int TInterface_Form::IconMenuCount() const {
    return PopupMenu1 != nullptr ? GetMenuItemCount(PopupMenu1) : 0;
}

std::string TInterface_Form::IconMenuCaption(int entry) const {
    char buffer[256] = {};
    GetMenuStringA(PopupMenu1, static_cast<UINT>(entry), buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}

void TInterface_Form::ButtonCommandClick(HWND sender) {
    if (sender == ButtonSELECT) {
        const UINT chosen = TrackButtonMenu(PopupMenu1, ButtonSELECT, Hwnd);
        if (chosen >= FirstIconItem)
            onPopupIconMenuSelect(static_cast<int>(chosen - FirstIconItem));
    } else if (sender == ButtonOK) {
        StoreInterfaceFields(EditedSlot,
                             {WindowText(Edit1), WindowText(Edit2), WindowText(Edit3), ChosenInterfaceIcon});
        FormClose();
    } else if (sender == ButtonSTORNO) {
        FormClose();
    } else if (sender == ButtonHELP) {
        OpenHelpPage("Help\\InterfaceForm.htm");
    }
}

void TInterface_Form::FormClose() {
    EndModal();
    Interface_Form = nullptr;
}

void TInterface_Form::CloseBox() {
    FormClose();
}

void TInterface_Form::ControlCommand(HWND control, int code) {
    if (control == Edit3) {
        if (code == CBN_SELCHANGE) {
            PostMessageA(Hwnd, ConnectionChosenMessage, 0, 0);
        } else if (code == CBN_EDITCHANGE) {
            TypedConnection = WindowText(Edit3);
            ShowNote(ConnectionFieldNote(Machine, TypedConnection));
        }
        return;
    }
    if (code == BN_CLICKED)
        ButtonCommandClick(control);
}

void TInterface_Form::DpiChanged(UINT dpi) {
    // A drop-down list's height is that of its list when open; the general scaling took the closed one.
    RECT field;
    GetWindowRect(Edit3, &field);
    SetWindowPos(Edit3, nullptr, 0, 0, field.right - field.left, Scaled(ListHeight, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SizeConnectionList(dpi);
}

LRESULT TInterface_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ConnectionChosenMessage) {
        ConnectionChosen();
        return 0;
    }
    if (message == LoadConnectionsMessage) {
        LoadConnections();
        return 0;
    }
    if (message == WM_MEASUREITEM && reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_COMBOBOX) {
        // Asked while the list is made; DpiChanged sizes the entries for the monitor before the dialog shows.
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(Scaled(16, 96));
        return TRUE;
    }
    if (message == WM_DRAWITEM && reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_COMBOBOX) {
        DrawConnection(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        DrawImageControl(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), TPictureList::Panels24x20, Preview,
                         GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
    }
    return TDialogForm::HandleMessage(message, wParam, lParam);
}
