// norvex-cli: its commands run in-process on a settings folder of the test, with the recording stand-in as netsh.
#include "cli/Choose.h"
#include "cli/Commands.h"

#include "Recording.h"
#include "TestFolders.h"
#include "core/Promenne.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "engine/ApplyNotice.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

namespace {

const char* const LanguageFile = "[APPLY]\r\n"
                                 "APPLY_CAPTION=Applying profile\r\n"
                                 "RESULT_APPLIED=Profile '$PROFILE$' applied\r\n"
                                 "RESULT_FAILED=Profile '$PROFILE$' was not applied completely\r\n"
                                 "FAILED_NETSH_EXIT_CODE=netsh ended with exit code $CODE$. Script: $PATH$\r\n"
                                 "FAILED_TEMPLATE_MISSING=The script template $PATH$ was not found.\r\n"
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

    CliRun Run(std::vector<std::string> args) const {
        std::ostringstream out, err;
        const int code = RunCli(args, out, err);
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
}

TEST_F(Cli, ApplyRunsNetshAndReportsInTheWordsOfTheNotification) {
    Recording recorded(Folder);
    CliRun run = Run({"--settings", Settings(), "apply", "1", "desk"});
    EXPECT_EQ(run.Code, ExitDone);
    EXPECT_EQ(run.Err, "Profile 'Desk' applied\n");
    ASSERT_EQ(recorded.Runs().size(), 1u);
    EXPECT_EQ(recorded.Runs()[0].at(0), "arg exec");

    recorded.SetExitCode(3);
    run = Run({"--settings", Settings(), "apply", "1", "desk"});
    EXPECT_EQ(run.Code, ExitProblems);
    TApplyResult failed;
    failed.Problems = {{TApplyFailure::NetshFailed, TempFilePath(NetshScriptFileName), 3}};
    const TApplyNotice notice = ApplyNoticeOf(failed, "Desk");
    EXPECT_EQ(run.Err, notice.Title + "\n" + notice.Text + "\n");
    EXPECT_EQ(notice.Title, "Profile 'Desk' was not applied completely");
}

TEST_F(Cli, CheckReportsOneLineForEachProblem) {
    Folder.Write("template.cfg", "");
    Folder.Write("Damaged/WINDOW.ini", "[WINDOW]\r\nLEFT=10px\r\n");
    Folder.Write("Damaged/LAN1.ini", "[LAN]\r\nNAME=Office\r\n"
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
                                         Folder.File("missing.cfg") + "\r\n");
    Folder.Write("Damaged/LAN2.ini", "[PROFILE_1]\r\nNAME=Fine\r\nWINS_ADRESSES_0=10.0.0.1\r\n"
                                     "IP_ADRESSES_ADDRESS_0=192.168.1.5\r\nIP_ADRESSES_MASK_0=\r\n"
                                     "IP_GATEWAYS_0=192.168.1.1\r\n");
    const CliRun run = Run({"--settings", Folder.File("Damaged"), "check"});
    EXPECT_EQ(run.Code, ExitProblems);
    EXPECT_EQ(run.Out,
              "WINDOW.ini [WINDOW] LEFT: '10px' is not a valid integer value.\n"
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
                  Folder.File("missing.cfg") + "' does not exist.\n");
    EXPECT_EQ(run.Err, "11 problems in " + Folder.File("Damaged") + platform::PathSeparator() + "\n");

    const CliRun json = Run({"--settings", Folder.File("Damaged"), "check", "--json"});
    EXPECT_EQ(json.Code, ExitProblems);
    const std::string first = "{\"problems\":[{\"file\":\"WINDOW.ini\",\"section\":\"WINDOW\",\"key\":\"LEFT\","
                              "\"message\":\"'10px' is not a valid integer value.\"},{\"file\":\"LAN1.ini\"";
    EXPECT_EQ(json.Out.substr(0, first.size()), first);

    Folder.Write("Damaged/LAN1.ini", "[PROFILE_1]\r\nNAME=Home\r\n");
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

} // namespace
