// The profile editor's controls bound to the working copy: loading and saving it, the change handlers of the
// pages, the enabling rules and the buttons.
#include "ui/ProfileForm.h"

#include "core/Promenne.h"
#include "engine/Connections.h"
#include "ui/DialogParts.h"
#include "ui/Graphics.h"
#include "ui/Unit1.h"

#include <commctrl.h>

namespace {

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

} // namespace

void TProfile_Form::LoadData() {
    LoadingData = true;
    TProfileControls controls = ReadControls();
    const int activeSlot = GUI_Form != nullptr ? GUI_Form->JvPanel.ActivePage() : 0;
    LoadEditedProfile(Selection.CurrentProfile, activeSlot, controls);
    if (StartFromSettings)
        TakeConnectionSettings(*StartFromSettings, controls);
    WriteControls(controls);
    onPopupIconMenuSelect(SenderButtonSELECT);
    LoadListViews();
    LoadingData = false;
}

void TProfile_Form::TakeCurrentSettings() {
    const int slot = EditedProfile.InterfaceNo;
    const std::string connection =
        slot >= 1 && slot <= SlotCount ? Interfaces[static_cast<size_t>(slot)].Interface : std::string();
    const TCurrentSettings current = CurrentSettingsOf(ReadMachine(), connection);
    if (current.Problem != TTakeProblem::None) {
        MessageBoxA(Hwnd, TakeProblemText(current.Problem, connection, current.State).c_str(), WindowText(Hwnd).c_str(),
                    MB_OK | MB_ICONWARNING);
        return;
    }
    TProfileControls controls = ReadControls();
    TakeConnectionSettings(current.Settings, controls);
    LoadingData = true;
    WriteControls(controls);
    LoadingData = false;
    LoadListViews();
}

void TProfile_Form::SaveData() {
    SaveEditedProfile(ReadControls());
}

TProfileControls TProfile_Form::ReadControls() const {
    TProfileControls c;
    c.Edit1_1 = WindowText(Edit1_1);
    c.CheckBox1_1 = Checked(CheckBox1_1);
    c.Edit2_1 = WindowText(Edit2_1);
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
    SetChecked(CheckBox1_1, c.CheckBox1_1);
    SetTextIfChanged(Edit2_1, c.Edit2_1);
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

void TProfile_Form::ApplyEnabling() {
    const TProfileEnabling e = ProfileFormEnabling(ReadControls(), RowCountsOf(EditedProfile));
    const std::pair<HWND, bool> states[] = {
        {Edit2_1, e.Edit2_1},
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
    // A button that just lost its last row to work on (a list's Delete) hands the focus on.
    KeepFocusUsable(Page(ActivePage()), PageControl);
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
    } else if (sender == Button1_1) {
        TakeCurrentSettings();
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

void TProfile_Form::ControlCommand(HWND control, int code) {
    if ((control == Edit1_1 || control == Edit2_1) && code == EN_CHANGE) {
        onTabSheet1CHANGE();
        return;
    }
    if (code != BN_CLICKED)
        return;
    for (const auto& [box, page] : ChangeHandlers)
        if (box == control) {
            switch (page) {
            case 1:
                // The keep question's box: its seconds follow it.
                onTabSheet1CHANGE();
                ApplyEnabling();
                break;
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
