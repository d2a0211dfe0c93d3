// Applying a profile: the netsh record made from its groups, the probe and script files, the script step.
#include "engine/ApplyProfile.h"
#include "engine/ApplyNotice.h"
#include "engine/FileRights.h"

#include "Recording.h"
#include "TestFolders.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace {

using Lines = std::vector<std::string>;

const char* const LanguageFile = "[APPLY]\r\n"
                                 "APPLY_CAPTION=Applying profile\r\n"
                                 "APPLY_INFO=Changing the network settings\r\n"
                                 "SCRIPT_INFO=Running the profile's script\r\n";

// A store with the five slots named and the temporary folder inside the scratch folder.
class ApplyProfile : public ::testing::Test {
protected:
    ApplyProfile() {
        PointStoreAt(Folder);
        WriteLanguageFile(Folder, LanguageFile);
        for (int slot = 1; slot <= SlotCount; ++slot)
            Interfaces[static_cast<size_t>(slot)].Interface = "Connection " + std::to_string(slot);
        TempDir = Folder.File("Temp");
        std::filesystem::create_directories(TempDir);
    }
    ~ApplyProfile() override {
        CloseIniFile();
        ProgramRunsElevated = platform::IsElevated;
    }

    // Appends a profile of the slot and makes it the current one.
    TProfile& NewCurrentProfile(int slot = 1) {
        Selection.CurrentProfile = AppendProfile();
        TProfile& profile = Profiles.back();
        profile.InterfaceNo = slot;
        profile.Name = "Office";
        return profile;
    }

    std::string NetshScript() const { return Folder.Read("Temp/norvex.txt"); }

    // The script step with a template and a destination inside the scratch folder.
    TProfile& ScriptProfile(const std::string& templateText) {
        TProfile& profile = NewCurrentProfile();
        Folder.Write("template.cfg", templateText);
        profile.Scripts.Apply = true;
        profile.Scripts.SourcePath = Folder.File("template.cfg");
        profile.Scripts.DestinationPath = Folder.File("out/dest.cfg");
        profile.Scripts.Command = "\"" + Recording::RecorderPath() + "\" after-copy";
        return profile;
    }

    ScratchFolder Folder;
    Recording Recorded{Folder};
};

Lines SplitLines(const std::string& text) {
    Lines lines;
    size_t from = 0;
    for (size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    return lines;
}

TEST_F(ApplyProfile, AProfileWithoutNetworkGroupsLeavesOnlyTheProbeAndRunsNoNetsh) {
    NewCurrentProfile();
    TApplyResult result = ApplyCurrentProfile();
    EXPECT_TRUE(result.Succeeded());
    EXPECT_FALSE(result.NetshRun);
    EXPECT_EQ(NetshScript(), "TEST\r\n");
    EXPECT_TRUE(Recorded.Runs().empty());
}

TEST_F(ApplyProfile, TheScriptNamesTheConnectionOfTheProfilesOwnSlot) {
    TProfile& profile = NewCurrentProfile(3);
    profile.IP.Apply = true;
    profile.IP.SourceType = 0;
    TApplyResult result = ApplyCurrentProfile();
    EXPECT_TRUE(result.Succeeded());
    EXPECT_TRUE(result.NetshRun);
    Lines lines = SplitLines(NetshScript());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], "set address name=\"Connection 3\" source=DHCP");
    std::vector<Lines> runs = Recorded.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0][0], "arg exec");
    EXPECT_EQ(runs[0][1], "arg " + Folder.File("Temp/norvex.txt"));
}

TEST_F(ApplyProfile, AFirewallOnlyProfileWritesOnlyFirewallLines) {
    TProfile& profile = NewCurrentProfile();
    profile.Firewall = {true, true, true, true};
    ApplyCurrentProfile();
    EXPECT_EQ(SplitLines(NetshScript()),
              (Lines{"#BEGIN nastaveni IP, Gateway, DNS, WINS", "push interface ip", "popd",
                     "#END nastaveni IP, Gateway, DNS, WINS", "", "#BEGIN nastaveni FireWall", "push firewall",
                     "set opmode ENABLE DISABLE", "set notifications ENABLE", "popd", "#END nastaveni FireWall"}));
}

TEST_F(ApplyProfile, TheFirewallSwitchesFollowTheStoredFlags) {
    TProfile& profile = NewCurrentProfile();
    profile.Firewall = {true, true, false, false};
    TNetworkStep step = NetworkStepOf(profile);
    EXPECT_EQ(step.Data.FirewallMode, 1);
    EXPECT_EQ(step.Data.FirewallExceptions, 1);
    EXPECT_EQ(step.Data.FirewallNotifications, 0);
    profile.Firewall.EnableFirewall = false;
    EXPECT_EQ(NetworkStepOf(profile).Data.FirewallMode, 0);
}

TEST_F(ApplyProfile, GroupsThatAreNotAppliedStayNegative) {
    TProfile& profile = NewCurrentProfile();
    profile.IP.SourceType = 1;
    profile.DNS.SourceType = 1;
    profile.DNS.RegisterInDNS = 2;
    profile.WINS.SourceType = 1;
    profile.Firewall = {false, true, true, true};
    TNetworkStep step = NetworkStepOf(profile);
    EXPECT_FALSE(step.Applies);
    EXPECT_EQ(step.Data.IPSource, -1);
    EXPECT_EQ(step.Data.DNSSource, -1);
    EXPECT_EQ(step.Data.DNSRegister, "");
    EXPECT_EQ(step.Data.WINSSource, -1);
    EXPECT_EQ(step.Data.FirewallMode, -1);
    EXPECT_EQ(step.Data.FirewallExceptions, -1);
    EXPECT_EQ(step.Data.FirewallNotifications, -1);
}

TEST_F(ApplyProfile, SourceTypesAreTakenByTheirLowEightBits) {
    TProfile& profile = NewCurrentProfile();
    profile.IP = {true, 257, {}, {}};
    profile.DNS.Apply = true;
    profile.DNS.SourceType = 255;
    profile.WINS = {true, -1, {}};
    TNetworkStep step = NetworkStepOf(profile);
    EXPECT_TRUE(step.Applies);
    EXPECT_EQ(step.Data.IPSource, 1);
    EXPECT_EQ(step.Data.DNSSource, -1);
    EXPECT_EQ(step.Data.WINSSource, -1);
}

TEST_F(ApplyProfile, TheListsGoAlongWhateverTheSource) {
    TProfile& profile = NewCurrentProfile();
    profile.IP = {true, 0, {{"10.0.0.5", ""}, {"10.0.0.6", "255.0.0.0"}}, {"10.0.0.1", "10.0.0.2"}};
    profile.DNS = {true, 0, {"10.0.0.3"}, 1};
    profile.WINS = {true, 0, {"10.0.0.4"}};
    TNetworkStep step = NetworkStepOf(profile);
    EXPECT_EQ(step.Data.IPAddresses, (TConfPairs{{"10.0.0.5", "255.255.255.0"}, {"10.0.0.6", "255.0.0.0"}}));
    EXPECT_EQ(step.Data.IPGateways, (TConfPairs{{"10.0.0.1", "0"}, {"10.0.0.2", "0"}}));
    EXPECT_EQ(step.Data.DNSAddresses, (TConfPairs{{"10.0.0.3", ""}}));
    EXPECT_EQ(step.Data.WINSAddresses, (TConfPairs{{"10.0.0.4", ""}}));
    EXPECT_EQ(step.Data.DNSRegister, "primary");
}

TEST_F(ApplyProfile, TheListsOfGroupsThatAreNotAppliedStayOut) {
    TProfile& profile = NewCurrentProfile();
    profile.IP = {false, 1, {{"10.0.0.5", ""}}, {"10.0.0.1"}};
    profile.DNS = {false, 1, {"10.0.0.3"}, 1};
    profile.WINS = {false, 1, {"10.0.0.4"}};
    TNetworkStep step = NetworkStepOf(profile);
    EXPECT_TRUE(step.Data.IPAddresses.empty());
    EXPECT_TRUE(step.Data.IPGateways.empty());
    EXPECT_TRUE(step.Data.DNSAddresses.empty());
    EXPECT_TRUE(step.Data.WINSAddresses.empty());
}

TEST_F(ApplyProfile, TheRegistrationModeBecomesItsNetshWord) {
    EXPECT_EQ(DNSRegisterText(0), "none");
    EXPECT_EQ(DNSRegisterText(1), "primary");
    EXPECT_EQ(DNSRegisterText(2), "both");
    EXPECT_EQ(DNSRegisterText(7), "");
    EXPECT_EQ(DNSRegisterText(-1), "");
}

TEST_F(ApplyProfile, StaticDnsRegistersAsTheProfileSays) {
    TProfile& profile = NewCurrentProfile();
    profile.DNS = {true, 1, {"10.0.0.3"}, 2};
    ApplyCurrentProfile();
    // Neither this system nor Wine reports Windows 2000, so the register part is written.
    EXPECT_NE(NetshScript().find("set dns name=\"Connection 1\" source=static addr=10.0.0.3 register=both\r\n"),
              std::string::npos);
    profile.DNS.RegisterInDNS = 7;
    ApplyCurrentProfile();
    EXPECT_NE(NetshScript().find("set dns name=\"Connection 1\" source=static addr=10.0.0.3 register=\r\n"),
              std::string::npos);
}

TEST_F(ApplyProfile, GatewaysAlwaysGetMetricZero) {
    TProfile& profile = NewCurrentProfile();
    profile.IP = {true, 1, {{"10.0.0.5", "255.0.0.0"}}, {"10.0.0.1", "10.0.0.2"}};
    ApplyCurrentProfile();
    EXPECT_NE(NetshScript().find("set address name=\"Connection 1\" source=static addr=10.0.0.5 mask=255.0.0.0 "
                                 "gateway=10.0.0.1 gwmetric=0\r\n"
                                 "add address name=\"Connection 1\" gateway=10.0.0.2 gwmetric=0\r\n"),
              std::string::npos);
}

TEST_F(ApplyProfile, TheWaitTextsComeFromTheLanguageFile) {
    TNetworkStep step = NetworkStepOf(NewCurrentProfile());
    EXPECT_EQ(step.Data.WaitCaption, "Applying profile");
    EXPECT_EQ(step.Data.WaitMessage, "Changing the network settings");
    WriteLanguageFile(Folder, "[GUI]\r\nTITLE=Norvex\r\n");
    CloseIniFile();
    EXPECT_EQ(NetworkStepOf(Profiles.back()).Data.WaitMessage, "PARROR: APPLY");
}

#ifdef _WIN32
TEST_F(ApplyProfile, TheWaitWindowStandsWhileNetshRuns) {
    Recorded.WatchWindow("Applying profile");
    NewCurrentProfile().IP.Apply = true;
    ApplyCurrentProfile();
    std::vector<Lines> runs = Recorded.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].back(), "window 250x125 with text box");
}

// A hard link planted under any of the names (any program of the user may link to a file it can read) is removed,
// not written through. The script is held from its writing until netsh has run: netsh reads it, nobody changes it;
// and while netsh runs, only netsh writes into its log.
TEST_F(ApplyProfile, TheTemporaryFilesAreNewAndTheScriptIsHeldForReadingOnlyWhileNetshRuns) {
    Folder.Write("victim", "precious");
    for (const char* name : {"Temp/norvex.txt", "Temp/norvex.script", "Temp/norvex.log"})
        std::filesystem::create_hard_link(Folder.File("victim"), Folder.File(name));
    const std::string script = Folder.File("Temp/norvex.txt"), log = Folder.File("Temp/norvex.log");
    Recorded.TryOpening({script, log});
    Recorded.Print("Ok.");
    TProfile& profile = ScriptProfile("x");
    profile.IP.Apply = true;
    profile.Scripts.Command.clear();
    ApplyCurrentProfile();
    EXPECT_EQ(Folder.Read("victim"), "precious");
    EXPECT_EQ(Folder.Read("Temp/norvex.script"), "x\r\n");
    EXPECT_EQ(Folder.Read("Temp/norvex.log"), "Ok.\r\n");
    EXPECT_EQ(Recorded.Runs(), (std::vector<Lines>{{"arg exec", "arg " + script, "read allowed", "write refused",
                                                    "read allowed", "write refused"}}));
}
#endif

// Nothing is written elsewhere instead, and neither netsh nor the script step runs.
TEST_F(ApplyProfile, AMissingTemporaryFolderRefusesTheApplyAndIsNamed) {
    Folder.Write("file", "not a folder");
    for (const std::string& missing : {Folder.File("a/b/Temp"), Folder.File("file"), std::string()}) {
        TempDir = missing;
        ScriptProfile("x").WINS.Apply = true;
        TApplyResult result = ApplyCurrentProfile();
        EXPECT_TRUE(result.Refused);
        EXPECT_EQ(result.Problems, (std::vector<TApplyProblem>{{TApplyFailure::TempFolderMissing, missing}}));
    }
    EXPECT_FALSE(Folder.Exists("a"));
    EXPECT_FALSE(Folder.Exists("out"));
    EXPECT_TRUE(Recorded.Runs().empty());
}

TEST_F(ApplyProfile, NetshEndingWithAnErrorIsReportedWithItsCodeAndScript) {
    Recorded.SetExitCode(1);
    NewCurrentProfile().IP.Apply = true;
    TApplyResult result = ApplyCurrentProfile();
    EXPECT_TRUE(result.NetshRun);
    EXPECT_EQ(result.Problems,
              (std::vector<TApplyProblem>{{TApplyFailure::NetshFailed, Folder.File("Temp/norvex.txt"), 1}}));
}

// The words the user reads after applying: the shipped language file tells every failure, path and code filled in.
TEST_F(ApplyProfile, TheNoticeTellsTheOutcomeInTheShippedLanguageFilesWords) {
    LanguageDir = (std::filesystem::path(platform::ExecutablePath()).parent_path() / "Language").string();
    CloseIniFile();
    TApplyNotice applied = ApplyNoticeOf({}, "Office");
    EXPECT_FALSE(applied.Warning);
    EXPECT_EQ(applied.Text, "Profile 'Office' applied");
    TApplyResult twoFailures;
    twoFailures.Problems = {{TApplyFailure::NetshFailed, "C:\\Temp\\norvex.txt", 1},
                            {TApplyFailure::CopyFailed, "D:\\x.cfg"}};
    TApplyNotice failed = ApplyNoticeOf(twoFailures, "Office");
    EXPECT_TRUE(failed.Warning);
    EXPECT_EQ(failed.Title, "Profile 'Office' was not applied completely");
    EXPECT_EQ(failed.Text, "netsh ended with exit code 1. Script: C:\\Temp\\norvex.txt\n"
                           "The filled-in script could not be copied to D:\\x.cfg.");
    TApplyResult refused;
    refused.Problems = {{TApplyFailure::ValueNotAnAddress, "10.0.0.4 x", 0, "DNS_ADRESSES_1"}};
    refused.Refused = true;
    const TApplyNotice refusal = ApplyNoticeOf(refused, "Office");
    EXPECT_EQ(refusal.Title, "Profile 'Office' was not applied: nothing was changed");
    EXPECT_TRUE(refusal.Lasting);
    EXPECT_FALSE(failed.Lasting);
    EXPECT_EQ(refusal.Text, "DNS_ADRESSES_1 is '10.0.0.4 x', not a dotted IPv4 address such as 192.168.1.10.");
    for (int failure = 0; failure <= static_cast<int>(TApplyFailure::TempFolderMissing); ++failure) {
        std::string text = ApplyFailureText({static_cast<TApplyFailure>(failure), "<path>", 7, "<detail>"});
        EXPECT_EQ(text.find("PARROR"), std::string::npos) << text;
        EXPECT_EQ(text.find('$'), std::string::npos) << text;
    }
}

// A value that is not an address could carry more words into netsh's command: nothing is written or run, the script
// step neither, and every such value is named. Lists that a DHCP source leaves out of the script are not looked at.
TEST_F(ApplyProfile, ValuesThatWouldChangeACommandsShapeRefuseTheWholeApply) {
    TProfile& profile = ScriptProfile("x");
    profile.IP = {true, 1, {{"10.0.0.5", ""}, {"10.0.0.6", "255.0.0.0 gateway=10.9.9.9"}}, {"10.0.0.1"}};
    profile.DNS = {true, 1, {"10.0.0.3", "10.0.0.4 register=none"}, 1};
    profile.WINS = {true, 0, {"not an address"}};
    Interfaces[1].Interface = "LAN\" source=dhcp";
    TApplyResult result = ApplyCurrentProfile();
    EXPECT_TRUE(result.Refused);
    EXPECT_EQ(result.Problems,
              (std::vector<TApplyProblem>{
                  {TApplyFailure::ValueNotAnAddress, "255.0.0.0 gateway=10.9.9.9", 0, "IP_ADRESSES_MASK_1"},
                  {TApplyFailure::ValueNotAnAddress, "10.0.0.4 register=none", 0, "DNS_ADRESSES_1"},
                  {TApplyFailure::ConnectionNameUnusable, "LAN\" source=dhcp", 0, "INTERFACE"}}));
    EXPECT_FALSE(Folder.Exists("Temp/norvex.txt"));
    EXPECT_FALSE(Folder.Exists("Temp/norvex.script"));
    EXPECT_TRUE(Recorded.Runs().empty());

    profile.IP.Adresses[1].Mask = "255.0.0.0";
    profile.DNS.Adresses[1] = "10.0.0.4";
    Interfaces[1].Interface = "LAN";
    EXPECT_TRUE(ApplyCurrentProfile().Succeeded());
    EXPECT_EQ(Recorded.Runs().size(), 2u);
}

// Only SYSTEM, the Administrators, TrustedInstaller and the user may change what Norvex reads as administrator.
TEST(FileRights, OnlyTheTrustedAccountsMayChangeWhatIsApplied) {
    const std::string user = "S-1-5-21-1-2-3-1001";
    const auto allow = [](const char* sid, std::uint32_t mask) { return platform::TAccessEntry{true, sid, mask}; };
    const std::vector<platform::TAccessEntry> trusted = {allow(SystemSid, 0x1F01FF),
                                                         allow(AdministratorsSid, 0x1F01FF),
                                                         allow(TrustedInstallerSid, 0x10000000),
                                                         allow("S-1-5-21-1-2-3-1001", 0x1F01FF),
                                                         allow("S-1-5-32-545", 0x1200A9),
                                                         allow(EveryoneSid, 0x1200A9)};
    const auto with = [&](platform::TAccessEntry entry) {
        std::vector<platform::TAccessEntry> entries = trusted;
        entries.push_back(entry);
        return entries;
    };
    const std::tuple<const char*, platform::TFileRights, std::string> cases[] = {
        {"trusted accounts only", {AdministratorsSid, true, trusted}, ""},
        {"the user owns it", {user, true, trusted}, ""},
        {"TrustedInstaller owns it", {TrustedInstallerSid, true, trusted}, ""},
        {"another user owns it", {"S-1-5-21-1-2-3-1002", true, trusted}, "S-1-5-21-1-2-3-1002"},
        {"Users may write", {AdministratorsSid, true, with(allow("S-1-5-32-545", 0x2))}, "S-1-5-32-545"},
        {"Authenticated Users may modify", {AdministratorsSid, true, with(allow("S-1-5-11", 0x1301BF))}, "S-1-5-11"},
        {"INTERACTIVE may append", {AdministratorsSid, true, with(allow("S-1-5-4", 0x4))}, "S-1-5-4"},
        {"Everyone has generic write", {AdministratorsSid, true, with(allow(EveryoneSid, 0x40000000))}, EveryoneSid},
        {"another user may delete children", {SystemSid, true, with(allow("S-1-5-21-9-9", 0x40))}, "S-1-5-21-9-9"},
        {"another user may delete", {SystemSid, true, with(allow("S-1-5-21-9-9", 0x10000))}, "S-1-5-21-9-9"},
        {"another user may change the rights", {SystemSid, true, with(allow("S-1-5-21-9-9", 0x40000))}, "S-1-5-21-9-9"},
        {"another user may take it", {SystemSid, true, with(allow("S-1-5-21-9-9", 0x80000))}, "S-1-5-21-9-9"},
        {"another user has generic all", {SystemSid, true, with(allow("S-1-5-21-9-9", 0x10000000))}, "S-1-5-21-9-9"},
        {"Users may set attributes only", {AdministratorsSid, true, with(allow("S-1-5-32-545", 0x100 | 0x10))}, ""},
        {"CREATOR OWNER", {AdministratorsSid, true, with(allow(CreatorOwnerSid, 0x1F01FF))}, ""},
        {"Users for what is made inside only",
         {AdministratorsSid, true, with(platform::TAccessEntry{true, "S-1-5-32-545", 0x1301BF, true})},
         ""},
        {"Users denied writing",
         {AdministratorsSid, true, with(platform::TAccessEntry{false, "S-1-5-32-545", 0x2})},
         ""},
        {"no access list", {AdministratorsSid, false, {}}, EveryoneSid},
        {"an empty access list", {AdministratorsSid, true, {}}, ""},
    };
    for (const auto& [name, rights, who] : cases)
        EXPECT_EQ(WhoElseMayChange(rights, user), who) << name;
}

#ifndef _WIN32
// As administrator, what others may write is not applied (under Wine, others' write is an entry for Everyone too:
// the package of tests drives norvex-cli there).
TEST_F(ApplyProfile, AsAdministratorNothingOthersMayChangeIsAppliedOrRun) {
    ProgramRunsElevated = [] { return true; };
    TProfile& profile = ScriptProfile("x");
    profile.DNS.Apply = true;
    std::filesystem::copy_file(Recording::RecorderPath(), Folder.File("command"));
    profile.Scripts.Command = Folder.File("command") + " after-copy";
    Folder.Write("Settings/LAN1.ini", "[LAN]\r\n");
    const std::string things[] = {Folder.Path(), Folder.File("Settings"), Folder.File("Settings/LAN1.ini"),
                                  Folder.File("template.cfg"), Folder.File("command")};
    for (const std::string& path : things)
        std::filesystem::permissions(path, std::filesystem::perms::group_write, std::filesystem::perm_options::remove);
    for (const std::string& path : things) {
        std::filesystem::permissions(path, std::filesystem::perms::others_write, std::filesystem::perm_options::add);
        TApplyResult result = ApplyCurrentProfile();
        EXPECT_TRUE(result.Refused);
        EXPECT_EQ(result.Problems,
                  (std::vector<TApplyProblem>{{TApplyFailure::ChangeableByOthers, path, 0, "Everyone"}}));
        std::filesystem::permissions(path, std::filesystem::perms::others_write, std::filesystem::perm_options::remove);
    }
    EXPECT_FALSE(Folder.Exists("Temp/norvex.txt"));
    EXPECT_FALSE(Folder.Exists("out/dest.cfg"));
    EXPECT_TRUE(Recorded.Runs().empty());
    EXPECT_TRUE(ApplyCurrentProfile().Succeeded());
    EXPECT_EQ(Recorded.Runs().size(), 2u);
}
#endif

TEST_F(ApplyProfile, ATemporaryFolderEndingInASeparatorGetsNoSecondOne) {
    TempDir = Folder.File("Temp") + platform::PathSeparator();
    EXPECT_EQ(TempFilePath("norvex.txt"), Folder.File("Temp/norvex.txt"));
    TempDir = Folder.File("Temp");
    EXPECT_EQ(TempFilePath("norvex.txt"), Folder.File("Temp/norvex.txt"));
}

TEST_F(ApplyProfile, AnUnknownCurrentProfileAppliesNothing) {
    Selection.CurrentProfile = 3;
    EXPECT_TRUE(ApplyCurrentProfile().Succeeded());
    Selection.CurrentProfile = -1;
    EXPECT_TRUE(ApplyCurrentProfile().Succeeded());
    EXPECT_FALSE(Folder.Exists("Temp/norvex.txt"));
}

TEST_F(ApplyProfile, TheScriptStepFillsInTheTemplateCopiesItAndRunsTheCommand) {
    TProfile& profile = ScriptProfile("address=ip;IP\r\ngateway=$GW\nplain\r\n");
    profile.Scripts.ScriptsValues = {{"IP", "10.0.0.5"}, {"$GW", "10.0.0.1"}};
    EXPECT_TRUE(ApplyCurrentProfile().Succeeded());
    const std::string expected = "address=10.0.0.5;10.0.0.5\r\ngateway=10.0.0.1\r\nplain\r\n";
    EXPECT_EQ(Folder.Read("Temp/norvex.script"), expected);
    EXPECT_EQ(Folder.Read("out/dest.cfg"), expected);
    EXPECT_EQ(Recorded.Runs(), (std::vector<Lines>{{"arg after-copy"}}));
}

TEST_F(ApplyProfile, TheNetworkStepComesBeforeTheScriptStep) {
    TProfile& profile = ScriptProfile("x");
    profile.DNS.Apply = true;
    ApplyCurrentProfile();
    std::vector<Lines> runs = Recorded.Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0][0], "arg exec");
    EXPECT_EQ(runs[1][0], "arg after-copy");
}

TEST_F(ApplyProfile, TheScriptStepRunsWithoutNetworkGroups) {
    ScriptProfile("x");
    ApplyCurrentProfile();
    EXPECT_EQ(NetshScript(), "TEST\r\n");
    EXPECT_EQ(Recorded.Runs(), (std::vector<Lines>{{"arg after-copy"}}));
}

TEST_F(ApplyProfile, AnEmptyTemplateGivesOneEmptyLine) {
    ScriptProfile("");
    ApplyCurrentProfile();
    EXPECT_EQ(Folder.Read("Temp/norvex.script"), "\r\n");
    EXPECT_EQ(Folder.Read("out/dest.cfg"), "\r\n");
}

TEST_F(ApplyProfile, WithoutADestinationNothingIsCopiedButTheCommandRuns) {
    ScriptProfile("line").Scripts.DestinationPath = "";
    ApplyCurrentProfile();
    EXPECT_EQ(Folder.Read("Temp/norvex.script"), "line\r\n");
    EXPECT_FALSE(Folder.Exists("out"));
    EXPECT_EQ(Recorded.Runs().size(), 1u);
}

TEST_F(ApplyProfile, AnExistingDestinationIsOverwritten) {
    ScriptProfile("new");
    Folder.Write("out/dest.cfg", "old and longer\r\n");
    ApplyCurrentProfile();
    EXPECT_EQ(Folder.Read("out/dest.cfg"), "new\r\n");
}

TEST_F(ApplyProfile, AMissingTemplateSkipsTheWholeScriptStepAndIsReported) {
    TProfile& profile = ScriptProfile("x");
    profile.Scripts.SourcePath = Folder.File("missing.cfg");
    EXPECT_EQ(ApplyCurrentProfile().Problems,
              (std::vector<TApplyProblem>{{TApplyFailure::TemplateMissing, profile.Scripts.SourcePath}}));
    EXPECT_FALSE(Folder.Exists("Temp/norvex.script"));
    EXPECT_FALSE(Folder.Exists("out/dest.cfg"));
    EXPECT_TRUE(Recorded.Runs().empty());
}

TEST_F(ApplyProfile, AScriptStepThatIsNotAppliedDoesNothing) {
    ScriptProfile("x").Scripts.Apply = false;
    ApplyCurrentProfile();
    EXPECT_FALSE(Folder.Exists("Temp/norvex.script"));
    EXPECT_TRUE(Recorded.Runs().empty());
}

TEST_F(ApplyProfile, ACommandThatCannotBeStartedIsReportedAfterTheCopy) {
    const std::string command = "\"" + Folder.File("no-such-command") + "\" a";
    ScriptProfile("x").Scripts.Command = command;
    EXPECT_EQ(ApplyCurrentProfile().Problems,
              (std::vector<TApplyProblem>{{TApplyFailure::CommandNotStarted, command}}));
    EXPECT_EQ(Folder.Read("out/dest.cfg"), "x\r\n");
}

TEST_F(ApplyProfile, ADestinationThatCannotBeWrittenIsReportedAndTheCommandRuns) {
    Folder.Write("file", "not a folder");
    const std::string destination = Folder.File("file/dest.cfg");
    ScriptProfile("x").Scripts.DestinationPath = destination;
    EXPECT_EQ(ApplyCurrentProfile().Problems, (std::vector<TApplyProblem>{{TApplyFailure::CopyFailed, destination}}));
    EXPECT_EQ(Recorded.Runs().size(), 1u);
}

TEST_F(ApplyProfile, TheCommandsExitCodeIsNotRead) {
    Recorded.SetExitCode(3);
    ScriptProfile("x");
    EXPECT_TRUE(ApplyCurrentProfile().Succeeded());
    EXPECT_EQ(Recorded.Runs().size(), 1u);
}

TEST_F(ApplyProfile, TheOnOffGroupTakesNoPartInApplying) {
    TProfile& profile = NewCurrentProfile();
    profile.OnOff = {true, 1};
    ApplyCurrentProfile();
    EXPECT_EQ(NetshScript(), "TEST\r\n");
    EXPECT_TRUE(Recorded.Runs().empty());
}

} // namespace
