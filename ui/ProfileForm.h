// The profile editor: one profile on seven pages (name and icon, device, scripts, IP, DNS, WINS, firewall),
// edited in the working copy EditedProfile and written into Profiles only on OK.
#pragma once

#include "ui/DialogParts.h"
#include "ui/rules/ProfileFormRules.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TProfile_Form : public TDialogForm {
public:
    explicit TProfile_Form(HWND owner);
    ~TProfile_Form() override;

    void FormActivate() override;
    void FormClose();
    void LoadStrings();
    void LoadData();
    void SaveData();
    void ButtonCommandClick(HWND sender);
    // A menu entry (0 upwards) takes its icon; ButtonSELECT as sender only redraws the icon box.
    static constexpr int SenderButtonSELECT = -1;
    void onPopupIconMenuSelect(int entry);
    void onTabSheet1CHANGE();
    void onTabSheet2CHANGE();
    void onTabSheet3CHANGE();
    void onTabSheet4CHANGE();
    void onTabSheet5CHANGE();
    void onTabSheet6CHANGE();
    void onTabSheet7CHANGE();
    void LoadListViews();
    void EditListViews(int index, int operation, int list);

    // The file-open dialog: true with the chosen file's full name, false when cancelled. Replaceable for tests.
    std::function<bool(std::string& fileName)> JvOpenDialog1;

    // A new profile opened with these settings taken in (the slot page's "New profile from the current settings").
    std::optional<TConnectionSettings> StartFromSettings;
    // "Take the current settings" (Button1_1): the slot connection's IP, DNS and WINS settings into the pages; a
    // connection that is not present or not connected is told in a message instead.
    void TakeCurrentSettings();

    // What the controls show, and setting them (without running any change handler's effect while LoadingData).
    TProfileControls ReadControls() const;
    void WriteControls(const TProfileControls& controls);

    // The five lists as the user sees them: row count, a cell, the selected row (-1 for none), selecting one.
    int RowCount(int list) const;
    std::string RowText(int list, int row, int column = 0) const;
    int SelectedRow(int list) const;
    void SelectRow(int list, int row);

    // Pages: which one is shown, and showing one (as a click on its tab does).
    int ActivePage() const;
    void SetActivePage(int page);
    std::string TabCaption(int page) const;
    std::string ColumnCaption(int list, int column) const;

    // The icon box's picture: an index of the profile pictures, -1 for none.
    int Image1_1Picture() const { return IconBoxPicture; }
    int IconMenuCount() const;
    std::string IconMenuCaption(int entry) const;

    // Every captioned control with its component name, in creation order.
    const std::vector<std::pair<std::string, HWND>>& NamedControls() const { return Named; }

    TDialogHeader Header; // MainText and LabelText
    HWND PageControl = nullptr;
    std::array<TPanel, 7> TabSheets; // TabSheet1 to TabSheet7

    HWND Label1_1 = nullptr, Edit1_1 = nullptr, Label2_1 = nullptr, Image1_1 = nullptr, ButtonSELECT = nullptr;
    HWND Label3_1 = nullptr, Button1_1 = nullptr;
    HWND CheckBox1_1 = nullptr, Label4_1 = nullptr, Edit2_1 = nullptr, Label5_1 = nullptr;

    HWND CheckBox1_2 = nullptr, RadioButton1_2 = nullptr, RadioButton2_2 = nullptr, Image1_2 = nullptr,
         Label1_2 = nullptr;

    HWND CheckBox1_3 = nullptr, GroupBox1_3 = nullptr, JvListView1_3 = nullptr, Button1_3 = nullptr,
         Button2_3 = nullptr, Button3_3 = nullptr;
    HWND GroupBox2_3 = nullptr, Label1_3 = nullptr, Edit1_3 = nullptr, Button4_3 = nullptr, Label2_3 = nullptr,
         Edit2_3 = nullptr, Button5_3 = nullptr, Label3_3 = nullptr, Edit3_3 = nullptr, Button6_3 = nullptr;

    HWND CheckBox1_4 = nullptr, RadioButton1_4 = nullptr, RadioButton2_4 = nullptr;
    HWND GroupBox1_4 = nullptr, JvListView1_4 = nullptr, Button1_4 = nullptr, Button2_4 = nullptr, Button3_4 = nullptr;
    HWND GroupBox2_4 = nullptr, JvListView2_4 = nullptr, Button4_4 = nullptr, Button5_4 = nullptr, Button6_4 = nullptr,
         Button7_4 = nullptr, Button8_4 = nullptr;

    HWND CheckBox1_5 = nullptr, RadioButton1_5 = nullptr, RadioButton2_5 = nullptr;
    HWND GroupBox1_5 = nullptr, JvListView1_5 = nullptr, Button1_5 = nullptr, Button2_5 = nullptr, Button3_5 = nullptr,
         Button4_5 = nullptr, Button5_5 = nullptr;
    HWND CheckBox2_5 = nullptr, CheckBox3_5 = nullptr;

    HWND CheckBox1_6 = nullptr, RadioButton1_6 = nullptr, RadioButton2_6 = nullptr;
    HWND GroupBox1_6 = nullptr, JvListView1_6 = nullptr, Button1_6 = nullptr, Button2_6 = nullptr, Button3_6 = nullptr,
         Button4_6 = nullptr, Button5_6 = nullptr;

    HWND CheckBox1_7 = nullptr, CheckBox2_7 = nullptr, CheckBox3_7 = nullptr, CheckBox4_7 = nullptr;

    HWND ButtonOK = nullptr, ButtonSTORNO = nullptr, ButtonHELP = nullptr;
    HMENU PopupMenu1 = nullptr;

protected:
    void CloseBox() override;
    void ControlCommand(HWND control, int code) override;
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp change the page.
    bool KeyPreview(WPARAM key) override;
    void DpiChanged(UINT dpi) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The client area and the page control's place, at 96 DPI.
    static constexpr int ClientWidth = 479;
    static constexpr int ClientHeight = 517;
    static constexpr RECT PageControlBounds{7, 67, 7 + 465, 67 + 409};

    // A list button: which list it works on and what it does.
    enum class TListAction { Add, Edit, Delete, Up, Down };
    struct TListButton {
        HWND Button;
        int List;
        TListAction Action;
    };

    void CreatePage1();
    void CreatePage2();
    void CreatePage3();
    void CreatePage4();
    void CreatePage5();
    void CreatePage6();
    void CreatePage7();
    void CreateButtons();
    HWND Remember(HWND control, const std::string& name);
    HWND Page(int page) const { return TabSheets[static_cast<size_t>(page - 1)].Handle(); }
    HWND MakeCheckBox(int page, const std::string& name, int x, int y, int width);
    HWND MakeRadioButton(int page, const std::string& name, int x, int y, int width, bool firstOfPair);
    HWND MakeGroupBox(int page, const std::string& name, int x, int y, int width, int height);
    HWND MakeNamedButton(int page, const std::string& name, int x, int y, int width, int height);
    HWND MakeArrowButton(int page, int arrow, int x, int y);
    // A list's Add, Edit and Remove buttons, one under the other at the right of its group, numbered from
    // firstNumber ("Button<n>_<page>").
    void MakeListButtons(int page, int firstNumber, int top, const std::array<HWND*, 3>& buttons);
    HWND MakeTwoColumnList(int page, int x, int y, int width, int height);
    HWND MakeListBox(int page, int x, int y, int width, int height);

    void SetCaption(const std::string& key, const std::string& text);
    void BuildIconMenu(const std::string& iconText);
    void ApplyEnabling();
    void RunListButton(const TListButton& button);
    void ShowValueDialog(int list);
    void Browse(HWND edit);
    HWND ListControl(int list) const;
    void ClearList(int list);
    bool IsTwoColumnList(int list) const { return list == 1 || list == 2; }
    void ShowPage(int page);

    std::vector<std::pair<std::string, HWND>> Named;
    std::vector<std::pair<HWND, int>> ChangeHandlers; // check boxes and radio buttons with their page
    std::vector<TListButton> ListButtons;
    std::vector<std::string> IconHints;
    std::vector<std::pair<HWND, int>> ArrowButtons; // with their picture: 0 up, 1 down
    HWND Tips = nullptr;
    std::string TipText;
    TDpiPicture Hint;
    int IconBoxPicture = -1;
};

// The open editor while it is shown, null otherwise.
extern TProfile_Form* Profile_Form;
