// The profile editor's working copy and the rules that move values between it, the controls and the store.
#include "ui/rules/ProfileFormRules.h"

#include <charconv>
#include <utility>

TEditedProfile EditedProfile;
int SelectedIcon = 0;
bool LoadingData = false;

namespace {

constexpr int NewProfileIcon = 4;

void SetRadioPair(bool& first, bool& second, bool secondChecked) {
    first = !secondChecked;
    second = secondChecked;
}

void LoadNewProfile(int activeSlot, TProfileControls& controls) {
    EditedProfile = TEditedProfile();
    EditedProfile.InterfaceNo = activeSlot;
    EditedProfile.Icon = NewProfileIcon;
    EditedProfile.OnOff.Command = -1;
    EditedProfile.IP.SourceType = -1;
    EditedProfile.DNS.SourceType = -1;
    EditedProfile.DNS.RegisterInDNS = -1;
    EditedProfile.WINS.SourceType = -1;

    // What the controls show is what OK stores: IP, DNS and WINS from DHCP, the firewall on.
    SelectedIcon = NewProfileIcon;
    SetRadioPair(controls.RadioButton1_2, controls.RadioButton2_2, false);
    SetRadioPair(controls.RadioButton1_4, controls.RadioButton2_4, false);
    SetRadioPair(controls.RadioButton1_5, controls.RadioButton2_5, false);
    SetRadioPair(controls.RadioButton1_6, controls.RadioButton2_6, false);
    controls.CheckBox1_1 = false;
    controls.Edit2_1 = std::to_string(KeepSecondsDefault);
    controls.Edit1_3.clear();
    controls.Edit2_3.clear();
    controls.Edit3_3.clear();
    controls.CheckBox1_2 = false;
    controls.CheckBox1_3 = false;
    controls.CheckBox1_4 = true;
    controls.CheckBox1_5 = true;
    controls.CheckBox1_6 = true;
    controls.CheckBox1_7 = true;
    controls.CheckBox2_7 = true;
    controls.CheckBox3_7 = false;
    controls.CheckBox4_7 = true;
}

void LoadExistingProfile(const TProfile& profile, TProfileControls& controls) {
    EditedProfile.InterfaceNo = profile.InterfaceNo;
    EditedProfile.Name = profile.Name;
    EditedProfile.Icon = profile.Icon;
    EditedProfile.OnOff = profile.OnOff;
    EditedProfile.Scripts = profile.Scripts;
    EditedProfile.IP = profile.IP;
    EditedProfile.DNS = profile.DNS;
    EditedProfile.WINS = profile.WINS;
    EditedProfile.Firewall = profile.Firewall;
    EditedProfile.Keep = profile.Keep;

    controls.Edit1_1 = profile.Name;
    controls.CheckBox1_1 = profile.Keep.Ask;
    controls.Edit2_1 = std::to_string(profile.Keep.Seconds);
    SelectedIcon = profile.Icon;
    controls.CheckBox1_2 = profile.OnOff.Apply;
    SetRadioPair(controls.RadioButton1_2, controls.RadioButton2_2, profile.OnOff.Command != 0);
    controls.CheckBox1_3 = profile.Scripts.Apply;
    controls.Edit1_3 = profile.Scripts.SourcePath;
    controls.Edit2_3 = profile.Scripts.DestinationPath;
    controls.Edit3_3 = profile.Scripts.Command;
    controls.CheckBox1_4 = profile.IP.Apply;
    SetRadioPair(controls.RadioButton1_4, controls.RadioButton2_4, profile.IP.SourceType != 0);
    controls.CheckBox1_5 = profile.DNS.Apply;
    SetRadioPair(controls.RadioButton1_5, controls.RadioButton2_5, profile.DNS.SourceType != 0);
    // Any other registration mode leaves both boxes as they are.
    if (profile.DNS.RegisterInDNS >= 0 && profile.DNS.RegisterInDNS <= 2) {
        controls.CheckBox2_5 = profile.DNS.RegisterInDNS >= 1;
        controls.CheckBox3_5 = profile.DNS.RegisterInDNS == 2;
    }
    controls.CheckBox1_6 = profile.WINS.Apply;
    SetRadioPair(controls.RadioButton1_6, controls.RadioButton2_6, profile.WINS.SourceType != 0);
    controls.CheckBox1_7 = profile.Firewall.Apply;
    controls.CheckBox2_7 = profile.Firewall.EnableFirewall;
    controls.CheckBox3_7 = profile.Firewall.EnableExceptions;
    controls.CheckBox4_7 = profile.Firewall.EnableDialogs;
}

bool NamesRecord(int index) {
    return index >= 0 && index < static_cast<int>(Profiles.size());
}

// One list, whatever its element: the operations of EditListViews.
template <typename T> void EditList(std::vector<T>& list, int index, int operation, bool canMove, const T& value) {
    const int n = static_cast<int>(list.size());
    if (operation == ListAdd) {
        list.push_back(value);
        return;
    }
    if (index < 0 || index >= n)
        return;
    const auto at = static_cast<size_t>(index);
    switch (operation) {
    case ListReplace:
        list[at] = value;
        break;
    case ListDelete:
        list.erase(list.begin() + index);
        break;
    case ListUp:
        if (canMove && index > 0)
            std::swap(list[at - 1], list[at]);
        break;
    case ListDown:
        if (canMove && index < n - 1)
            std::swap(list[at], list[at + 1]);
        break;
    }
}

// Lists 3 to 5, which hold single strings; null for the others.
template <typename Profile> auto SingleList(Profile& profile, int list) -> decltype(&profile.IP.Gateways) {
    switch (list) {
    case 3:
        return &profile.IP.Gateways;
    case 4:
        return &profile.DNS.Adresses;
    case 5:
        return &profile.WINS.Adresses;
    }
    return nullptr;
}

int ListLength(int list) {
    switch (list) {
    case 1:
        return static_cast<int>(EditedProfile.Scripts.ScriptsValues.size());
    case 2:
        return static_cast<int>(EditedProfile.IP.Adresses.size());
    }
    const std::vector<std::string>* single = SingleList(EditedProfile, list);
    return single != nullptr ? static_cast<int>(single->size()) : 0;
}

} // namespace

void TakeConnectionSettings(const TConnectionSettings& settings, TProfileControls& controls) {
    EditedProfile.IP = settings.IP;
    EditedProfile.DNS = settings.DNS;
    EditedProfile.WINS = settings.WINS;
    controls.CheckBox1_4 = controls.CheckBox1_5 = controls.CheckBox1_6 = true;
    SetRadioPair(controls.RadioButton1_4, controls.RadioButton2_4, settings.IP.SourceType != 0);
    SetRadioPair(controls.RadioButton1_5, controls.RadioButton2_5, settings.DNS.SourceType != 0);
    SetRadioPair(controls.RadioButton1_6, controls.RadioButton2_6, settings.WINS.SourceType != 0);
    controls.CheckBox2_5 = settings.DNS.RegisterInDNS >= 1;
    controls.CheckBox3_5 = settings.DNS.RegisterInDNS == 2;
}

void LoadEditedProfile(int currentProfile, int activeSlot, TProfileControls& controls) {
    if (NamesRecord(currentProfile))
        LoadExistingProfile(Profiles[static_cast<size_t>(currentProfile)], controls);
    else
        LoadNewProfile(activeSlot, controls);
}

bool StoreTabSheet(int page, const TProfileControls& c) {
    if (LoadingData)
        return false;
    TEditedProfile& e = EditedProfile;
    switch (page) {
    case 1:
        e.Name = c.Edit1_1;
        e.Icon = SelectedIcon;
        e.Keep = {c.CheckBox1_1, KeepSecondsOfText(c.Edit2_1)};
        break;
    case 2: // display only
        break;
    case 3:
        e.Scripts.Apply = c.CheckBox1_3;
        break;
    case 4:
        e.IP.Apply = c.CheckBox1_4;
        e.IP.SourceType = c.RadioButton1_4 ? 0 : 1;
        break;
    case 5:
        e.DNS.Apply = c.CheckBox1_5;
        e.DNS.SourceType = c.RadioButton1_5 ? 0 : 1;
        e.DNS.RegisterInDNS = !c.CheckBox2_5 ? 0 : (c.CheckBox3_5 ? 2 : 1);
        break;
    case 6:
        e.WINS.Apply = c.CheckBox1_6;
        e.WINS.SourceType = c.RadioButton1_6 ? 0 : 1;
        break;
    case 7:
        e.Firewall.Apply = c.CheckBox1_7;
        e.Firewall.EnableFirewall = c.CheckBox2_7;
        e.Firewall.EnableExceptions = c.CheckBox3_7;
        e.Firewall.EnableDialogs = c.CheckBox4_7;
        break;
    default:
        return false;
    }
    return true;
}

void StoreAllTabSheets(const TProfileControls& controls) {
    for (int page = 1; page <= 7; ++page)
        StoreTabSheet(page, controls);
    SaveEditedProfile(controls);
}

void SaveEditedProfile(const TProfileControls& controls) {
    // An index that names no record can only mean a new profile; writing through it would corrupt the store.
    if (!NamesRecord(Selection.CurrentProfile))
        Selection.CurrentProfile = AppendProfile();
    TProfile& p = Profiles[static_cast<size_t>(Selection.CurrentProfile)];
    const TEditedProfile& e = EditedProfile;
    p.InterfaceNo = e.InterfaceNo;
    p.Deleted = false;
    p.Name = e.Name;
    p.Icon = e.Icon;
    p.OnOff = e.OnOff;
    EditedProfile.Scripts.SourcePath = controls.Edit1_3;
    EditedProfile.Scripts.DestinationPath = controls.Edit2_3;
    EditedProfile.Scripts.Command = controls.Edit3_3;
    p.Scripts = e.Scripts;
    p.IP = e.IP;
    p.DNS = e.DNS;
    p.WINS = e.WINS;
    p.Firewall = e.Firewall;
    p.Keep = e.Keep;
}

int KeepSecondsOfText(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return KeepSecondsDefault;
    int seconds = 0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), seconds);
    // Digits that do not fit an integer are above the bound anyway.
    return parsed.ec == std::errc::result_out_of_range ? KeepSecondsMax : KeepSecondsWithinBounds(seconds);
}

TListRowCounts RowCountsOf(const TEditedProfile& profile) {
    TListRowCounts rows;
    rows.Scripts = static_cast<int>(profile.Scripts.ScriptsValues.size());
    rows.Addresses = static_cast<int>(profile.IP.Adresses.size());
    rows.Gateways = static_cast<int>(profile.IP.Gateways.size());
    rows.DNS = static_cast<int>(profile.DNS.Adresses.size());
    rows.WINS = static_cast<int>(profile.WINS.Adresses.size());
    return rows;
}

TProfileEnabling ProfileFormEnabling(const TProfileControls& c, const TListRowCounts& rows) {
    TProfileEnabling e;
    e.Edit2_1 = c.CheckBox1_1;

    const bool scripts = c.CheckBox1_3;
    e.JvListView1_3 = e.Edit1_3 = e.Edit2_3 = e.Edit3_3 = scripts;
    e.Button1_3 = e.Button4_3 = e.Button5_3 = e.Button6_3 = scripts;
    e.Button2_3 = e.Button3_3 = scripts && rows.Scripts > 0;

    const bool ip = c.CheckBox1_4;
    const bool ipManual = ip && c.RadioButton2_4;
    e.RadioButton1_4 = e.RadioButton2_4 = ip;
    e.JvListView1_4 = e.JvListView2_4 = e.Button1_4 = e.Button6_4 = ipManual;
    e.Button2_4 = e.Button3_4 = ipManual && rows.Addresses > 0;
    e.Button4_4 = e.Button5_4 = e.Button7_4 = e.Button8_4 = ipManual && rows.Gateways > 0;

    const bool dns = c.CheckBox1_5;
    const bool dnsManual = dns && c.RadioButton2_5;
    e.RadioButton1_5 = e.RadioButton2_5 = dns;
    e.JvListView1_5 = e.Button3_5 = e.CheckBox2_5 = dnsManual;
    e.Button1_5 = e.Button2_5 = e.Button4_5 = e.Button5_5 = dnsManual && rows.DNS > 0;
    e.CheckBox3_5 = dnsManual && c.CheckBox2_5;

    const bool wins = c.CheckBox1_6;
    const bool winsManual = wins && c.RadioButton2_6;
    e.RadioButton1_6 = e.RadioButton2_6 = wins;
    e.JvListView1_6 = e.Button3_6 = winsManual;
    e.Button1_6 = e.Button2_6 = e.Button4_6 = e.Button5_6 = winsManual && rows.WINS > 0;

    e.CheckBox2_7 = c.CheckBox1_7;
    e.CheckBox3_7 = e.CheckBox4_7 = c.CheckBox1_7 && c.CheckBox2_7;
    return e;
}

std::vector<TListRow> ListRowsOf(const TEditedProfile& profile, int list) {
    std::vector<TListRow> rows;
    if (list == 1)
        for (const TScriptValue& value : profile.Scripts.ScriptsValues)
            rows.push_back({value.Variable, value.Value});
    else if (list == 2)
        for (const TAddress& address : profile.IP.Adresses)
            rows.push_back({address.Address, address.Mask});
    else if (const auto* single = SingleList(profile, list))
        for (const std::string& value : *single)
            rows.push_back({value, std::string()});
    return rows;
}

void EditListViews(int index, int operation, int list) {
    const std::string& value1 = Selection.DialogValue1;
    const std::string& value2 = Selection.DialogValue2;
    if (list == 1)
        EditList(EditedProfile.Scripts.ScriptsValues, index, operation, false, TScriptValue{value1, value2});
    else if (list == 2)
        EditList(EditedProfile.IP.Adresses, index, operation, false, TAddress{value1, value2});
    else if (auto* single = SingleList(EditedProfile, list))
        EditList(*single, index, operation, true, value1);
}

void PrepareListAdd(int list) {
    Selection.EditIndex = -1;
    if (list >= 2)
        Selection.DialogMode = list;
    Selection.DialogValue1.clear();
    Selection.DialogValue2.clear();
}

void FinishListAdd(int list) {
    if (Selection.EditIndex == -1)
        EditListViews(-1, ListAdd, list);
}

bool PrepareListEdit(int list, int row) {
    if (row < 0 || row >= ListLength(list))
        return false;
    const TListRow element = ListRowsOf(EditedProfile, list)[static_cast<size_t>(row)];
    Selection.EditIndex = row;
    if (list >= 2)
        Selection.DialogMode = list;
    Selection.DialogValue1 = element.First;
    // The one-value lists leave DialogValue2 alone; whatever comes back in it is ignored.
    if (list <= 2)
        Selection.DialogValue2 = element.Second;
    return true;
}

void FinishListEdit(int list, int selectedRow) {
    if (selectedRow >= 0 && selectedRow == Selection.EditIndex)
        EditListViews(selectedRow, ListReplace, list);
}

bool EditSelectedRow(int list, int row, int operation) {
    if (row < 0)
        return false;
    Selection.EditIndex = row;
    EditListViews(row, operation, list);
    return true;
}

int RowSelectedAfterMove(int row, int operation, int rowCount) {
    if (operation == ListUp)
        return row > 0 ? row - 1 : row;
    if (operation == ListDown)
        return row < rowCount - 1 ? row + 1 : row;
    return row;
}

std::vector<TIconMenuEntry> IconMenuEntries(const std::string& iconText, int iconCount) {
    std::vector<TIconMenuEntry> entries;
    for (int i = 0; i < iconCount; ++i)
        entries.push_back({iconText + " " + std::to_string(i), i, std::to_string(i)});
    return entries;
}

int IconOfHint(const std::string& hint) {
    int icon = -1;
    const char* end = hint.data() + hint.size();
    auto [stop, error] = std::from_chars(hint.data(), end, icon);
    if (error != std::errc() || stop != end || hint.empty())
        return -1;
    return icon;
}

std::string GroupBoxCaption(const std::string& text) {
    return " " + text + " ";
}

std::string ProfileFormControlKey(const std::string& componentName) {
    for (const char* command : {"OK", "STORNO", "HELP", "SELECT"})
        if (componentName == std::string("Button") + command)
            return std::string("BUTTON_") + command;
    std::string key = componentName;
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return key;
}
