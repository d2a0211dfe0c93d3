// The settings files: the exact bytes written, what is read back, and damaged files.
#include "core/Settings.h"

#include "TestFolders.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char* const ExampleSlotFile = "[LAN]\r\n"
                                    "NAME=LAN 1\r\n"
                                    "CAPTION=Office\r\n"
                                    "INTERFACE=Local Area Connection\r\n"
                                    "ICON=1\r\n"
                                    "ICONIZED=FALSE\r\n"
                                    "\r\n"
                                    "[PROFILE_1]\r\n"
                                    "NAME=Home\r\n"
                                    "ICON=4\r\n"
                                    "ONOFF_APPLY=FALSE\r\n"
                                    "ONOFF_COMMAND=0\r\n"
                                    "SCRIPTS_APPLY=FALSE\r\n"
                                    "SCRIPTS_SOURCEPATH=\r\n"
                                    "SCRIPTS_DESTINATIONPATH=\r\n"
                                    "SCRIPTS_COMMAND=\r\n"
                                    "IP_APPLY=TRUE\r\n"
                                    "IP_SOURCETYPE=1\r\n"
                                    "IP_ADRESSES_ADDRESS_0=192.168.1.10\r\n"
                                    "IP_ADRESSES_MASK_0=255.255.255.0\r\n"
                                    "IP_GATEWAYS_0=192.168.1.1\r\n"
                                    "DNS_APPLY=TRUE\r\n"
                                    "DNS_SOURCETYPE=1\r\n"
                                    "DNS_REGISTERINDNS=1\r\n"
                                    "DNS_ADRESSES_0=192.168.1.1\r\n"
                                    "WINS_APPLY=FALSE\r\n"
                                    "WINS_SOURCETYPE=0\r\n"
                                    "FIREWALL_APPLY=FALSE\r\n"
                                    "FIREWALL_ENABLEFIREWALL=TRUE\r\n"
                                    "FIREWALL_ENABLEEXCEPTIONS=TRUE\r\n"
                                    "FIREWALL_ENABLEDIALOGS=TRUE\r\n"
                                    "\r\n";

TProfile HomeProfile() {
    TProfile p;
    p.InterfaceNo = 1;
    p.Name = "Home";
    p.Icon = 4;
    p.IP.Apply = true;
    p.IP.SourceType = 1;
    p.IP.Adresses = {{"192.168.1.10", "255.255.255.0"}};
    p.IP.Gateways = {"192.168.1.1"};
    p.DNS.Apply = true;
    p.DNS.SourceType = 1;
    p.DNS.RegisterInDNS = 1;
    p.DNS.Adresses = {"192.168.1.1"};
    p.Firewall.EnableFirewall = true;
    p.Firewall.EnableExceptions = true;
    p.Firewall.EnableDialogs = true;
    return p;
}

// Every field set to something other than its default, every list with several elements.
TProfile FullProfile(int slot, const std::string& name) {
    TProfile p;
    p.InterfaceNo = slot;
    p.Name = name;
    p.Icon = 7;
    p.OnOff = {true, 1};
    p.Scripts.Apply = true;
    p.Scripts.ScriptsValues = {{"HOST", "alpha"}, {"IP", "10.0.0.5"}, {"EMPTY", ""}};
    p.Scripts.SourcePath = "C:\\Templates\\hosts.txt";
    p.Scripts.DestinationPath = "C:\\Windows\\hosts";
    p.Scripts.Command = "notepad.exe C:\\Windows\\hosts";
    p.IP = {true, 1, {{"10.0.0.1", "255.0.0.0"}, {"10.0.0.2", "255.255.0.0"}}, {"10.0.0.254", "10.0.0.253"}};
    p.DNS = {true, 1, {"10.0.0.53", "10.0.0.54"}, 2};
    p.WINS = {true, 1, {"10.0.0.80"}};
    p.Firewall = {true, true, false, true};
    p.Keep = {true, 45};
    return p;
}

class Settings : public ::testing::Test {
protected:
    ScratchFolder Folder;
    void SetUp() override { PointStoreAt(Folder); }
    void TearDown() override { CloseIniFile(); }

    static TWindowSnapshot Window() {
        TWindowSnapshot window;
        window.Left = 10;
        window.Top = -20;
        window.Height = 500;
        window.Width = 260;
        window.Iconized = false;
        window.SelectPanel = 3;
        window.TrayHidden = true;
        window.SlotIconized = {false, false, true, false, true, false};
        return window;
    }
    void SetSlot(int n, const std::string& name) {
        Interfaces[static_cast<size_t>(n)] = {name, "Caption " + name, "Connection " + name, n, false};
    }
};

TEST_F(Settings, ExampleSlotFileIsWrittenByteForByteAndReadBackWhole) {
    Interfaces[1] = {"LAN 1", "Office", "Local Area Connection", 1, false};
    Profiles.push_back(HomeProfile());
    EXPECT_EQ(SlotFileText(1, false), ExampleSlotFile);

    TWindowSnapshot window;
    window.SlotIconized[1] = false;
    SaveSettings(window);
    EXPECT_EQ(Folder.Read("Settings/LAN1.ini"), ExampleSlotFile);

    Interfaces = {};
    Profiles.clear();
    EXPECT_TRUE(LoadSettings(1).empty());
    EXPECT_EQ(Interfaces[1], (TInterfaceSlot{"LAN 1", "Office", "Local Area Connection", 1, false}));
    ASSERT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(Profiles[0], HomeProfile());
}

TEST_F(Settings, WindowFileIsWrittenFromTheWindowAndReadIntoWindowState) {
    EXPECT_EQ(WindowFileText(Window()), "[WINDOW]\r\nLEFT=10\r\nTOP=-20\r\nHEIGHT=500\r\nWIDTH=260\r\n"
                                        "ICONIZED=FALSE\r\nSELECTPANEL=3\r\nMINIMALIZED=TRUE\r\n\r\n");
    SaveSettings(Window());
    EXPECT_TRUE(LoadSettings(0).empty());
    EXPECT_EQ(WindowState.Left, 10);
    EXPECT_EQ(WindowState.Top, -20);
    EXPECT_EQ(WindowState.Height, 500);
    EXPECT_EQ(WindowState.Width, 260);
    EXPECT_FALSE(WindowState.Iconized);
    EXPECT_EQ(WindowState.SelectPanel, 3);
    EXPECT_TRUE(WindowState.Minimalized);
}

TEST_F(Settings, EverySlotGetsAFileWithItsOwnProfilesNumberedWithoutGaps) {
    for (int n = 1; n <= 5; ++n)
        SetSlot(n, "S" + std::to_string(n));
    Profiles = {FullProfile(2, "a"), FullProfile(3, "b"), FullProfile(2, "deleted"), FullProfile(2, "c")};
    Profiles[2].Deleted = true;
    SaveSettings(Window());

    for (const char* name : {"WINDOW.ini", "LAN1.ini", "LAN2.ini", "LAN3.ini", "LAN4.ini", "LAN5.ini"})
        EXPECT_TRUE(Folder.Exists(std::string("Settings/") + name)) << name;
    std::string lan2 = Folder.Read("Settings/LAN2.ini");
    EXPECT_NE(lan2.find("[PROFILE_1]\r\nNAME=a\r\n"), std::string::npos);
    EXPECT_NE(lan2.find("[PROFILE_2]\r\nNAME=c\r\n"), std::string::npos);
    EXPECT_EQ(lan2.find("deleted"), std::string::npos);
    EXPECT_EQ(lan2.find("PROFILE_3"), std::string::npos);
    EXPECT_NE(lan2.find("ICONIZED=TRUE\r\n"), std::string::npos); // from page 2's iconic state
    EXPECT_EQ(Folder.Read("Settings/LAN5.ini"), "[LAN]\r\nNAME=S5\r\nCAPTION=Caption S5\r\nINTERFACE=Connection S5\r\n"
                                                "ICON=5\r\nICONIZED=FALSE\r\n\r\n");
    // Pair lists alternate their two keys; the registration mode stands before the DNS servers.
    EXPECT_NE(lan2.find("SCRIPTS_SCRIPTSVALUES_VARIABLE_0=HOST\r\nSCRIPTS_SCRIPTSVALUES_VALUE_0=alpha\r\n"
                        "SCRIPTS_SCRIPTSVALUES_VARIABLE_1=IP\r\n"),
              std::string::npos);
    EXPECT_NE(lan2.find("DNS_SOURCETYPE=1\r\nDNS_REGISTERINDNS=2\r\nDNS_ADRESSES_0=10.0.0.53\r\n"), std::string::npos);
    // The keep question's keys, which earlier versions do not know, come after all of theirs.
    EXPECT_NE(lan2.find("FIREWALL_ENABLEDIALOGS=TRUE\r\nKEEP_ASK=TRUE\r\nKEEP_SECONDS=45\r\n\r\n[PROFILE_2]"),
              std::string::npos);

    // Read back: slots in order, the deleted profile gone, every field as it was.
    LoadSettings(1);
    ASSERT_EQ(Profiles.size(), 3u);
    EXPECT_EQ(Profiles[0], FullProfile(2, "a"));
    EXPECT_EQ(Profiles[1], FullProfile(2, "c"));
    EXPECT_EQ(Profiles[2], FullProfile(3, "b"));
    EXPECT_TRUE(Interfaces[2].Iconized);
    EXPECT_EQ(Interfaces[4].Name, "S4");
}

// A save killed between making its new file and the rename leaves that file behind; the next save removes it, and
// only files of that naming.
TEST_F(Settings, NoLeftoverFilesBesideTheSettings) {
    SaveSettings(Window());
#ifdef _WIN32
    const char* const leftovers[] = {"WINDOW.ini.4242.tmp", "LAN3.ini.17.tmp"};
#else
    const char* const leftovers[] = {"WINDOW.ini.aB3xYz.tmp", "LAN3.ini.Q1w2E3.tmp"};
#endif
    for (const char* name : leftovers)
        Folder.Write(std::string("Settings/") + name, "[LAN]\r\nNAME=cut sh");
    const char* const kept[] = {"LAN1.ini.backup", "LAN1.ini.tmp", "LAN1.ini.my copy.tmp", "LAN10.ini.123.tmp"};
    for (const char* name : kept)
        Folder.Write(std::string("Settings/") + name, "mine");
    SaveSettings(Window());
    for (const char* name : leftovers)
        EXPECT_FALSE(Folder.Exists(std::string("Settings/") + name)) << name;
    for (const char* name : kept)
        EXPECT_TRUE(Folder.Exists(std::string("Settings/") + name)) << name;
    int files = 0;
    for (const char* name : {"WINDOW.ini", "LAN1.ini", "LAN2.ini", "LAN3.ini", "LAN4.ini", "LAN5.ini"})
        files += Folder.Exists(std::string("Settings/") + name);
    EXPECT_EQ(files, 6);
}

TEST_F(Settings, MissingFilesGiveDefaultsAndTheSettingsFolderIsCreated) {
    WriteLanguageFile(Folder, "[DEFAULT_LANS]\r\nNAME=Interface\r\nCAPTION=Not set up\r\nINTERFACE=Local Area "
                              "Connection\r\n");
    EXPECT_TRUE(LoadSettings(0).empty());
    EXPECT_EQ(WindowState.Left, 0);
    EXPECT_EQ(WindowState.Top, 0);
    EXPECT_EQ(WindowState.Height, 490);
    EXPECT_EQ(WindowState.Width, 250);
    EXPECT_TRUE(WindowState.Iconized);
    EXPECT_EQ(WindowState.SelectPanel, 0);
    EXPECT_FALSE(WindowState.Minimalized);

    EXPECT_TRUE(LoadSettings(1).empty());
    EXPECT_TRUE(Folder.Exists("Settings"));
    EXPECT_TRUE(Profiles.empty());
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(Interfaces[static_cast<size_t>(n)],
                  (TInterfaceSlot{"Interface", "Not set up", "Local Area Connection", n, false}));
}

TEST_F(Settings, BooleansAndThePageAreReadAsTheWindowExpects) {
    Folder.Write("Settings/WINDOW.ini", "[WINDOW]\r\nICONIZED=yes\r\nSELECTPANEL=6\r\nMINIMALIZED=true\r\n");
    LoadSettings(0);
    EXPECT_TRUE(WindowState.Iconized);
    EXPECT_EQ(WindowState.SelectPanel, 0);
    EXPECT_TRUE(WindowState.Minimalized);

    Folder.Write("Settings/WINDOW.ini", "[WINDOW]\r\nICONIZED=false\r\nSELECTPANEL= 3x\r\n");
    LoadSettings(0);
    EXPECT_FALSE(WindowState.Iconized);
    EXPECT_EQ(WindowState.SelectPanel, 0);

    Folder.Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=3\r\n");
    LoadSettings(0);
    EXPECT_EQ(WindowState.SelectPanel, 3);

    Folder.Write("Settings/LAN1.ini",
                 "[LAN]\r\nICONIZED=yes\r\n[PROFILE_1]\r\nNAME=x\r\nONOFF_APPLY=true\r\n"
                 "KEEP_ASK=true\r\nKEEP_SECONDS=5\r\n[PROFILE_2]\r\nNAME=y\r\nKEEP_SECONDS=301\r\n");
    LoadSettings(1);
    EXPECT_FALSE(Interfaces[1].Iconized);
    ASSERT_EQ(Profiles.size(), 2u);
    EXPECT_TRUE(Profiles[0].OnOff.Apply);
    // The time to answer the keep question stays within 10 s to 5 minutes.
    EXPECT_EQ(Profiles[0].Keep, (TKeepGroup{true, 10}));
    EXPECT_EQ(Profiles[1].Keep, (TKeepGroup{false, 300}));
}

// A section deleted by hand ends nothing: every profile section is read in number order and written back as 1, 2,
// 3. A list still ends at its first missing key.
TEST_F(Settings, ProfilesAreReadAcrossGapsAndRenumberedListsEndAtTheFirstGap) {
    Folder.Write("Settings/LAN1.ini", "[PROFILE_10]\r\nNAME=ten\r\n[PROFILE_3]\r\nICON=2\r\n[PROFILE_02]\r\nNAME=x\r\n"
                                      "[PROFILE_1]\r\nNAME=one\r\nIP_GATEWAYS_0=g0\r\nIP_GATEWAYS_2=g2\r\n");
    LoadSettings(1);
    ASSERT_EQ(Profiles.size(), 3u);
    EXPECT_EQ(Profiles[0].Name, "one");
    EXPECT_EQ(Profiles[0].IP.Gateways, (std::vector<std::string>{"g0"}));
    EXPECT_EQ(Profiles[1].Name, ""); // a section without NAME keeps its settings
    EXPECT_EQ(Profiles[1].Icon, 2);
    EXPECT_EQ(Profiles[2].Name, "ten");
    // A slot file without a LAN section still gives its profiles; the defaults fill the slot.
    EXPECT_EQ(Interfaces[1].Icon, 1);
    const std::vector<TProfile> read = Profiles;
    SaveSettings();
    const std::string written = Folder.Read("Settings/LAN1.ini");
    EXPECT_NE(written.find("[PROFILE_2]\r\nNAME=\r\nICON=2\r\n"), std::string::npos);
    EXPECT_NE(written.find("[PROFILE_3]\r\nNAME=ten\r\n"), std::string::npos);
    EXPECT_EQ(written.find("PROFILE_10"), std::string::npos);
    LoadSettings(1);
    EXPECT_EQ(Profiles, read);
}

TEST_F(Settings, ProfileDefaultsAndNamesAsWritten) {
    Folder.Write("Settings/LAN4.ini", "[PROFILE_1]\r\nNAME=\r\n[PROFILE_2]\r\nNAME=  spaced  \r\n"
                                      "[PROFILE_3]\r\nNAME=\"quoted\"\r\n");
    LoadSettings(1);
    ASSERT_EQ(Profiles.size(), 3u);
    EXPECT_EQ(Profiles[0].Name, "");
    EXPECT_EQ(Profiles[0].Icon, 4);
    EXPECT_EQ(Profiles[0].InterfaceNo, 4);
    EXPECT_EQ(Profiles[0].IP.SourceType, 0);
    EXPECT_EQ(Profiles[0].DNS.RegisterInDNS, 0);
    EXPECT_EQ(Profiles[1].Name, "spaced");
    EXPECT_EQ(Profiles[2].Name, "quoted");
}

TEST_F(Settings, WithoutALanguageFileASlotIsNamedByTheFallbackText) {
    Folder.Write("Settings/LAN1.ini", "[LAN]\r\nCAPTION=Office\r\n");
    LoadSettings(1);
    EXPECT_EQ(Interfaces[1].Name, "PARROR: L1: language error");
    EXPECT_EQ(Interfaces[1].Caption, "Office");
}

// A stored value containing the fallback marker is an ordinary value: it must not end the profile list.
TEST_F(Settings, StoredValuesContainingTheMarkerAreNotAbsent) {
    Profiles = {FullProfile(1, "PARROR: my profile"), FullProfile(1, "after it")};
    Profiles[0].IP.Gateways = {"PARROR", "10.0.0.1"};
    SaveSettings(Window());
    LoadSettings(1);
    ASSERT_EQ(Profiles.size(), 2u);
    EXPECT_EQ(Profiles[0].Name, "PARROR: my profile");
    EXPECT_EQ(Profiles[0].IP.Gateways, (std::vector<std::string>{"PARROR", "10.0.0.1"}));
    EXPECT_EQ(Profiles[1].Name, "after it");
}

// A value that is not an integer is reported, takes its default, and nothing else is lost.
TEST_F(Settings, NonIntegerValuesAreReportedAndEverythingElseIsRead) {
    Folder.Write("Settings/WINDOW.ini", "[WINDOW]\r\nLEFT=abc\r\nTOP=7\r\nHEIGHT=99999999999\r\n");
    Folder.Write("Settings/LAN1.ini", "[LAN]\r\nICON=x1\r\n[PROFILE_1]\r\nNAME=a\r\nICON=4.5\r\nIP_APPLY=TRUE\r\n"
                                      "[PROFILE_2]\r\nNAME=b\r\nDNS_REGISTERINDNS=2\r\n");
    Folder.Write("Settings/LAN2.ini", "[PROFILE_1]\r\nNAME=c\r\n");
    std::vector<std::string> window = LoadSettings(0);
    EXPECT_EQ(window, (std::vector<std::string>{"'abc' is not a valid integer value.",
                                                "'99999999999' is not a valid integer value."}));
    EXPECT_EQ(WindowState.Left, 0);
    EXPECT_EQ(WindowState.Top, 7);
    EXPECT_EQ(WindowState.Height, 490);

    std::vector<std::string> slots = LoadSettings(1);
    EXPECT_EQ(slots,
              (std::vector<std::string>{"'x1' is not a valid integer value.", "'4.5' is not a valid integer value."}));
    EXPECT_EQ(Interfaces[1].Icon, 1);
    ASSERT_EQ(Profiles.size(), 3u);
    EXPECT_EQ(Profiles[0].Icon, 4);
    EXPECT_TRUE(Profiles[0].IP.Apply);
    EXPECT_EQ(Profiles[1].DNS.RegisterInDNS, 2);
    EXPECT_EQ(Profiles[2].Name, "c");
}

TEST_F(Settings, IntegersKeepTheirSignAnd32Bits) {
    Folder.Write("Settings/LAN1.ini", "[PROFILE_1]\r\nNAME=a\r\nICON=-1\r\nONOFF_COMMAND=-1\r\nIP_SOURCETYPE=+1\r\n"
                                      "DNS_SOURCETYPE=2147483647\r\nWINS_SOURCETYPE=-2147483648\r\n");
    EXPECT_TRUE(LoadSettings(1).empty());
    ASSERT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(Profiles[0].Icon, -1);
    EXPECT_EQ(Profiles[0].OnOff.Command, -1);
    EXPECT_EQ(Profiles[0].IP.SourceType, 1);
    EXPECT_EQ(Profiles[0].DNS.SourceType, 2147483647);
    EXPECT_EQ(Profiles[0].WINS.SourceType, -2147483647 - 1);
}

// A hand-edited file without the second key of a pair reads it as empty.
TEST_F(Settings, MissingSecondKeyOfAPairReadsAsEmpty) {
    Folder.Write("Settings/LAN1.ini", "[PROFILE_1]\r\nNAME=a\r\nSCRIPTS_SCRIPTSVALUES_VARIABLE_0=HOST\r\n"
                                      "IP_ADRESSES_ADDRESS_0=10.0.0.1\r\nIP_ADRESSES_ADDRESS_1=10.0.0.2\r\n"
                                      "IP_ADRESSES_MASK_1=255.0.0.0\r\n");
    LoadSettings(1);
    ASSERT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(Profiles[0].Scripts.ScriptsValues, (std::vector<TScriptValue>{{"HOST", ""}}));
    EXPECT_EQ(Profiles[0].IP.Adresses, (std::vector<TAddress>{{"10.0.0.1", ""}, {"10.0.0.2", "255.0.0.0"}}));
}

// A quoted value (a connection name stored quoted by earlier versions) keeps its quotes through a save and a read, and
// so do blanks at the ends of a name, a variable's value or a path.
TEST_F(Settings, QuotedValuesKeepTheirQuotesThroughSaveAndRead) {
    SetSlot(1, "S1");
    Interfaces[1].Interface = "\"Local Area Connection\"";
    Profiles = {FullProfile(1, "'quoted name'"), FullProfile(1, " Home "), FullProfile(1, "\tTab")};
    Profiles[0].Scripts.Command = "\"C:\\Program Files\\tool.exe\"";
    Profiles[1].Scripts.ScriptsValues = {{"HOST", "pc1 "}, {"PAD", "   "}};
    Profiles[1].Scripts.SourcePath = " C:\\t.txt";
    SaveSettings(Window());
    const std::string file = Folder.Read("Settings/LAN1.ini");
    EXPECT_NE(file.find("INTERFACE=\"\"Local Area Connection\"\"\r\n"), std::string::npos);
    EXPECT_NE(file.find("NAME=\" Home \"\r\n"), std::string::npos);
    const std::vector<TProfile> written = Profiles;
    LoadSettings(1);
    EXPECT_EQ(Interfaces[1].Interface, "\"Local Area Connection\"");
    EXPECT_EQ(Profiles, written);
}

TEST_F(Settings, ReadingAgainEmptiesTheProfilesFirst) {
    Profiles = {FullProfile(1, "a")};
    SaveSettings(Window());
    LoadSettings(1);
    LoadSettings(1);
    EXPECT_EQ(Profiles.size(), 1u);
}

// An administrator's edit of a slot file while the program runs is not overwritten with the program's older copy,
// and a file that already holds what would be written is not written again.
TEST_F(Settings, ASlotFileChangedOnDiskSinceItWasReadIsKeptAndAnUnchangedOneIsNotRewritten) {
    for (int n = 1; n <= 5; ++n)
        SetSlot(n, "S" + std::to_string(n));
    Profiles = {FullProfile(1, "a"), FullProfile(2, "b")};
    EXPECT_TRUE(SaveSettings(Window()).empty());
    LoadSettings(1);
    const platform::FileStamp lan2 = platform::GetFileStamp(Folder.File("Settings/LAN2.ini"));
    const std::string edited = "[LAN]\r\nNAME=By hand\r\n[PROFILE_1]\r\nNAME=edited\r\n";
    Folder.Write("Settings/LAN1.ini", edited);
    Profiles[0].Name = "renamed in the window";
    EXPECT_EQ(SaveSettings(Window()), std::vector<std::string>{"LAN1.ini"});
    EXPECT_EQ(Folder.Read("Settings/LAN1.ini"), edited);
    EXPECT_EQ(platform::GetFileStamp(Folder.File("Settings/LAN2.ini")), lan2);

    // Read again, the edit is what the program holds and writes from then on.
    LoadSettings(1);
    EXPECT_EQ(Profiles[0].Name, "edited");
    Profiles[0].Name = "renamed after reading";
    EXPECT_TRUE(SaveSettings(Window()).empty());
    EXPECT_NE(Folder.Read("Settings/LAN1.ini").find("NAME=renamed after reading\r\n"), std::string::npos);
    // A file that appeared since the read counts as changed too; one the program never read is written.
    std::filesystem::remove(Folder.File("Settings/LAN3.ini"));
    LoadSettings(1);
    Folder.Write("Settings/LAN3.ini", edited);
    EXPECT_EQ(SaveSettings(Window()), std::vector<std::string>{"LAN3.ini"});
    EXPECT_EQ(Folder.Read("Settings/LAN3.ini"), edited);
    const ScratchFolder other;
    PointStoreAt(other);
    other.Write("Settings/LAN4.ini", edited);
    EXPECT_TRUE(SaveSettings(Window()).empty());
    EXPECT_NE(other.Read("Settings/LAN4.ini"), edited);
}

TEST_F(Settings, AFileThatCannotBeWrittenIsSkippedAndTheOthersAreWritten) {
    SaveSettings(Window());
    // A folder where LAN3.ini should be: that file cannot be replaced, the rest still is.
    Folder.Write("Settings/LAN3.ini.keep", "");
    std::filesystem::remove(Folder.File("Settings/LAN3.ini"));
    std::filesystem::create_directory(Folder.File("Settings/LAN3.ini"));
    SetSlot(5, "renamed");
    SaveSettings(Window());
    EXPECT_NE(Folder.Read("Settings/LAN5.ini").find("NAME=renamed"), std::string::npos);
}

} // namespace
