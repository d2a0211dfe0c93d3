// The verification of an apply: the netsh record against the machine, setting by setting, and the waiting rule.
#include "engine/Verification.h"

#include "engine/Connections.h"
#include "engine/SettingsCheck.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"

#include <algorithm>

namespace {

std::string Text(const char* key) {
    return ReadLanguageKey("VERIFY", key, LanguageName);
}

// Two spellings of one address are the same address; anything that is not dotted IPv4 compares as written.
std::string Normal(const std::string& address) {
    const std::optional<std::uint32_t> parsed = ParseDottedIPv4(address);
    return parsed ? std::to_string(*parsed) : address;
}

bool SameAddresses(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const std::string& x, const std::string& y) { return Normal(x) == Normal(y); });
}

// The same addresses with the same masks, in any order: the system lists them as it likes.
bool SameAddressSet(std::vector<std::string> a, std::vector<std::string> b) {
    auto normalise = [](std::vector<std::string>& items) {
        for (std::string& item : items) {
            const size_t slash = item.find('/');
            item = Normal(item.substr(0, slash)) + "/" +
                   (slash == std::string::npos ? "" : Normal(item.substr(slash + 1)));
        }
        std::sort(items.begin(), items.end());
    };
    normalise(a);
    normalise(b);
    return a == b;
}

bool Contains(const std::vector<std::string>& list, const std::string& address) {
    return std::any_of(list.begin(), list.end(), [&](const std::string& x) { return Normal(x) == Normal(address); });
}

std::vector<std::string> Firsts(const TConfPairs& pairs) {
    std::vector<std::string> firsts;
    for (const TConfPair& pair : pairs)
        firsts.push_back(pair.first);
    return firsts;
}

std::vector<std::string> WithMasks(const std::vector<platform::AddressWithMask>& addresses) {
    std::vector<std::string> items;
    for (const platform::AddressWithMask& address : addresses)
        items.push_back(address.Address + "/" + address.Mask);
    return items;
}

bool SelfAssigned(const std::string& address) {
    return address.rfind("169.254.", 0) == 0;
}

TSettingValue List(std::vector<std::string> items) {
    return TSettingValue{TValueWord::List, std::move(items)};
}

TSettingValue Dhcp(std::vector<std::string> items = {}) {
    return TSettingValue{TValueWord::Dhcp, std::move(items)};
}

TSettingValue Word(TValueWord word) {
    return TSettingValue{word, {}};
}

TSettingCheck Line(TSetting setting, bool inEffect, TSettingValue expected, TSettingValue found) {
    return TSettingCheck{setting, inEffect ? TCheck::InEffect : TCheck::NotInEffect, std::move(expected),
                         std::move(found), TCheckReason::None};
}

TSettingCheck Unreadable(TSetting setting, TSettingValue expected, TCheckReason reason, TSettingValue found = {}) {
    return TSettingCheck{setting, TCheck::Unreadable, std::move(expected), std::move(found), reason};
}

// A group is static when its source is 1 and its list has something in it: the script writes DHCP otherwise.
bool Static(std::int8_t source, const TConfPairs& list) {
    return source == 1 && !list.empty();
}

void CheckAddresses(const TConfData& data, const platform::NetworkConnection& c, std::vector<TSettingCheck>& lines) {
    if (Static(data.IPSource, data.IPAddresses)) {
        std::vector<std::string> expected;
        for (const TConfPair& pair : data.IPAddresses)
            expected.push_back(pair.first + "/" + pair.second);
        const std::vector<std::string> found = WithMasks(c.Addresses);
        lines.push_back(Line(TSetting::IPAddresses, !c.Dhcp && SameAddressSet(expected, found), List(expected),
                             c.Dhcp ? Dhcp(found) : List(found)));
    } else if (!c.Dhcp) {
        lines.push_back(Line(TSetting::IPAddresses, false, Dhcp(), List(WithMasks(c.Addresses))));
    } else {
        std::vector<platform::AddressWithMask> leased, selfAssigned;
        for (const platform::AddressWithMask& address : c.Addresses)
            (SelfAssigned(address.Address) ? selfAssigned : leased).push_back(address);
        TSettingCheck line = Line(TSetting::IPAddresses, !leased.empty(), Dhcp(), Dhcp(WithMasks(leased)));
        if (leased.empty()) {
            // Windows gives itself a 169.254 address when no DHCP server answered; it keeps asking.
            line.State = TCheck::Waiting;
            line.Reason = selfAssigned.empty() ? TCheckReason::NoLease : TCheckReason::DhcpFailed;
            line.Found = Dhcp(WithMasks(selfAssigned));
        }
        lines.push_back(line);
    }
}

void CheckGateways(const TConfData& data, const platform::NetworkConnection& c, std::vector<TSettingCheck>& lines) {
    if (data.IPSource == 1 && !data.IPGateways.empty()) {
        const std::vector<std::string> expected = Firsts(data.IPGateways);
        lines.push_back(
            Line(TSetting::Gateways, SameAddresses(expected, c.Gateways), List(expected), List(c.Gateways)));
    } else if (!Static(data.IPSource, data.IPAddresses) && c.DhcpGateways) {
        // From DHCP every gateway comes from the lease: a static one left from before would route past it.
        const bool onlyLeased = std::all_of(c.Gateways.begin(), c.Gateways.end(),
                                            [&](const std::string& g) { return Contains(*c.DhcpGateways, g); });
        lines.push_back(Line(TSetting::Gateways, onlyLeased, Dhcp(*c.DhcpGateways), List(c.Gateways)));
    }
}

// DNS or WINS: the servers in order, or that they come from DHCP.
void CheckServers(TSetting setting, std::int8_t source, const TConfPairs& list, const std::vector<std::string>& servers,
                  std::optional<bool> fromDhcp, std::vector<TSettingCheck>& lines) {
    if (Static(source, list)) {
        const std::vector<std::string> expected = Firsts(list);
        const bool dhcp = fromDhcp.value_or(false);
        lines.push_back(Line(setting, !dhcp && SameAddresses(expected, servers), List(expected),
                             dhcp ? Dhcp(servers) : List(servers)));
    } else if (!fromDhcp) {
        lines.push_back(Unreadable(setting, Dhcp(), TCheckReason::NotReported, List(servers)));
    } else {
        lines.push_back(Line(setting, *fromDhcp, Dhcp(), *fromDhcp ? Dhcp(servers) : List(servers)));
    }
}

void CheckRegistration(const TConfData& data, const platform::NetworkConnection& c, std::vector<TSettingCheck>& lines) {
    // The registration goes with the static DNS line only, and Windows 2000's line has none.
    if (!Static(data.DNSSource, data.DNSAddresses) || data.WindowsVersion == 1)
        return;
    const TValueWord words[3] = {TValueWord::RegisterNone, TValueWord::RegisterPrimary, TValueWord::RegisterBoth};
    const char* const texts[3] = {"none", "primary", "both"};
    for (int mode = 0; mode < 3; ++mode)
        if (data.DNSRegister == texts[mode]) {
            if (c.DnsRegistration < 0 || c.DnsRegistration > 2)
                lines.push_back(Unreadable(TSetting::DNSRegistration, Word(words[mode]), TCheckReason::NotReported));
            else
                lines.push_back(Line(TSetting::DNSRegistration, c.DnsRegistration == mode, Word(words[mode]),
                                     Word(words[c.DnsRegistration])));
        }
}

void CheckFirewall(const TConfData& data, const std::optional<platform::FirewallState>& firewall,
                   std::vector<TSettingCheck>& lines) {
    if (!VerificationNeedsFirewall(data))
        return;
    auto onOff = [](bool on) { return Word(on ? TValueWord::On : TValueWord::Off); };
    if (!firewall) {
        lines.push_back(
            Unreadable(TSetting::Firewall, onOff(data.FirewallMode == 1), TCheckReason::FirewallUnreadable));
        return;
    }
    if (data.FirewallMode >= 0) {
        const bool on = data.FirewallMode == 1;
        lines.push_back(Line(TSetting::Firewall, firewall->Enabled == on, onOff(on), onOff(firewall->Enabled)));
    }
    // The exceptions go with the opmode line only when the firewall is switched on.
    if (data.FirewallMode == 1) {
        const bool allowed = data.FirewallExceptions == 1;
        auto word = [](bool a) { return Word(a ? TValueWord::Allowed : TValueWord::NotAllowed); };
        lines.push_back(Line(TSetting::FirewallExceptions, firewall->ExceptionsAllowed == allowed, word(allowed),
                             word(firewall->ExceptionsAllowed)));
    }
    if (data.FirewallNotifications >= 0) {
        const bool on = data.FirewallNotifications == 1;
        lines.push_back(Line(TSetting::FirewallNotifications, firewall->Notifications == on, onOff(on),
                             onOff(firewall->Notifications)));
    }
}

const char* SettingKey(TSetting setting) {
    switch (setting) {
    case TSetting::IPAddresses:
        return "SETTING_IP_ADDRESSES";
    case TSetting::Gateways:
        return "SETTING_GATEWAYS";
    case TSetting::DNSServers:
        return "SETTING_DNS_SERVERS";
    case TSetting::DNSRegistration:
        return "SETTING_DNS_REGISTRATION";
    case TSetting::WINSServers:
        return "SETTING_WINS_SERVERS";
    case TSetting::Firewall:
        return "SETTING_FIREWALL";
    case TSetting::FirewallExceptions:
        return "SETTING_FIREWALL_EXCEPTIONS";
    case TSetting::FirewallNotifications:
        return "SETTING_FIREWALL_NOTIFICATIONS";
    }
    return "SETTING_FIREWALL";
}

const char* ReasonKey(TCheckReason reason) {
    switch (reason) {
    case TCheckReason::None:
    case TCheckReason::NotReported:
        break;
    case TCheckReason::NoLease:
        return "REASON_NO_LEASE";
    case TCheckReason::DhcpFailed:
        return "REASON_DHCP_FAILED";
    case TCheckReason::Disconnected:
        return "REASON_DISCONNECTED";
    case TCheckReason::Disabled:
        return "REASON_DISABLED";
    case TCheckReason::FirewallUnreadable:
        return "REASON_FIREWALL";
    }
    return "REASON_NOT_REPORTED";
}

std::string JoinedItems(const std::vector<std::string>& items) {
    if (items.empty())
        return Text("VALUE_NONE");
    std::string text = items[0];
    for (size_t i = 1; i < items.size(); ++i)
        text += (i + 1 == items.size() ? Text("VALUE_AND") : std::string(", ")) + items[i];
    return text;
}

} // namespace

bool TVerification::AllInEffect() const {
    return (Presence == TConnectionPresence::Present || Presence == TConnectionPresence::NotNeeded) &&
           std::all_of(Lines.begin(), Lines.end(), [](const TSettingCheck& l) { return l.State == TCheck::InEffect; });
}

bool TVerification::Settled() const {
    if (Presence == TConnectionPresence::Missing || Presence == TConnectionPresence::MachineUnreadable)
        return true;
    return std::none_of(Lines.begin(), Lines.end(), [](const TSettingCheck& l) {
        return l.State == TCheck::NotInEffect || l.State == TCheck::Waiting;
    });
}

bool VerificationNeedsFirewall(const TConfData& data) {
    return data.FirewallMode >= 0 || data.FirewallNotifications >= 0;
}

TVerification VerifyNetworkSettings(const TConfData& data, const platform::MachineSnapshot& machine) {
    TVerification verification;
    verification.Connection = BareConnectionName(data.InterfaceName);
    const bool connectionApplied = data.IPSource >= 0 || data.DNSSource >= 0 || data.WINSSource >= 0;
    const platform::NetworkConnection* c = FindConnection(machine, data.InterfaceName);
    if (!connectionApplied)
        verification.Presence = TConnectionPresence::NotNeeded;
    else if (!machine.Read)
        verification.Presence = TConnectionPresence::MachineUnreadable;
    else if (c == nullptr)
        verification.Presence = TConnectionPresence::Missing;
    std::vector<TSettingCheck>& lines = verification.Lines;
    if (verification.Presence == TConnectionPresence::Present) {
        verification.Connection = c->Name;
        if (data.IPSource >= 0) {
            CheckAddresses(data, *c, lines);
            CheckGateways(data, *c, lines);
        }
        if (data.DNSSource >= 0) {
            CheckServers(TSetting::DNSServers, data.DNSSource, data.DNSAddresses, c->DnsServers, c->DnsFromDhcp, lines);
            CheckRegistration(data, *c, lines);
        }
        if (data.WINSSource >= 0)
            CheckServers(TSetting::WINSServers, data.WINSSource, data.WINSAddresses, c->WinsServers, c->WinsFromDhcp,
                         lines);
        // A connection that is not connected shows none of its addresses: nothing of it can be told.
        if (c->State != platform::ConnectionState::Connected)
            for (TSettingCheck& line : lines)
                line = Unreadable(line.Setting, line.Expected,
                                  c->State == platform::ConnectionState::Disabled ? TCheckReason::Disabled
                                                                                  : TCheckReason::Disconnected);
    }
    CheckFirewall(data, machine.Firewall, lines);
    return verification;
}

int VerifyTimeLimitMs(const TConfData& data) {
    const bool dhcp = (data.IPSource >= 0 && !Static(data.IPSource, data.IPAddresses)) ||
                      (data.DNSSource >= 0 && !Static(data.DNSSource, data.DNSAddresses)) ||
                      (data.WINSSource >= 0 && !Static(data.WINSSource, data.WINSAddresses));
    return dhcp ? DhcpVerifyLimitMs : StaticVerifyLimitMs;
}

TVerifyRun::TVerifyRun(TConfData data, int limitMs) : Applied(std::move(data)), Limit(limitMs) {}

bool TVerifyRun::Look(const platform::MachineSnapshot& machine, int elapsedMs) {
    if (Done)
        return true;
    Last = VerifyNetworkSettings(Applied, machine);
    Done = Last.Settled() || elapsedMs >= Limit;
    return Done;
}

std::string SettingValueText(const TSettingValue& value) {
    switch (value.Word) {
    case TValueWord::List:
        return JoinedItems(value.Items);
    case TValueWord::Dhcp:
        return value.Items.empty() ? Text("VALUE_DHCP")
                                   : FillPlaceholder(Text("VALUE_DHCP_GAVE"), "$VALUES$", JoinedItems(value.Items));
    case TValueWord::On:
        return Text("VALUE_ON");
    case TValueWord::Off:
        return Text("VALUE_OFF");
    case TValueWord::Allowed:
        return Text("VALUE_ALLOWED");
    case TValueWord::NotAllowed:
        return Text("VALUE_NOT_ALLOWED");
    case TValueWord::RegisterNone:
        return Text("VALUE_REGISTER_NONE");
    case TValueWord::RegisterPrimary:
        return Text("VALUE_REGISTER_PRIMARY");
    case TValueWord::RegisterBoth:
        return Text("VALUE_REGISTER_BOTH");
    }
    return std::string();
}

std::string VerificationLineText(const TSettingCheck& line) {
    const char* key = "LINE_IN_EFFECT";
    switch (line.State) {
    case TCheck::InEffect:
        break;
    case TCheck::NotInEffect:
        key = "LINE_NOT_IN_EFFECT";
        break;
    case TCheck::Waiting:
        key = "LINE_WAITING";
        break;
    case TCheck::Unreadable:
        key = "LINE_UNREADABLE";
        break;
    }
    const std::string reason = FillPlaceholder(Text(ReasonKey(line.Reason)), "$FOUND$", JoinedItems(line.Found.Items));
    std::string text = FillPlaceholder(Text(key), "$REASON$", reason);
    text = FillPlaceholder(text, "$EXPECTED$", SettingValueText(line.Expected));
    text = FillPlaceholder(text, "$FOUND$", SettingValueText(line.Found));
    return FillPlaceholder(text, "$SETTING$", Text(SettingKey(line.Setting)));
}
