// norvex-cli: its commands run in-process on a settings folder of the test, with the recording stand-in as netsh.
#include "cli/Choose.h"
#include "cli/Commands.h"
#include "cli/KeepCommands.h"

#include "MachineStandIn.h"
#include "Recording.h"
#include "TestFolders.h"
#include "core/Promenne.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "engine/ApplyNotice.h"
#include "engine/Connections.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const char* const LanguageFile = "[APPLY]\r\n"
                                 "APPLY_CAPTION=Applying profile\r\n"
                                 "RESULT_APPLIED=Profile '$PROFILE$' applied\r\n"
                                 "RESULT_FAILED=Profile '$PROFILE$' was not applied completely\r\n"
                                 "FAILED_NETSH_EXIT_CODE=netsh ended with exit code $CODE$. Script: $PATH$\r\n"
                                 "NETSH_REPORTED=netsh reported: $LINE$\r\n"
                                 "FAILED_TEMPLATE_MISSING=The script template $PATH$ was not found.\r\n"
                                 "[VERIFY]\r\n"
                                 "RESULT_IN_EFFECT=Profile '$PROFILE$' is in effect: $COUNT$ settings checked\r\n"
                                 "RESULT_NOT_IN_EFFECT=Profile '$PROFILE$' is not fully in effect\r\n"
                                 "RESULT_NOT_CHECKED=Profile '$PROFILE$' could not be checked\r\n"
                                 "LINE_IN_EFFECT=$SETTING$: in effect, $FOUND$\r\n"
                                 "LINE_NOT_IN_EFFECT=$SETTING$: expected $EXPECTED$, found $FOUND$\r\n"
                                 "SETTING_IP_ADDRESSES=IP addresses\r\nSETTING_GATEWAYS=Gateway\r\n"
                                 "SETTING_DNS_SERVERS=DNS servers\r\nSETTING_WINS_SERVERS=WINS servers\r\n"
                                 "SETTING_DNS_REGISTRATION=DNS registration\r\n"
                                 "VALUE_AND=\" and \"\r\nVALUE_DHCP=DHCP\r\nVALUE_DHCP_GAVE=DHCP "
                                 "($VALUES$)\r\nVALUE_REGISTER_BOTH=registered with suffix\r\n"
                                 "[CONNECTIONS]\r\n"
                                 "LIST_ITEM=$NAME$ - $DESCRIPTION$, $STATE$\r\nCONNECTED=connected\r\n"
                                 "NOT_PRESENT=The connection '$CONNECTION$' is not present on this computer.\r\n"
                                 "[DEFAULT_LANS]\r\n"
                                 "NAME=Interface\r\n"
                                 "CAPTION=Network connection\r\n"
                                 "INTERFACE=Local Area Connection\r\n";

// Slot 1: a connection name with blanks, a profile of every network group, one of none, one named like a number.
const char* const OfficeSlot = "[LAN]\r\nNAME=Office\r\nINTERFACE=Local Area Connection\r\n"
                               "[PROFILE_1]\r\nNAME=Desk\r\n"
                               "IP_APPLY=TRUE\r\nIP_SOURCETYPE=1\r\n"
                               "IP_ADRESSES_ADDRESS_0=192.168.10.20\r\nIP_ADRESSES_MASK_0=255.255.255.0\r\n"
                               "IP_ADRESSES_ADDRESS_1=192.168.10.21\r\nIP_ADRESSES_MASK_1=255.255.255.0\r\n"
                               "IP_GATEWAYS_0=192.168.10.1\r\n"
                               "DNS_APPLY=TRUE\r\nDNS_SOURCETYPE=1\r\nDNS_REGISTERINDNS=2\r\n"
                               "DNS_ADRESSES_0=192.168.10.2\r\nDNS_ADRESSES_1=192.168.10.3\r\n"
                               "WINS_APPLY=TRUE\r\nWINS_SOURCETYPE=0\r\n"
                               "FIREWALL_APPLY=TRUE\r\nFIREWALL_ENABLEFIREWALL=TRUE\r\n"
                               "[PROFILE_2]\r\nNAME=Nothing\r\n"
                               "[PROFILE_3]\r\nNAME=7\r\nDNS_APPLY=TRUE\r\n";

// Slot 2: two profiles whose names differ only in letter case; the second has a script step.
const char* const LabSlot = "[LAN]\r\nNAME=Lab\r\nINTERFACE=Ethernet\r\n"
                            "[PROFILE_1]\r\nNAME=Bench\r\nIP_APPLY=TRUE\r\n"
                            "[PROFILE_2]\r\nNAME=bench\r\nSCRIPTS_APPLY=TRUE\r\n"
                            "SCRIPTS_SCRIPTSVALUES_VARIABLE_0=HOST\r\nSCRIPTS_SCRIPTSVALUES_VALUE_0=lab.test\r\n";

// Slot 1's connection with what profile Desk applies in effect, and a second connection on DHCP.
const char* const DeskInEffect = "[FIREWALL]\r\nENABLED=TRUE\r\nEXCEPTIONS_ALLOWED=TRUE\r\nNOTIFICATIONS=FALSE\r\n"
                                 "[CONNECTION_1]\r\nNAME=Local Area Connection\r\nDESCRIPTION=Intel(R) Ethernet\r\n"
                                 "GUID={2B1C}\r\nINDEX=7\r\nMAC=00-1A-2B-3C-4D-5E\r\n"
                                 "ADDRESSES=192.168.10.21/255.255.255.0 192.168.10.20/255.255.255.0\r\n"
                                 "GATEWAYS=192.168.10.1\r\nDNS=192.168.10.2 192.168.10.3\r\nDNS_FROM_DHCP=FALSE\r\n"
                                 "DNS_REGISTRATION=2\r\nWINS_FROM_DHCP=TRUE\r\n"
                                 "[CONNECTION_2]\r\nNAME=Ethernet\r\nDESCRIPTION=USB dock\r\nDHCP=TRUE\r\n"
                                 "ADDRESSES=10.1.2.3/255.255.0.0\r\nGATEWAYS=10.1.0.1\r\nDNS=10.1.0.1\r\n"
                                 "DNS_FROM_DHCP=TRUE\r\nDNS_REGISTRATION=1\r\n";

struct CliRun {
    int Code;
    std::string Out;
    std::string Err;
};

class Cli : public ::testing::Test {
protected:
    Cli() {
        // The program lies in the scratch folder: its default settings folder and its language file are there.
        ProgramPathOverride = Folder.File("norvex-cli");
        WriteLanguageFile(Folder, LanguageFile);
        Folder.Write("Settings/LAN1.ini", OfficeSlot);
        Folder.Write("Settings/LAN2.ini", LabSlot);
        Folder.Write("Temp/.keep", "");
        SetTemp(Folder.File("Temp"));
    }
    ~Cli() override {
        SetTemp(OldTemp);
        ProgramPathOverride.clear();
        CloseIniFile();
    }

    // The temporary folder the program finds, on either system.
    static void SetTemp(const std::string& folder) {
        for (const char* name : {"TMPDIR", "TMP"})
            if (folder.empty())
                UnsetEnvironment(name);
            else
                SetEnvironment(name, folder);
    }

    CliRun Run(std::vector<std::string> args, std::istream* input = nullptr) const {
        std::ostringstream out, err;
        const int code = RunCli(args, out, err, input);
        return {code, out.str(), err.str()};
    }

    std::string Settings() const { return Folder.File("Settings"); }

    // Every file under the folder with its bytes: what a command must leave as it found it.
    std::map<std::string, std::string> Contents(const std::string& relative) const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(Folder.File(relative)))
            files[entry.path().string()] = Folder.Read(relative + "/" + entry.path().filename().string());
        return files;
    }

    ScratchFolder Folder;
    // The machine: slot 1's connection as profile Desk sets it.
    MachineStandIn Machine{Folder, DeskInEffect};
    std::string OldTemp = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp != nullptr ? tmp : "");
    }();
};

// What applying the profile left in norvex.txt, with netsh recorded instead of run.
TEST_F(Cli, ScriptWritesTheBytesThatApplyingWritesForNetsh) {
    Recording recorded(Folder);
    for (const std::vector<std::string>& profile : {std::vector<std::string>{"1", "1"}, {"Lab", "1"}}) {
        SCOPED_TRACE(profile[0] + " " + profile[1]);
        const CliRun script = Run({"--settings", Settings(), "script", profile[0], profile[1]});
        EXPECT_EQ(script.Code, ExitDone);
        EXPECT_EQ(script.Err, "");
        ASSERT_EQ(Run({"--settings", Settings(), "apply", profile[0], profile[1]}).Code, ExitDone);
        EXPECT_EQ(script.Out, Folder.Read("Temp/norvex.txt"));
    }
    EXPECT_EQ(recorded.Runs().size(), 2u);
}

TEST_F(Cli, ScriptQuotesAConnectionNameWithBlanksAndFollowsTheWindowsVersion) {
    const std::string script = Run({"--settings", Settings(), "script", "Office", "Desk"}).Out;
    EXPECT_NE(script.find("\r\nset address name=\"Local Area Connection\" source=static addr=192.168.10.20 mask="
                          "255.255.255.0 gateway=192.168.10.1 gwmetric=0\r\n"),
              std::string::npos);
    EXPECT_NE(script.find(" source=static addr=192.168.10.2 register=both\r\n"), std::string::npos);
    // Windows 2000 leaves out the registration, and nothing else changes.
    const std::string w2000 = Run({"--settings", Settings(), "script", "1", "1", "--windows-version", "1"}).Out;
    EXPECT_NE(w2000.find(" source=static addr=192.168.10.2\r\n"), std::string::npos);
    EXPECT_EQ(w2000.size(), script.size() - std::string(" register=both").size());
}

TEST_F(Cli, ScriptOfAProfileWithoutNetworkGroupsIsWrittenAndSaysNetshWouldNotRun) {
    const CliRun run = Run({"--settings", Settings(), "script", "1", "nothing"});
    EXPECT_EQ(run.Code, ExitDone);
    EXPECT_EQ(run.Out.substr(0, run.Out.find("\r\n")), "#BEGIN nastaveni IP, Gateway, DNS, WINS");
    EXPECT_NE(run.Err.find("would not run netsh"), std::string::npos) << run.Err;
}

TEST_F(Cli, SlotsAndProfilesAreChosenByNumberOrByNameInAnyCase) {
    Run({"--settings", Settings(), "list"}); // fills the store
    struct Case {
        std::string Slot, Profile, Name, Error;
    };
    const Case cases[] = {
        {"1", "2", "Nothing", ""},
        {"OFFICE", "desk", "Desk", ""},
        {"office", "3", "7", ""},
        {"1", "7", "7", ""}, // past the slot's profiles a number is a name
        {"2", "2", "bench", ""},
        {"2", "Bench", "", "profiles 1, 2 of slot 2 are all named 'Bench': give the profile's position"},
        {"1", "4", "", "no profile '4' of slot 1 (it has 3 profiles)"},
        {"6", "1", "", "no slot '6': give 1 to 5 or a slot's name"},
        {"interface", "1", "", "slots 3, 4, 5 are all named 'interface': give the slot's number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Slot + " " + c.Profile);
        TChoice slot = ChooseSlot(c.Slot);
        TChoice profile = slot.Error.empty() ? ChooseProfile(slot.Value, c.Profile) : slot;
        if (c.Error.empty())
            EXPECT_EQ(Profiles[static_cast<size_t>(profile.Value)].Name, c.Name) << profile.Error;
        else
            EXPECT_EQ(profile.Error, c.Error);
    }
}

TEST_F(Cli, ExitCodesAndWhereTheOutputGoes) {
    Folder.Write("template.cfg", "server=HOST\n");
    struct Case {
        std::vector<std::string> Args;
        int Code;
        bool Output; // something on standard output
    };
    const std::string s = Settings();
    const Case cases[] = {
        {{}, ExitUsage, false},
        {{"--version"}, ExitDone, true},
        {{"--help"}, ExitDone, true},
        {{"help", "script"}, ExitDone, true},
        {{"script", "--help"}, ExitDone, true},
        {{"frobnicate"}, ExitUsage, false},
        {{"list", "--verbose"}, ExitUsage, false},
        {{"--settings", s, "list", "extra"}, ExitUsage, false},
        {{"--settings", s, "script", "1"}, ExitUsage, false},
        {{"--settings", s, "script", "1", "1", "--windows-version", "4"}, ExitUsage, false},
        {{"--settings", s, "list", "--windows-version=1"}, ExitUsage, false},
        {{"--settings", s, "script", "1", "9"}, ExitUsage, false},
        {{"--settings", Folder.File("nowhere"), "list"}, ExitUsage, false},
        {{"list"}, ExitDone, true}, // the Settings folder beside the program
        {{"--settings=" + s, "list", "--json"}, ExitDone, true},
        {{"--settings", s, "template", "1", "1"}, ExitProblems, false}, // script step off
        {{"--settings", s, "template", "2", "2"}, ExitProblems, false}, // no template
        {{"--settings", s, "check"}, ExitProblems, true},               // the shared name
        {{"--settings", s, "verify", "1"}, ExitUsage, false},
        {{"--settings", s, "current", "9"}, ExitUsage, false},
        {{"--settings", s, "list", "--no-verify"}, ExitUsage, false},
        {{"--settings", s, "apply", "1", "1", "--verify-timeout", "soon"}, ExitUsage, false},
        {{"--settings", s, "apply", "1", "1", "--verify-timeout=3601"}, ExitUsage, false},
        {{"--settings", s, "apply", "1", "1", "--revert-after", "0"}, ExitUsage, false},
        {{"--settings", s, "verify", "1", "1", "--revert-after", "30"}, ExitUsage, false},
        {{"--settings", s, "apply", "1", "1", "--machine-stand-in", "m.ini"}, ExitUsage, false},
        {{"--settings", s, "apply", "1", "1", "--netsh-stand-in", "n.exe"}, ExitUsage, false},
        {{"--settings", s, "keep-or-revert", "1", "1"}, ExitUsage, false}, // norvex-cli's own, with its options
        {{"help", "keep-or-revert"}, ExitUsage, false},
        {{"--settings", s, "confirm", "now"}, ExitUsage, false},
        {{"--settings", Folder.File("nowhere"), "adapters"}, ExitDone, true}, // needs no settings folder
    };
    const auto before = Contents("Settings");
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& arg : c.Args)
            line += arg + " ";
        SCOPED_TRACE(line);
        const CliRun run = Run(c.Args);
        EXPECT_EQ(run.Code, c.Code) << run.Err;
        EXPECT_EQ(!run.Out.empty(), c.Output) << run.Out;
        if (c.Code == ExitUsage) { // one line saying what is wrong
            EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        }
    }
    EXPECT_EQ(Contents("Settings"), before);
    EXPECT_FALSE(Folder.Exists("nowhere"));
}

TEST_F(Cli, AMissingDefaultSettingsFolderIsAnErrorAndIsNotCreated) {
    std::filesystem::remove_all(Folder.File("Settings"));
    const CliRun run = Run({"list"});
    EXPECT_EQ(run.Code, ExitUsage);
    EXPECT_NE(run.Err.find("no settings folder"), std::string::npos);
    EXPECT_FALSE(Folder.Exists("Settings"));
}

TEST_F(Cli, TemplateWritesTheConvertedTemplateOrTellsWhyNot) {
    const std::string templatePath = Folder.File("template.cfg");
    Folder.Write("Settings/LAN2.ini", std::string(LabSlot) + "SCRIPTS_SOURCEPATH=" + templatePath + "\r\n");
    const CliRun missing = Run({"--settings", Settings(), "template", "2", "2"});
    EXPECT_EQ(missing.Code, ExitProblems);
    EXPECT_EQ(missing.Err, "norvex-cli: The script template " + templatePath + " was not found.\n");

    Folder.Write("template.cfg", "server=host\nport=1\r\n");
    const CliRun run = Run({"--settings", Settings(), "template", "2", "2"});
    EXPECT_EQ(run.Code, ExitDone);
    EXPECT_EQ(run.Out, "server=lab.test\r\nport=1\r\n");

    // A template on another computer is not asked for.
    Folder.Write("Settings/LAN2.ini", std::string(LabSlot) + "SCRIPTS_SOURCEPATH=\\\\server\\share\\t.cfg\r\n");
    const CliRun remote = Run({"--settings", Settings(), "template", "2", "2"});
    EXPECT_EQ(remote.Code, ExitProblems);
    EXPECT_EQ(remote.Err,
              "norvex-cli: the script template \\\\server\\share\\t.cfg lies on another computer and was not read\n");
}

TEST_F(Cli, ApplyRunsNetshVerifiesAndReportsInTheWordsOfTheNotifications) {
    Recording recorded(Folder);
    CliRun run = Run({"--settings", Settings(), "apply", "1", "desk"});
    EXPECT_EQ(run.Code, ExitDone);
    // Addresses, gateway, DNS servers and registration, WINS, the firewall's three switches.
    EXPECT_EQ(run.Err, "Profile 'Desk' applied\nProfile 'Desk' is in effect: 8 settings checked\n");
    ASSERT_EQ(recorded.Runs().size(), 1u);
    EXPECT_EQ(recorded.Runs()[0].at(0), "arg exec");

    // netsh's exit code decides where nothing is verified; what netsh printed (standard output, then error) follows
    // it, and is in norvex.log as netsh wrote it.
    recorded.SetExitCode(3);
    recorded.Print("DHCP is already enabled on this interface.",
                   "The configured DNS server is incorrect or does not exist.");
    const std::string script = TempFilePath(NetshScriptFileName);
    const std::string netshSaid = "netsh reported: DHCP is already enabled on this interface.\n"
                                  "  The configured DNS server is incorrect or does not exist.\n";
    run = Run({"--settings", Settings(), "apply", "1", "desk", "--no-verify"});
    EXPECT_EQ(run.Code, ExitProblems);
    EXPECT_EQ(run.Err, "Profile 'Desk' was not applied completely\nnetsh ended with exit code 3. Script: " + script +
                           "\n" + netshSaid);
    const std::string end = platform::PathSeparator() == '\\' ? "\r\n" : "\n";
    EXPECT_EQ(Folder.Read("Temp/norvex.log"), "DHCP is already enabled on this interface." + end +
                                                  "The configured DNS server is incorrect or does not exist." + end);

    // Verified and every setting in effect: netsh's exit code is a note, told once the verification is done.
    recorded.SetExitCode(1);
    run = Run({"--settings", Settings(), "apply", "1", "desk"});
    EXPECT_EQ(run.Code, ExitDone);
    EXPECT_EQ(run.Err, "Profile 'Desk' is in effect: 8 settings checked\n" + netshSaid);
    recorded.Print("");

    // netsh content, the connection not: a failure, told line by line once the (here shortest) wait is over.
    recorded.SetExitCode(0);
    std::string machine = Folder.Read("machine.ini");
    machine.replace(machine.find("GATEWAYS=192.168.10.1\r\n"), 23, "GATEWAYS=192.168.10.1 10.0.0.1\r\n");
    Machine.Write(machine);
    run = Run({"--settings", Settings(), "apply", "1", "desk", "--verify-timeout", "0"});
    EXPECT_EQ(run.Code, ExitProblems);
    EXPECT_EQ(run.Err, "Profile 'Desk' applied\nProfile 'Desk' is not fully in effect\n"
                       "Gateway: expected 192.168.10.1, found 192.168.10.1 and 10.0.0.1\n");

    // The connection not present: the apply cannot be told in effect.
    Machine.Write("");
    run = Run({"--settings", Settings(), "apply", "1", "desk", "--verify-timeout=0"});
    EXPECT_EQ(run.Code, ExitProblems);
    EXPECT_NE(run.Err.find("Profile 'Desk' could not be checked\n"
                           "The connection 'Local Area Connection' is not present on this computer.\n"),
              std::string::npos)
        << run.Err;
    // Nor can netsh's exit code be judged: it decides, as without verifying.
    recorded.SetExitCode(1);
    recorded.Print("DHCP is already enabled on this interface.");
    run = Run({"--settings", Settings(), "apply", "1", "desk", "--verify-timeout=0"});
    EXPECT_EQ(run.Code, ExitProblems);
    const std::string told =
        "Profile 'Desk' was not applied completely\nnetsh ended with exit code 1. Script: " + script +
        "\nnetsh reported: DHCP is already enabled on this interface.\n"
        "The connection 'Local Area Connection' is not present on this computer.\n";
    EXPECT_EQ(run.Err.substr(0, told.size()), told); // then the firewall, which the stand-in does not show
    EXPECT_EQ(recorded.Runs().size(), 6u);
}

TEST_F(Cli, VerifyComparesNowWithoutApplying) {
    Recording recorded(Folder);
    CliRun run = Run({"--settings", Settings(), "verify", "1", "desk"});
    EXPECT_EQ(run.Code, ExitDone) << run.Err;
    EXPECT_EQ(run.Out.substr(0, run.Out.find("DNS servers")),
              "IP addresses: in effect, 192.168.10.21/255.255.255.0 and 192.168.10.20/255.255.255.0\n"
              "Gateway: in effect, 192.168.10.1\n");
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 8);
    EXPECT_EQ(run.Err, "Profile 'Desk' is in effect: 8 settings checked\n");

    // Slot 2's profile Bench takes the addresses from DHCP; its connection is on DHCP with a lease.
    run = Run({"--settings", Settings(), "verify", "Lab", "1"});
    EXPECT_EQ(run.Code, ExitDone) << run.Err;
    EXPECT_EQ(run.Out, "IP addresses: in effect, DHCP (10.1.2.3/255.255.0.0)\n");
    // Slot 1's profile 7 applies DHCP for DNS, which its connection does not.
    run = Run({"--settings", Settings(), "verify", "1", "7"});
    EXPECT_EQ(run.Code, ExitProblems);
    EXPECT_EQ(run.Out, "DNS servers: expected DHCP, found 192.168.10.2 and 192.168.10.3\n");
    EXPECT_EQ(run.Err, "Profile '7' is not fully in effect\n");
    // Slot 2's connection gone: said, and nothing to compare.
    Machine.Write("[CONNECTION_1]\r\nNAME=Local Area Connection\r\n");
    run = Run({"--settings", Settings(), "verify", "Lab", "1"});
    EXPECT_EQ(run.Code, ExitProblems);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err,
              "Profile 'Bench' could not be checked\nThe connection 'Ethernet' is not present on this computer.\n");
    EXPECT_TRUE(recorded.Runs().empty());
}

TEST_F(Cli, AdaptersListsTheMachineAndCurrentPrintsLinesThatReadBackAsTheProfile) {
    CliRun run = Run({"adapters"});
    EXPECT_EQ(run.Code, ExitDone);
    EXPECT_EQ(run.Out.substr(0, run.Out.find("\nEthernet")),
              "Local Area Connection - Intel(R) Ethernet, connected\n"
              "  interface 7, {2B1C}, MAC 00-1A-2B-3C-4D-5E\n"
              "  IP addresses: 192.168.10.21/255.255.255.0 and 192.168.10.20/255.255.255.0\n"
              "  Gateway: 192.168.10.1\n"
              "  DNS servers: 192.168.10.2 and 192.168.10.3\n"
              "  DNS registration: registered with suffix\n"
              "  WINS servers: DHCP");
    run = Run({"adapters", "--json"});
    EXPECT_EQ(run.Out.substr(0, run.Out.find(",\"description\"")),
              "{\"connections\":[{\"name\":\"Local Area Connection\",\"nameFits\":true");
    EXPECT_NE(run.Out.find("\"firewall\":{\"enabled\":true,\"exceptionsAllowed\":true,\"notifications\":false}}"),
              std::string::npos);

    // Pasted into a profile's section, the lines are the connection's settings, and applying them changes nothing.
    run = Run({"--settings", Settings(), "current", "office"});
    ASSERT_EQ(run.Code, ExitDone) << run.Err;
    Folder.Write("Settings/LAN3.ini",
                 "[LAN]\r\nINTERFACE=Local Area Connection\r\n[PROFILE_1]\r\nNAME=Now\r\n" + run.Out);
    const CliRun verify = Run({"--settings", Settings(), "verify", "3", "now"});
    EXPECT_EQ(verify.Code, ExitDone) << verify.Out;
    const TProfile& now = Profiles.at(static_cast<size_t>(ChooseProfile(3, "now").Value));
    EXPECT_EQ(now.IP.Adresses,
              (std::vector<TAddress>{{"192.168.10.21", "255.255.255.0"}, {"192.168.10.20", "255.255.255.0"}}));
    EXPECT_EQ(now.DNS.RegisterInDNS, 2);
    EXPECT_EQ(now.WINS.SourceType, 0);
    run = Run({"--settings", Settings(), "current", "2", "--json"});
    EXPECT_EQ(run.Out, "{\"connection\":\"Ethernet\",\"ip\":{\"dhcp\":true,\"addresses\":[],\"gateways\":[]},"
                       "\"dns\":{\"dhcp\":true,\"servers\":[],\"registration\":\"primary\"},"
                       "\"wins\":{\"dhcp\":true,\"servers\":[]}}\n");

    Machine.Write("");
    run = Run({"--settings", Settings(), "current", "1"});
    EXPECT_EQ(run.Code, ExitProblems);
    EXPECT_EQ(run.Err, "norvex-cli: The connection 'Local Area Connection' is not present on this computer.\n");
}

TEST_F(Cli, CheckReportsOneLineForEachProblem) {
    Folder.Write("template.cfg", "");
    Folder.Write("Damaged/WINDOW.ini", "[WINDOW]\r\nLEFT=10px\r\n");
    Folder.Write("Damaged/LAN1.ini", "[LAN]\r\nNAME=Office\r\nINTERFACE=LAN \"1\"\r\n"
                                     "[PROFILE_1]\r\nNAME=Home\r\nICON=four\r\n"
                                     "SCRIPTS_SOURCEPATH=" +
                                         Folder.File("template.cfg") +
                                         "\r\n"
                                         "SCRIPTS_SCRIPTSVALUES_VARIABLE_0=Host\r\nSCRIPTS_SCRIPTSVALUES_VALUE_0=x\r\n"
                                         "IP_ADRESSES_ADDRESS_0=10.0.0.5\r\nIP_ADRESSES_MASK_0=255.0.255.0\r\n"
                                         "IP_ADRESSES_ADDRESS_1=10.1.0.5\r\n"
                                         "IP_ADRESSES_ADDRESS_2=10.0.1.256\r\nIP_ADRESSES_MASK_2=255.255.0\r\n"
                                         "IP_GATEWAYS_0=10.1.0.1\r\nIP_GATEWAYS_1=10.9.0.1\r\n"
                                         "DNS_ADRESSES_0=dns.local\r\n"
                                         "[PROFILE_2]\r\nNAME=HOME\r\nSCRIPTS_SOURCEPATH=" +
                                         Folder.File("missing.cfg") +
                                         "\r\n"
                                         "[PROFILE_3]\r\nNAME=Away\r\nSCRIPTS_SOURCEPATH=//server/share/t.cfg\r\n");
    Folder.Write("Damaged/LAN2.ini", "[LAN]\r\nICON=-5\r\n[PROFILE_3]\r\nNAME=Fine\r\nWINS_ADRESSES_0=10.0.0.1\r\n"
                                     "IP_ADRESSES_ADDRESS_0=192.168.1.5\r\nIP_ADRESSES_MASK_0=\r\n"
                                     "IP_GATEWAYS_0=192.168.1.1\r\n"
                                     "[PROFILE_5]\r\nDNS_ADRESSES_0=x\r\n");
    const CliRun run = Run({"--settings", Folder.File("Damaged"), "check"});
    EXPECT_EQ(run.Code, ExitProblems);
    EXPECT_EQ(
        run.Out,
        "WINDOW.ini [WINDOW] LEFT: '10px' is not a valid integer value.\n"
        "LAN1.ini [LAN] INTERFACE: 'LAN \"1\"' holds a double quote or a control character: netsh would not read "
        "it as one name.\n"
        "LAN1.ini [PROFILE_1] ICON: 'four' is not a valid integer value.\n"
        "LAN1.ini [PROFILE_1] IP_ADRESSES_MASK_1: missing, though IP_ADRESSES_ADDRESS_1 is present.\n"
        "LAN1.ini [PROFILE_1] NAME: profiles 1, 2 share the name 'Home'.\n"
        "LAN1.ini [PROFILE_1] SCRIPTS_SCRIPTSVALUES_VARIABLE_0: 'Host' never matches: only names in capitals "
        "are found in the template.\n"
        "LAN1.ini [PROFILE_1] IP_ADRESSES_MASK_0: '255.0.255.0' is not a contiguous mask.\n"
        "LAN1.ini [PROFILE_1] IP_ADRESSES_ADDRESS_2: '10.0.1.256' is not a dotted IPv4 address.\n"
        "LAN1.ini [PROFILE_1] IP_ADRESSES_MASK_2: '255.255.0' is not a dotted IPv4 mask.\n"
        "LAN1.ini [PROFILE_1] IP_GATEWAYS_1: '10.9.0.1' lies outside the subnet of every address of the "
        "profile.\n"
        "LAN1.ini [PROFILE_1] DNS_ADRESSES_0: 'dns.local' is not a dotted IPv4 address.\n"
        "LAN1.ini [PROFILE_2] SCRIPTS_SOURCEPATH: '" +
            Folder.File("missing.cfg") +
            "' does not exist.\n"
            "LAN1.ini [PROFILE_3] SCRIPTS_SOURCEPATH: '//server/share/t.cfg' lies on another computer and was not "
            "read.\n"
            "LAN2.ini [LAN] ICON: '-5' is not one of the pictures 0 to 7: the first picture is shown.\n"
            "LAN2.ini [PROFILE_3]: read as profile 1, as PROFILE_1 to PROFILE_2 is missing; the next save "
            "numbers the profiles 1, 2, 3 again.\n"
            "LAN2.ini [PROFILE_5]: read as profile 2, as PROFILE_4 is missing; the next save numbers the "
            "profiles 1, 2, 3 again.\n"
            "LAN2.ini [PROFILE_5] NAME: missing: read as an empty name.\n"
            "LAN2.ini [PROFILE_5] DNS_ADRESSES_0: 'x' is not a dotted IPv4 address.\n");
    EXPECT_EQ(run.Err, "18 problems in " + Folder.File("Damaged") + platform::PathSeparator() + "\n");

    const CliRun json = Run({"--settings", Folder.File("Damaged"), "check", "--json"});
    EXPECT_EQ(json.Code, ExitProblems);
    const std::string first = "{\"problems\":[{\"file\":\"WINDOW.ini\",\"section\":\"WINDOW\",\"key\":\"LEFT\","
                              "\"message\":\"'10px' is not a valid integer value.\"},{\"file\":\"LAN1.ini\"";
    EXPECT_EQ(json.Out.substr(0, first.size()), first);

    Folder.Write("Damaged/LAN1.ini", "[PROFILE_1]\r\nNAME=Home\r\n");
    Folder.Write("Damaged/LAN2.ini", "");
    Folder.Write("Damaged/WINDOW.ini", "");
    const CliRun clean = Run({"--settings", Folder.File("Damaged"), "check", "--json"});
    EXPECT_EQ(clean.Code, ExitDone);
    EXPECT_EQ(clean.Out, "{\"problems\":[]}\n");
}

TEST_F(Cli, ListShowsEverySlotWithItsProfilesAndTheGroupsTheyApply) {
    const CliRun text = Run({"--settings", Settings(), "list"});
    EXPECT_EQ(text.Out.substr(0, text.Out.find("Slot 3")), "Slot 1: Office (connection: Local Area Connection)\n"
                                                           "  1. Desk - IP DNS WINS Firewall\n"
                                                           "  2. Nothing - nothing\n"
                                                           "  3. 7 - DNS\n"
                                                           "Slot 2: Lab (connection: Ethernet)\n"
                                                           "  1. Bench - IP\n"
                                                           "  2. bench - Script\n");
    const CliRun json = Run({"--settings", Settings(), "list", "--json"});
    EXPECT_EQ(json.Out.substr(0, json.Out.find(",{\"number\":2")),
              "{\"slots\":[{\"number\":1,\"name\":\"Office\",\"caption\":\"Network connection\","
              "\"connection\":\"Local Area Connection\",\"profiles\":["
              "{\"position\":1,\"name\":\"Desk\",\"applies\":[\"IP\",\"DNS\",\"WINS\",\"Firewall\"]},"
              "{\"position\":2,\"name\":\"Nothing\",\"applies\":[]},"
              "{\"position\":3,\"name\":\"7\",\"applies\":[\"DNS\"]}]}");
}

#ifdef _WIN32
// apply --revert-after: the apply and its countdown run in a norvex-cli of their own (here a copy beside the
// recording netsh), which is handed the stand-in for the machine by name. Before the apply, slot 1's connection is
// on DHCP and the firewall off; profile Desk sets static addresses and servers and switches the firewall on.
class CliRevert : public Cli {
protected:
    CliRevert() {
        CountdownProgramOverride = TestFolder() + "\\norvex-cli.exe";
        Machine.Write(DhcpBefore);
    }
    ~CliRevert() override { CountdownProgramOverride.clear(); }

    static std::string TestFolder() {
        const std::string exe = platform::ExecutablePath();
        return exe.substr(0, exe.find_last_of('\\'));
    }
    // What the last netsh was given: after a revert, the settings from before.
    std::string LastScript() const { return Folder.Read("Temp/norvex.txt"); }
    static void ExpectTheSettingsFromBefore(const std::string& script) {
        EXPECT_NE(script.find("push interface ip\r\nset address name=\"Local Area Connection\" source=DHCP\r\n"
                              "set dns name=\"Local Area Connection\" source=DHCP\r\n"
                              "set wins name=\"Local Area Connection\" source=DHCP\r\npopd\r\n"),
                  std::string::npos)
            << script;
        EXPECT_NE(script.find("push firewall\r\nset opmode DISABLE\r\nset notifications DISABLE\r\npopd\r\n"),
                  std::string::npos)
            << script;
    }
    static int Confirm() {
        const std::string program = TestFolder() + "\\norvex-cli.exe";
        return platform::RunProcess({program, platform::JoinCommandLine({program, "confirm"}), platform::SwHide});
    }
    static bool WaitFor(const std::function<bool()>& done, int milliseconds = 20000) {
        for (int waited = 0; !done() && waited < milliseconds; waited += 50)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return done();
    }

    static constexpr const char* DhcpBefore =
        "[FIREWALL]\r\nENABLED=FALSE\r\nEXCEPTIONS_ALLOWED=TRUE\r\nNOTIFICATIONS=FALSE\r\n"
        "[CONNECTION_1]\r\nNAME=Local Area Connection\r\nDHCP=TRUE\r\nADDRESSES=10.1.2.3/255.255.0.0\r\n"
        "GATEWAYS=10.1.0.1\r\nDNS=10.1.0.1\r\nDNS_FROM_DHCP=TRUE\r\nWINS_FROM_DHCP=TRUE\r\n";
};

TEST_F(CliRevert, WithoutAnAnswerTheSettingsFromBeforeGoBackAndAreVerified) {
    Recording recorded(Folder);
    const CliRun run =
        Run({"--settings", Settings(), "apply", "1", "desk", "--revert-after", "2", "--verify-timeout", "0"});
    EXPECT_EQ(run.Code, ExitReverted) << run.Err;
    ASSERT_EQ(recorded.Runs().size(), 2u);
    ExpectTheSettingsFromBefore(LastScript());
    // The countdown's own words, in the shipped language file: the apply, the question, the apply's verification
    // (the stand-in never changes), the revert and its verification.
    EXPECT_EQ(run.Err.rfind("Profile 'Desk' applied\nProfile 'Desk' is reverted in 2 seconds unless you keep it: "
                            "press Enter here, or run 'norvex-cli confirm' in another console.\n"
                            "Profile 'Desk' is not fully in effect\n",
                            0),
              0u)
        << run.Err;
    const std::string end = "Profile 'Desk' was not kept: the settings from before it were put back\n"
                            "The settings from before profile 'Desk' are in effect again: 5 settings checked\n";
    ASSERT_GE(run.Err.size(), end.size());
    EXPECT_EQ(run.Err.substr(run.Err.size() - end.size()), end) << run.Err;
    EXPECT_EQ(Confirm(), ExitProblems) << "nothing waits any more";
}

TEST_F(CliRevert, ConfirmFromAnotherConsoleOrEnterInThisOneKeepsTheSettings) {
    Recording recorded(Folder);
    int confirmed = -1;
    std::thread otherConsole([&] {
        if (WaitFor([&] { return !recorded.Runs().empty(); }))
            confirmed = Confirm();
    });
    const CliRun run = Run({"--settings", Settings(), "apply", "1", "desk", "--revert-after", "60", "--no-verify"});
    otherConsole.join();
    EXPECT_EQ(confirmed, ExitDone);
    EXPECT_EQ(run.Code, ExitDone) << run.Err;
    EXPECT_NE(run.Err.find("\nProfile 'Desk' kept\n"), std::string::npos) << run.Err;
    EXPECT_EQ(recorded.Runs().size(), 1u);

    // Enter, even before the countdown is ready for it.
    static std::istringstream enter("\n");
    const CliRun pressed =
        Run({"--settings", Settings(), "apply", "1", "desk", "--revert-after", "60", "--no-verify"}, &enter);
    EXPECT_EQ(pressed.Code, ExitDone) << pressed.Err;
    EXPECT_EQ(recorded.Runs().size(), 2u);
}

// The command line as a process of its own, for the test below to kill: run with the test's folder in
// NORVEX_TEST_CLI_FOLDER. It prints what it relays into parent.txt there.
TEST(CliProcess, DISABLED_ApplyWithRevertAfter) {
    const char* folder = std::getenv("NORVEX_TEST_CLI_FOLDER");
    ASSERT_NE(folder, nullptr);
    const std::string root = folder;
    ProgramPathOverride = root + "\\norvex-cli";
    InstallMachineStandIn(root + "\\machine.ini");
    platform::NetshPathOverride = Recording::RecorderPath(); // the recording goes on in the test that started this
    const std::string exe = platform::ExecutablePath();
    CountdownProgramOverride = exe.substr(0, exe.find_last_of('\\')) + "\\norvex-cli.exe";
    std::ofstream relayed(root + "\\parent.txt");
    relayed << std::unitbuf;
    std::ostringstream out;
    RunCli({"--settings", root + "\\Settings", "apply", "1", "desk", "--revert-after", "3", "--no-verify"}, out,
           relayed);
}

TEST_F(CliRevert, TheSettingsGoBackWhenTheNorvexCliThatStartedTheCountdownIsKilled) {
    Recording recorded(Folder);
    SetEnvironment("NORVEX_TEST_CLI_FOLDER", Folder.Path());
    const std::string exe = platform::ExecutablePath();
    std::string line = platform::JoinCommandLine(
        {exe, "--gtest_also_run_disabled_tests", "--gtest_filter=CliProcess.DISABLED_ApplyWithRevertAfter"});
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &process));
    const bool applied = WaitFor([&] { return recorded.Runs().size() == 1; });
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    UnsetEnvironment("NORVEX_TEST_CLI_FOLDER");
    ASSERT_TRUE(applied);
    EXPECT_EQ(Folder.Read("parent.txt").find("kept"), std::string::npos);
    ASSERT_TRUE(WaitFor([&] { return recorded.Runs().size() == 2; }, 10000));
    // The revert has written its script when netsh runs it.
    ExpectTheSettingsFromBefore(LastScript());
    EXPECT_TRUE(WaitFor([] { return Confirm() == ExitProblems; }, 10000)) << "the countdown has ended";
}
#endif

} // namespace
