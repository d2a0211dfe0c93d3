// The profile editor's rules that need no window: the working copy, loading and storing it, the enabling rules of
// every page, the five value lists, the icon menu and the caption keys of the editor's controls.
#pragma once

#include "core/Promenne.h"
#include "engine/Connections.h"

#include <string>
#include <vector>

// The working copy: every field of a profile except its deletion mark.
struct TEditedProfile {
    int InterfaceNo = 0;
    std::string Name;
    int Icon = 0;
    TOnOffGroup OnOff;
    TScriptsGroup Scripts;
    TIPGroup IP;
    TDNSGroup DNS;
    TWINSGroup WINS;
    TFirewallGroup Firewall;
    TKeepGroup Keep;
    bool operator==(const TEditedProfile&) const = default;
};

// The editor's state between openings; LoadData overwrites all of it before it is used.
extern TEditedProfile EditedProfile;
extern int SelectedIcon;
extern bool LoadingData; // while LoadData fills the controls, the change handlers do nothing

// What the editor's controls show, named as the controls are. A radio pair is two flags, as the two buttons are.
struct TProfileControls {
    std::string Edit1_1;
    bool CheckBox1_1 = false; // ask to keep the settings after applying them
    std::string Edit2_1;      // the seconds before they are reverted
    bool CheckBox1_2 = false;
    bool RadioButton1_2 = false;
    bool RadioButton2_2 = false;
    bool CheckBox1_3 = false;
    std::string Edit1_3;
    std::string Edit2_3;
    std::string Edit3_3;
    bool CheckBox1_4 = false;
    bool RadioButton1_4 = false;
    bool RadioButton2_4 = false;
    bool CheckBox1_5 = false;
    bool RadioButton1_5 = false;
    bool RadioButton2_5 = false;
    bool CheckBox2_5 = false;
    bool CheckBox3_5 = false;
    bool CheckBox1_6 = false;
    bool RadioButton1_6 = false;
    bool RadioButton2_6 = false;
    bool CheckBox1_7 = false;
    bool CheckBox2_7 = false;
    bool CheckBox3_7 = false;
    bool CheckBox4_7 = false;
    bool operator==(const TProfileControls&) const = default;
};

// LoadData without the window: Profiles[currentProfile] (or, for -1 or an index naming no record, a new profile of
// slot `activeSlot`) into EditedProfile, SelectedIcon and the controls. Controls the rules leave alone keep their
// state: a new profile keeps the name edit's text and both DNS registration boxes.
void LoadEditedProfile(int currentProfile, int activeSlot, TProfileControls& controls);

// "Take the current settings": the connection's IP, DNS and WINS groups into EditedProfile and the controls of
// pages 4 to 6, each group's apply box ticked (and the DNS registration boxes set); name, icon, scripts and
// firewall are left alone.
void TakeConnectionSettings(const TConnectionSettings& settings, TProfileControls& controls);

// The change handler of page 1 to 7: that page's controls into EditedProfile. Does nothing while LoadingData and then
// returns false. Disabled controls count as they are checked; page 2 stores nothing.
bool StoreTabSheet(int page, const TProfileControls& controls);

// OK: every page into EditedProfile in page order, then SaveData.
void StoreAllTabSheets(const TProfileControls& controls);

// SaveData: the three script edits as typed into EditedProfile, then EditedProfile into Profiles. A new profile is
// appended and Selection.CurrentProfile set to its index.
void SaveEditedProfile(const TProfileControls& controls);

// Row counts of the five lists, which the enabling rules depend on.
struct TListRowCounts {
    int Scripts = 0;   // list 1
    int Addresses = 0; // list 2
    int Gateways = 0;  // list 3
    int DNS = 0;       // list 4
    int WINS = 0;      // list 5
};
TListRowCounts RowCountsOf(const TEditedProfile& profile);

// The seconds typed for the keep question: within its bounds, the default when nothing usable was typed.
int KeepSecondsOfText(const std::string& text);

// Which controls of pages 1 and 3 to 7 are enabled. The apply boxes are always enabled, page 2 never; on page 1 only
// the keep question's seconds depend on anything.
struct TProfileEnabling {
    bool Edit2_1 = false;
    bool JvListView1_3 = false, Edit1_3 = false, Edit2_3 = false, Edit3_3 = false;
    bool Button1_3 = false, Button2_3 = false, Button3_3 = false, Button4_3 = false, Button5_3 = false,
         Button6_3 = false;
    bool RadioButton1_4 = false, RadioButton2_4 = false, JvListView1_4 = false, JvListView2_4 = false;
    bool Button1_4 = false, Button2_4 = false, Button3_4 = false, Button4_4 = false, Button5_4 = false,
         Button6_4 = false, Button7_4 = false, Button8_4 = false;
    bool RadioButton1_5 = false, RadioButton2_5 = false, JvListView1_5 = false, CheckBox2_5 = false,
         CheckBox3_5 = false;
    bool Button1_5 = false, Button2_5 = false, Button3_5 = false, Button4_5 = false, Button5_5 = false;
    bool RadioButton1_6 = false, RadioButton2_6 = false, JvListView1_6 = false;
    bool Button1_6 = false, Button2_6 = false, Button3_6 = false, Button4_6 = false, Button5_6 = false;
    bool CheckBox2_7 = false, CheckBox3_7 = false, CheckBox4_7 = false;
    bool operator==(const TProfileEnabling&) const = default;
};
TProfileEnabling ProfileFormEnabling(const TProfileControls& controls, const TListRowCounts& rows);

// The five lists: 1 script variables, 2 IP addresses, 3 gateways, 4 DNS servers, 5 WINS servers. The number of an
// address list is also the IP address dialog's mode.
inline constexpr int ListCount = 5;
enum TListOperation { ListAdd = 1, ListReplace = 2, ListDelete = 3, ListUp = 4, ListDown = 5 };

// The rows a list shows: first and second column (empty for the one-column lists).
struct TListRow {
    std::string First;
    std::string Second;
};
std::vector<TListRow> ListRowsOf(const TEditedProfile& profile, int list);

// Changes one list of EditedProfile: add and replace take Selection.DialogValue1 (and DialogValue2 for lists 1
// and 2). An index naming no element, or an operation the list lacks (up and down on lists 1 and 2), changes
// nothing.
void EditListViews(int index, int operation, int list);

// Around the value dialog of an add: the exchange fields before it, and the new element after it unless cancelled.
void PrepareListAdd(int list);
void FinishListAdd(int list);
// Around the value dialog of an edit of `row`: false (nothing to do) when no element is selected; after it, the row
// is replaced when the list's selected row still equals Selection.EditIndex.
bool PrepareListEdit(int list, int row);
void FinishListEdit(int list, int selectedRow);

// Delete, up or down of the selected row (Selection.EditIndex := row); false (nothing done) without a selection.
bool EditSelectedRow(int list, int row, int operation);

// The row selected again after an up (ListUp) or down (ListDown) of `row` in a list of `rowCount` rows.
int RowSelectedAfterMove(int row, int operation, int rowCount);

// An icon menu entry: "ICON text" + " " + i, picture i, hint i.
struct TIconMenuEntry {
    std::string Caption;
    int Image = 0;
    std::string Hint;
};
std::vector<TIconMenuEntry> IconMenuEntries(const std::string& iconText, int iconCount);

// The icon an entry's hint names; -1 (no picture) when the hint is no decimal number.
int IconOfHint(const std::string& hint);

// A group box shows its text with one blank before and one after it.
std::string GroupBoxCaption(const std::string& text);

// The language key of an editor control: its name in capitals; the four command buttons take BUTTON_OK,
// BUTTON_STORNO, BUTTON_HELP and BUTTON_SELECT.
std::string ProfileFormControlKey(const std::string& componentName);
