// The profile editor without its window: loading a profile, what the change handlers and OK store, the enabling
// rules of every page, the five value lists and the icon menu.
#include "ui/rules/ProfileFormRules.h"
#include "core/Promenne.h"

#include <gtest/gtest.h>

namespace {

class ProfileEditor : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStore();
        Selection = TSelection();
        EditedProfile = TEditedProfile();
        LoadingData = false;
    }

    // A profile with every field set away from its default.
    static TProfile StoredProfile() {
        TProfile p;
        p.InterfaceNo = 2;
        p.Name = "  Office ";
        p.Icon = 6;
        p.OnOff = {true, 1};
        p.Scripts.Apply = true;
        p.Scripts.ScriptsValues = {{"HOST", "pc1"}, {"USER", "jana"}};
        p.Scripts.SourcePath = "C:\\t.txt";
        p.Scripts.DestinationPath = "C:\\out.txt";
        p.Scripts.Command = "notepad C:\\out.txt";
        p.IP = {true, 1, {{"10.0.0.5", "255.0.0.0"}}, {"10.0.0.1", "10.0.0.2"}};
        p.DNS = {true, 1, {"10.0.0.53"}, 2};
        p.WINS = {true, 0, {"10.0.0.9"}};
        p.Firewall = {true, true, true, false};
        p.Keep = {true, 120};
        return p;
    }

    // The editor opened on profile `index`, as LoadData runs it.
    static TProfileControls Open(int index, int activeSlot = 1, const std::string& nameText = "New profile") {
        Selection.CurrentProfile = index;
        TProfileControls controls;
        controls.Edit1_1 = nameText;
        LoadingData = true;
        LoadEditedProfile(index, activeSlot, controls);
        LoadingData = false;
        return controls;
    }

    static int Store(const TProfile& profile) {
        int index = AppendProfile();
        Profiles[static_cast<size_t>(index)] = profile;
        return index;
    }
};

TEST_F(ProfileEditor, ANewProfileStartsWithNothingChosenInTheWorkingCopyAndTheDefaultsOnScreen) {
    TProfileControls controls = Open(-1, 3);
    EXPECT_EQ(EditedProfile.InterfaceNo, 3);
    EXPECT_EQ(EditedProfile.Name, "");
    EXPECT_EQ(EditedProfile.Icon, 4);
    EXPECT_EQ(EditedProfile.OnOff.Command, -1);
    EXPECT_EQ(EditedProfile.IP.SourceType, -1);
    EXPECT_EQ(EditedProfile.DNS.SourceType, -1);
    EXPECT_EQ(EditedProfile.DNS.RegisterInDNS, -1);
    EXPECT_EQ(EditedProfile.WINS.SourceType, -1);
    EXPECT_FALSE(EditedProfile.IP.Apply || EditedProfile.DNS.Apply || EditedProfile.WINS.Apply);
    EXPECT_EQ(EditedProfile.Firewall, TFirewallGroup());
    EXPECT_EQ(SelectedIcon, 4);

    TProfileControls expected;
    expected.Edit1_1 = "New profile"; // the IPPROFILE text stays
    expected.Edit2_1 = "30";
    expected.RadioButton1_2 = expected.RadioButton1_4 = expected.RadioButton1_5 = expected.RadioButton1_6 = true;
    expected.CheckBox1_4 = expected.CheckBox1_5 = expected.CheckBox1_6 = true;
    expected.CheckBox1_7 = expected.CheckBox2_7 = expected.CheckBox4_7 = true;
    EXPECT_EQ(controls, expected);
}

TEST_F(ProfileEditor, OkAtOnceOnANewProfileStoresWhatTheControlsShowAndSelectsTheNewRecord) {
    Store(StoredProfile());
    TProfileControls controls = Open(-1, 3);
    StoreAllTabSheets(controls);

    ASSERT_EQ(Profiles.size(), 2u);
    EXPECT_EQ(Selection.CurrentProfile, 1);
    TProfile expected;
    expected.InterfaceNo = 3;
    expected.Name = "New profile";
    expected.Icon = 4;
    expected.OnOff = {false, -1};
    expected.IP = {true, 0, {}, {}};
    expected.DNS = {true, 0, {}, 0};
    expected.WINS = {true, 0, {}};
    expected.Firewall = {true, true, false, true};
    EXPECT_EQ(Profiles[1], expected);
    EXPECT_EQ(Profiles[0], StoredProfile());
}

TEST_F(ProfileEditor, AStoredProfileIsCopiedWholeAndShownOnEveryPage) {
    int index = Store(StoredProfile());
    TProfileControls controls = Open(index);
    TEditedProfile expected{2,
                            "  Office ",
                            6,
                            {true, 1},
                            StoredProfile().Scripts,
                            StoredProfile().IP,
                            StoredProfile().DNS,
                            StoredProfile().WINS,
                            StoredProfile().Firewall,
                            {true, 120}};
    EXPECT_EQ(EditedProfile, expected);
    EXPECT_EQ(SelectedIcon, 6);
    EXPECT_EQ(controls.Edit1_1, "  Office ");
    EXPECT_TRUE(controls.CheckBox1_1);
    EXPECT_EQ(controls.Edit2_1, "120");
    EXPECT_TRUE(controls.CheckBox1_2 && controls.RadioButton2_2 && !controls.RadioButton1_2);
    EXPECT_EQ(controls.Edit3_3, "notepad C:\\out.txt");
    EXPECT_TRUE(controls.RadioButton2_4 && !controls.RadioButton1_4);
    EXPECT_TRUE(controls.CheckBox2_5 && controls.CheckBox3_5);
    EXPECT_TRUE(controls.RadioButton1_6 && !controls.RadioButton2_6);
    EXPECT_TRUE(controls.CheckBox1_7 && controls.CheckBox2_7 && controls.CheckBox3_7 && !controls.CheckBox4_7);

    // The working copy is a copy: changing it leaves the store alone.
    EditedProfile.IP.Adresses[0].Address = "1.2.3.4";
    EXPECT_EQ(Profiles[0].IP.Adresses[0].Address, "10.0.0.5");
}

TEST_F(ProfileEditor, RegistrationModesShowOnTheTwoBoxesAndAnyOtherModeLeavesThemAlone) {
    TProfile p = StoredProfile();
    const std::pair<int, std::pair<bool, bool>> cases[] = {{0, {false, false}}, {1, {true, false}}, {2, {true, true}}};
    for (const auto& [mode, boxes] : cases) {
        p.DNS.RegisterInDNS = mode;
        Profiles = {p};
        TProfileControls controls;
        controls.CheckBox2_5 = !boxes.first;
        controls.CheckBox3_5 = !boxes.second;
        LoadEditedProfile(0, 1, controls);
        EXPECT_EQ(controls.CheckBox2_5, boxes.first) << mode;
        EXPECT_EQ(controls.CheckBox3_5, boxes.second) << mode;
    }
    p.DNS.RegisterInDNS = 7;
    Profiles = {p};
    TProfileControls controls;
    controls.CheckBox2_5 = true;
    LoadEditedProfile(0, 1, controls);
    EXPECT_TRUE(controls.CheckBox2_5);
    EXPECT_FALSE(controls.CheckBox3_5);
}

TEST_F(ProfileEditor, OkWithoutChangesStoresTheSameProfileWithSourceTypesAndRegistrationNormalised) {
    TProfile p = StoredProfile();
    p.IP.SourceType = 2;
    p.DNS.SourceType = -1;
    p.DNS.RegisterInDNS = 5;
    p.WINS.SourceType = 0;
    int index = Store(p);
    TProfileControls controls = Open(index);
    StoreAllTabSheets(controls);

    TProfile expected = p;
    expected.IP.SourceType = 1;
    expected.DNS.SourceType = 1;
    expected.DNS.RegisterInDNS = 0;
    ASSERT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(Profiles[0], expected);
    EXPECT_EQ(Selection.CurrentProfile, 0);
}

// "Take the current settings" fills the IP, DNS and WINS pages; OK stores them, and the rest of the profile as it was.
TEST_F(ProfileEditor, TakingTheCurrentSettingsFillsTheAddressPagesAndOkStoresThemWithTheRestUnchanged) {
    TProfile p = StoredProfile();
    p.IP.Apply = p.DNS.Apply = p.WINS.Apply = false;
    const int index = Store(p);
    TProfileControls controls = Open(index);
    const TConnectionSettings now{{true, 0, {}, {}}, {true, 1, {"192.168.1.53", "192.168.1.54"}, 1}, {true, 0, {}}};
    TakeConnectionSettings(now, controls);
    EXPECT_TRUE(controls.CheckBox1_4 && controls.CheckBox1_5 && controls.CheckBox1_6);
    EXPECT_TRUE(controls.RadioButton1_4 && !controls.RadioButton2_4);
    EXPECT_TRUE(controls.RadioButton2_5 && !controls.RadioButton1_5);
    EXPECT_TRUE(controls.CheckBox2_5 && !controls.CheckBox3_5);
    EXPECT_EQ(RowCountsOf(EditedProfile).DNS, 2);
    EXPECT_EQ(RowCountsOf(EditedProfile).Gateways, 0);
    StoreAllTabSheets(controls);

    TProfile expected = p;
    expected.IP = now.IP;
    expected.DNS = now.DNS;
    expected.WINS = now.WINS;
    EXPECT_EQ(Profiles[0], expected);
}

TEST_F(ProfileEditor, ChangeHandlersDoNothingWhileLoadingData) {
    int index = Store(StoredProfile());
    TProfileControls controls = Open(index);
    TEditedProfile before = EditedProfile;
    controls.Edit1_1 = "Changed";
    controls.CheckBox1_3 = controls.CheckBox1_4 = controls.CheckBox1_7 = false;
    LoadingData = true;
    for (int page = 1; page <= 7; ++page)
        EXPECT_FALSE(StoreTabSheet(page, controls));
    EXPECT_EQ(EditedProfile, before);
    LoadingData = false;
    EXPECT_TRUE(StoreTabSheet(1, controls));
    EXPECT_EQ(EditedProfile.Name, "Changed");
}

TEST_F(ProfileEditor, DisabledControlsStillCountAndSwitchingToDhcpKeepsTheRows) {
    int index = Store(StoredProfile());
    TProfileControls controls = Open(index);

    // DNS from DHCP: the registration boxes are disabled but stored; the suffix box alone means no registration.
    controls.RadioButton1_5 = true;
    controls.RadioButton2_5 = false;
    controls.CheckBox2_5 = false;
    controls.CheckBox3_5 = true;
    StoreTabSheet(5, controls);
    EXPECT_EQ(EditedProfile.DNS.SourceType, 0);
    EXPECT_EQ(EditedProfile.DNS.RegisterInDNS, 0);
    EXPECT_EQ(EditedProfile.DNS.Adresses, std::vector<std::string>{"10.0.0.53"});
    controls.CheckBox2_5 = true;
    controls.CheckBox3_5 = false;
    StoreTabSheet(5, controls);
    EXPECT_EQ(EditedProfile.DNS.RegisterInDNS, 1);

    // The firewall switched off: the two boxes under it are disabled, and their states are stored as shown.
    controls.CheckBox2_7 = false;
    controls.CheckBox3_7 = false;
    controls.CheckBox4_7 = true;
    StoreTabSheet(7, controls);
    EXPECT_EQ(EditedProfile.Firewall, (TFirewallGroup{true, false, false, true}));

    // IP not applied: the list rows stay.
    controls.CheckBox1_4 = false;
    StoreAllTabSheets(controls);
    EXPECT_FALSE(Profiles[0].IP.Apply);
    EXPECT_EQ(Profiles[0].IP.Gateways.size(), 2u);
}

TEST_F(ProfileEditor, TheDevicePageIsStoredUnchangedWhateverItsControlsShow) {
    int index = Store(StoredProfile());
    TProfileControls controls = Open(index);
    controls.CheckBox1_2 = false;
    controls.RadioButton1_2 = true;
    controls.RadioButton2_2 = false;
    StoreAllTabSheets(controls);
    EXPECT_EQ(Profiles[0].OnOff, (TOnOffGroup{true, 1}));
}

TEST_F(ProfileEditor, SaveDataTakesTheScriptEditsAsTypedAndRevivesNothingElse) {
    TProfile p = StoredProfile();
    p.Deleted = true;
    int index = Store(p);
    TProfileControls controls = Open(index);
    controls.Edit1_3 = " C:\\Template with blanks.txt ";
    controls.Edit2_3 = "";
    controls.Edit3_3 = "cmd /c echo";
    SaveEditedProfile(controls);
    EXPECT_EQ(Profiles[0].Scripts.SourcePath, " C:\\Template with blanks.txt ");
    EXPECT_EQ(Profiles[0].Scripts.DestinationPath, "");
    EXPECT_EQ(Profiles[0].Scripts.Command, "cmd /c echo");
    EXPECT_FALSE(Profiles[0].Deleted);
    EXPECT_EQ(Profiles.size(), 1u);
}

TEST_F(ProfileEditor, AnIndexNamingNoRecordIsEditedAsANewProfile) {
    Store(StoredProfile());
    TProfileControls controls = Open(9, 4);
    EXPECT_EQ(EditedProfile.InterfaceNo, 4);
    StoreAllTabSheets(controls);
    ASSERT_EQ(Profiles.size(), 2u);
    EXPECT_EQ(Selection.CurrentProfile, 1);
    EXPECT_EQ(Profiles[0], StoredProfile());
}

// The keep question on page 1: the seconds typed are stored within their bounds, and the box decides whether they
// can be typed.
TEST_F(ProfileEditor, TheKeepQuestionIsStoredWithItsSecondsWithinTheirBounds) {
    const int index = Store(StoredProfile());
    const std::pair<const char*, int> typed[] = {{"45", 45}, {"9", 10},   {"301", 300},        {"", 30},
                                                 {"4x", 30}, {"-20", 30}, {"99999999999", 300}};
    for (const auto& [text, seconds] : typed) {
        TProfileControls controls = Open(index);
        controls.CheckBox1_1 = false;
        controls.Edit2_1 = text;
        StoreAllTabSheets(controls);
        EXPECT_EQ(Profiles[0].Keep, (TKeepGroup{false, seconds})) << text;
    }
    TProfileControls controls;
    EXPECT_FALSE(ProfileFormEnabling(controls, {}).Edit2_1);
    controls.CheckBox1_1 = true;
    EXPECT_TRUE(ProfileFormEnabling(controls, {}).Edit2_1);
}

// The enabling rules, page by page.

TEST(ProfileFormEnabling, ScriptsPageFollowsItsApplyBoxAndEditAndDeleteNeedARow) {
    TProfileControls c;
    TProfileEnabling off = ProfileFormEnabling(c, {});
    EXPECT_FALSE(off.JvListView1_3 || off.Edit1_3 || off.Edit2_3 || off.Edit3_3 || off.Button1_3 || off.Button2_3 ||
                 off.Button3_3 || off.Button4_3 || off.Button5_3 || off.Button6_3);
    c.CheckBox1_3 = true;
    TProfileEnabling empty = ProfileFormEnabling(c, {});
    EXPECT_TRUE(empty.JvListView1_3 && empty.Edit1_3 && empty.Edit2_3 && empty.Edit3_3 && empty.Button1_3 &&
                empty.Button4_3 && empty.Button5_3 && empty.Button6_3);
    EXPECT_FALSE(empty.Button2_3 || empty.Button3_3);
    TListRowCounts rows;
    rows.Scripts = 1;
    TProfileEnabling one = ProfileFormEnabling(c, rows);
    EXPECT_TRUE(one.Button2_3 && one.Button3_3);
}

TEST(ProfileFormEnabling, IPPageNeedsItsApplyBoxForTheRadiosAndManualForTheLists) {
    TListRowCounts rows;
    rows.Addresses = 1;
    rows.Gateways = 2;
    TProfileControls c;
    c.RadioButton2_4 = true;
    TProfileEnabling off = ProfileFormEnabling(c, rows);
    EXPECT_FALSE(off.RadioButton1_4 || off.RadioButton2_4 || off.JvListView1_4 || off.JvListView2_4 || off.Button1_4 ||
                 off.Button2_4 || off.Button3_4 || off.Button4_4 || off.Button5_4 || off.Button6_4 || off.Button7_4 ||
                 off.Button8_4);

    c.CheckBox1_4 = true;
    c.RadioButton1_4 = true;
    c.RadioButton2_4 = false;
    TProfileEnabling dhcp = ProfileFormEnabling(c, rows);
    EXPECT_TRUE(dhcp.RadioButton1_4 && dhcp.RadioButton2_4);
    EXPECT_FALSE(dhcp.JvListView1_4 || dhcp.JvListView2_4 || dhcp.Button1_4 || dhcp.Button2_4 || dhcp.Button6_4 ||
                 dhcp.Button7_4);

    c.RadioButton1_4 = false;
    c.RadioButton2_4 = true;
    TProfileEnabling manual = ProfileFormEnabling(c, rows);
    EXPECT_TRUE(manual.JvListView1_4 && manual.JvListView2_4 && manual.Button1_4 && manual.Button2_4 &&
                manual.Button3_4 && manual.Button4_4 && manual.Button5_4 && manual.Button6_4 && manual.Button7_4 &&
                manual.Button8_4);

    // Each list's own row count decides its edit, delete and arrow buttons.
    TProfileEnabling noGateways = ProfileFormEnabling(c, {0, 1, 0, 0, 0});
    EXPECT_TRUE(noGateways.Button2_4 && noGateways.Button3_4 && noGateways.Button6_4);
    EXPECT_FALSE(noGateways.Button4_4 || noGateways.Button5_4 || noGateways.Button7_4 || noGateways.Button8_4);
    TProfileEnabling noAddresses = ProfileFormEnabling(c, {0, 0, 1, 0, 0});
    EXPECT_FALSE(noAddresses.Button2_4 || noAddresses.Button3_4);
    EXPECT_TRUE(noAddresses.Button1_4 && noAddresses.Button7_4);
}

TEST(ProfileFormEnabling, DNSPageOffersRegistrationOnlyForManualServersAndTheSuffixOnlyWhenRegistering) {
    TProfileControls c;
    c.CheckBox2_5 = true;
    c.RadioButton2_5 = true;
    TProfileEnabling off = ProfileFormEnabling(c, {0, 0, 0, 3, 0});
    EXPECT_FALSE(off.RadioButton1_5 || off.RadioButton2_5 || off.JvListView1_5 || off.CheckBox2_5 || off.CheckBox3_5 ||
                 off.Button1_5 || off.Button3_5);

    c.CheckBox1_5 = true;
    c.RadioButton1_5 = true;
    c.RadioButton2_5 = false;
    TProfileEnabling dhcp = ProfileFormEnabling(c, {0, 0, 0, 3, 0});
    EXPECT_TRUE(dhcp.RadioButton1_5 && dhcp.RadioButton2_5);
    EXPECT_FALSE(dhcp.CheckBox2_5 || dhcp.CheckBox3_5 || dhcp.JvListView1_5 || dhcp.Button3_5);

    c.RadioButton1_5 = false;
    c.RadioButton2_5 = true;
    c.CheckBox2_5 = false;
    TProfileEnabling empty = ProfileFormEnabling(c, {});
    EXPECT_TRUE(empty.JvListView1_5 && empty.Button3_5 && empty.CheckBox2_5);
    EXPECT_FALSE(empty.CheckBox3_5 || empty.Button1_5 || empty.Button2_5 || empty.Button4_5 || empty.Button5_5);
    c.CheckBox2_5 = true;
    TProfileEnabling registering = ProfileFormEnabling(c, {0, 0, 0, 1, 0});
    EXPECT_TRUE(registering.CheckBox3_5 && registering.Button1_5 && registering.Button2_5 && registering.Button4_5 &&
                registering.Button5_5);
}

TEST(ProfileFormEnabling, WINSPageFollowsItsApplyBoxChoiceAndRows) {
    TProfileControls c;
    c.CheckBox1_6 = true;
    c.RadioButton1_6 = true;
    TProfileEnabling dhcp = ProfileFormEnabling(c, {0, 0, 0, 0, 2});
    EXPECT_TRUE(dhcp.RadioButton1_6 && dhcp.RadioButton2_6);
    EXPECT_FALSE(dhcp.JvListView1_6 || dhcp.Button3_6 || dhcp.Button1_6);
    c.RadioButton1_6 = false;
    c.RadioButton2_6 = true;
    TProfileEnabling empty = ProfileFormEnabling(c, {});
    EXPECT_TRUE(empty.JvListView1_6 && empty.Button3_6);
    EXPECT_FALSE(empty.Button1_6 || empty.Button2_6 || empty.Button4_6 || empty.Button5_6);
    TProfileEnabling rows = ProfileFormEnabling(c, {0, 0, 0, 0, 2});
    EXPECT_TRUE(rows.Button1_6 && rows.Button2_6 && rows.Button4_6 && rows.Button5_6);
    c.CheckBox1_6 = false;
    TProfileEnabling off = ProfileFormEnabling(c, {0, 0, 0, 0, 2});
    EXPECT_FALSE(off.RadioButton1_6 || off.JvListView1_6 || off.Button3_6 || off.Button5_6);
}

TEST(ProfileFormEnabling, FirewallBoxesNestUnderTheApplyBoxAndTheFirewallSwitch) {
    TProfileControls c;
    c.CheckBox2_7 = true;
    EXPECT_FALSE(ProfileFormEnabling(c, {}).CheckBox2_7);
    EXPECT_FALSE(ProfileFormEnabling(c, {}).CheckBox3_7);
    c.CheckBox1_7 = true;
    c.CheckBox2_7 = false;
    TProfileEnabling switchedOff = ProfileFormEnabling(c, {});
    EXPECT_TRUE(switchedOff.CheckBox2_7);
    EXPECT_FALSE(switchedOff.CheckBox3_7 || switchedOff.CheckBox4_7);
    c.CheckBox2_7 = true;
    TProfileEnabling on = ProfileFormEnabling(c, {});
    EXPECT_TRUE(on.CheckBox3_7 && on.CheckBox4_7);
}

// The five lists.

class ListEditing : public ::testing::Test {
protected:
    void SetUp() override {
        Selection = TSelection();
        EditedProfile = TEditedProfile();
        EditedProfile.Scripts.ScriptsValues = {{"A", "1"}, {"B", "2"}, {"C", "3"}};
        EditedProfile.IP.Adresses = {{"10.0.0.5", "255.0.0.0"}, {"10.0.0.6", "255.255.0.0"}};
        EditedProfile.IP.Gateways = {"10.0.0.1", "10.0.0.2", "10.0.0.3"};
        EditedProfile.DNS.Adresses = {"1.1.1.1", "8.8.8.8"};
        EditedProfile.WINS.Adresses = {"10.0.0.9"};
    }
    static void Values(const std::string& first, const std::string& second) {
        Selection.DialogValue1 = first;
        Selection.DialogValue2 = second;
    }
    static std::vector<std::string> Firsts(int list) {
        std::vector<std::string> firsts;
        for (const TListRow& row : ListRowsOf(EditedProfile, list))
            firsts.push_back(row.First);
        return firsts;
    }
};

TEST_F(ListEditing, AddAppendsTheDialogValuesToEveryList) {
    Values("D", "4");
    EditListViews(-1, ListAdd, 1);
    EXPECT_EQ(EditedProfile.Scripts.ScriptsValues.back(), (TScriptValue{"D", "4"}));
    Values("10.0.0.7", "255.255.255.0");
    EditListViews(-1, ListAdd, 2);
    EXPECT_EQ(EditedProfile.IP.Adresses.back(), (TAddress{"10.0.0.7", "255.255.255.0"}));
    for (int list = 3; list <= 5; ++list) {
        Values("10.1.1.1", "stale mask");
        EditListViews(-1, ListAdd, list);
        EXPECT_EQ(Firsts(list).back(), "10.1.1.1") << list;
    }
    EXPECT_EQ(EditedProfile.IP.Gateways.size(), 4u);
    // The same server twice gives two equal rows.
    EditListViews(-1, ListAdd, 5);
    EXPECT_EQ(EditedProfile.WINS.Adresses, (std::vector<std::string>{"10.0.0.9", "10.1.1.1", "10.1.1.1"}));
}

TEST_F(ListEditing, ReplaceOverwritesOnlyTheElementAtTheIndex) {
    Values("X", "9");
    EditListViews(1, ListReplace, 1);
    EXPECT_EQ(EditedProfile.Scripts.ScriptsValues, (std::vector<TScriptValue>{{"A", "1"}, {"X", "9"}, {"C", "3"}}));
    Values("10.9.9.9", "255.255.255.252");
    EditListViews(0, ListReplace, 2);
    EXPECT_EQ(EditedProfile.IP.Adresses[0], (TAddress{"10.9.9.9", "255.255.255.252"}));
    EXPECT_EQ(EditedProfile.IP.Adresses[1], (TAddress{"10.0.0.6", "255.255.0.0"}));
    Values("10.0.0.254", "");
    EditListViews(2, ListReplace, 3);
    EditListViews(1, ListReplace, 4);
    EditListViews(0, ListReplace, 5);
    EXPECT_EQ(Firsts(3), (std::vector<std::string>{"10.0.0.1", "10.0.0.2", "10.0.0.254"}));
    EXPECT_EQ(Firsts(4), (std::vector<std::string>{"1.1.1.1", "10.0.0.254"}));
    EXPECT_EQ(Firsts(5), (std::vector<std::string>{"10.0.0.254"}));
}

TEST_F(ListEditing, DeleteRemovesTheElementAndKeepsTheOthersInOrder) {
    EditListViews(1, ListDelete, 3);
    EXPECT_EQ(Firsts(3), (std::vector<std::string>{"10.0.0.1", "10.0.0.3"}));
    EditListViews(1, ListDelete, 1);
    EXPECT_EQ(EditedProfile.Scripts.ScriptsValues, (std::vector<TScriptValue>{{"A", "1"}, {"C", "3"}}));
    EditListViews(1, ListDelete, 2); // the last
    EXPECT_EQ(EditedProfile.IP.Adresses, (std::vector<TAddress>{{"10.0.0.5", "255.0.0.0"}}));
    EditListViews(0, ListDelete, 4); // the first
    EXPECT_EQ(Firsts(4), (std::vector<std::string>{"8.8.8.8"}));
    EditListViews(0, ListDelete, 5); // the only one
    EXPECT_TRUE(EditedProfile.WINS.Adresses.empty());
}

TEST_F(ListEditing, UpAndDownSwapNeighboursButNotPastEitherEndNorInThePairLists) {
    EditListViews(0, ListUp, 3);
    EditListViews(2, ListDown, 3);
    EXPECT_EQ(Firsts(3), (std::vector<std::string>{"10.0.0.1", "10.0.0.2", "10.0.0.3"}));
    EditListViews(1, ListUp, 3);
    EXPECT_EQ(Firsts(3), (std::vector<std::string>{"10.0.0.2", "10.0.0.1", "10.0.0.3"}));
    EditListViews(0, ListDown, 4);
    EXPECT_EQ(Firsts(4), (std::vector<std::string>{"8.8.8.8", "1.1.1.1"}));
    EditListViews(0, ListDown, 5);
    EXPECT_EQ(Firsts(5), (std::vector<std::string>{"10.0.0.9"}));

    TEditedProfile before = EditedProfile;
    EditListViews(1, ListUp, 1);
    EditListViews(0, ListDown, 2);
    EXPECT_EQ(EditedProfile, before);
}

TEST_F(ListEditing, AnIndexNamingNoElementChangesNothing) {
    TEditedProfile before = EditedProfile;
    for (int list = 1; list <= ListCount; ++list)
        for (int operation : {ListReplace, ListDelete, ListUp, ListDown})
            for (int index : {-1, 3, 100})
                EditListViews(index, operation, list);
    EditListViews(0, 9, 3);
    EditListViews(0, ListAdd, 6);
    EXPECT_EQ(EditedProfile, before);
}

TEST_F(ListEditing, AddSetsEveryExchangeFieldAndACancelledDialogAddsNothing) {
    Selection.EditIndex = 1;
    Selection.DialogMode = 3;
    Values("old", "older");
    PrepareListAdd(4);
    EXPECT_EQ(Selection.EditIndex, -1);
    EXPECT_EQ(Selection.DialogMode, 4);
    EXPECT_EQ(Selection.DialogValue1, "");
    EXPECT_EQ(Selection.DialogValue2, "");

    Selection.EditIndex = -2; // the dialog was cancelled
    FinishListAdd(4);
    EXPECT_EQ(EditedProfile.DNS.Adresses.size(), 2u);
    PrepareListAdd(4);
    Selection.DialogValue1 = "0.0.0.0"; // an untouched entry
    FinishListAdd(4);
    EXPECT_EQ(Firsts(4).back(), "0.0.0.0");
}

TEST_F(ListEditing, EditingAnAddressAfterAGatewayHandsOverModeTwoWithAddressAndMask) {
    ASSERT_TRUE(PrepareListEdit(3, 2));
    EXPECT_EQ(Selection.DialogMode, 3);
    EXPECT_EQ(Selection.DialogValue1, "10.0.0.3");
    Selection.DialogValue2 = "from the gateway dialog";
    ASSERT_TRUE(PrepareListEdit(2, 1));
    EXPECT_EQ(Selection.EditIndex, 1);
    EXPECT_EQ(Selection.DialogMode, 2);
    EXPECT_EQ(Selection.DialogValue1, "10.0.0.6");
    EXPECT_EQ(Selection.DialogValue2, "255.255.0.0");
    Values("10.0.0.60", "255.255.255.0");
    FinishListEdit(2, 1);
    EXPECT_EQ(EditedProfile.IP.Adresses[1], (TAddress{"10.0.0.60", "255.255.255.0"}));
}

TEST_F(ListEditing, EditingAGatewayLeavesTheSecondValueAndReplacesOnlyThatRow) {
    Selection.DialogValue2 = "stale";
    ASSERT_TRUE(PrepareListEdit(3, 1));
    EXPECT_EQ(Selection.DialogValue2, "stale");
    Values("10.0.0.22", "stale");
    FinishListEdit(3, 1);
    EXPECT_EQ(Firsts(3), (std::vector<std::string>{"10.0.0.1", "10.0.0.22", "10.0.0.3"}));
}

TEST_F(ListEditing, AnEditWithoutASelectionOrWithACancelledDialogChangesNothing) {
    EXPECT_FALSE(PrepareListEdit(1, -1));
    EXPECT_FALSE(PrepareListEdit(5, 1));
    ASSERT_TRUE(PrepareListEdit(1, 0));
    EXPECT_EQ(Selection.DialogValue1, "A");
    EXPECT_EQ(Selection.DialogValue2, "1");
    Selection.EditIndex = -2;
    Values("", "");
    FinishListEdit(1, 0);
    EXPECT_EQ(EditedProfile.Scripts.ScriptsValues[0], (TScriptValue{"A", "1"}));
}

TEST_F(ListEditing, DeleteAndMovesActOnTheSelectedRowOnlyAndTheSelectionFollowsTheMove) {
    Selection.EditIndex = 7;
    EXPECT_FALSE(EditSelectedRow(3, -1, ListDelete));
    EXPECT_EQ(Selection.EditIndex, 7);
    EXPECT_TRUE(EditSelectedRow(3, 2, ListUp));
    EXPECT_EQ(Selection.EditIndex, 2);
    EXPECT_EQ(Firsts(3), (std::vector<std::string>{"10.0.0.1", "10.0.0.3", "10.0.0.2"}));

    EXPECT_EQ(RowSelectedAfterMove(1, ListUp, 3), 0);
    EXPECT_EQ(RowSelectedAfterMove(0, ListUp, 3), 0);
    EXPECT_EQ(RowSelectedAfterMove(1, ListDown, 3), 2);
    EXPECT_EQ(RowSelectedAfterMove(2, ListDown, 3), 2);
}

TEST(IconMenu, OneEntryPerIconCaptionedWithTheIconWordAndNumber) {
    std::vector<TIconMenuEntry> entries = IconMenuEntries("Icon", 9);
    ASSERT_EQ(entries.size(), 9u);
    EXPECT_EQ(entries[0].Caption, "Icon 0");
    EXPECT_EQ(entries[7].Caption, "Icon 7");
    EXPECT_EQ(entries[7].Image, 7);
    EXPECT_EQ(IconOfHint(entries[7].Hint), 7);
    EXPECT_EQ(IconMenuEntries("PARROR: PROFILEFORM", 1)[0].Caption, "PARROR: PROFILEFORM 0");
    EXPECT_EQ(IconOfHint("x"), -1);
    EXPECT_EQ(IconOfHint(""), -1);
}

TEST(ProfileFormCaptions, ControlsTakeTheirNameInCapitalsAndGroupBoxesABlankEachSide) {
    EXPECT_EQ(ProfileFormControlKey("Label1_1"), "LABEL1_1");
    EXPECT_EQ(ProfileFormControlKey("RadioButton2_6"), "RADIOBUTTON2_6");
    EXPECT_EQ(ProfileFormControlKey("TabSheet5"), "TABSHEET5");
    EXPECT_EQ(ProfileFormControlKey("ButtonOK"), "BUTTON_OK");
    EXPECT_EQ(ProfileFormControlKey("ButtonSTORNO"), "BUTTON_STORNO");
    EXPECT_EQ(ProfileFormControlKey("ButtonHELP"), "BUTTON_HELP");
    EXPECT_EQ(ProfileFormControlKey("ButtonSELECT"), "BUTTON_SELECT");
    EXPECT_EQ(GroupBoxCaption("DNS servers"), " DNS servers ");
}

} // namespace
