// Norvex sees the machine: a profile against a snapshot (one line per setting, in the shipped language file's words),
// the waiting rule on a fake clock, a connection's current settings turned into a profile, and keep or revert: what
// a revert puts back and the countdown before it.
#include "engine/Verification.h"
#include "engine/ApplyNotice.h"
#include "engine/ApplyProfile.h"
#include "engine/Connections.h"
#include "engine/KeepOrRevert.h"

#include "TestFolders.h"
#include "core/Settings.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Lines = std::vector<std::string>;

// Slot 1 names the connection "Office LAN" (quoted, as earlier versions stored a name with a blank).
class Verification : public ::testing::Test {
protected:
    Verification() {
        PointStoreAt(Folder);
        // The shipped language file: the lines are the words the user reads.
        LanguageDir = (std::filesystem::path(platform::ExecutablePath()).parent_path() / "Language").string();
        CloseIniFile();
    }
    ~Verification() override { CloseIniFile(); }

    // The netsh record that applying the profile (the lines of its settings section) writes.
    static TConfData Applied(const std::string& profileLines) {
        ResetStore();
        std::vector<TSettingsNote> notes;
        ReadSlotFile(1, IniFile::Parse("[PROFILE_1]\r\nNAME=Office\r\n" + profileLines), notes);
        Interfaces[1].Interface = "\"Office LAN\"";
        return NetworkStepOf(Profiles.at(0)).Data;
    }

    // The stand-in machine: the firewall section, then the connection's lines, or no connection at all.
    static platform::MachineSnapshot Machine(const std::string& connectionLines, const std::string& firewall = "") {
        std::string text = firewall.empty() ? "" : "[FIREWALL]\r\n" + firewall;
        if (!connectionLines.empty())
            text += "[CONNECTION_1]\r\nNAME=office lan\r\nDESCRIPTION=Intel(R) Ethernet\r\n" + connectionLines;
        return MachineOfStandIn(IniFile::Parse(text));
    }

    static Lines Texts(const TVerification& verification) {
        Lines texts;
        for (const TSettingCheck& line : verification.Lines)
            texts.push_back(VerificationLineText(line));
        return texts;
    }

    ScratchFolder Folder;
};

const char* const StaticOffice = "IP_APPLY=TRUE\r\nIP_SOURCETYPE=1\r\n"
                                 "IP_ADRESSES_ADDRESS_0=10.0.0.5\r\nIP_ADRESSES_MASK_0=255.0.0.0\r\n"
                                 "IP_ADRESSES_ADDRESS_1=10.0.0.6\r\nIP_ADRESSES_MASK_1=255.255.0.0\r\n"
                                 "IP_GATEWAYS_0=10.0.0.1\r\n";
const char* const StaticDns = "DNS_APPLY=TRUE\r\nDNS_SOURCETYPE=1\r\nDNS_REGISTERINDNS=1\r\n"
                              "DNS_ADRESSES_0=10.0.0.53\r\nDNS_ADRESSES_1=10.0.0.54\r\n";
const char* const AllFromDhcp = "IP_APPLY=TRUE\r\nIP_SOURCETYPE=0\r\nDNS_APPLY=TRUE\r\nDNS_SOURCETYPE=0\r\n"
                                "WINS_APPLY=TRUE\r\nWINS_SOURCETYPE=0\r\n";

TEST_F(Verification, EachSettingTheProfileAppliesIsOneLineAgainstTheMachine) {
    struct Row {
        const char* What;
        std::string Profile;
        std::string Connection;
        Lines Expected;
        bool InEffect;
    };
    const Row rows[] = {
        {"static, in another order",
         StaticOffice,
         "ADDRESSES=10.0.0.6/255.255.0.0 10.0.0.5/255.0.0.0\r\nGATEWAYS=10.0.0.1\r\n",
         {"IP addresses: in effect, 10.0.0.6/255.255.0.0 and 10.0.0.5/255.0.0.0", "Gateway: in effect, 10.0.0.1"},
         true},
        {"an extra address",
         StaticOffice,
         "ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0 10.0.0.9/255.0.0.0\r\nGATEWAYS=10.0.0.1\r\n",
         {"IP addresses: expected 10.0.0.5/255.0.0.0 and 10.0.0.6/255.255.0.0, found 10.0.0.5/255.0.0.0, "
          "10.0.0.6/255.255.0.0 and 10.0.0.9/255.0.0.0",
          "Gateway: in effect, 10.0.0.1"},
         false},
        {"a missing address, another mask",
         StaticOffice,
         "ADDRESSES=10.0.0.5/255.255.255.0\r\nGATEWAYS=10.0.0.1\r\n",
         {"IP addresses: expected 10.0.0.5/255.0.0.0 and 10.0.0.6/255.255.0.0, found 10.0.0.5/255.255.255.0",
          "Gateway: in effect, 10.0.0.1"},
         false},
        {"an extra gateway",
         StaticOffice,
         "ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0\r\nGATEWAYS=10.0.0.1 192.168.1.1\r\n",
         {"IP addresses: in effect, 10.0.0.5/255.0.0.0 and 10.0.0.6/255.255.0.0",
          "Gateway: expected 10.0.0.1, found 10.0.0.1 and 192.168.1.1"},
         false},
        {"gateways in the other order",
         std::string(StaticOffice) + "IP_GATEWAYS_1=10.0.0.2\r\n",
         "ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0\r\nGATEWAYS=10.0.0.2 10.0.0.1\r\n",
         {"IP addresses: in effect, 10.0.0.5/255.0.0.0 and 10.0.0.6/255.255.0.0",
          "Gateway: expected 10.0.0.1 and 10.0.0.2, found 10.0.0.2 and 10.0.0.1"},
         false},
        {"static addresses on a connection still on DHCP",
         StaticOffice,
         "DHCP=TRUE\r\nADDRESSES=192.168.1.20/255.255.255.0\r\nGATEWAYS=192.168.1.1\r\nDHCP_GATEWAYS=192.168.1.1\r\n",
         {"IP addresses: expected 10.0.0.5/255.0.0.0 and 10.0.0.6/255.255.0.0, found DHCP "
          "(192.168.1.20/255.255.255.0)",
          "Gateway: expected 10.0.0.1, found 192.168.1.1"},
         false},
        {"DNS in order, registered",
         StaticDns,
         "DNS=10.0.0.53 10.0.0.54\r\nDNS_FROM_DHCP=FALSE\r\nDNS_REGISTRATION=1\r\n",
         {"DNS servers: in effect, 10.0.0.53 and 10.0.0.54", "DNS registration: in effect, registered"},
         true},
        {"DNS in the other order, registration not told",
         StaticDns,
         "DNS=10.0.0.54 10.0.0.53\r\n",
         {"DNS servers: expected 10.0.0.53 and 10.0.0.54, found 10.0.0.54 and 10.0.0.53",
          "DNS registration: cannot be read, this system does not tell"},
         false},
        {"DNS still from DHCP",
         StaticDns,
         "DNS=192.168.1.1\r\nDNS_FROM_DHCP=TRUE\r\nDNS_REGISTRATION=2\r\n",
         {"DNS servers: expected 10.0.0.53 and 10.0.0.54, found DHCP (192.168.1.1)",
          "DNS registration: expected registered, found registered with the connection's suffix"},
         false},
        {"DHCP with a lease",
         AllFromDhcp,
         "DHCP=TRUE\r\nADDRESSES=192.168.1.20/255.255.255.0\r\nGATEWAYS=192.168.1.1\r\nDHCP_GATEWAYS=192.168.1.1\r\n"
         "DNS=192.168.1.1\r\nDNS_FROM_DHCP=TRUE\r\nWINS_FROM_DHCP=TRUE\r\n",
         {"IP addresses: in effect, DHCP (192.168.1.20/255.255.255.0)", "Gateway: in effect, 192.168.1.1",
          "DNS servers: in effect, DHCP (192.168.1.1)", "WINS servers: in effect, DHCP"},
         true},
        {"DHCP without a lease yet",
         AllFromDhcp,
         "DHCP=TRUE\r\nDHCP_GATEWAYS=\r\nDNS_FROM_DHCP=TRUE\r\n",
         {"IP addresses: still waiting, DHCP has given no address yet", "Gateway: in effect, none",
          "DNS servers: in effect, DHCP", "WINS servers: cannot be read, this system does not tell"},
         false},
        {"DHCP that failed",
         "IP_APPLY=TRUE\r\nIP_SOURCETYPE=0\r\n",
         "DHCP=TRUE\r\nADDRESSES=169.254.7.1/255.255.0.0\r\n",
         {"IP addresses: still waiting, DHCP failed: the connection gave itself 169.254.7.1/255.255.0.0"},
         false},
        {"an old static gateway left after the switch to DHCP",
         "IP_APPLY=TRUE\r\nIP_SOURCETYPE=0\r\n",
         "DHCP=TRUE\r\nADDRESSES=192.168.1.20/255.255.255.0\r\nGATEWAYS=10.0.0.1 192.168.1.1\r\n"
         "DHCP_GATEWAYS=192.168.1.1\r\n",
         {"IP addresses: in effect, DHCP (192.168.1.20/255.255.255.0)",
          "Gateway: expected DHCP (192.168.1.1), found 10.0.0.1 and 192.168.1.1"},
         false},
        {"DHCP on a connection still static",
         "IP_APPLY=TRUE\r\nIP_SOURCETYPE=0\r\n",
         "ADDRESSES=10.0.0.5/255.0.0.0\r\nGATEWAYS=10.0.0.1\r\nDHCP_GATEWAYS=\r\n",
         {"IP addresses: expected DHCP, found 10.0.0.5/255.0.0.0", "Gateway: expected DHCP, found 10.0.0.1"},
         false},
        {"a static source with an empty list is DHCP, as the script writes it",
         "IP_APPLY=TRUE\r\nIP_SOURCETYPE=1\r\nWINS_APPLY=TRUE\r\nWINS_SOURCETYPE=1\r\n",
         "DHCP=TRUE\r\nADDRESSES=192.168.1.20/255.255.255.0\r\nWINS=10.0.0.7\r\nWINS_FROM_DHCP=FALSE\r\n",
         {"IP addresses: in effect, DHCP (192.168.1.20/255.255.255.0)", "WINS servers: expected DHCP, found 10.0.0.7"},
         false},
        {"an address without mask has the default one",
         "IP_APPLY=TRUE\r\nIP_SOURCETYPE=1\r\nIP_ADRESSES_ADDRESS_0=10.0.0.5\r\nIP_ADRESSES_MASK_0=\r\n",
         "ADDRESSES=10.0.0.5/255.255.255.0\r\n",
         {"IP addresses: in effect, 10.0.0.5/255.255.255.0"},
         true},
        {"a disconnected connection shows nothing",
         std::string(StaticOffice) + StaticDns,
         "STATE=DISCONNECTED\r\nDNS_REGISTRATION=1\r\n",
         {"IP addresses: cannot be read, the connection is disconnected",
          "Gateway: cannot be read, the connection is disconnected",
          "DNS servers: cannot be read, the connection is disconnected",
          "DNS registration: cannot be read, the connection is disconnected"},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.What);
        const TVerification verification = VerifyNetworkSettings(Applied(row.Profile), Machine(row.Connection));
        EXPECT_EQ(verification.Presence, TConnectionPresence::Present);
        EXPECT_EQ(verification.Connection, "office lan");
        EXPECT_EQ(Texts(verification), row.Expected);
        EXPECT_EQ(verification.AllInEffect(), row.InEffect);
    }
}

TEST_F(Verification, TheFirewallIsCheckedWhereItCanBeReadAndTheConnectionOnlyWhereItIsNeeded) {
    const std::string firewallOn = "FIREWALL_APPLY=TRUE\r\nFIREWALL_ENABLEFIREWALL=TRUE\r\n"
                                   "FIREWALL_ENABLEEXCEPTIONS=TRUE\r\nFIREWALL_ENABLEDIALOGS=FALSE\r\n";
    TVerification v = VerifyNetworkSettings(
        Applied(firewallOn), Machine("", "ENABLED=TRUE\r\nEXCEPTIONS_ALLOWED=TRUE\r\nNOTIFICATIONS=FALSE\r\n"));
    EXPECT_EQ(v.Presence, TConnectionPresence::NotNeeded);
    EXPECT_EQ(Texts(v), (Lines{"Firewall: in effect, on", "Firewall exceptions: expected not allowed, found allowed",
                               "Firewall notifications: in effect, off"}));
    EXPECT_FALSE(v.AllInEffect());

    // Switched off, the exceptions are not written and not checked.
    v = VerifyNetworkSettings(Applied("FIREWALL_APPLY=TRUE\r\nFIREWALL_ENABLEDIALOGS=TRUE\r\n"),
                              Machine("", "ENABLED=FALSE\r\nEXCEPTIONS_ALLOWED=FALSE\r\n"));
    EXPECT_EQ(Texts(v), (Lines{"Firewall: in effect, off", "Firewall notifications: in effect, on"}));
    EXPECT_TRUE(v.AllInEffect());
    EXPECT_TRUE(v.Settled());

    // Where the system does not tell (Wine), one line says so, and waiting would not change it.
    v = VerifyNetworkSettings(Applied(firewallOn), Machine(""));
    EXPECT_EQ(Texts(v), (Lines{"Firewall: cannot be read, this system does not tell the firewall's state"}));
    EXPECT_FALSE(v.AllInEffect());
    EXPECT_TRUE(v.Settled());

    // The connection not present: nothing of it is checked, the firewall still is.
    v = VerifyNetworkSettings(
        Applied(std::string(StaticOffice) + "FIREWALL_APPLY=TRUE\r\n"),
        MachineOfStandIn(IniFile::Parse("[FIREWALL]\r\nENABLED=FALSE\r\nNOTIFICATIONS=FALSE\r\n[CONNECTION_1]\r\n"
                                        "NAME=Office LAN 2\r\n")));
    EXPECT_EQ(v.Presence, TConnectionPresence::Missing);
    EXPECT_EQ(Texts(v), (Lines{"Firewall: in effect, off", "Firewall notifications: in effect, off"}));
    EXPECT_FALSE(v.AllInEffect());
    EXPECT_TRUE(v.Settled());
    // A name the code page cannot hold is never the slot's connection, whatever its '?' stand for.
    v = VerifyNetworkSettings(Applied(StaticOffice), Machine("NAME_FITS=FALSE\r\n"));
    EXPECT_EQ(v.Presence, TConnectionPresence::Missing);
    v = VerifyNetworkSettings(Applied(StaticOffice), platform::MachineSnapshot());
    EXPECT_EQ(v.Presence, TConnectionPresence::MachineUnreadable);
}

TEST_F(Verification, TheNoticeSaysInEffectWithTheCountOrNamesWhatIsNot) {
    TVerification v = VerifyNetworkSettings(
        Applied(StaticOffice), Machine("ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0\r\nGATEWAYS=10.0.0.1\r\n"));
    TApplyNotice notice = VerificationNoticeOf(v, "Office");
    EXPECT_FALSE(notice.Warning);
    EXPECT_EQ(notice.Text, "Profile 'Office' is in effect: 2 settings checked");

    v = VerifyNetworkSettings(Applied(StaticOffice),
                              Machine("ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0\r\nGATEWAYS=10.0.0.9\r\n"));
    notice = VerificationNoticeOf(v, "Office");
    EXPECT_TRUE(notice.Warning);
    EXPECT_EQ(notice.Title, "Profile 'Office' is not fully in effect");
    EXPECT_EQ(notice.Text, "Gateway: expected 10.0.0.1, found 10.0.0.9");

    v = VerifyNetworkSettings(Applied(StaticOffice), Machine(""));
    notice = VerificationNoticeOf(v, "Office");
    EXPECT_TRUE(notice.Warning);
    EXPECT_EQ(notice.Title, "Profile 'Office' could not be checked");
    EXPECT_EQ(notice.Text, "The connection 'Office LAN' is not present on this computer.");
}

// netsh ends with 1 when any line failed, harmless ones too: the verification is the verdict where it ran, and
// netsh's words go with every warning; where the verification could not run, or was not made, the exit code decides.
TEST_F(Verification, TheVerdictComesFromTheVerificationAndNetshsExitCodeWhereItCouldNotRun) {
    const char* const inEffect = "ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0\r\nGATEWAYS=10.0.0.1\r\n";
    const char* const gatewayNot = "ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0\r\nGATEWAYS=10.0.0.9\r\n";
    const char* const missing = nullptr;
    const std::string exit1 = "netsh ended with exit code 1. Script: C:\\Temp\\norvex.txt\n";
    const std::string dhcpOn = "netsh reported: DHCP is already enabled on this interface.";
    struct Row {
        int ExitCode;
        const char* Machine; // nothing: the verification was not made (--no-verify)
        bool CopyFailed;
        bool Revert;
        bool Succeeded;    // no failure of the apply's own (a setting not in effect is the verification's)
        std::string Title; // empty: no warning
        std::string Text;
    };
    const Row rows[] = {
        {1, inEffect, false, false, true, "", "Profile 'Office' is in effect: 2 settings checked\n" + dhcpOn},
        {1, gatewayNot, false, false, false, "Profile 'Office' is not fully in effect",
         exit1 + dhcpOn + "\nGateway: expected 10.0.0.1, found 10.0.0.9"},
        {1, missing, false, false, false, "Profile 'Office' was not applied completely",
         exit1 + dhcpOn + "\nThe connection 'Office LAN' is not present on this computer."},
        {1, "", false, false, false, "Profile 'Office' was not applied completely", exit1 + dhcpOn},
        {1, inEffect, true, false, false, "Profile 'Office' was not applied completely",
         "The filled-in script could not be copied to D:\\x.cfg.\nProfile 'Office' is in effect: 2 settings "
         "checked\n" +
             dhcpOn},
        // Exit code 0: what netsh said is only in a warning.
        {0, inEffect, false, false, true, "", "Profile 'Office' is in effect: 2 settings checked"},
        {0, gatewayNot, false, false, true, "Profile 'Office' is not fully in effect",
         "Gateway: expected 10.0.0.1, found 10.0.0.9\n" + dhcpOn},
        {1, inEffect, false, true, true, "",
         "The settings from before profile 'Office' are in effect again: 2 settings checked\n" + dhcpOn},
        {1, missing, false, true, false, "Profile 'Office' was not fully reverted",
         exit1 + dhcpOn + "\nThe connection 'Office LAN' is not present on this computer."},
    };
    const TConfData applied = Applied(StaticOffice);
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.ExitCode) + " " + (row.Machine ? row.Machine : "missing") + " " + row.Title);
        TApplyResult result;
        result.NetshRun = true;
        result.NetshOutput = {"DHCP is already enabled on this interface."};
        if (row.ExitCode != 0)
            result.Problems.push_back({TApplyFailure::NetshFailed, "C:\\Temp\\norvex.txt", row.ExitCode});
        if (row.CopyFailed)
            result.Problems.push_back({TApplyFailure::CopyFailed, "D:\\x.cfg"});
        EXPECT_EQ(NoticeWaitsForVerification(result), row.ExitCode != 0);
        TApplyNotice notice;
        if (row.Machine != nullptr && *row.Machine == '\0') {
            notice = ApplyNoticeOf(result, "Office");
        } else {
            result.Verification = VerifyNetworkSettings(applied, Machine(row.Machine ? row.Machine : ""));
            notice = row.Revert ? RevertVerificationNoticeOf(result, "Office") : VerificationNoticeOf(result, "Office");
        }
        EXPECT_EQ(result.Succeeded(), row.Succeeded);
        EXPECT_EQ(notice.Warning, !row.Title.empty());
        EXPECT_EQ(notice.Title, row.Title.empty() ? "Norvex" : row.Title);
        EXPECT_EQ(notice.Text, row.Text);
    }

    // A balloon shows the first few lines, and where the rest is.
    TApplyResult many;
    many.Problems.push_back({TApplyFailure::NetshFailed, "C:\\Temp\\norvex.txt", 1});
    many.NetshOutput = {"one", "two", "three", "four", "five"};
    many.NetshLog = "C:\\Temp\\norvex.log";
    EXPECT_EQ(ApplyNoticeOf(many, "Office", BalloonNetshLines).Text,
              exit1 + "netsh reported: one\n  two\n  three\n  ... and 2 more lines in C:\\Temp\\norvex.log");
    EXPECT_EQ(ApplyNoticeOf(many, "Office").Text, exit1 + "netsh reported: one\n  two\n  three\n  four\n  five");
}

// The clock starts when netsh ends; a look every second until every setting is in effect, at most 10 s (30 s with
// DHCP, whose lease takes time).
TEST_F(Verification, TheWaitEndsWhenEverythingIsInEffectOrNothingCanChangeOrTheTimeIsUp) {
    const TConfData staticData = Applied(StaticOffice);
    const TConfData dhcpData = Applied(AllFromDhcp);
    EXPECT_EQ(VerifyTimeLimitMs(staticData), 10000);
    EXPECT_EQ(VerifyTimeLimitMs(dhcpData), 30000);
    EXPECT_EQ(VerifyTimeLimitMs(Applied(std::string(StaticOffice) + StaticDns + "WINS_APPLY=TRUE\r\n")), 30000);

    const platform::MachineSnapshot before = Machine("DHCP=TRUE\r\nADDRESSES=192.168.1.20/255.255.255.0\r\n");
    const platform::MachineSnapshot after =
        Machine("ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0\r\nGATEWAYS=10.0.0.1\r\n");
    TVerifyRun run(staticData, VerifyTimeLimitMs(staticData));
    EXPECT_FALSE(run.Look(before, 1000));
    EXPECT_FALSE(run.Final());
    EXPECT_TRUE(run.Look(after, 2000));
    EXPECT_TRUE(run.Result().AllInEffect());
    EXPECT_TRUE(run.Look(before, 3000)) << "a final result stays as it was";
    EXPECT_TRUE(run.Result().AllInEffect());

    // Never in effect: final at the limit, with what was found last.
    TVerifyRun never(staticData, VerifyTimeLimitMs(staticData));
    for (int ms = 1000; ms < 10000; ms += 1000)
        EXPECT_FALSE(never.Look(before, ms)) << ms;
    EXPECT_TRUE(never.Look(before, 10000));
    EXPECT_FALSE(never.Result().AllInEffect());

    // DHCP waits for its lease past the static limit.
    const platform::MachineSnapshot noLease = Machine("DHCP=TRUE\r\nDNS_FROM_DHCP=TRUE\r\nWINS_FROM_DHCP=TRUE\r\n");
    const platform::MachineSnapshot leased =
        Machine("DHCP=TRUE\r\nADDRESSES=192.168.1.20/255.255.255.0\r\nDNS_FROM_DHCP=TRUE\r\nWINS_FROM_DHCP=TRUE\r\n");
    TVerifyRun lease(dhcpData, VerifyTimeLimitMs(dhcpData));
    EXPECT_FALSE(lease.Look(noLease, 12000));
    EXPECT_EQ(lease.Result().Lines[0].State, TCheck::Waiting);
    EXPECT_TRUE(lease.Look(leased, 13000));
    EXPECT_TRUE(lease.Result().AllInEffect());

    // Nothing waiting could change: the connection is not present, or only what cannot be read is left.
    TVerifyRun missing(staticData, VerifyTimeLimitMs(staticData));
    EXPECT_TRUE(missing.Look(Machine(""), 1000));
    TVerifyRun disconnected(staticData, VerifyTimeLimitMs(staticData));
    EXPECT_TRUE(disconnected.Look(Machine("STATE=DISCONNECTED\r\n"), 1000));
}

TEST_F(Verification, TheCurrentSettingsOfAConnectionAreWhatAProfileHolds) {
    struct Row {
        const char* What;
        std::string Connection;
        TConnectionSettings Expected;
    };
    const Row rows[] = {
        {"all from DHCP",
         "DHCP=TRUE\r\nADDRESSES=192.168.1.20/255.255.255.0\r\nGATEWAYS=192.168.1.1\r\nDNS=192.168.1.1\r\n"
         "DNS_FROM_DHCP=TRUE\r\nDNS_REGISTRATION=2\r\nWINS_FROM_DHCP=TRUE\r\n",
         {{true, 0, {}, {}}, {true, 0, {}, 2}, {true, 0, {}}}},
        {"static, lists in order",
         "ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0\r\nGATEWAYS=10.0.0.1 10.0.0.2\r\n"
         "DNS=10.0.0.54 "
         "10.0.0.53\r\nDNS_FROM_DHCP=FALSE\r\nDNS_REGISTRATION=0\r\nWINS=10.0.0.7\r\nWINS_FROM_DHCP=FALSE\r\n",
         {{true, 1, {{"10.0.0.5", "255.0.0.0"}, {"10.0.0.6", "255.255.0.0"}}, {"10.0.0.1", "10.0.0.2"}},
          {true, 1, {"10.0.0.54", "10.0.0.53"}, 0},
          {true, 1, {"10.0.0.7"}}}},
        // Where the system does not tell where the servers come from (Wine), they come with the addresses.
        {"not told, static",
         "ADDRESSES=10.0.0.5/255.0.0.0\r\nDNS=10.0.0.53\r\n",
         {{true, 1, {{"10.0.0.5", "255.0.0.0"}}, {}}, {true, 1, {"10.0.0.53"}, 1}, {true, 0, {}}}},
        {"not told, DHCP",
         "DHCP=TRUE\r\nADDRESSES=192.168.1.20/255.255.255.0\r\nDNS=192.168.1.1\r\nWINS=192.168.1.2\r\n",
         {{true, 0, {}, {}}, {true, 0, {}, 1}, {true, 0, {}}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.What);
        const TCurrentSettings current = CurrentSettingsOf(Machine(row.Connection), "Office LAN");
        EXPECT_EQ(current.Problem, TTakeProblem::None);
        EXPECT_EQ(current.Settings, row.Expected);
        // What is taken is what applying it would find in effect.
        TProfile profile;
        profile.IP = current.Settings.IP;
        profile.DNS = current.Settings.DNS;
        profile.WINS = current.Settings.WINS;
        profile.InterfaceNo = 1;
        Interfaces[1].Interface = "Office LAN";
        TVerification v = VerifyNetworkSettings(NetworkStepOf(profile).Data, Machine(row.Connection));
        for (const TSettingCheck& line : v.Lines)
            EXPECT_NE(line.State, TCheck::NotInEffect) << VerificationLineText(line);
        // Before an apply of all three groups, what a revert would put back is the same.
        TProfile applied;
        applied.IP.Apply = applied.DNS.Apply = applied.WINS.Apply = true;
        applied.Scripts.Apply = true;
        const TCapturedSettings captured = CapturePreviousSettings(applied, "Office LAN", Machine(row.Connection));
        EXPECT_EQ(captured.Problem, TTakeProblem::None);
        EXPECT_EQ((TConnectionSettings{captured.Previous.IP, captured.Previous.DNS, captured.Previous.WINS}),
                  row.Expected);
        EXPECT_FALSE(captured.Previous.Scripts.Apply) << "a revert runs no script step";
        EXPECT_FALSE(captured.Previous.Firewall.Apply);
    }

    EXPECT_EQ(CurrentSettingsOf(Machine(""), "Office LAN").Problem, TTakeProblem::Missing);
    EXPECT_EQ(CurrentSettingsOf(platform::MachineSnapshot(), "Office LAN").Problem, TTakeProblem::MachineUnreadable);
    const TCurrentSettings disabled = CurrentSettingsOf(Machine("STATE=DISABLED\r\n"), "\"Office LAN\"");
    EXPECT_EQ(disabled.Problem, TTakeProblem::NotConnected);
    EXPECT_EQ(TakeProblemText(disabled.Problem, "\"Office LAN\"", disabled.State),
              "The connection 'Office LAN' is disabled: its settings show only while it is connected.");
}

// A revert puts back only what the apply changes: the other groups are left as they are, the firewall is read only
// when the profile switches it, and whatever cannot be read stops the apply before it changes anything.
TEST_F(Verification, ARevertPutsBackTheGroupsTheProfileChangesAsTheyWereBeforeIt) {
    const std::string connection = "ADDRESSES=10.0.0.5/255.0.0.0\r\nGATEWAYS=10.0.0.1\r\nDNS=10.0.0.53\r\n"
                                   "DNS_FROM_DHCP=FALSE\r\nDNS_REGISTRATION=1\r\n";
    const std::string firewall = "ENABLED=TRUE\r\nEXCEPTIONS_ALLOWED=FALSE\r\nNOTIFICATIONS=TRUE\r\n";
    TProfile dnsOnly;
    dnsOnly.InterfaceNo = 1;
    dnsOnly.Name = "DNS only";
    dnsOnly.DNS = {true, 0, {}, 0};
    TCapturedSettings captured = CapturePreviousSettings(dnsOnly, "Office LAN", Machine(connection));
    ASSERT_EQ(captured.Problem, TTakeProblem::None);
    TProfile expected;
    expected.InterfaceNo = 1;
    expected.Name = "DNS only";
    expected.DNS = {true, 1, {"10.0.0.53"}, 1};
    EXPECT_EQ(captured.Previous, expected);
    EXPECT_EQ(captured.Connection, "Office LAN");

    TProfile firewallOnly;
    firewallOnly.Firewall = {true, false, false, false};
    captured = CapturePreviousSettings(firewallOnly, "Office LAN", Machine("", firewall));
    ASSERT_EQ(captured.Problem, TTakeProblem::None) << "no connection is needed for the firewall";
    EXPECT_EQ(captured.Previous.Firewall, (TFirewallGroup{true, true, true, true}));
    EXPECT_FALSE(captured.Previous.IP.Apply);
    // The script the revert runs switches the firewall back: on, exceptions forbidden, notifications on.
    const TConfData data = NetworkStepOf(captured.Previous, captured.Connection).Data;
    EXPECT_NE(data.ScriptText().find("set opmode ENABLE DISABLE\r\nset notifications ENABLE\r\n"), std::string::npos);

    struct Problem {
        const char* What;
        TProfile Applied;
        platform::MachineSnapshot Machine;
        TTakeProblem Expected;
    };
    const Problem problems[] = {
        {"firewall not told", firewallOnly, Machine(connection), TTakeProblem::FirewallUnreadable},
        {"connection missing", dnsOnly, Machine("", firewall), TTakeProblem::Missing},
        {"disconnected", dnsOnly, Machine("STATE=DISCONNECTED\r\n"), TTakeProblem::NotConnected},
        {"nothing readable", firewallOnly, platform::MachineSnapshot(), TTakeProblem::MachineUnreadable},
    };
    for (const Problem& row : problems)
        EXPECT_EQ(CapturePreviousSettings(row.Applied, "Office LAN", row.Machine).Problem, row.Expected) << row.What;
    EXPECT_EQ(TakeProblemText(TTakeProblem::FirewallUnreadable, "Office LAN"),
              "This computer's firewall state cannot be read.");
}

// The keep question on a fake clock: an answer within the time decides, the end of the time reverts, and the
// question counts the seconds up.
TEST_F(Verification, TheCountdownKeepsOrRevertsAndShowsTheSecondsLeft) {
    struct Row {
        std::int64_t NowMs;
        TKeepAnswer Answer;
        TKeepDecision Decision;
        int SecondsLeft;
    };
    const std::int64_t start = 5000; // the clock's value when the question opened
    const Row rows[] = {
        {start, TKeepAnswer::None, TKeepDecision::Waiting, 30},
        {start + 1, TKeepAnswer::None, TKeepDecision::Waiting, 30},
        {start + 1000, TKeepAnswer::None, TKeepDecision::Waiting, 29},
        {start + 29001, TKeepAnswer::None, TKeepDecision::Waiting, 1},
        {start + 30000, TKeepAnswer::None, TKeepDecision::Revert, 0},
        {start + 90000, TKeepAnswer::None, TKeepDecision::Revert, 0},
        {start + 12000, TKeepAnswer::Keep, TKeepDecision::Keep, 0},
        {start + 12000, TKeepAnswer::Revert, TKeepDecision::Revert, 0},
        {start + 30000, TKeepAnswer::Keep, TKeepDecision::Keep, 0},
        {start + 30001, TKeepAnswer::Keep, TKeepDecision::Revert, 0},
        {start - 2000, TKeepAnswer::None, TKeepDecision::Waiting, 30}, // a clock that went back counts no time
    };
    for (const Row& row : rows) {
        const TKeepCountdown countdown = KeepCountdownAt(30, start, row.NowMs, row.Answer);
        EXPECT_EQ(countdown.Decision, row.Decision) << row.NowMs - start;
        EXPECT_EQ(countdown.SecondsLeft, row.SecondsLeft) << row.NowMs - start;
    }

    TKeepQuestion question = KeepQuestionOf("Office", 30, std::nullopt);
    EXPECT_EQ(question.Caption, "Keep these settings?");
    EXPECT_EQ(question.Question, "Keep the settings of profile 'Office'?");
    EXPECT_EQ(question.Countdown, "Without an answer, the previous settings come back in 30 seconds.");
    EXPECT_EQ(question.Verification, "Checking whether the new settings are in effect...");
    EXPECT_FALSE(question.Warning);
    EXPECT_EQ(KeepQuestionOf("Office", 1, std::nullopt).Countdown,
              "Without an answer, the previous settings come back in 1 second.");
    const TConfData applied = Applied(StaticOffice);
    question = KeepQuestionOf("Office", 3, VerifyNetworkSettings(applied, Machine("DHCP=TRUE\r\n")));
    EXPECT_TRUE(question.Warning);
    EXPECT_EQ(question.Verification.substr(0, question.Verification.find('\n')),
              "Profile 'Office' is not fully in effect");
    question =
        KeepQuestionOf("Office", 3,
                       VerifyNetworkSettings(applied, Machine("ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0\r\n"
                                                              "GATEWAYS=10.0.0.1\r\n")));
    EXPECT_FALSE(question.Warning);
    EXPECT_EQ(question.Verification, "Profile 'Office' is in effect: 2 settings checked");

    // After the revert: that the settings came back, and whether they are in effect again.
    TApplyResult reverted;
    EXPECT_EQ(RevertNoticeOf(reverted, "Office").Text,
              "Profile 'Office' was not kept: the settings from before it were put back");
    reverted.Problems.push_back({TApplyFailure::NetshFailed, "C:\\Temp\\norvex.txt", 1});
    const TApplyNotice failed = RevertNoticeOf(reverted, "Office");
    EXPECT_TRUE(failed.Warning);
    EXPECT_EQ(failed.Title, "Profile 'Office' was not fully reverted");
    EXPECT_EQ(failed.Text, "netsh ended with exit code 1. Script: C:\\Temp\\norvex.txt");
    const TApplyNotice again = RevertVerificationNoticeOf(
        VerifyNetworkSettings(applied, Machine("ADDRESSES=10.0.0.5/255.0.0.0 10.0.0.6/255.255.0.0\r\n"
                                               "GATEWAYS=10.0.0.1\r\n")),
        "Office");
    EXPECT_EQ(again.Text, "The settings from before profile 'Office' are in effect again: 2 settings checked");
    const TApplyNotice missing = RevertVerificationNoticeOf(VerifyNetworkSettings(applied, Machine("")), "Office");
    EXPECT_EQ(missing.Title, "The revert of 'Office' could not be checked");
    EXPECT_EQ(missing.Text, "The connection 'Office LAN' is not present on this computer.");
}

} // namespace
