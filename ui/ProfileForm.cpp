// The profile editor: its pages made in code, captions by the key rule, the controls bound to the working copy,
// the enabling rules and the list buttons with their value dialogs.
#include "ui/ProfileForm.h"

#include "core/Promenne.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "resources/resource.h"
#include "ui/Dpi.h"
#include "ui/Graphics.h"
#include "ui/IPaddressForm.h"
#include "ui/ScriptMessageForm.h"
#include "ui/Unit1.h"

#include <commctrl.h>
#include <commdlg.h>

TProfile_Form* Profile_Form = nullptr;

namespace {

constexpr int Width = 479;
constexpr int Height = 517;
constexpr RECT PageControlBounds{7, 67, 7 + 465, 67 + 409};
constexpr int TabIcons[7] = {7, 13, 14, 15, 16, 17, 18}; // of the system pictures
constexpr int ColumnWidth = 180;

// The list buttons' column at the right of every group, and the arrow buttons beside the one-column lists.
constexpr int ListButtonX = 388;
constexpr int ListButtonWidth = 56;
constexpr int ArrowX = 354;

bool Checked(HWND box) {
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND box, bool checked) {
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetTextIfChanged(HWND edit, const std::string& text) {
    if (WindowText(edit) != text)
        SetWindowTextA(edit, text.c_str());
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool ChooseFile(HWND owner, std::string& fileName) {
    char buffer[4096] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = sizeof buffer;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&dialog))
        return false;
    fileName = buffer;
    return true;
}

} // namespace

TProfile_Form::TProfile_Form(HWND owner) : Hint(IDB_HINT20X18) {
    Profile_Form = this;
    JvOpenDialog1 = [this](std::string& fileName) { return ChooseFile(Hwnd, fileName); };

    CreateForm("TProfile_Form", owner, Width, Height, true);
    Header.Create(Hwnd, Width, IDB_HEADER48);

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
    for (TPanel& sheet : TabSheets) {
        sheet.Create(Hwnd, b.left + display.left, b.top + display.top, display.right - display.left,
                     display.bottom - display.top, GetSysColorBrush(COLOR_BTNFACE));
        // Above the tab control, which leaves them alone when it paints.
        SetWindowPos(sheet.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    CreatePage1();
    CreatePage2();
    CreatePage3();
    CreatePage4();
    CreatePage5();
    CreatePage6();
    CreatePage7();
    CreateButtons();
    ShowPage(1);
}

TProfile_Form::~TProfile_Form() {
    DestroyForm();
    if (Profile_Form == this)
        Profile_Form = nullptr;
    if (PopupMenu1 != nullptr)
        DestroyMenu(PopupMenu1);
}

HWND TProfile_Form::Remember(HWND control, const std::string& name) {
    Named.push_back({name, control});
    return control;
}

HWND TProfile_Form::MakeCheckBox(int page, const std::string& name, int x, int y, int width) {
    HWND box = MakeControl(Page(page), "BUTTON", "", WS_TABSTOP | BS_AUTOCHECKBOX, x, y, width, 20);
    ChangeHandlers.push_back({box, page});
    return Remember(box, name);
}

HWND TProfile_Form::MakeRadioButton(int page, const std::string& name, int x, int y, int width, bool firstOfPair) {
    DWORD style = BS_AUTORADIOBUTTON | (firstOfPair ? WS_GROUP | WS_TABSTOP : 0);
    HWND radio = MakeControl(Page(page), "BUTTON", "", style, x, y, width, 20);
    ChangeHandlers.push_back({radio, page});
    return Remember(radio, name);
}

HWND TProfile_Form::MakeGroupBox(int page, const std::string& name, int x, int y, int width, int height) {
    return Remember(MakeControl(Page(page), "BUTTON", "", BS_GROUPBOX | WS_GROUP, x, y, width, height), name);
}

HWND TProfile_Form::MakeNamedButton(int page, const std::string& name, int x, int y, int width, int height) {
    return Remember(MakeButton(Page(page), "", x, y, width, height), name);
}

void TProfile_Form::MakeListButtons(int page, int firstNumber, int top, const std::array<HWND*, 3>& buttons) {
    for (int i = 0; i < 3; ++i)
        *buttons[static_cast<size_t>(i)] =
            MakeNamedButton(page, "Button" + std::to_string(firstNumber + i) + "_" + std::to_string(page), ListButtonX,
                            top + 28 * i, ListButtonWidth, 24);
}

HWND TProfile_Form::MakeArrowButton(int page, int arrow, int x, int y) {
    // Drawn by the editor: a picture button drawn by the system shows its disabled state as a solid square. Its
    // window text, never drawn, is its name for screen readers and its tooltip.
    HWND button = MakeControl(Page(page), "BUTTON", "", WS_TABSTOP | BS_OWNERDRAW, x, y, 26, 24);
    ArrowButtons.push_back({button, arrow});
    if (Tips == nullptr)
        Tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, Hwnd, nullptr, ProgramInstance(), nullptr);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(Tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return button;
}

HWND TProfile_Form::MakeTwoColumnList(int page, int x, int y, int width, int height) {
    HWND list = MakeControl(Page(page), WC_LISTVIEWA, "",
                            WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, x, y, width,
                            height, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    // Painted on the dialog's face, as all five lists are.
    ListView_SetBkColor(list, GetSysColor(COLOR_BTNFACE));
    ListView_SetTextBkColor(list, GetSysColor(COLOR_BTNFACE));
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNA info{};
        info.mask = LVCF_WIDTH | LVCF_TEXT;
        info.cx = ColumnWidth;
        info.pszText = const_cast<char*>("");
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    }
    return list;
}

HWND TProfile_Form::MakeListBox(int page, int x, int y, int width, int height) {
    return MakeControl(Page(page), "LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, x, y, width, height,
                       WS_EX_CLIENTEDGE);
}

void TProfile_Form::CreatePage1() {
    Label1_1 = Remember(MakeLabel(Page(1), "", 16, 18, 400, 16), "Label1_1");
    Edit1_1 = MakeEdit(Page(1), 16, 36, 300, 22);
    Label2_1 = Remember(MakeLabel(Page(1), "", 16, 76, 400, 16), "Label2_1");
    Image1_1 = MakeControl(Page(1), "STATIC", "", SS_OWNERDRAW, 18, 100, 16, 16);
    ButtonSELECT = MakeNamedButton(1, "ButtonSELECT", 44, 95, 140, 25);
}

void TProfile_Form::CreatePage2() {
    CheckBox1_2 = MakeCheckBox(2, "CheckBox1_2", 16, 16, 420);
    RadioButton1_2 = MakeRadioButton(2, "RadioButton1_2", 32, 44, 400, true);
    RadioButton2_2 = MakeRadioButton(2, "RadioButton2_2", 32, 66, 400, false);
    Image1_2 = MakeControl(Page(2), "STATIC", "", SS_OWNERDRAW | WS_GROUP, 16, 104, 20, 18);
    Label1_2 = Remember(MakeLabel(Page(2), "", 44, 104, 395, 64), "Label1_2");
}

void TProfile_Form::CreatePage3() {
    CheckBox1_3 = MakeCheckBox(3, "CheckBox1_3", 12, 8, 430);
    GroupBox1_3 = MakeGroupBox(3, "GroupBox1_3", 8, 34, 441, 160);
    JvListView1_3 = MakeTwoColumnList(3, 18, 54, 364, 128);
    MakeListButtons(3, 1, 54, {&Button1_3, &Button2_3, &Button3_3});
    GroupBox2_3 = MakeGroupBox(3, "GroupBox2_3", 8, 200, 441, 170);
    const std::pair<HWND*, HWND*> rows[3] = {{&Label1_3, &Edit1_3}, {&Label2_3, &Edit2_3}, {&Label3_3, &Edit3_3}};
    HWND* browse[3] = {&Button4_3, &Button5_3, &Button6_3};
    for (int i = 0; i < 3; ++i) {
        const int y = 218 + 48 * i;
        const std::string n = std::to_string(i + 1);
        *rows[i].first = Remember(MakeLabel(Page(3), "", 18, y, 420, 16), "Label" + n + "_3");
        *rows[i].second = MakeEdit(Page(3), 18, y + 17, 384, 22);
        *browse[i] = MakeNamedButton(3, "Button" + std::to_string(i + 4) + "_3", 408, y + 17, 32, 22);
    }
}

void TProfile_Form::CreatePage4() {
    CheckBox1_4 = MakeCheckBox(4, "CheckBox1_4", 12, 8, 430);
    RadioButton1_4 = MakeRadioButton(4, "RadioButton1_4", 12, 32, 430, true);
    RadioButton2_4 = MakeRadioButton(4, "RadioButton2_4", 12, 54, 430, false);
    GroupBox1_4 = MakeGroupBox(4, "GroupBox1_4", 8, 80, 441, 138);
    JvListView1_4 = MakeTwoColumnList(4, 18, 99, 364, 108);
    MakeListButtons(4, 1, 99, {&Button1_4, &Button2_4, &Button3_4});
    GroupBox2_4 = MakeGroupBox(4, "GroupBox2_4", 8, 224, 441, 146);
    JvListView2_4 = MakeListBox(4, 18, 243, 330, 116);
    Button4_4 = MakeArrowButton(4, 0, ArrowX, 243);
    Button5_4 = MakeArrowButton(4, 1, ArrowX, 271);
    MakeListButtons(4, 6, 243, {&Button6_4, &Button7_4, &Button8_4});
}

void TProfile_Form::CreatePage5() {
    CheckBox1_5 = MakeCheckBox(5, "CheckBox1_5", 12, 8, 430);
    RadioButton1_5 = MakeRadioButton(5, "RadioButton1_5", 12, 32, 430, true);
    RadioButton2_5 = MakeRadioButton(5, "RadioButton2_5", 12, 54, 430, false);
    GroupBox1_5 = MakeGroupBox(5, "GroupBox1_5", 8, 80, 441, 226);
    JvListView1_5 = MakeListBox(5, 18, 99, 330, 196);
    Button1_5 = MakeArrowButton(5, 0, ArrowX, 99);
    Button2_5 = MakeArrowButton(5, 1, ArrowX, 127);
    MakeListButtons(5, 3, 99, {&Button3_5, &Button4_5, &Button5_5});
    CheckBox2_5 = MakeCheckBox(5, "CheckBox2_5", 12, 316, 430);
    CheckBox3_5 = MakeCheckBox(5, "CheckBox3_5", 30, 340, 412);
}

void TProfile_Form::CreatePage6() {
    CheckBox1_6 = MakeCheckBox(6, "CheckBox1_6", 12, 8, 430);
    RadioButton1_6 = MakeRadioButton(6, "RadioButton1_6", 12, 32, 430, true);
    RadioButton2_6 = MakeRadioButton(6, "RadioButton2_6", 12, 54, 430, false);
    GroupBox1_6 = MakeGroupBox(6, "GroupBox1_6", 8, 80, 441, 226);
    JvListView1_6 = MakeListBox(6, 18, 99, 330, 196);
    Button1_6 = MakeArrowButton(6, 0, ArrowX, 99);
    Button2_6 = MakeArrowButton(6, 1, ArrowX, 127);
    MakeListButtons(6, 3, 99, {&Button3_6, &Button4_6, &Button5_6});
}

void TProfile_Form::CreatePage7() {
    CheckBox1_7 = MakeCheckBox(7, "CheckBox1_7", 12, 8, 430);
    CheckBox2_7 = MakeCheckBox(7, "CheckBox2_7", 12, 40, 430);
    CheckBox3_7 = MakeCheckBox(7, "CheckBox3_7", 30, 64, 412);
    CheckBox4_7 = MakeCheckBox(7, "CheckBox4_7", 30, 88, 412);
}

void TProfile_Form::CreateButtons() {
    const int y = PageControlBounds.bottom + 8;
    ButtonOK = Remember(MakeButton(Hwnd, "", 155, y, 80, 25, IDOK), "ButtonOK");
    ButtonSTORNO = Remember(MakeButton(Hwnd, "", 243, y, 80, 25, IDCANCEL), "ButtonSTORNO");
    ButtonHELP = Remember(MakeButton(Hwnd, "", Width - 7 - 25, y, 25, 25), "ButtonHELP");
    ListButtons = {
        {Button1_3, 1, TListAction::Add},    {Button2_3, 1, TListAction::Edit},   {Button3_3, 1, TListAction::Delete},
        {Button1_4, 2, TListAction::Add},    {Button2_4, 2, TListAction::Edit},   {Button3_4, 2, TListAction::Delete},
        {Button6_4, 3, TListAction::Add},    {Button7_4, 3, TListAction::Edit},   {Button8_4, 3, TListAction::Delete},
        {Button4_4, 3, TListAction::Up},     {Button5_4, 3, TListAction::Down},   {Button3_5, 4, TListAction::Add},
        {Button4_5, 4, TListAction::Edit},   {Button5_5, 4, TListAction::Delete}, {Button1_5, 4, TListAction::Up},
        {Button2_5, 4, TListAction::Down},   {Button3_6, 5, TListAction::Add},    {Button4_6, 5, TListAction::Edit},
        {Button5_6, 5, TListAction::Delete}, {Button1_6, 5, TListAction::Up},     {Button2_6, 5, TListAction::Down},
    };
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

void TProfile_Form::LoadData() {
    LoadingData = true;
    TProfileControls controls = ReadControls();
    const int activeSlot = GUI_Form != nullptr ? GUI_Form->JvPanel.ActivePage() : 0;
    LoadEditedProfile(Selection.CurrentProfile, activeSlot, controls);
    WriteControls(controls);
    onPopupIconMenuSelect(SenderButtonSELECT);
    LoadListViews();
    LoadingData = false;
}

void TProfile_Form::SaveData() {
    SaveEditedProfile(ReadControls());
}

TProfileControls TProfile_Form::ReadControls() const {
    TProfileControls c;
    c.Edit1_1 = WindowText(Edit1_1);
    c.CheckBox1_2 = Checked(CheckBox1_2);
    c.RadioButton1_2 = Checked(RadioButton1_2);
    c.RadioButton2_2 = Checked(RadioButton2_2);
    c.CheckBox1_3 = Checked(CheckBox1_3);
    c.Edit1_3 = WindowText(Edit1_3);
    c.Edit2_3 = WindowText(Edit2_3);
    c.Edit3_3 = WindowText(Edit3_3);
    c.CheckBox1_4 = Checked(CheckBox1_4);
    c.RadioButton1_4 = Checked(RadioButton1_4);
    c.RadioButton2_4 = Checked(RadioButton2_4);
    c.CheckBox1_5 = Checked(CheckBox1_5);
    c.RadioButton1_5 = Checked(RadioButton1_5);
    c.RadioButton2_5 = Checked(RadioButton2_5);
    c.CheckBox2_5 = Checked(CheckBox2_5);
    c.CheckBox3_5 = Checked(CheckBox3_5);
    c.CheckBox1_6 = Checked(CheckBox1_6);
    c.RadioButton1_6 = Checked(RadioButton1_6);
    c.RadioButton2_6 = Checked(RadioButton2_6);
    c.CheckBox1_7 = Checked(CheckBox1_7);
    c.CheckBox2_7 = Checked(CheckBox2_7);
    c.CheckBox3_7 = Checked(CheckBox3_7);
    c.CheckBox4_7 = Checked(CheckBox4_7);
    return c;
}

void TProfile_Form::WriteControls(const TProfileControls& c) {
    SetTextIfChanged(Edit1_1, c.Edit1_1);
    SetChecked(CheckBox1_2, c.CheckBox1_2);
    SetChecked(RadioButton1_2, c.RadioButton1_2);
    SetChecked(RadioButton2_2, c.RadioButton2_2);
    SetChecked(CheckBox1_3, c.CheckBox1_3);
    SetTextIfChanged(Edit1_3, c.Edit1_3);
    SetTextIfChanged(Edit2_3, c.Edit2_3);
    SetTextIfChanged(Edit3_3, c.Edit3_3);
    SetChecked(CheckBox1_4, c.CheckBox1_4);
    SetChecked(RadioButton1_4, c.RadioButton1_4);
    SetChecked(RadioButton2_4, c.RadioButton2_4);
    SetChecked(CheckBox1_5, c.CheckBox1_5);
    SetChecked(RadioButton1_5, c.RadioButton1_5);
    SetChecked(RadioButton2_5, c.RadioButton2_5);
    SetChecked(CheckBox2_5, c.CheckBox2_5);
    SetChecked(CheckBox3_5, c.CheckBox3_5);
    SetChecked(CheckBox1_6, c.CheckBox1_6);
    SetChecked(RadioButton1_6, c.RadioButton1_6);
    SetChecked(RadioButton2_6, c.RadioButton2_6);
    SetChecked(CheckBox1_7, c.CheckBox1_7);
    SetChecked(CheckBox2_7, c.CheckBox2_7);
    SetChecked(CheckBox3_7, c.CheckBox3_7);
    SetChecked(CheckBox4_7, c.CheckBox4_7);
}

void TProfile_Form::onPopupIconMenuSelect(int entry) {
    const bool menuEntry = entry >= 0 && entry < static_cast<int>(IconHints.size());
    if (menuEntry)
        SelectedIcon = IconOfHint(IconHints[static_cast<size_t>(entry)]);
    IconBoxPicture = PictureIndexOrNone(TPictureList::Profiles16, SelectedIcon);
    InvalidateRect(Image1_1, nullptr, TRUE);
    if (menuEntry)
        onTabSheet1CHANGE();
}

void TProfile_Form::onTabSheet1CHANGE() {
    StoreTabSheet(1, ReadControls());
}

void TProfile_Form::onTabSheet2CHANGE() {}

void TProfile_Form::onTabSheet3CHANGE() {
    if (StoreTabSheet(3, ReadControls()))
        LoadListViews();
}

void TProfile_Form::onTabSheet4CHANGE() {
    if (StoreTabSheet(4, ReadControls()))
        LoadListViews();
}

void TProfile_Form::onTabSheet5CHANGE() {
    if (StoreTabSheet(5, ReadControls()))
        LoadListViews();
}

void TProfile_Form::onTabSheet6CHANGE() {
    if (StoreTabSheet(6, ReadControls()))
        LoadListViews();
}

void TProfile_Form::onTabSheet7CHANGE() {
    if (StoreTabSheet(7, ReadControls()))
        LoadListViews();
}

HWND TProfile_Form::ListControl(int list) const {
    switch (list) {
    case 1:
        return JvListView1_3;
    case 2:
        return JvListView1_4;
    case 3:
        return JvListView2_4;
    case 4:
        return JvListView1_5;
    case 5:
        return JvListView1_6;
    }
    return nullptr;
}

void TProfile_Form::LoadListViews() {
    for (int list = 1; list <= ListCount; ++list) {
        HWND control = ListControl(list);
        const std::vector<TListRow> rows = ListRowsOf(EditedProfile, list);
        ClearList(list);
        if (!IsTwoColumnList(list)) {
            for (const TListRow& row : rows)
                SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.First.c_str()));
            continue;
        }
        for (const TListRow& row : rows) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = ListView_GetItemCount(control);
            item.pszText = const_cast<char*>(row.First.c_str());
            int index = static_cast<int>(SendMessageA(control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            item.iItem = index;
            item.iSubItem = 1;
            item.pszText = const_cast<char*>(row.Second.c_str());
            SendMessageA(control, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        }
    }
    ApplyEnabling();
}

void TProfile_Form::ClearList(int list) {
    if (IsTwoColumnList(list))
        ListView_DeleteAllItems(ListControl(list));
    else
        SendMessageA(ListControl(list), LB_RESETCONTENT, 0, 0);
}

void TProfile_Form::ApplyEnabling() {
    const TProfileEnabling e = ProfileFormEnabling(ReadControls(), RowCountsOf(EditedProfile));
    const std::pair<HWND, bool> states[] = {
        {JvListView1_3, e.JvListView1_3},
        {Edit1_3, e.Edit1_3},
        {Edit2_3, e.Edit2_3},
        {Edit3_3, e.Edit3_3},
        {Button1_3, e.Button1_3},
        {Button2_3, e.Button2_3},
        {Button3_3, e.Button3_3},
        {Button4_3, e.Button4_3},
        {Button5_3, e.Button5_3},
        {Button6_3, e.Button6_3},
        {RadioButton1_4, e.RadioButton1_4},
        {RadioButton2_4, e.RadioButton2_4},
        {JvListView1_4, e.JvListView1_4},
        {JvListView2_4, e.JvListView2_4},
        {Button1_4, e.Button1_4},
        {Button2_4, e.Button2_4},
        {Button3_4, e.Button3_4},
        {Button4_4, e.Button4_4},
        {Button5_4, e.Button5_4},
        {Button6_4, e.Button6_4},
        {Button7_4, e.Button7_4},
        {Button8_4, e.Button8_4},
        {RadioButton1_5, e.RadioButton1_5},
        {RadioButton2_5, e.RadioButton2_5},
        {JvListView1_5, e.JvListView1_5},
        {CheckBox2_5, e.CheckBox2_5},
        {CheckBox3_5, e.CheckBox3_5},
        {Button1_5, e.Button1_5},
        {Button2_5, e.Button2_5},
        {Button3_5, e.Button3_5},
        {Button4_5, e.Button4_5},
        {Button5_5, e.Button5_5},
        {RadioButton1_6, e.RadioButton1_6},
        {RadioButton2_6, e.RadioButton2_6},
        {JvListView1_6, e.JvListView1_6},
        {Button1_6, e.Button1_6},
        {Button2_6, e.Button2_6},
        {Button3_6, e.Button3_6},
        {Button4_6, e.Button4_6},
        {Button5_6, e.Button5_6},
        {CheckBox2_7, e.CheckBox2_7},
        {CheckBox3_7, e.CheckBox3_7},
        {CheckBox4_7, e.CheckBox4_7},
    };
    for (const auto& [control, enabled] : states)
        EnableWindow(control, enabled ? TRUE : FALSE);
    // The two-column lists show their state in their text colour as well.
    for (const auto& [list, enabled] : {std::pair{JvListView1_3, e.JvListView1_3}, {JvListView1_4, e.JvListView1_4}}) {
        ListView_SetTextColor(list, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_INACTIVECAPTIONTEXT));
        InvalidateRect(list, nullptr, TRUE);
    }
}

void TProfile_Form::EditListViews(int index, int operation, int list) {
    ::EditListViews(index, operation, list);
}

int TProfile_Form::RowCount(int list) const {
    HWND control = ListControl(list);
    if (IsTwoColumnList(list))
        return ListView_GetItemCount(control);
    return static_cast<int>(SendMessageA(control, LB_GETCOUNT, 0, 0));
}

std::string TProfile_Form::RowText(int list, int row, int column) const {
    HWND control = ListControl(list);
    if (row < 0 || row >= RowCount(list))
        return {};
    if (!IsTwoColumnList(list)) {
        const auto length = static_cast<size_t>(SendMessageA(control, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0));
        std::vector<char> buffer(length + 1);
        SendMessageA(control, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.data()));
        return buffer.data();
    }
    char buffer[1024] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(control, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int TProfile_Form::SelectedRow(int list) const {
    HWND control = ListControl(list);
    if (IsTwoColumnList(list))
        return ListView_GetNextItem(control, -1, LVNI_SELECTED);
    return static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0));
}

void TProfile_Form::SelectRow(int list, int row) {
    HWND control = ListControl(list);
    if (!IsTwoColumnList(list)) {
        SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        return;
    }
    ListView_SetItemState(control, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0)
        ListView_SetItemState(control, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
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

std::string TProfile_Form::ColumnCaption(int list, int column) const {
    char buffer[256] = {};
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT;
    info.pszText = buffer;
    info.cchTextMax = sizeof buffer;
    SendMessageA(ListControl(list), LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    return buffer;
}

void TProfile_Form::ButtonCommandClick(HWND sender) {
    if (sender == ButtonOK) {
        onTabSheet1CHANGE();
        onTabSheet2CHANGE();
        onTabSheet3CHANGE();
        onTabSheet4CHANGE();
        onTabSheet5CHANGE();
        onTabSheet6CHANGE();
        onTabSheet7CHANGE();
        SaveData();
        FormClose();
    } else if (sender == ButtonSTORNO) {
        FormClose();
    } else if (sender == ButtonHELP) {
        OpenHelpPage("Help\\ProfileForm.htm");
    } else if (sender == ButtonSELECT) {
        const UINT chosen = TrackButtonMenu(PopupMenu1, ButtonSELECT, Hwnd);
        if (chosen >= FirstIconItem)
            onPopupIconMenuSelect(static_cast<int>(chosen - FirstIconItem));
    } else if (sender == Button4_3) {
        Browse(Edit1_3);
    } else if (sender == Button5_3) {
        Browse(Edit2_3);
    } else if (sender == Button6_3) {
        Browse(Edit3_3);
    } else {
        for (const TListButton& button : ListButtons)
            if (button.Button == sender) {
                RunListButton(button);
                return;
            }
    }
}

void TProfile_Form::Browse(HWND edit) {
    std::string fileName;
    if (JvOpenDialog1 && JvOpenDialog1(fileName))
        SetWindowTextA(edit, fileName.c_str());
}

void TProfile_Form::ShowValueDialog(int list) {
    if (list == 1)
        ShowScriptMessageDialog(Hwnd);
    else
        ShowIPaddressDialog(Hwnd);
}

void TProfile_Form::RunListButton(const TListButton& button) {
    const int list = button.List;
    const int row = SelectedRow(list);
    switch (button.Action) {
    case TListAction::Add:
        PrepareListAdd(list);
        ShowValueDialog(list);
        FinishListAdd(list);
        LoadListViews();
        break;
    case TListAction::Edit:
        if (!PrepareListEdit(list, row))
            return;
        ShowValueDialog(list);
        FinishListEdit(list, SelectedRow(list));
        LoadListViews();
        break;
    case TListAction::Delete:
        if (EditSelectedRow(list, row, ListDelete))
            LoadListViews();
        break;
    case TListAction::Up:
    case TListAction::Down: {
        const int operation = button.Action == TListAction::Up ? ListUp : ListDown;
        if (!EditSelectedRow(list, row, operation))
            return;
        LoadListViews();
        SelectRow(list, RowSelectedAfterMove(row, operation, RowCount(list)));
        break;
    }
    }
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

void TProfile_Form::ControlCommand(HWND control, int code) {
    if (control == Edit1_1 && code == EN_CHANGE) {
        onTabSheet1CHANGE();
        return;
    }
    if (code != BN_CLICKED)
        return;
    for (const auto& [box, page] : ChangeHandlers)
        if (box == control) {
            switch (page) {
            case 2:
                onTabSheet2CHANGE();
                break;
            case 3:
                onTabSheet3CHANGE();
                break;
            case 4:
                onTabSheet4CHANGE();
                break;
            case 5:
                onTabSheet5CHANGE();
                break;
            case 6:
                onTabSheet6CHANGE();
                break;
            case 7:
                onTabSheet7CHANGE();
                break;
            }
            return;
        }
    ButtonCommandClick(control);
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
