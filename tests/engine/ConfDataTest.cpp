// The netsh script builder: the exact script for each combination of sources, lists and switches, saving, running.
#include "engine/U_ConfArray.h"

#include "Recording.h"
#include "TestFolders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <thread>
#include <tuple>

namespace {

using Lines = std::vector<std::string>;

TConfData Data(std::int8_t ip, std::int8_t dns, std::int8_t wins, std::int8_t mode = -1, std::int8_t exceptions = -1,
               std::int8_t notifications = -1, const std::string& name = "LAN") {
    TConfData data(name, ip, dns, "primary", wins, mode, exceptions, notifications, "Applying profile", "Wait");
    data.WindowsVersion = 2;
    return data;
}

// The lines between "push interface ip" and its "popd".
Lines AddressLines(const TConfData& data) {
    Lines lines = data.ScriptLines();
    return Lines(lines.begin() + 2, lines.end() - 7 - (data.FirewallMode >= 0) - (data.FirewallNotifications >= 0));
}

// The lines between "push firewall" and its "popd".
Lines FirewallLines(const TConfData& data) {
    Lines lines = data.ScriptLines();
    return Lines(lines.end() - 2 - (data.FirewallMode >= 0) - (data.FirewallNotifications >= 0), lines.end() - 2);
}

const Lines OuterLinesOnly = {"#BEGIN nastaveni IP, Gateway, DNS, WINS",
                              "push interface ip",
                              "popd",
                              "#END nastaveni IP, Gateway, DNS, WINS",
                              "",
                              "#BEGIN nastaveni FireWall",
                              "push firewall",
                              "popd",
                              "#END nastaveni FireWall"};

TEST(ConfData, TheWorkedExampleGivesItsFifteenLines) {
    TConfData data = Data(1, -1, 0, 1, 0, -1);
    data.AddPair(TConfList::IPAddresses, "192.168.1.10", "255.255.255.0");
    data.AddPair(TConfList::IPAddresses, "192.168.1.11", "255.255.255.0");
    data.AddPair(TConfList::IPGateways, "192.168.1.1", "0");
    EXPECT_EQ(
        data.ScriptLines(),
        (Lines{"#BEGIN nastaveni IP, Gateway, DNS, WINS", "push interface ip",
               "#hromadne odstraneni statickych IP adres", "set address name=LAN source=DHCP",
               "set address name=LAN source=static addr=192.168.1.10 mask=255.255.255.0 gateway=192.168.1.1 gwmetric=0",
               "add address name=LAN addr=192.168.1.11 mask=255.255.255.0", "set wins name=LAN source=DHCP", "popd",
               "#END nastaveni IP, Gateway, DNS, WINS", "", "#BEGIN nastaveni FireWall", "push firewall",
               "set opmode ENABLE DISABLE", "popd", "#END nastaveni FireWall"}));
}

// netsh reads words after a command as its values, so the comment stands alone, and in ASCII for every code page.
TEST(ConfData, TheCzechCommentStandsOnALineOfItsOwnInPlainAscii) {
    TConfData data = Data(1, 1, 1, 1, 1, 1);
    data.AddPair(TConfList::IPAddresses, "10.0.0.1", "");
    data.AddPair(TConfList::IPGateways, "10.0.0.9", "");
    data.AddPair(TConfList::DNSAddresses, "10.0.0.2", "");
    data.AddPair(TConfList::WINSAddresses, "10.0.0.3", "");
    const Lines lines = data.ScriptLines();
    EXPECT_EQ(lines[2], "#hromadne odstraneni statickych IP adres");
    EXPECT_EQ(lines[3], "set address name=LAN source=DHCP");
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#')
            continue;
        EXPECT_EQ(line.find('#'), std::string::npos) << line;
    }
    for (unsigned char c : data.ScriptText())
        EXPECT_LT(c, 0x80);
}

TEST(ConfData, WithNothingAppliedOnlyTheFrameIsWritten) {
    TConfData data = Data(-1, -1, -1, -1, 1, -1);
    data.AddPair(TConfList::IPAddresses, "10.0.0.1", "");
    data.AddPair(TConfList::DNSAddresses, "10.0.0.2", "");
    EXPECT_EQ(data.ScriptLines(), OuterLinesOnly);
}

TEST(ConfData, EveryLineEndsInCrLfTheLastOneToo) {
    std::string expected;
    for (const std::string& line : OuterLinesOnly)
        expected += line + "\r\n";
    EXPECT_EQ(Data(-1, -1, -1).ScriptText(), expected);
}

TEST(ConfData, AStaticSourceWithoutAddressesFallsBackToDhcpButKeepsItsGateway) {
    TConfData data = Data(1, -1, -1);
    data.AddPair(TConfList::IPGateways, "10.0.0.1", "");
    EXPECT_EQ(AddressLines(data), (Lines{"set address name=LAN source=DHCP",
                                         "set address name=LAN source=static gateway=10.0.0.1 gwmetric=0"}));
}

TEST(ConfData, ADhcpSourceLeavesItsListsOut) {
    TConfData data = Data(0, 0, 0);
    data.AddPair(TConfList::IPAddresses, "10.0.0.5", "255.0.0.0");
    data.AddPair(TConfList::IPGateways, "10.0.0.1", "");
    data.AddPair(TConfList::DNSAddresses, "10.0.0.2", "");
    data.AddPair(TConfList::WINSAddresses, "10.0.0.3", "");
    EXPECT_EQ(AddressLines(data), (Lines{"set address name=LAN source=DHCP", "set dns name=LAN source=DHCP",
                                         "set wins name=LAN source=DHCP"}));
}

TEST(ConfData, AnyNonNegativeSourceOtherThanOneIsDhcp) {
    TConfData data = Data(5, 2, 127);
    data.AddPair(TConfList::IPAddresses, "10.0.0.5", "");
    data.AddPair(TConfList::IPGateways, "10.0.0.1", "");
    EXPECT_EQ(AddressLines(data), (Lines{"set address name=LAN source=DHCP", "set dns name=LAN source=DHCP",
                                         "set wins name=LAN source=DHCP"}));
}

// The first gateway rides on the static address line; further gateways follow the further addresses in order.
TEST(ConfData, TheFirstGatewayGoesOnTheStaticAddressLineFurtherOnesAreAdded) {
    TConfData data = Data(1, -1, -1);
    data.AddPair(TConfList::IPAddresses, "10.0.0.5", "255.0.0.0");
    data.AddPair(TConfList::IPAddresses, "10.0.0.6", "255.0.0.0");
    data.AddPair(TConfList::IPGateways, "10.0.0.1", "");
    data.AddPair(TConfList::IPGateways, "10.0.0.2", "5");
    data.AddPair(TConfList::IPGateways, "10.0.0.3", "");
    EXPECT_EQ(
        AddressLines(data),
        (Lines{"#hromadne odstraneni statickych IP adres", "set address name=LAN source=DHCP",
               "set address name=LAN source=static addr=10.0.0.5 mask=255.0.0.0 gateway=10.0.0.1 gwmetric=0",
               "add address name=LAN addr=10.0.0.6 mask=255.0.0.0", "add address name=LAN gateway=10.0.0.2 gwmetric=5",
               "add address name=LAN gateway=10.0.0.3 gwmetric=0"}));
}

TEST(ConfData, StaticDnsServersReplaceAllAndRegister) {
    TConfData data = Data(-1, 1, -1);
    data.AddPair(TConfList::DNSAddresses, "10.0.0.2", "");
    data.AddPair(TConfList::DNSAddresses, "10.0.0.3", "");
    EXPECT_EQ(AddressLines(data),
              (Lines{"delete dns name=LAN ALL", "set dns name=LAN source=static addr=10.0.0.2 register=primary",
                     "add dns name=LAN 10.0.0.3 "}));
}

TEST(ConfData, OnWindows2000TheStaticDnsLineHasNoRegisterPart) {
    TConfData data = Data(-1, 1, -1);
    data.WindowsVersion = 1;
    data.AddPair(TConfList::DNSAddresses, "10.0.0.2", "");
    data.AddPair(TConfList::DNSAddresses, "10.0.0.3", "index=2");
    EXPECT_EQ(AddressLines(data), (Lines{"delete dns name=LAN ALL", "set dns name=LAN source=static addr=10.0.0.2",
                                         "add dns name=LAN 10.0.0.3 index=2"}));
}

TEST(ConfData, AnEmptyRegistrationLeavesTheLineEndingInRegister) {
    TConfData data("LAN", -1, 1, "", -1, -1, -1, -1, "", "");
    data.WindowsVersion = 0;
    data.AddPair(TConfList::DNSAddresses, "10.0.0.2", "");
    EXPECT_EQ(AddressLines(data)[1], "set dns name=LAN source=static addr=10.0.0.2 register=");
}

TEST(ConfData, StaticWinsServersReplaceAll) {
    TConfData data = Data(-1, -1, 1);
    data.AddPair(TConfList::WINSAddresses, "10.0.0.7", "");
    data.AddPair(TConfList::WINSAddresses, "10.0.0.8", "");
    EXPECT_EQ(AddressLines(data), (Lines{"delete wins name=LAN ALL", "set wins name=LAN source=static 10.0.0.7",
                                         "add wins name=LAN 10.0.0.8 "}));
}

TEST(ConfData, AnEnabledFirewallTakesItsExceptionsSwitch) {
    EXPECT_EQ(FirewallLines(Data(-1, -1, -1, 1, 1)), (Lines{"set opmode ENABLE ENABLE"}));
    EXPECT_EQ(FirewallLines(Data(-1, -1, -1, 1, 0)), (Lines{"set opmode ENABLE DISABLE"}));
    EXPECT_EQ(FirewallLines(Data(-1, -1, -1, 1, -1)), (Lines{"set opmode ENABLE DISABLE"}));
}

TEST(ConfData, ADisabledFirewallIgnoresItsExceptions) {
    EXPECT_EQ(FirewallLines(Data(-1, -1, -1, 0, 1)), (Lines{"set opmode DISABLE"}));
    EXPECT_EQ(FirewallLines(Data(-1, -1, -1, 3, 1)), (Lines{"set opmode DISABLE"}));
}

TEST(ConfData, NotificationsAloneWriteNoOpmodeLine) {
    EXPECT_EQ(FirewallLines(Data(-1, -1, -1, -1, 1, 1)), (Lines{"set notifications ENABLE"}));
    EXPECT_EQ(FirewallLines(Data(-1, -1, -1, 1, 1, 0)),
              (Lines{"set opmode ENABLE ENABLE", "set notifications DISABLE"}));
}

// The first pair goes into the set line, every further one into an add line: 256 pairs give 255 add lines, and a
// longer list is written whole, never cut short.
TEST(ConfData, EveryPairOfALongListIsWritten) {
    for (size_t count : {256u, 300u}) {
        TConfData data = Data(-1, 1, -1);
        for (size_t i = 0; i < count; ++i)
            data.AddPair(TConfList::DNSAddresses, "10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256),
                         "");
        Lines lines = AddressLines(data);
        ASSERT_EQ(lines.size(), 2u + (count - 1)) << count;
        EXPECT_EQ(lines[1], "set dns name=LAN source=static addr=10.0.0.0 register=primary");
        EXPECT_EQ(lines[2], "add dns name=LAN 10.0.0.1 ");
        EXPECT_EQ(lines.back(), "add dns name=LAN 10.0." + std::to_string((count - 1) / 256) + "." +
                                    std::to_string((count - 1) % 256) + " ");
    }
}

TEST(ConfData, AddPairFillsInTheMaskAndTheMetric) {
    TConfData data = Data(1, 1, 1);
    data.AddPair(TConfList::IPAddresses, "10.0.0.5", "");
    data.AddPair(TConfList::IPAddresses, "10.0.0.6", "255.0.0.0");
    data.AddPair(TConfList::IPGateways, "10.0.0.1", "");
    data.AddPair(TConfList::DNSAddresses, "10.0.0.2", "");
    data.AddPair(TConfList::WINSAddresses, "10.0.0.3", "");
    EXPECT_EQ(data.IPAddresses, (TConfPairs{{"10.0.0.5", "255.255.255.0"}, {"10.0.0.6", "255.0.0.0"}}));
    EXPECT_EQ(data.IPGateways, (TConfPairs{{"10.0.0.1", "0"}}));
    EXPECT_EQ(data.DNSAddresses, (TConfPairs{{"10.0.0.2", ""}}));
    EXPECT_EQ(data.WINSAddresses, (TConfPairs{{"10.0.0.3", ""}}));
}

// netsh rejects a name with blanks unless it is quoted; earlier versions stored such names quoted already. A quote
// inside a name, or a control character, would end or split the value netsh reads: such a name is not applied.
TEST(ConfData, AConnectionNameWithBlanksIsQuotedOnEveryLine) {
    const std::tuple<const char*, const char*, bool> names[] = {
        {"Ethernet 2", "\"Ethernet 2\"", true},
        {"Wi-Fi\tHome", "\"Wi-Fi\tHome\"", false},
        {"\"Local Area Connection\"", "\"Local Area Connection\"", true},
        {"LAN", "LAN", true},
        {"\"LAN\"", "\"LAN\"", true},
        {"", "", true},
        {"\"half quoted", "\"\"half quoted\"", false},
        {"LAN\"x", "LAN\"x", false},
        {"LAN\" source=static \"x", "\"LAN\" source=static \"x\"", false},
        {"LAN\r\nset firewall", "\"LAN\r\nset firewall\"", false},
        {"LAN\x7F", "LAN\x7F", false},
        {"R\xE9seau", "R\xE9seau", true},
    };
    for (const auto& [stored, written, usable] : names) {
        EXPECT_EQ(NetshConnectionName(stored), written) << stored;
        EXPECT_EQ(IsUsableConnectionName(stored), usable) << stored;
    }
    TConfData data = Data(1, 1, 1, -1, -1, -1, "Ethernet 2");
    data.AddPair(TConfList::IPAddresses, "10.0.0.5", "");
    data.AddPair(TConfList::IPGateways, "10.0.0.1", "");
    data.AddPair(TConfList::DNSAddresses, "10.0.0.2", "");
    data.AddPair(TConfList::DNSAddresses, "10.0.0.3", "");
    data.AddPair(TConfList::WINSAddresses, "10.0.0.4", "");
    size_t named = 0;
    for (const std::string& line : data.ScriptLines()) {
        if (line.find("name=") == std::string::npos)
            continue;
        ++named;
        EXPECT_NE(line.find("name=\"Ethernet 2\" "), std::string::npos) << line;
    }
    EXPECT_EQ(named, 7u);
}

TEST(ConfData, ValuesAreWrittenAsTheyAre) {
    TConfData data = Data(1, -1, -1);
    data.AddPair(TConfList::IPAddresses, " 10.0.0.5 \"x\"", "mask with blanks");
    EXPECT_EQ(AddressLines(data)[2], "set address name=LAN source=static addr= 10.0.0.5 \"x\" mask=mask with blanks");
}

TEST(DetectWindowsVersion, KnowsWindows2000XpAnd2003) {
    EXPECT_EQ(DetectWindowsVersion({2, 5, 0}), 1);
    EXPECT_EQ(DetectWindowsVersion({2, 5, 1}), 2);
    EXPECT_EQ(DetectWindowsVersion({2, 5, 2}), 3);
    EXPECT_EQ(DetectWindowsVersion({2, 5, 3}), 0);
    EXPECT_EQ(DetectWindowsVersion({2, 6, 1}), 0);
    EXPECT_EQ(DetectWindowsVersion({2, 4, 0}), 0);
    EXPECT_EQ(DetectWindowsVersion({1, 5, 0}), 0);
    EXPECT_EQ(DetectWindowsVersion({0, 0, 0}), 0);
}

TEST(ConfData, TakesTheWindowsVersionOfThisSystem) {
    TConfData data("LAN", -1, -1, "", -1, -1, -1, -1, "", "");
    EXPECT_EQ(data.WindowsVersion, DetectWindowsVersion(platform::GetSystemVersion()));
}

// What netsh printed, on its standard output and error, is in its log as it wrote it and in the run as lines.
TEST(BuildAndRun, SavesTheScriptAndRunsNetshExecOnIt) {
    ScratchFolder folder;
    Recording recording(folder);
    recording.WatchWindow("Applying profile");
    recording.Print("DHCP is already enabled on this interface.",
                    "The configured DNS server is incorrect or does not exist.");
    TConfData data = Data(0, -1, -1, 1, 1, 1);
    const std::string path = folder.File("norvex.txt");
    folder.Write("norvex.txt", std::string(5000, 'x'));
    folder.Write("norvex.log", std::string(5000, 'x'));
    TNetshRun run = data.BuildAndRun(path, folder.File("norvex.log"));
    EXPECT_TRUE(run.Saved);
    EXPECT_TRUE(run.Logged);
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(folder.Read("norvex.txt"), data.ScriptText());
    const std::string end = platform::PathSeparator() == '\\' ? "\r\n" : "\n";
    EXPECT_EQ(folder.Read("norvex.log"), "DHCP is already enabled on this interface." + end +
                                             "The configured DNS server is incorrect or does not exist." + end);
    EXPECT_EQ(run.Output, (Lines{"DHCP is already enabled on this interface.",
                                 "The configured DNS server is incorrect or does not exist."}));
    std::vector<Lines> runs = recording.Runs();
    ASSERT_EQ(runs.size(), 1u);
    Lines expected = {"arg exec", "arg " + path};
#ifdef _WIN32
    // The wait window stands while netsh runs.
    expected.push_back("window 250x125 with text box");
#endif
    EXPECT_EQ(runs[0], expected);
}

TEST(BuildAndRun, GivesNetshsExitCode) {
    ScratchFolder folder;
    Recording recording(folder);
    recording.SetExitCode(1);
    EXPECT_EQ(Data(0, -1, -1).BuildAndRun(folder.File("norvex.txt"), folder.File("norvex.log")).ExitCode, 1);
    EXPECT_EQ(recording.Runs().size(), 1u);
}

// A program that still holds the last log for a moment (a virus scanner; under Wine the console host of the last
// netsh) does not keep netsh from running.
TEST(BuildAndRun, ALogStillHeldForAMomentIsReplacedOnceLetGo) {
    ScratchFolder folder;
    Recording recording(folder);
    folder.Write("norvex.log", "the last apply's");
    auto held = std::make_unique<std::ifstream>(folder.File("norvex.log"));
    std::thread letGo([&held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        held.reset();
    });
    const TNetshRun run = Data(0, -1, -1).BuildAndRun(folder.File("norvex.txt"), folder.File("norvex.log"));
    letGo.join();
    EXPECT_TRUE(run.Logged);
    EXPECT_EQ(recording.Runs().size(), 1u);
}

TEST(BuildAndRun, AScriptThatCannotBeSavedOrALogThatCannotBeMadeIsNotRun) {
    ScratchFolder folder;
    Recording recording(folder);
    TNetshRun run = Data(0, -1, -1).BuildAndRun(folder.File("missing/norvex.txt"), folder.File("norvex.log"));
    EXPECT_FALSE(run.Saved);
    EXPECT_EQ(run.ExitCode, -1);
    // A folder under the log's name is not removed, and nothing is written elsewhere instead.
    folder.Write("norvex.log/keep", "");
    run = Data(0, -1, -1).BuildAndRun(folder.File("norvex.txt"), folder.File("norvex.log"));
    EXPECT_TRUE(run.Saved);
    EXPECT_FALSE(run.Logged);
    EXPECT_EQ(run.ExitCode, -1);
    EXPECT_TRUE(recording.Runs().empty());
}

TEST(NetshOutputLines, EachLineWithoutItsEndOrTheBlanksAfterItAndNoEmptyLine) {
    const std::pair<std::string, Lines> rows[] = {
        {"", {}},
        {"DHCP is already enabled on this interface.\r\n\r\n", {"DHCP is already enabled on this interface."}},
        {"one\ntwo", {"one", "two"}},
        {"one\r\rtwo\r\n", {"one", "two"}},
        {"  indented \t\r\n \t \r\n", {"  indented"}},
        {"\r\n\r\nlast", {"last"}},
    };
    for (const auto& [output, lines] : rows)
        EXPECT_EQ(NetshOutputLines(output), lines) << output;
}

TEST(RunAndWait, AProgramThatCannotBeStartedGivesMinusOne) {
    ScratchFolder folder;
    EXPECT_EQ(
        Data(0, -1, -1).RunAndWait({folder.File("no-such-netsh"), "netsh exec x", 0}, folder.File("log")).ExitCode, -1);
}

TEST(RunAndWait, GivesTheExitCode) {
    ScratchFolder folder;
    Recording recording(folder);
    recording.SetExitCode(42);
    EXPECT_EQ(Data(0, -1, -1).RunAndWait({platform::NetshPath(), "netsh", 0}, folder.File("log")).ExitCode, 42);
}

} // namespace
