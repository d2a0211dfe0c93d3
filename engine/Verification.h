// Whether what a profile applies is in effect: the netsh record of the apply compared with the machine, one line per
// setting; and the waiting rule that looks at the machine again until every setting is in effect or a time limit
// passes (DHCP takes the longest: a lease comes when the server answers).
#pragma once

#include "engine/U_ConfArray.h"
#include "platform/Connections.h"

#include <string>
#include <vector>

enum class TSetting {
    IPAddresses,
    Gateways,
    DNSServers,
    DNSRegistration,
    WINSServers,
    Firewall,
    FirewallExceptions,
    FirewallNotifications
};

enum class TCheck {
    InEffect,
    NotInEffect,
    Waiting,   // DHCP has not answered yet, or has failed so far
    Unreadable // the system does not tell, or the connection is not connected
};

enum class TCheckReason { None, NoLease, DhcpFailed, Disconnected, Disabled, NotReported, FirewallUnreadable };

// A value as a line shows it: addresses (none when the list is empty), DHCP with what it gave, or a word.
enum class TValueWord { List, Dhcp, On, Off, Allowed, NotAllowed, RegisterNone, RegisterPrimary, RegisterBoth };
struct TSettingValue {
    TValueWord Word = TValueWord::List;
    std::vector<std::string> Items; // an address with its mask as "10.0.0.5/255.0.0.0"
    bool operator==(const TSettingValue&) const = default;
};

struct TSettingCheck {
    TSetting Setting = TSetting::IPAddresses;
    TCheck State = TCheck::InEffect;
    TSettingValue Expected;
    TSettingValue Found;
    TCheckReason Reason = TCheckReason::None;
    bool operator==(const TSettingCheck&) const = default;
};

enum class TConnectionPresence {
    Present,
    NotNeeded,        // only the firewall is applied
    Missing,          // the machine has no connection of that name
    MachineUnreadable // the machine's connections cannot be read at all
};

struct TVerification {
    std::string Connection; // as the machine names it
    TConnectionPresence Presence = TConnectionPresence::Present;
    std::vector<TSettingCheck> Lines; // in the order the script applies them
    // The connection was there (or not needed) and every line is in effect.
    bool AllInEffect() const;
    // Nothing that waiting could change: no line is still waiting or not in effect, or there is no connection.
    bool Settled() const;
};

// Compares what the netsh record applies (the connection's IP, DNS and WINS groups, the firewall's switches) with
// the machine. Source types and lists are taken as the script takes them: a static source with an empty list is
// DHCP, an address without mask has the default one.
TVerification VerifyNetworkSettings(const TConfData& data, const platform::MachineSnapshot& machine);

// Whether the comparison needs the firewall's state from the machine.
bool VerificationNeedsFirewall(const TConfData& data);

// The waiting rule, in milliseconds after netsh ended: a look every VerifyIntervalMs until every setting is in
// effect (or nothing waiting could change remains), at most until the limit: 10 s, 30 s when any group comes from
// DHCP.
inline constexpr int VerifyIntervalMs = 1000;
inline constexpr int StaticVerifyLimitMs = 10000;
inline constexpr int DhcpVerifyLimitMs = 30000;
int VerifyTimeLimitMs(const TConfData& data);

class TVerifyRun {
public:
    TVerifyRun(TConfData data, int limitMs);
    // One look at the machine, elapsedMs after netsh ended: true when the result is final (settled, or the limit is
    // reached).
    bool Look(const platform::MachineSnapshot& machine, int elapsedMs);
    const TVerification& Result() const { return Last; }
    const TConfData& Data() const { return Applied; }
    bool NeedsFirewall() const { return VerificationNeedsFirewall(Applied); }
    int LimitMs() const { return Limit; }
    bool Final() const { return Done; }

private:
    TConfData Applied;
    int Limit;
    TVerification Last;
    bool Done = false;
};

// A line in the language file's words: "Gateway: expected 10.0.0.1, found 10.0.0.1 and 192.168.1.1".
std::string VerificationLineText(const TSettingCheck& line);
// A value in the language file's words: "10.0.0.1 and 192.168.1.1", "none", "DHCP (192.168.1.20/255.255.255.0)".
std::string SettingValueText(const TSettingValue& value);
