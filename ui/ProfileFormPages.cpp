// The profile editor's seven pages, made in code at 96 DPI: the dialog places them again for the monitor's DPI.
#include "ui/ProfileForm.h"

#include "ui/Graphics.h"

#include <commctrl.h>

namespace {

constexpr int ColumnWidth = 180;

// The list buttons' column at the right of every group, and the arrow buttons beside the one-column lists.
constexpr int ListButtonX = 388;
constexpr int ListButtonWidth = 56;
constexpr int ArrowX = 354;

} // namespace

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
    Label3_1 = Remember(MakeLabel(Page(1), "", 16, 146, 420, 30), "Label3_1");
    Button1_1 = MakeNamedButton(1, "Button1_1", 16, 180, 200, 25);
    CheckBox1_1 = MakeCheckBox(1, "CheckBox1_1", 16, 226, 420);
    Label4_1 = Remember(MakeLabel(Page(1), "", 34, 256, 120, 16), "Label4_1");
    Edit2_1 = MakeControl(Page(1), "EDIT", "", WS_TABSTOP | ES_NUMBER | ES_RIGHT, 156, 252, 44, 22, WS_EX_CLIENTEDGE);
    SendMessageA(Edit2_1, EM_LIMITTEXT, 3, 0);
    Label5_1 = Remember(MakeLabel(Page(1), "", 206, 256, 230, 16), "Label5_1");
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
    ButtonHELP = Remember(MakeButton(Hwnd, "", ClientWidth - 7 - 25, y, 25, 25), "ButtonHELP");
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
