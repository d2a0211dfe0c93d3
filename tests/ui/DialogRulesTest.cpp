// The small dialogs without their windows: what the script variable and IP address dialogs hand back, the IP
// address dialog's keys per mode, and the interface dialog's fields.
#include "ui/rules/DialogRules.h"
#include "TestFolders.h"
#include "core/Promenne.h"
#include "core/Startup.h"
#include "engine/Connections.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

namespace {

class ValueDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        Selection = TSelection();
        Selection.EditIndex = 3;
        Selection.DialogValue1 = "IN1";
        Selection.DialogValue2 = "IN2";
    }
};

TEST_F(ValueDialogs, ScriptVariableOkHandsBackNameAndValueExactlyAsTyped) {
    ScriptMessageOK("HOST", "");
    EXPECT_EQ(Selection.DialogValue1, "HOST");
    EXPECT_EQ(Selection.DialogValue2, "");
    EXPECT_EQ(Selection.EditIndex, 3);
    ScriptMessageOK("  ", " value with blanks ");
    EXPECT_EQ(Selection.DialogValue1, "  ");
    EXPECT_EQ(Selection.DialogValue2, " value with blanks ");
    ScriptMessageOK("host", "x");
    EXPECT_EQ(Selection.DialogValue1, "host");
}

TEST_F(ValueDialogs, ScriptVariableOkWithAnEmptyNameCountsAsCancel) {
    ScriptMessageOK("", "typed value");
    EXPECT_EQ(Selection.EditIndex, -2);
    EXPECT_EQ(Selection.DialogValue1, "");
    EXPECT_EQ(Selection.DialogValue2, "");
}

TEST_F(ValueDialogs, CancelMarksTheIndexAndEmptiesBothValues) {
    CancelValueDialog();
    EXPECT_EQ(Selection.EditIndex, -2);
    EXPECT_EQ(Selection.DialogValue1, "");
    EXPECT_EQ(Selection.DialogValue2, "");
}

TEST_F(ValueDialogs, IPAddressOkHandsBackBothEntriesAndLeavesTheIndex) {
    Selection.EditIndex = -1;
    IPaddressOK("192.168.0.0", "0.0.0.0");
    EXPECT_EQ(Selection.EditIndex, -1);
    EXPECT_EQ(Selection.DialogValue1, "192.168.0.0");
    EXPECT_EQ(Selection.DialogValue2, "0.0.0.0");
}

// A language file of an earlier version has no button keys in the value dialogs' sections.
TEST(ValueDialogButtons, TakeTheSectionsKeysWhereTheyAreAndTheFixedWordsElsewhere) {
    ScratchFolder folder;
    PointStoreAt(folder);
    WriteLanguageFile(folder, "[SCRIPTMESSAGEFORM]\r\nBUTTON_STORNO=Cancel\r\n");
    EXPECT_EQ(ValueDialogButtonCaption("SCRIPTMESSAGEFORM", 0), "OK");
    EXPECT_EQ(ValueDialogButtonCaption("SCRIPTMESSAGEFORM", 1), "Cancel");
    EXPECT_EQ(ValueDialogButtonCaption("SCRIPTMESSAGEFORM", 2), "?");
    EXPECT_EQ(ValueDialogButtonCaption("IPADDRESSFORM", 1), "Storno");
    CloseIniFile();
}

TEST(IPaddressDialogKeys, ModeAShowsTwoEntriesWithItsOwnKeys) {
    TIPaddressDialogKeys a = IPaddressDialogKeys(2);
    EXPECT_EQ(a.WindowTitle, "WINDOWTITLE_A");
    EXPECT_EQ(a.MainTitle, "MAINTITLE_A");
    EXPECT_EQ(a.HelpTitle, "HELPTITLE_A");
    EXPECT_EQ(a.Label1, "LABEL1_A");
    EXPECT_EQ(a.Label2, "LABEL2_A");
    EXPECT_EQ(a.Label3, "LABEL3_A");
    EXPECT_TRUE(a.SecondEntry);
}

TEST(IPaddressDialogKeys, ModesBToDShowOneEntryWithTheirSuffix) {
    const std::pair<int, std::string> modes[] = {{3, "B"}, {4, "C"}, {5, "D"}};
    for (const auto& [mode, suffix] : modes) {
        TIPaddressDialogKeys keys = IPaddressDialogKeys(mode);
        EXPECT_EQ(keys.WindowTitle, "WINDOWTITLE_" + suffix);
        EXPECT_EQ(keys.MainTitle, "MAINTITLE_" + suffix);
        EXPECT_EQ(keys.HelpTitle, "HELPTITLE_" + suffix);
        EXPECT_EQ(keys.Label1, "LABEL1_" + suffix);
        EXPECT_EQ(keys.Label3, "LABEL3_" + suffix);
        EXPECT_EQ(keys.Label2, "");
        EXPECT_FALSE(keys.SecondEntry);
    }
    TIPaddressDialogKeys unknown = IPaddressDialogKeys(1);
    EXPECT_EQ(unknown.WindowTitle, "");
    EXPECT_FALSE(unknown.SecondEntry);
}

TEST(InterfaceFields, TheDialogShowsAndChangesItsOwnSlotOnly) {
    Interfaces = {};
    Interfaces[3] = {"Lab", "Test bench", "Ethernet 3", 2, true};
    Interfaces[4] = {"Home", "Flat", "Wi-Fi", 5, false};
    EXPECT_EQ(LoadInterfaceFields(3), (TInterfaceFields{"Lab", "Test bench", "Ethernet 3", 2}));

    StoreInterfaceFields(3, {" Lab 2 ", "", "Ethernet 4", 7});
    EXPECT_EQ(Interfaces[3], (TInterfaceSlot{" Lab 2 ", "", "Ethernet 4", 7, true}));
    EXPECT_EQ(Interfaces[4], (TInterfaceSlot{"Home", "Flat", "Wi-Fi", 5, false}));

    // The information page is no slot.
    StoreInterfaceFields(0, {"x", "y", "z", 1});
    EXPECT_EQ(Interfaces[0], TInterfaceSlot());
    EXPECT_EQ(LoadInterfaceFields(6), TInterfaceFields());
}

// The interface dialog lists every connection; one whose name netsh cannot be given is there but not usable, and a
// typed name that is not present is told, though it is kept.
TEST(ConnectionPicker, ListsEveryConnectionAndTellsWhatIsNotPresent) {
    ResolveFolders();
    CloseIniFile();
    const platform::MachineSnapshot machine = MachineOfStandIn(
        IniFile::Parse("[CONNECTION_1]\r\nNAME=Ethernet 2\r\nDESCRIPTION=Intel(R) Ethernet Connection\r\n"
                       "[CONNECTION_2]\r\nNAME=WLAN ?\r\nNAME_FITS=FALSE\r\nDESCRIPTION=Wireless\r\n"
                       "STATE=DISCONNECTED\r\n[CONNECTION_3]\r\nNAME=Dock\r\nSTATE=DISABLED\r\n"));
    EXPECT_EQ(
        ConnectionChoices(machine),
        (std::vector<TConnectionChoice>{{"Ethernet 2", "Ethernet 2 - Intel(R) Ethernet Connection, connected", true},
                                        {"WLAN ?", "WLAN ? - Wireless, disconnected", false},
                                        {"Dock", "Dock, disabled", true}}));
    EXPECT_EQ(ConnectionFieldNote(machine, "ethernet 2"), "");
    EXPECT_EQ(ConnectionFieldNote(machine, "\"Dock\""), "");
    EXPECT_EQ(ConnectionFieldNote(machine, "WLAN ?"), "The connection 'WLAN ?' is not present on this computer.");
    EXPECT_EQ(ConnectionFieldNote(machine, "Ethernet 3"),
              "The connection 'Ethernet 3' is not present on this computer.");
    EXPECT_EQ(ConnectionFieldNote(machine, ""), "");
    EXPECT_EQ(ConnectionFieldNote(platform::MachineSnapshot(), "Ethernet 3"), "");
    CloseIniFile();
}

} // namespace
