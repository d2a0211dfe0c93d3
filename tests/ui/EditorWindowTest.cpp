// The profile editor, its value dialogs and the interface settings dialog on screen (under Wine), opened from the
// interface page as the user opens them.
#include "DialogSteps.h"
#include "MachineStandIn.h"
#include "Recording.h"
#include "WindowTestSupport.h"
#include "core/Promenne.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "ui/Dpi.h"
#include "ui/IPaddressForm.h"
#include "ui/InterfaceForm.h"
#include "ui/ProfileForm.h"
#include "ui/ScriptMessageForm.h"

#include <gtest/gtest.h>

#include <iostream>

#include <algorithm>
#include <cstdlib>

namespace {

std::string Language(const char* section, const std::string& key) {
    return ReadLanguageKey(section, key, "GUI");
}

// Slot 2 with one profile that uses every list.
const char* const OfficeSlot =
    "[LAN]\r\nNAME=Office\r\nCAPTION=Docking station\r\nINTERFACE=LAN\r\nICON=1\r\n"
    "[PROFILE_1]\r\nNAME=Office\r\nICON=2\r\n"
    "SCRIPTS_APPLY=TRUE\r\nSCRIPTS_SCRIPTSVALUES_VARIABLE_0=HOST\r\n"
    "SCRIPTS_SCRIPTSVALUES_VALUE_0=pc1\r\nSCRIPTS_SOURCEPATH=C:\\t.txt\r\n"
    "IP_APPLY=TRUE\r\nIP_SOURCETYPE=1\r\n"
    "IP_ADRESSES_ADDRESS_0=10.0.0.5\r\nIP_ADRESSES_MASK_0=255.0.0.0\r\n"
    "IP_ADRESSES_ADDRESS_1=10.0.0.6\r\nIP_ADRESSES_MASK_1=255.255.0.0\r\n"
    "IP_GATEWAYS_0=10.0.0.1\r\nIP_GATEWAYS_1=10.0.0.2\r\nIP_GATEWAYS_2=10.0.0.3\r\n"
    "DNS_APPLY=TRUE\r\nDNS_SOURCETYPE=1\r\nDNS_REGISTERINDNS=2\r\nDNS_ADRESSES_0=10.0.0.53\r\n"
    "WINS_APPLY=FALSE\r\nWINS_SOURCETYPE=0\r\n"
    "FIREWALL_APPLY=TRUE\r\nFIREWALL_ENABLEFIREWALL=FALSE\r\nFIREWALL_ENABLEEXCEPTIONS=TRUE\r\n"
    "ONOFF_APPLY=TRUE\r\nONOFF_COMMAND=1\r\n";

// The main window on the page of slot 2 holding the office profile.
class EditorWindow : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=2\r\n");
        program.Folder().Write("Settings/LAN2.ini", OfficeSlot);
        form = &program.Start();
    }
    void TearDown() override { form->FormClose(); }

    TMainFrame& Page() { return form->MainFrame(2); }
    // Opens the editor on the office profile and runs the steps in it.
    bool EditOffice(std::deque<std::function<void()>> steps) {
        Page().SelectRow(0);
        DialogSteps running(std::move(steps));
        Page().onClick(TFrameSender::Label_EDIT);
        return running.Finished();
    }

    ProgramUnderTest program;
    TGUI_Form* form = nullptr;
};

TEST_F(EditorWindow, OkAtOnceOnANewProfileStoresTheDefaultsOfTheActiveSlot) {
    DialogSteps steps({[] {
        ASSERT_NE(Profile_Form, nullptr);
        EXPECT_EQ(WindowText(Profile_Form->Edit1_1), Language("PROFILEFORM", "IPPROFILE"));
        EXPECT_EQ(Profile_Form->Image1_1Picture(), 4);
        EXPECT_EQ(Profile_Form->ActivePage(), 1);
        Click(Profile_Form->ButtonOK);
    }});
    Page().onClick(TFrameSender::Label_ADD);
    EXPECT_TRUE(steps.Finished());
    EXPECT_EQ(Profile_Form, nullptr);

    ASSERT_EQ(Profiles.size(), 2u);
    EXPECT_EQ(Selection.CurrentProfile, 1);
    TProfile expected;
    expected.InterfaceNo = 2;
    expected.Name = Language("PROFILEFORM", "IPPROFILE");
    expected.Icon = 4;
    expected.OnOff = {false, -1};
    expected.IP = {true, 0, {}, {}};
    expected.DNS = {true, 0, {}, 0};
    expected.WINS = {true, 0, {}};
    expected.Firewall = {true, true, false, true};
    EXPECT_EQ(Profiles[1], expected);
    ASSERT_EQ(Page().RowCount(), 2);
    EXPECT_EQ(Page().RowCaption(1), expected.Name);
    EXPECT_NE(program.Folder().Read("Settings/LAN2.ini").find("[PROFILE_2]\r\nNAME=" + expected.Name),
              std::string::npos);
}

TEST_F(EditorWindow, EveryCaptionComesFromTheLanguageFileByTheKeyRule) {
    ASSERT_TRUE(EditOffice({[] {
        TProfile_Form& f = *Profile_Form;
        EXPECT_EQ(WindowText(f.Handle()), Language("PROFILEFORM", "WINDOWTITLE"));
        EXPECT_EQ(f.Header.MainText(), Language("PROFILEFORM", "MAINTITLE"));
        EXPECT_EQ(f.Header.LabelText(), Language("PROFILEFORM", "HELPTITLE"));
        for (int page = 1; page <= 7; ++page)
            EXPECT_EQ(f.TabCaption(page), Language("PROFILEFORM", "TABSHEET" + std::to_string(page)));
        EXPECT_EQ(f.ColumnCaption(1, 1), Language("PROFILEFORM", "LISTVIEW1_3_2"));
        EXPECT_EQ(f.ColumnCaption(2, 0), Language("PROFILEFORM", "LISTVIEW1_4_1"));
        // Every key of the list has its control, and every captioned control its key.
        size_t captioned = 0;
        for (const auto& [name, control] : f.NamedControls()) {
            std::string text = Language("PROFILEFORM", ProfileFormControlKey(name));
            if (name.rfind("GroupBox", 0) == 0)
                text = " " + text + " ";
            EXPECT_EQ(WindowText(control), text) << name;
            ++captioned;
        }
        // All keys but the title, the header, tabs, columns, the name, the icon word and the arrows' names are
        // controls.
        EXPECT_EQ(captioned, ProfileFormCaptionKeys().size() - 3 - 7 - 4 - 1 - 1 - 2);
        // The arrow buttons show pictures; their names are for screen readers and tooltips.
        for (HWND up : {f.Button4_4, f.Button1_5, f.Button1_6})
            EXPECT_EQ(WindowText(up), Language("PROFILEFORM", "MOVE_UP"));
        for (HWND down : {f.Button5_4, f.Button2_5, f.Button2_6})
            EXPECT_EQ(WindowText(down), Language("PROFILEFORM", "MOVE_DOWN"));
        Click(f.ButtonSTORNO);
    }}));
}

TEST_F(EditorWindow, TheIconMenuHasNineEntriesAndEntrySevenIsStoredOnOk) {
    ASSERT_TRUE(EditOffice({[] {
        TProfile_Form& f = *Profile_Form;
        ASSERT_EQ(f.IconMenuCount(), 9);
        for (int entry = 0; entry < 9; ++entry)
            EXPECT_EQ(f.IconMenuCaption(entry), Language("PROFILEFORM", "ICON") + " " + std::to_string(entry));
        EXPECT_EQ(f.Image1_1Picture(), 2);
        f.onPopupIconMenuSelect(7);
        EXPECT_EQ(f.Image1_1Picture(), 7);
        Click(f.ButtonOK);
    }}));
    EXPECT_EQ(Profiles[0].Icon, 7);
    EXPECT_NE(program.Folder().Read("Settings/LAN2.ini").find("ICON=7"), std::string::npos);
}

TEST_F(EditorWindow, CancelAfterChangesLeavesTheStoredProfileExactlyAsItWas) {
    const TProfile before = Profiles[0];
    ASSERT_TRUE(EditOffice({
        [] {
            TProfile_Form& f = *Profile_Form;
            Type(f.Edit1_1, "Renamed");
            f.onPopupIconMenuSelect(8);
            f.SetActivePage(7);
            Click(f.CheckBox1_7);
            f.SetActivePage(5);
            f.SelectRow(4, 0);
            Click(f.Button5_5); // delete the DNS server
            EXPECT_EQ(f.RowCount(4), 0);
            f.SetActivePage(4);
            Click(f.Button6_4); // add a gateway
        },
        [] { Click(IPaddress_Form->ButtonOK); },
        [] {
            EXPECT_EQ(Profile_Form->RowCount(3), 4);
            Click(Profile_Form->ButtonSTORNO);
        },
    }));
    EXPECT_EQ(Profiles[0], before);
}

// Enter presses OK and Escape Cancel in every dialog; Ctrl+Tab and Ctrl+PageUp change the editor's page.
TEST_F(EditorWindow, DialogsTakeEnterAsOkAndEscapeAsCancel) {
    ASSERT_TRUE(EditOffice({
        [] {
            TProfile_Form& f = *Profile_Form;
            Type(f.Edit1_1, "By Enter");
            Press(VK_TAB, false, true);
        },
        [] {
            TProfile_Form& f = *Profile_Form;
            EXPECT_EQ(f.ActivePage(), 2);
            Press(VK_PRIOR, false, true);
            Press(VK_PRIOR, false, true);
        },
        [] {
            TProfile_Form& f = *Profile_Form;
            EXPECT_EQ(f.ActivePage(), 7);
            f.SetActivePage(5);
            f.SelectRow(4, 0);
            Click(f.Button4_5); // edit the DNS server
        },
        [] {
            EXPECT_EQ(WindowText(IPaddress_Form->ButtonSTORNO), Language("IPADDRESSFORM", "BUTTON_STORNO"));
            IPaddress_Form->JvIPAddress1.SetText("10.9.9.9");
            Press(VK_ESCAPE);
        },
        [] { Click(Profile_Form->Button3_5); }, // add a DNS server: Enter in the address presses OK
        [] { TypeKeys("10.0.0.54"); },
        [] {
            EXPECT_EQ(GetParent(GetFocus()), IPaddress_Form->JvIPAddress1.Handle());
            Press(VK_RETURN);
        },
        [] {
            TProfile_Form& f = *Profile_Form;
            f.SetActivePage(3);
            Click(f.Button1_3); // add a variable
        },
        [] {
            Type(ScriptMessage_Form->Edit1, "NEW");
            SetFocus(ScriptMessage_Form->Edit2);
            Press(VK_RETURN);
        },
        [] {
            TProfile_Form& f = *Profile_Form;
            EXPECT_EQ(f.RowCount(1), 2);
            SetFocus(f.Edit1_3);
            Press(VK_RETURN);
        },
    }));
    EXPECT_EQ(Profiles[0].Name, "By Enter");
    EXPECT_EQ(Profiles[0].Scripts.ScriptsValues.size(), 2u);
    EXPECT_EQ(Profiles[0].DNS.Adresses, (std::vector<std::string>{"10.0.0.53", "10.0.0.54"}));
    ASSERT_TRUE(EditOffice({[] {
        Type(Profile_Form->Edit1_1, "Dropped");
        Press(VK_ESCAPE);
    }}));
    EXPECT_EQ(Profiles[0].Name, "By Enter");
}

// From a fresh start, by keys alone: the pages change without the focus staying behind on a page no longer shown
// (where the dialog manager's search for a control ran round for ever), and Tab goes from the tab strip through
// the page shown to OK, Cancel and ?.
TEST_F(EditorWindow, TheKeyboardChangesPagesAndTabGoesThroughThePageThenTheButtons) {
    std::deque<std::function<void()>> steps = {
        [] { TypeKeys("Keys"); },
        [] { Press(VK_TAB, false, true); },
        [] {
            EXPECT_EQ(Profile_Form->ActivePage(), 2);
            EXPECT_EQ(GetFocus(), Profile_Form->PageControl); // nothing on the device page takes the focus
            Press(VK_TAB, false, true);
        },
        [] {
            EXPECT_EQ(Profile_Form->ActivePage(), 3);
            Press(VK_TAB, true, true);
        },
        [] { Press(VK_TAB); },
        [] {
            EXPECT_EQ(GetFocus(), Profile_Form->ButtonOK);
            Press(VK_SPACE);
        },
    };
    MouseClick(Page().JvListView1);
    Pump(200);
    {
        DialogSteps running(std::move(steps));
        Press(VK_INSERT);
        Pump(500);
        EXPECT_TRUE(running.Finished());
    }
    ASSERT_EQ(Profiles.size(), 2u);
    EXPECT_EQ(Profiles[1].Name, "Keys");

    // Through the IP page: strip, the page's controls, OK, Cancel, ?, and back to the strip.
    std::deque<std::function<void()>> tabs = {[] { Profile_Form->SetActivePage(4); },
                                              [] { SetFocus(Profile_Form->PageControl); }};
    const std::pair<bool, const char*> order[] = {{false, "CheckBox1_4"}, {true, "strip"},    {true, "ButtonHELP"},
                                                  {true, "ButtonSTORNO"}, {true, "ButtonOK"}, {true, "Button8_4"},
                                                  {false, "ButtonOK"}};
    for (const auto& [back, name] : order) {
        tabs.push_back([back = back] { Press(VK_TAB, back); });
        tabs.push_back([name = name] {
            std::string focus = GetFocus() == Profile_Form->PageControl ? "strip" : "";
            for (const auto& [controlName, control] : Profile_Form->NamedControls())
                if (control == GetFocus())
                    focus = controlName;
            EXPECT_EQ(focus, name);
        });
    }
    tabs.push_back([] { Press(VK_ESCAPE); });
    ASSERT_TRUE(EditOffice(std::move(tabs)));
}

// On a slot page F2 edits the selected profile, a double-click does the same, and Insert adds one.
TEST_F(EditorWindow, F2ADoubleClickAndInsertOpenTheEditor) {
    std::vector<std::string> opened;
    auto recordAndCancel = [&opened] {
        opened.push_back(WindowText(Profile_Form->Edit1_1));
        Press(VK_ESCAPE);
    };
    Page().SelectRow(0);
    for (WORD key : {VK_F2, VK_INSERT}) {
        DialogSteps steps({recordAndCancel});
        SetFocus(Page().JvListView1);
        Press(key);
        Pump(200);
        EXPECT_TRUE(steps.Finished()) << key;
    }
    RECT row;
    ListView_GetItemRect(Page().JvListView1, 0, &row, LVIR_LABEL);
    POINT middle{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    ClientToScreen(Page().JvListView1, &middle);
    DialogSteps steps({recordAndCancel});
    ClickAt(middle);
    ClickAt(middle);
    Pump(300);
    EXPECT_TRUE(steps.Finished());
    EXPECT_EQ(opened, (std::vector<std::string>{"Office", Language("PROFILEFORM", "IPPROFILE"), "Office"}));
}

TEST_F(EditorWindow, TheCloseBoxDropsANewProfile) {
    DialogSteps steps({[] { SendMessageA(Profile_Form->Handle(), WM_CLOSE, 0, 0); }});
    Page().onClick(TFrameSender::Label_ADD);
    EXPECT_TRUE(steps.Finished());
    EXPECT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(Selection.CurrentProfile, -1);
}

TEST_F(EditorWindow, EditingAnAddressRowOpensModeAWithBothEntriesAfterAGatewayEdit) {
    ASSERT_TRUE(EditOffice({
        [] {
            TProfile_Form& f = *Profile_Form;
            Type(f.Edit1_1, "Edited before the dialogs");
            f.SetActivePage(4);
            f.SelectRow(3, 1);
            Click(f.Button7_4); // edit a gateway first
        },
        [] {
            TIPaddress_Form& d = *IPaddress_Form;
            EXPECT_EQ(WindowText(d.Handle()), Language("IPADDRESSFORM", "WINDOWTITLE_B"));
            EXPECT_EQ(WindowText(d.Label1), Language("IPADDRESSFORM", "LABEL1_B"));
            EXPECT_FALSE(IsWindowVisible(d.JvIPAddress2.Handle()));
            EXPECT_EQ(d.JvIPAddress1.Text(), "10.0.0.2");
            Click(d.ButtonSTORNO);
        },
        [] {
            TProfile_Form& f = *Profile_Form;
            f.SelectRow(2, 1);
            Click(f.Button2_4);
        },
        [] {
            TIPaddress_Form& d = *IPaddress_Form;
            EXPECT_EQ(Selection.DialogMode, 2);
            EXPECT_EQ(WindowText(d.Handle()), Language("IPADDRESSFORM", "WINDOWTITLE_A"));
            EXPECT_EQ(d.Header.MainText(), Language("IPADDRESSFORM", "MAINTITLE_A"));
            EXPECT_EQ(WindowText(d.Label2), Language("IPADDRESSFORM", "LABEL2_A"));
            EXPECT_EQ(WindowText(d.Label3), Language("IPADDRESSFORM", "LABEL3_A"));
            EXPECT_TRUE(IsWindowVisible(d.JvIPAddress2.Handle()));
            EXPECT_EQ(d.JvIPAddress1.Text(), "10.0.0.6");
            EXPECT_EQ(d.JvIPAddress2.Text(), "255.255.0.0");
            d.JvIPAddress1.SetText("10.0.0.60");
            Click(d.ButtonOK);
        },
        [] {
            TProfile_Form& f = *Profile_Form;
            // Coming back from the dialogs did not load the profile again.
            EXPECT_EQ(WindowText(f.Edit1_1), "Edited before the dialogs");
            EXPECT_EQ(f.RowText(2, 1, 0), "10.0.0.60");
            EXPECT_EQ(f.RowText(2, 1, 1), "255.255.0.0");
            EXPECT_EQ(f.RowText(3, 1), "10.0.0.2");
            Click(f.ButtonOK);
        },
    }));
    EXPECT_EQ(Profiles[0].IP.Adresses[1], (TAddress{"10.0.0.60", "255.255.0.0"}));
    EXPECT_EQ(Profiles[0].IP.Gateways, (std::vector<std::string>{"10.0.0.1", "10.0.0.2", "10.0.0.3"}));
    EXPECT_EQ(Profiles[0].Name, "Edited before the dialogs");
}

TEST_F(EditorWindow, ScriptVariableOkWithAnEmptyNameCountsAsCancel) {
    ASSERT_TRUE(EditOffice({
        [] {
            Profile_Form->SetActivePage(3);
            Click(Profile_Form->Button1_3);
        },
        [] {
            TScriptMessage_Form& d = *ScriptMessage_Form;
            EXPECT_EQ(WindowText(d.Handle()), Language("SCRIPTMESSAGEFORM", "WINDOWTITLE"));
            EXPECT_EQ(WindowText(d.ButtonSTORNO), Language("SCRIPTMESSAGEFORM", "BUTTON_STORNO"));
            EXPECT_EQ(WindowText(d.Edit1), "");
            Type(d.Edit2, "typed value");
            Click(d.ButtonOK);
        },
        [] {
            EXPECT_EQ(Selection.EditIndex, -2);
            EXPECT_EQ(Selection.DialogValue2, "");
            EXPECT_EQ(Profile_Form->RowCount(1), 1);
            Click(Profile_Form->Button1_3);
        },
        [] {
            Type(ScriptMessage_Form->Edit1, "user");
            Click(ScriptMessage_Form->ButtonOK);
        },
        [] {
            ASSERT_EQ(Profile_Form->RowCount(1), 2);
            EXPECT_EQ(Profile_Form->RowText(1, 1, 0), "user");
            EXPECT_EQ(Profile_Form->RowText(1, 1, 1), "");
            Profile_Form->SelectRow(1, 0);
            Click(Profile_Form->Button2_3);
        },
        [] {
            // An existing pair is shown.
            EXPECT_EQ(WindowText(ScriptMessage_Form->Edit1), "HOST");
            EXPECT_EQ(WindowText(ScriptMessage_Form->Edit2), "pc1");
            Click(ScriptMessage_Form->ButtonSTORNO);
        },
        [] { Click(Profile_Form->Button1_3); },
        [] {
            // The close box cancels: no empty pair is added.
            Type(ScriptMessage_Form->Edit1, "TYPED");
            SendMessageA(ScriptMessage_Form->Handle(), WM_CLOSE, 0, 0);
        },
        [] {
            EXPECT_EQ(Selection.EditIndex, -2);
            EXPECT_EQ(Profile_Form->RowCount(1), 2);
            Click(Profile_Form->ButtonOK);
        },
    }));
    EXPECT_EQ(Profiles[0].Scripts.ScriptsValues, (std::vector<TScriptValue>{{"HOST", "pc1"}, {"user", ""}}));
}

TEST_F(EditorWindow, TheIPAddressEntryConvertsWhatItIsGivenAndCompletesEmptiedFields) {
    ASSERT_TRUE(EditOffice({
        [] {
            Profile_Form->SetActivePage(4);
            Click(Profile_Form->Button1_4); // a new address
        },
        [] {
            TIPaddress_Form& d = *IPaddress_Form;
            EXPECT_EQ(d.JvIPAddress1.Text(), "0.0.0.0");
            d.JvIPAddress1.SetText("10.0.0.300");
            EXPECT_EQ(d.JvIPAddress1.Text(), "10.0.0.44");
            d.JvIPAddress1.SetText("abc");
            EXPECT_EQ(d.JvIPAddress1.Text(), "0.0.0.0");
            EXPECT_EQ(WindowText(d.JvIPAddress1.Field(0)), "0");
            // 192 and 168 typed, the other two fields emptied; leaving the entry shows them as 0.
            d.JvIPAddress1.SetText("192.168.1.1");
            SetFocus(d.JvIPAddress1.Field(2));
            Type(d.JvIPAddress1.Field(2), "");
            Type(d.JvIPAddress1.Field(3), "");
            SetFocus(d.ButtonSTORNO);
            EXPECT_EQ(WindowText(d.JvIPAddress1.Field(3)), "0");
            Click(d.ButtonOK);
        },
        [] {
            // Untouched, the mask comes back as 0.0.0.0 too; the index stayed -1, so it was added.
            EXPECT_EQ(Selection.EditIndex, -1);
            EXPECT_EQ(Selection.DialogValue2, "0.0.0.0");
            ASSERT_EQ(Profile_Form->RowCount(2), 3);
            EXPECT_EQ(Profile_Form->RowText(2, 2, 0), "192.168.0.0");
            Profile_Form->SetActivePage(5);
            Click(Profile_Form->Button3_5); // a new DNS server
        },
        [] {
            IPaddress_Form->JvIPAddress1.SetText("10.0.0.54");
            SendMessageA(IPaddress_Form->Handle(), WM_CLOSE, 0, 0);
        },
        [] {
            // The close box is a Storno: nothing added.
            EXPECT_EQ(Selection.EditIndex, -2);
            EXPECT_EQ(Profile_Form->RowCount(4), 1);
            Click(Profile_Form->ButtonSTORNO);
        },
    }));
}

TEST_F(EditorWindow, TabMovesThroughTheFourFieldsAndThenToTheNextControl) {
    // Each key goes through the dialog's own message loop; the step after it looks where the focus went.
    auto field = [](int entry, int index) {
        TIPAddressEdit& e = entry == 1 ? IPaddress_Form->JvIPAddress1 : IPaddress_Form->JvIPAddress2;
        return e.Field(index);
    };
    std::deque<std::function<void()>> steps = {[] {
        Profile_Form->SetActivePage(4);
        Click(Profile_Form->Button1_4);
    }};
    steps.push_back([field] { EXPECT_EQ(GetFocus(), field(1, 0)); });
    const std::pair<int, int> order[] = {{1, 1}, {1, 2}, {1, 3}, {2, 0}, {2, 1}, {2, 2}, {2, 3}};
    for (const auto& [entry, index] : order) {
        steps.push_back([] { Press(VK_TAB); });
        steps.push_back([field, entry, index] { EXPECT_EQ(GetFocus(), field(entry, index)) << entry << index; });
    }
    steps.push_back([] { Press(VK_TAB); });
    steps.push_back([] { EXPECT_EQ(GetFocus(), IPaddress_Form->ButtonOK); });
    // Shift+Tab goes back: out of the second entry's first field into the first entry's last field, and out of
    // the first entry's first field to the control before it.
    steps.push_back([field] { SetFocus(field(2, 0)); });
    steps.push_back([] { Press(VK_TAB, true); });
    steps.push_back([field] { EXPECT_EQ(GetFocus(), field(1, 3)); });
    steps.push_back([field] { SetFocus(field(1, 0)); });
    steps.push_back([] { Press(VK_TAB, true); });
    steps.push_back([] { EXPECT_EQ(GetFocus(), IPaddress_Form->ButtonSTORNO); });
    steps.push_back([] { Click(IPaddress_Form->ButtonSTORNO); });
    steps.push_back([] { Click(Profile_Form->ButtonSTORNO); });
    ASSERT_TRUE(EditOffice(std::move(steps)));
}

TEST_F(EditorWindow, AnAddressTypedKeyByKeyFillsTheFieldsInTurn) {
    // Each field the entry moves into has its text selected, so typing replaces the 0 a new entry shows; a number
    // above 255 becomes 255 in its own field only.
    const std::pair<std::string, std::string> typed[] = {
        {"192.168.10.25", "192.168.10.25"}, {"300.1.2.3", "255.1.2.3"}, {"10.999.2.3", "10.255.2.3"}};
    for (const auto& [keys, shown] : typed)
        ASSERT_TRUE(EditOffice({
            [] {
                Profile_Form->SetActivePage(5);
                Click(Profile_Form->Button3_5);
            },
            [keys = keys] { TypeKeys(keys); },
            [] { Click(IPaddress_Form->ButtonOK); },
            [shown = shown] {
                EXPECT_EQ(Profile_Form->RowText(4, 1), shown);
                Click(Profile_Form->ButtonSTORNO);
            },
        }));
}

TEST_F(EditorWindow, ListButtonsFollowTheRowsAndMovesKeepTheRowSelected) {
    ASSERT_TRUE(EditOffice({[] {
        TProfile_Form& f = *Profile_Form;
        f.SetActivePage(4);
        f.SelectRow(3, 0);
        Click(f.Button4_4); // up on the first row
        EXPECT_EQ(f.RowText(3, 0), "10.0.0.1");
        EXPECT_EQ(f.SelectedRow(3), 0);
        f.SelectRow(3, 2);
        Click(f.Button5_4); // down on the last row
        EXPECT_EQ(f.SelectedRow(3), 2);
        f.SelectRow(3, 1);
        Click(f.Button4_4); // up on row 2 of three
        EXPECT_EQ(f.RowText(3, 0), "10.0.0.2");
        EXPECT_EQ(f.SelectedRow(3), 0);
        Click(f.Button8_4); // delete the selected row
        EXPECT_EQ(f.RowCount(3), 2);
        EXPECT_EQ(f.SelectedRow(3), -1);
        EXPECT_TRUE(IsWindowEnabled(f.Button8_4)); // rows are left, though none is selected
        Click(f.Button8_4);                        // nothing selected: nothing happens
        EXPECT_EQ(f.RowCount(3), 2);

        // Deleting the only DNS row disables its edit, delete and arrow buttons.
        f.SetActivePage(5);
        f.SelectRow(4, 0);
        Click(f.Button5_5);
        for (HWND button : {f.Button1_5, f.Button2_5, f.Button4_5, f.Button5_5})
            EXPECT_FALSE(IsWindowEnabled(button));
        EXPECT_TRUE(IsWindowEnabled(f.Button3_5));

        // The IP apply box switched off disables the whole page below it; DHCP leaves only the radios.
        f.SetActivePage(4);
        Click(f.CheckBox1_4);
        for (HWND control : {f.RadioButton1_4, f.RadioButton2_4, f.JvListView1_4, f.JvListView2_4, f.Button1_4,
                             f.Button6_4, f.Button7_4})
            EXPECT_FALSE(IsWindowEnabled(control));
        Click(f.CheckBox1_4);
        Click(f.RadioButton1_4);
        EXPECT_TRUE(IsWindowEnabled(f.RadioButton2_4));
        EXPECT_FALSE(IsWindowEnabled(f.JvListView1_4) || IsWindowEnabled(f.Button1_4));
        Click(f.ButtonOK);
    }}));
    EXPECT_EQ(Profiles[0].IP.Gateways, (std::vector<std::string>{"10.0.0.1", "10.0.0.3"}));
    EXPECT_EQ(Profiles[0].IP.SourceType, 0);
    EXPECT_TRUE(Profiles[0].DNS.Adresses.empty());
}

TEST_F(EditorWindow, ThePagesShowTheProfileAndPageTwoCannotBeChanged) {
    ASSERT_TRUE(EditOffice({[] {
        TProfile_Form& f = *Profile_Form;
        TProfileControls c = f.ReadControls();
        // Page 1: the keep question is off, and its seconds can be typed once its box is ticked.
        EXPECT_FALSE(c.CheckBox1_1);
        EXPECT_EQ(c.Edit2_1, "30");
        EXPECT_FALSE(IsWindowEnabled(f.Edit2_1));
        MouseClick(f.CheckBox1_1);
        Pump(50);
        ASSERT_TRUE(IsWindowEnabled(f.Edit2_1));
        Type(f.Edit2_1, "45");
        EXPECT_TRUE(c.CheckBox1_2 && c.RadioButton2_2);
        EXPECT_FALSE(IsWindowEnabled(f.CheckBox1_2) || IsWindowEnabled(f.RadioButton1_2));
        EXPECT_TRUE(c.CheckBox2_5 && c.CheckBox3_5);
        EXPECT_EQ(WindowText(f.Edit1_3), "C:\\t.txt");
        // The firewall is off: the two boxes under it are disabled and still stored as they show.
        EXPECT_FALSE(IsWindowEnabled(f.CheckBox3_7));
        EXPECT_TRUE(c.CheckBox3_7);
        EXPECT_EQ(SendMessageA(f.JvListView1_4, LVM_GETTEXTCOLOR, 0, 0),
                  static_cast<LRESULT>(GetSysColor(COLOR_WINDOWTEXT)));
        // WINS is off: its arrow buttons are disabled and show their pictures in grey, not a solid square.
        f.SetActivePage(6);
        UpdateWindow(f.Handle());
        Pump(100);
        for (HWND arrow : {f.Button1_6, f.Button2_6}) {
            ASSERT_FALSE(IsWindowEnabled(arrow));
            RECT r;
            GetWindowRect(arrow, &r);
            HDC screen = GetDC(nullptr);
            int coloured = 0;
            int picture = 0;
            const COLORREF face = GetPixel(screen, r.left + 3, r.top + 3);
            for (int y = r.top + 4; y < r.bottom - 4; ++y)
                for (int x = r.left + 4; x < r.right - 4; ++x) {
                    const COLORREF p = GetPixel(screen, x, y);
                    const int spread = std::max({GetRValue(p), GetGValue(p), GetBValue(p)}) -
                                       std::min({GetRValue(p), GetGValue(p), GetBValue(p)});
                    coloured += spread > 12 ? 1 : 0;
                    picture += std::abs(GetGValue(p) - GetGValue(face)) > 30 ? 1 : 0;
                }
            ReleaseDC(nullptr, screen);
            EXPECT_EQ(coloured, 0);
            EXPECT_GT(picture, 10);
            EXPECT_LT(picture, 120); // a picture, not a filled square
        }
        Click(f.ButtonOK);
    }}));
    EXPECT_EQ(Profiles[0].OnOff, (TOnOffGroup{true, 1}));
    EXPECT_TRUE(Profiles[0].Firewall.EnableExceptions);
    EXPECT_EQ(Profiles[0].DNS.RegisterInDNS, 2);
    EXPECT_EQ(Profiles[0].Keep, (TKeepGroup{true, 45}));
    EXPECT_NE(program.Folder().Read("Settings/LAN2.ini").find("KEEP_ASK=TRUE\r\nKEEP_SECONDS=45\r\n"),
              std::string::npos);
}

TEST_F(EditorWindow, BrowseAndHelpButtons) {
    ASSERT_TRUE(EditOffice({[] {
        TProfile_Form& f = *Profile_Form;
        f.SetActivePage(3);
        // The system's file dialog, whose library is loaded only now: it opens, and Cancel leaves the field as it was.
        static bool dialogShown;
        dialogShown = false;
        SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
            HWND dialog = FindWindowA("#32770", nullptr);
            if (dialog != nullptr && GetWindow(dialog, GW_OWNER) == Profile_Form->Handle()) {
                dialogShown = true;
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                KillTimer(nullptr, timer);
            }
        });
        Click(f.Button4_3);
        EXPECT_TRUE(dialogShown);
        EXPECT_EQ(WindowText(f.Edit1_3), "C:\\t.txt");
        f.JvOpenDialog1 = [](std::string& name) {
            name = "C:\\Scripts\\chosen.cmd";
            return true;
        };
        Click(f.Button6_3);
        EXPECT_EQ(WindowText(f.Edit3_3), "C:\\Scripts\\chosen.cmd");
        f.JvOpenDialog1 = [](std::string&) { return false; };
        Click(f.Button4_3);
        EXPECT_EQ(WindowText(f.Edit1_3), "C:\\t.txt");
        Click(f.ButtonHELP);
        EXPECT_NE(Profile_Form, nullptr); // still open
        Click(f.ButtonOK);
    }}));
    EXPECT_EQ(Profiles[0].Scripts.Command, "C:\\Scripts\\chosen.cmd");
    ASSERT_EQ(program.OpenedDocuments.size(), 1u);
    EXPECT_EQ(program.OpenedDocuments[0], LanguageDir + "\\Help\\ProfileForm.htm");
}

TEST_F(EditorWindow, AnIconOutsideTheListDrawsNothing) {
    Profiles[0].Icon = 42;
    ASSERT_TRUE(EditOffice({[] {
        EXPECT_EQ(Profile_Form->Image1_1Picture(), -1);
        UpdateWindow(Profile_Form->Handle());
        Click(Profile_Form->ButtonOK);
    }}));
    EXPECT_EQ(Profiles[0].Icon, 42);
}

TEST_F(EditorWindow, TheInterfaceDialogFromSlotThreeChangesSlotThreeOnly) {
    form->JvPanel.SetActivePage(3);
    const TInterfaceSlot slot2 = Interfaces[2];
    DialogSteps steps({[] {
        TInterface_Form& d = *Interface_Form;
        EXPECT_EQ(d.Slot(), 3);
        EXPECT_EQ(WindowText(d.Edit1), Interfaces[3].Name);
        EXPECT_EQ(WindowText(d.ButtonOK), Language("INTERFACEFORM", "BUTTON_OK"));
        ASSERT_EQ(d.IconMenuCount(), 8);
        EXPECT_EQ(d.IconMenuCaption(7), Language("INTERFACEFORM", "ICON") + " 7");
        d.onPopupIconMenuSelect(5);
        EXPECT_EQ(d.Image1Picture(), 5);
        Type(d.Edit1, " Lab ");
        Type(d.Edit2, "Test bench");
        Type(d.Edit3, "Ethernet 3");
        Click(d.ButtonOK);
    }});
    form->MainFrame(3).onClick(TFrameSender::Label_INTERFACE);
    EXPECT_TRUE(steps.Finished());
    EXPECT_EQ(Interfaces[3].Name, " Lab ");
    EXPECT_EQ(Interfaces[3].Caption, "Test bench");
    EXPECT_EQ(Interfaces[3].Interface, "Ethernet 3");
    EXPECT_EQ(Interfaces[3].Icon, 5);
    EXPECT_EQ(Interfaces[2], slot2);
    EXPECT_EQ(form->JvPanel.PageCaption(3), " Lab ");
    EXPECT_EQ(form->JvPanel.PageImage(3), 5);
    EXPECT_EQ(MenuItemCaption(form->CoolTrayPopupMenu, 2), " Lab  - Test bench");
    // Quoted in the file, so that its blanks are read back.
    EXPECT_NE(program.Folder().Read("Settings/LAN3.ini").find("NAME=\" Lab \"\r\n"), std::string::npos);
}

TEST_F(EditorWindow, StornoOrTheCloseBoxOfTheInterfaceDialogStoresNothing) {
    const auto slots = Interfaces;
    for (bool closeBox : {false, true}) {
        DialogSteps steps({[closeBox] {
            TInterface_Form& d = *Interface_Form;
            Type(d.Edit1, "Changed");
            d.onPopupIconMenuSelect(0);
            if (closeBox)
                SendMessageA(d.Handle(), WM_CLOSE, 0, 0);
            else
                Click(d.ButtonSTORNO);
        }});
        Page().onClick(TFrameSender::Label_INTERFACE);
        EXPECT_TRUE(steps.Finished());
        EXPECT_EQ(Interfaces, slots);
    }
    // A slot icon outside the page images shows the first, as the pane does, and is stored as it was.
    Interfaces[2].Icon = 99;
    DialogSteps steps({[] {
        EXPECT_EQ(Interface_Form->Image1Picture(), 0);
        Click(Interface_Form->ButtonHELP);
        Click(Interface_Form->ButtonOK);
    }});
    Page().onClick(TFrameSender::Label_INTERFACE);
    EXPECT_TRUE(steps.Finished());
    EXPECT_EQ(Interfaces[2].Icon, 99);
    ASSERT_EQ(program.OpenedDocuments.size(), 1u);
    EXPECT_EQ(program.OpenedDocuments[0], LanguageDir + "\\Help\\InterfaceForm.htm");
}

// The text of an entry of a drop-down list.
std::string ListEntry(HWND list, int entry) {
    char text[512] = {};
    SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(text));
    return text;
}

// The message of the active message box.
std::string MessageBoxText() {
    std::string text;
    EnumChildWindows(
        GetActiveWindow(),
        [](HWND child, LPARAM found) {
            char className[16] = {};
            GetClassNameA(child, className, sizeof className);
            if (lstrcmpiA(className, "Static") == 0)
                *reinterpret_cast<std::string*>(found) += WindowText(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

// The connection field lists the machine's connections (here the stand-in's); a name netsh cannot be given is
// listed but not taken; a name that is not present is said under the field and can still be typed.
TEST_F(EditorWindow, TheInterfaceDialogOffersTheMachinesConnectionsAndTypingStillWorks) {
    MachineStandIn machine(program.Folder(), "[CONNECTION_1]\r\nNAME=Ethernet 2\r\nDESCRIPTION=Intel(R) Ethernet\r\n"
                                             "[CONNECTION_2]\r\nNAME=WLAN ?\r\nNAME_FITS=FALSE\r\n"
                                             "DESCRIPTION=Wireless\r\nSTATE=DISCONNECTED\r\n"
                                             "[CONNECTION_3]\r\nNAME=Dock\r\nSTATE=DISABLED\r\n");
    DialogSteps steps({
        [] {
            TInterface_Form& d = *Interface_Form;
            EXPECT_EQ(WindowText(d.Edit3), "LAN");
            EXPECT_EQ(d.ConnectionNote(), "The connection 'LAN' is not present on this computer.");
            ASSERT_EQ(SendMessageA(d.Edit3, CB_GETCOUNT, 0, 0), 3);
            EXPECT_EQ(ListEntry(d.Edit3, 0), "Ethernet 2");
            EXPECT_EQ(d.ConnectionEntryText(0), "Ethernet 2 - Intel(R) Ethernet, connected");
            EXPECT_EQ(d.ConnectionEntryText(1), "WLAN ? - Wireless, disconnected (cannot be chosen)");
            EXPECT_EQ(d.ConnectionEntryText(2), "Dock, disabled");
            // From the name field to the connection field, and down its list.
            Press(VK_TAB);
            Press(VK_TAB);
            Press(VK_DOWN);
        },
        [] {
            EXPECT_EQ(WindowText(Interface_Form->Edit3), "Ethernet 2");
            EXPECT_EQ(Interface_Form->ConnectionNote(), "");
            Press(VK_DOWN);
        },
        [] {
            EXPECT_EQ(WindowText(Interface_Form->Edit3), "Ethernet 2");
            EXPECT_EQ(Interface_Form->ConnectionNote(), Language("CONNECTIONS", "NAME_UNUSABLE"));
            Press(VK_DOWN);
        },
        [] {
            EXPECT_EQ(WindowText(Interface_Form->Edit3), "Dock");
            Press(VK_F4); // the list opens and closes again: the field keeps the name, not what the entry shows
        },
        [] { Press(VK_F4); },
        [] {
            EXPECT_EQ(WindowText(Interface_Form->Edit3), "Dock");
            // A docking station's second adapter, absent while the slot is set up.
            TypeKeys("Dock 2");
        },
        [] {
            EXPECT_EQ(WindowText(Interface_Form->Edit3), "Dock 2");
            EXPECT_EQ(Interface_Form->ConnectionNote(), "The connection 'Dock 2' is not present on this computer.");
            Click(Interface_Form->ButtonOK);
        },
    });
    Page().onClick(TFrameSender::Label_INTERFACE);
    EXPECT_TRUE(steps.Finished());
    EXPECT_EQ(Interfaces[2].Interface, "Dock 2");
    EXPECT_EQ(Page().ConnectionNote(), "Not present: Dock 2");
}

// "Take the current settings" fills the IP, DNS and WINS pages from the slot's connection; OK stores them and the
// rest of the profile as it was. Without the connection the editor says so and takes nothing.
TEST_F(EditorWindow, TakingTheCurrentSettingsFillsTheAddressPagesAndLeavesTheRest) {
    MachineStandIn machine(program.Folder(), "[CONNECTION_1]\r\nNAME=LAN\r\nADDRESSES=192.168.7.5/255.255.255.0\r\n"
                                             "GATEWAYS=192.168.7.1\r\nDNS=192.168.7.53\r\nDNS_FROM_DHCP=FALSE\r\n"
                                             "DNS_REGISTRATION=0\r\nWINS_FROM_DHCP=TRUE\r\n");
    TProfile expected = Profiles[0];
    ASSERT_TRUE(EditOffice({[] { MouseClick(Profile_Form->Button1_1); },
                            [] {
                                TProfile_Form& f = *Profile_Form;
                                ASSERT_EQ(f.RowCount(2), 1);
                                EXPECT_EQ(f.RowText(2, 0, 1), "255.255.255.0");
                                EXPECT_EQ(f.RowCount(3), 1);
                                EXPECT_EQ(f.RowText(4, 0), "192.168.7.53");
                                const TProfileControls c = f.ReadControls();
                                EXPECT_TRUE(c.CheckBox1_6 && c.RadioButton1_6 && !c.CheckBox2_5);
                                Click(f.ButtonOK);
                            }}));
    expected.IP = {true, 1, {{"192.168.7.5", "255.255.255.0"}}, {"192.168.7.1"}};
    expected.DNS = {true, 1, {"192.168.7.53"}, 0};
    expected.WINS = {true, 0, {}};
    EXPECT_EQ(Profiles[0], expected);

    machine.Write("[CONNECTION_1]\r\nNAME=LAN\r\nSTATE=DISCONNECTED\r\n");
    std::string told;
    ASSERT_TRUE(EditOffice({[] { MouseClick(Profile_Form->Button1_1); },
                            [&told] {
                                told = MessageBoxText();
                                Press(VK_RETURN);
                            },
                            [] { Click(Profile_Form->ButtonOK); }}));
    EXPECT_EQ(told, "The connection 'LAN' is disconnected: its settings show only while it is connected.");
    EXPECT_EQ(Profiles[0], expected);
}

// The slot page's context menu makes a new profile from the connection's current settings.
TEST_F(EditorWindow, ANewProfileFromTheCurrentSettingsOpensTheEditorFilledOrSaysWhyNot) {
    EXPECT_EQ(Page().CommandCaption(TFrameCommand::AddFromCurrent), Language("TREEVIEW2", "ITEM5"));
    MachineStandIn machine(program.Folder(), "[CONNECTION_1]\r\nNAME=lan\r\nDHCP=TRUE\r\n"
                                             "ADDRESSES=10.9.0.7/255.255.0.0\r\nDNS_FROM_DHCP=TRUE\r\n"
                                             "WINS=10.9.0.2\r\nWINS_FROM_DHCP=FALSE\r\n");
    DialogSteps steps({[] {
        TProfile_Form& f = *Profile_Form;
        EXPECT_EQ(WindowText(f.Edit1_1), Language("PROFILEFORM", "IPPROFILE"));
        const TProfileControls c = f.ReadControls();
        EXPECT_TRUE(c.RadioButton1_4 && c.RadioButton1_5 && c.RadioButton2_6);
        EXPECT_EQ(f.RowCount(5), 1);
        Click(f.ButtonOK);
    }});
    Page().onClick(TFrameSender::Popup_ADDCURRENT);
    EXPECT_TRUE(steps.Finished());
    ASSERT_EQ(Profiles.size(), 2u);
    EXPECT_EQ(Profiles[1].InterfaceNo, 2);
    EXPECT_EQ(Profiles[1].IP, (TIPGroup{true, 0, {}, {}}));
    EXPECT_EQ(Profiles[1].WINS, (TWINSGroup{true, 1, {"10.9.0.2"}}));
    EXPECT_EQ(Profiles[1].Firewall, (TFirewallGroup{true, true, false, true}));
    EXPECT_EQ(Page().RowCount(), 2);

    machine.Write("[CONNECTION_1]\r\nNAME=Wi-Fi\r\n");
    Page().onClick(TFrameSender::Popup_ADDCURRENT);
    EXPECT_EQ(program.Errors, (std::vector<std::string>{"The connection 'LAN' is not present on this computer."}));
    EXPECT_EQ(Profiles.size(), 2u);
}

// With the editor open the tray starts nothing: a profile picked from its menu would become the one the editor's OK
// writes into, and a hide and show would reload the store under the editor.
TEST(EditorAndTray, WhileTheEditorIsOpenTheTrayStartsNothing) {
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=2\r\n");
    program.Folder().Write("Settings/LAN2.ini", "[LAN]\r\nNAME=Office\r\n"
                                                "[PROFILE_1]\r\nNAME=A\r\nIP_APPLY=TRUE\r\n"
                                                "[PROFILE_2]\r\nNAME=B\r\nIP_APPLY=TRUE\r\nICON=6\r\n");
    Recording netsh(program.Folder());
    TGUI_Form& form = program.Start();
    const TProfile untouchedB = Profiles[1];
    form.MainFrame(2).SelectRow(0);
    DialogSteps steps({[&] {
        Type(Profile_Form->Edit1_1, "A changed");
        form.TrayMenuCommand(TGUI_Form::FirstProfileItem + 1); // B from the tray menu
        for (int click = 0; click < 2; ++click)                // hide, then show again
            SendMessageA(form.CoolTrayIcon.HandlerWindow(), TCoolTrayIcon::CallbackMessage, TCoolTrayIcon::IconId,
                         WM_LBUTTONDBLCLK);
        form.TrayMenuCommand(TGUI_Form::CoolTrayItem2); // Exit
        EXPECT_TRUE(IsWindowVisible(form.Handle()));
        EXPECT_EQ(GetForegroundWindow(), Profile_Form->Handle());
        Click(Profile_Form->ButtonOK);
    }});
    form.MainFrame(2).onClick(TFrameSender::Label_EDIT);
    EXPECT_TRUE(steps.Finished());
    EXPECT_TRUE(netsh.Runs().empty());
    ASSERT_EQ(Profiles.size(), 2u);
    EXPECT_EQ(Profiles[0].Name, "A changed");
    EXPECT_EQ(Profiles[1], untouchedB);
    const std::string file = program.Folder().Read("Settings/LAN2.ini");
    EXPECT_NE(file.find("[PROFILE_1]\r\nNAME=A changed\r\n"), std::string::npos);
    EXPECT_NE(file.find("[PROFILE_2]\r\nNAME=B\r\nICON=6\r\n"), std::string::npos);
    EXPECT_EQ(file.find("[PROFILE_3]"), std::string::npos);
    form.FormClose();
}

// Whether a control's caption shows whole at its size, in its font; the reason when it does not.
std::string CaptionCut(HWND control) {
    const std::string text = WindowText(control);
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    if (text.empty() || !IsWindowVisible(control) ||
        (lstrcmpiA(className, "Button") != 0 && lstrcmpiA(className, "Static") != 0))
        return "";
    const UINT dpi = WindowDpi(control);
    RECT client;
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, client.right, 0};
    DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SIZE line{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &line);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const LONG_PTR kind = style & BS_TYPEMASK;
    int room = client.right;
    if (lstrcmpiA(className, "Static") == 0) {
        if (needed.bottom > client.bottom)
            return text + ": " + std::to_string(needed.bottom) + " high in " + std::to_string(client.bottom);
        return "";
    }
    if (kind == BS_OWNERDRAW)
        return ""; // a picture button: its text is its name, never drawn
    if (kind == BS_GROUPBOX)
        room -= Scaled(16, dpi);
    else if (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX || kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON)
        room -= GetSystemMetrics(SM_CXMENUCHECK) + Scaled(6, dpi);
    else
        room -= Scaled(8, dpi);
    if (line.cx > room)
        return text + ": " + std::to_string(line.cx) + " wide in " + std::to_string(room);
    return "";
}

// The editor is its 96-DPI design at the display's scale, and every caption on every page shows whole. Run in a
// Wine prefix at 144 DPI too.
TEST(HighDpi, TheEditorIsScaledAndNoCaptionIsCut) {
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=2\r\n");
    program.Folder().Write("Settings/LAN2.ini", OfficeSlot);
    TGUI_Form& form = program.Start();
    const UINT dpi = WindowDpi(form.Handle());
    std::cout << "Display: " << dpi << " DPI\n";
    form.MainFrame(2).SelectRow(0);
    DialogSteps steps({[dpi] {
        TProfile_Form& f = *Profile_Form;
        RECT client;
        GetClientRect(f.Handle(), &client);
        EXPECT_EQ(client.right, Scaled(479, dpi));
        EXPECT_EQ(client.bottom, Scaled(517, dpi));
        std::vector<HWND> controls;
        EnumChildWindows(
            f.Handle(),
            [](HWND child, LPARAM list) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&controls));
        for (int page = 1; page <= 7; ++page) {
            f.SetActivePage(page);
            for (HWND control : controls)
                EXPECT_EQ(CaptionCut(control), "") << "page " << page;
        }
        Click(f.ButtonSTORNO);
    }});
    form.MainFrame(2).onClick(TFrameSender::Label_EDIT);
    EXPECT_TRUE(steps.Finished());
    form.FormClose();
}

} // namespace
