// norvex-cli's commands on the machine: what they read comes from the engine, as the window's does; here is only
// the output.
#include "cli/MachineCommands.h"

#include "cli/Commands.h"
#include "cli/Json.h"
#include "core/Settings.h"
#include "engine/ApplyNotice.h"
#include "engine/Connections.h"
#include "engine/Verification.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <chrono>
#include <thread>

namespace {

std::string Json(const std::string& text) {
    return JsonString(platform::SystemCodePageToUtf8(text));
}

std::string JsonList(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ',';
        out += Json(items[i]);
    }
    return out + "]";
}

// [{"address":..,"mask":..},...]
template <typename Address> std::string JsonAddresses(const std::vector<Address>& addresses) {
    std::string out = "[";
    for (size_t i = 0; i < addresses.size(); ++i) {
        if (i > 0)
            out += ',';
        out += "{\"address\":";
        out += Json(addresses[i].Address);
        out += ",\"mask\":";
        out += Json(addresses[i].Mask);
        out += '}';
    }
    return out + "]";
}

std::string JsonFlag(std::optional<bool> flag) {
    return !flag ? "null" : *flag ? "true" : "false";
}

const char* const RegistrationNames[3] = {"none", "primary", "both"};

std::string Setting(const char* key) {
    return ReadLanguageKey("VERIFY", key, LanguageName);
}

// The servers in effect, and from DHCP where the system tells so.
TSettingValue ServersValue(const std::vector<std::string>& servers, std::optional<bool> fromDhcp) {
    return TSettingValue{fromDhcp.value_or(false) ? TValueWord::Dhcp : TValueWord::List, servers};
}

std::vector<std::string> WithMasks(const std::vector<platform::AddressWithMask>& addresses) {
    std::vector<std::string> items;
    for (const platform::AddressWithMask& address : addresses)
        items.push_back(address.Address + "/" + address.Mask);
    return items;
}

void ConnectionText(const platform::NetworkConnection& c, std::ostream& out) {
    out << ConnectionListText(c) << "\n";
    if (!c.NameFits)
        out << "  " << ReadLanguageKey("CONNECTIONS", "NAME_UNUSABLE", LanguageName) << "\n";
    out << "  interface " << c.InterfaceIndex << ", " << c.Guid << ", MAC " << (c.Mac.empty() ? "none" : c.Mac) << "\n";
    if (c.State == platform::ConnectionState::Disabled)
        return;
    auto line = [&out](const char* setting, const TSettingValue& value) {
        out << "  " << Setting(setting) << ": " << SettingValueText(value) << "\n";
    };
    line("SETTING_IP_ADDRESSES", TSettingValue{c.Dhcp ? TValueWord::Dhcp : TValueWord::List, WithMasks(c.Addresses)});
    line("SETTING_GATEWAYS", TSettingValue{TValueWord::List, c.Gateways});
    line("SETTING_DNS_SERVERS", ServersValue(c.DnsServers, c.DnsFromDhcp));
    if (c.DnsRegistration >= 0 && c.DnsRegistration <= 2) {
        const TValueWord words[3] = {TValueWord::RegisterNone, TValueWord::RegisterPrimary, TValueWord::RegisterBoth};
        line("SETTING_DNS_REGISTRATION", TSettingValue{words[c.DnsRegistration], {}});
    }
    line("SETTING_WINS_SERVERS", ServersValue(c.WinsServers, c.WinsFromDhcp));
}

void FirewallText(const std::optional<platform::FirewallState>& firewall, std::ostream& out) {
    if (!firewall) {
        out << Setting("SETTING_FIREWALL") << ": " << Setting("REASON_FIREWALL") << "\n";
        return;
    }
    out << Setting("SETTING_FIREWALL") << ": " << Setting(firewall->Enabled ? "VALUE_ON" : "VALUE_OFF") << "; "
        << Setting("SETTING_FIREWALL_EXCEPTIONS") << ": "
        << Setting(firewall->ExceptionsAllowed ? "VALUE_ALLOWED" : "VALUE_NOT_ALLOWED") << "; "
        << Setting("SETTING_FIREWALL_NOTIFICATIONS") << ": "
        << Setting(firewall->Notifications ? "VALUE_ON" : "VALUE_OFF") << "\n";
}

std::string ConnectionJson(const platform::NetworkConnection& c) {
    static const char* const states[3] = {"connected", "disconnected", "disabled"};
    std::string out = "{\"name\":" + Json(c.Name);
    out += ",\"nameFits\":";
    out += c.NameFits ? "true" : "false";
    out += ",\"description\":" + Json(c.Description);
    out += ",\"guid\":" + Json(c.Guid);
    out += ",\"index\":" + std::to_string(c.InterfaceIndex);
    out += ",\"mac\":" + Json(c.Mac);
    out += ",\"state\":\"" + std::string(states[static_cast<int>(c.State)]) + "\"";
    out += ",\"dhcp\":";
    out += c.Dhcp ? "true" : "false";
    out += ",\"addresses\":" + JsonAddresses(c.Addresses);
    out += ",\"gateways\":" + JsonList(c.Gateways);
    out += ",\"dhcpGateways\":";
    out += c.DhcpGateways ? JsonList(*c.DhcpGateways) : "null";
    out += ",\"dns\":" + JsonList(c.DnsServers);
    out += ",\"dnsFromDhcp\":" + JsonFlag(c.DnsFromDhcp);
    out += ",\"dnsRegistration\":";
    out += c.DnsRegistration >= 0 && c.DnsRegistration <= 2
               ? "\"" + std::string(RegistrationNames[c.DnsRegistration]) + "\""
               : std::string("null");
    out += ",\"wins\":" + JsonList(c.WinsServers);
    out += ",\"winsFromDhcp\":" + JsonFlag(c.WinsFromDhcp);
    return out + "}";
}

std::string FirewallJson(const std::optional<platform::FirewallState>& firewall) {
    if (!firewall)
        return "null";
    return std::string("{\"enabled\":") + (firewall->Enabled ? "true" : "false") +
           ",\"exceptionsAllowed\":" + (firewall->ExceptionsAllowed ? "true" : "false") +
           ",\"notifications\":" + (firewall->Notifications ? "true" : "false") + "}";
}

std::string SettingsJson(const std::string& connection, const TConnectionSettings& s) {
    auto dhcp = [](int sourceType) { return std::string(sourceType == 0 ? "true" : "false"); };
    std::string out = "{\"connection\":" + Json(connection);
    out += ",\"ip\":{\"dhcp\":" + dhcp(s.IP.SourceType);
    out += ",\"addresses\":" + JsonAddresses(s.IP.Adresses);
    out += ",\"gateways\":" + JsonList(s.IP.Gateways);
    out += "},\"dns\":{\"dhcp\":" + dhcp(s.DNS.SourceType);
    out += ",\"servers\":" + JsonList(s.DNS.Adresses);
    out += ",\"registration\":\"" + std::string(RegistrationNames[s.DNS.RegisterInDNS]);
    out += "\"},\"wins\":{\"dhcp\":" + dhcp(s.WINS.SourceType);
    out += ",\"servers\":" + JsonList(s.WINS.Adresses);
    return out + "}}";
}

} // namespace

int Adapters(const TCliArguments& arguments, std::ostream& out, std::ostream& err) {
    const platform::MachineSnapshot machine = ReadMachine(true);
    if (!machine.Read)
        return Fail(err, ExitProblems, ReadLanguageKey("CONNECTIONS", "UNREADABLE", LanguageName));
    if (arguments.Json) {
        out << "{\"connections\":[";
        for (size_t i = 0; i < machine.Connections.size(); ++i)
            out << (i > 0 ? "," : "") << ConnectionJson(machine.Connections[i]);
        out << "],\"firewall\":" << FirewallJson(machine.Firewall) << "}\n";
        return ExitDone;
    }
    for (const platform::NetworkConnection& connection : machine.Connections)
        ConnectionText(connection, out);
    FirewallText(machine.Firewall, out);
    return ExitDone;
}

int Current(int slot, const TCliArguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string& connection = Interfaces[static_cast<size_t>(slot)].Interface;
    const TCurrentSettings current = CurrentSettingsOf(ReadMachine(), connection);
    if (current.Problem != TTakeProblem::None)
        return Fail(err, ExitProblems, TakeProblemText(current.Problem, connection, current.State));
    const TConnectionSettings& s = current.Settings;
    if (arguments.Json) {
        out << SettingsJson(BareConnectionName(connection), s) << "\n";
        return ExitDone;
    }
    out << AddressGroupLines(s.IP, s.DNS, s.WINS);
    err << "The current settings of '" << BareConnectionName(connection) << "' (slot " << slot
        << "), as the lines of a [PROFILE_n] section of " << SlotFileName(slot) << ".\n";
    return ExitDone;
}

int Verify(const TProfile& profile, std::ostream& out, std::ostream& err) {
    const TNetworkStep step = NetworkStepOf(profile);
    if (!step.Applies) {
        err << "Profile '" << profile.Name << "' applies no network settings: there is nothing to check.\n";
        return ExitDone;
    }
    const TVerification verification =
        VerifyNetworkSettings(step.Data, ReadMachine(VerificationNeedsFirewall(step.Data)));
    for (const TSettingCheck& line : verification.Lines)
        out << VerificationLineText(line) << "\n";
    // The notification's words without the lines just written: its title, and the connection that is not there.
    const TApplyNotice notice = VerificationNoticeOf(verification, profile.Name);
    err << (notice.Warning ? notice.Title : notice.Text) << "\n";
    if (verification.Presence == TConnectionPresence::Missing ||
        verification.Presence == TConnectionPresence::MachineUnreadable)
        err << notice.Text.substr(0, notice.Text.find('\n')) << "\n";
    return verification.AllInEffect() ? ExitDone : ExitProblems;
}

void VerifyApplied(const TProfile& profile, const TCliArguments& arguments, TApplyResult& result, std::ostream& err) {
    if (arguments.NoVerify || !result.NetshRun)
        return;
    TNetworkStep step = NetworkStepOf(profile);
    const int limit = VerifyLimitMs(arguments, step.Data);
    result.Verification = VerifyUntilFinal(std::move(step.Data), limit);
    TellNotice(VerificationNoticeOf(result, profile.Name), err);
}

int VerifyLimitMs(const TCliArguments& arguments, const TConfData& applied) {
    return arguments.VerifyTimeoutSeconds ? *arguments.VerifyTimeoutSeconds * 1000 : VerifyTimeLimitMs(applied);
}

TVerification VerifyUntilFinal(TConfData applied, int limitMs) {
    TVerifyRun run(std::move(applied), limitMs);
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        if (run.Look(ReadMachine(run.NeedsFirewall()), static_cast<int>(elapsed.count())))
            return run.Result();
        std::this_thread::sleep_for(std::chrono::milliseconds(VerifyIntervalMs));
    }
}
