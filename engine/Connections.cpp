// The machine's connections: the system's snapshot or the tests' stand-in, a slot's connection in it, and its
// current settings as a profile holds them.
#include "engine/Connections.h"

#include "lang/CaptionKeys.h"
#include "lang/Language.h"

#include <cstdlib>

namespace {

std::string StandInPath;

std::string Text(const char* key) {
    return ReadLanguageKey("CONNECTIONS", key, LanguageName);
}

std::vector<std::string> Words(const std::optional<std::string>& text) {
    std::vector<std::string> words;
    if (!text)
        return words;
    size_t from = 0;
    while (from < text->size()) {
        const size_t blank = text->find(' ', from);
        const size_t end = blank == std::string::npos ? text->size() : blank;
        if (end > from)
            words.push_back(text->substr(from, end - from));
        from = end + 1;
    }
    return words;
}

std::optional<bool> Flag(const IniFile& ini, const std::string& section, const char* key) {
    const std::optional<std::string> value = ini.Value(section, key);
    if (!value)
        return std::nullopt;
    return UpperAscii(*value) == "TRUE";
}

platform::NetworkConnection ConnectionOfSection(const IniFile& ini, const std::string& section) {
    platform::NetworkConnection c;
    c.Name = ini.Value(section, "NAME").value_or("");
    c.NameFits = Flag(ini, section, "NAME_FITS").value_or(true);
    c.Description = ini.Value(section, "DESCRIPTION").value_or("");
    c.Guid = ini.Value(section, "GUID").value_or("");
    c.InterfaceIndex = static_cast<unsigned>(std::atoi(ini.Value(section, "INDEX").value_or("0").c_str()));
    c.Mac = ini.Value(section, "MAC").value_or("");
    const std::string state = UpperAscii(ini.Value(section, "STATE").value_or("CONNECTED"));
    c.State = state == "DISABLED"       ? platform::ConnectionState::Disabled
              : state == "DISCONNECTED" ? platform::ConnectionState::Disconnected
                                        : platform::ConnectionState::Connected;
    c.Dhcp = Flag(ini, section, "DHCP").value_or(false);
    for (const std::string& word : Words(ini.Value(section, "ADDRESSES"))) {
        const size_t slash = word.find('/');
        c.Addresses.push_back({word.substr(0, slash), slash == std::string::npos ? "" : word.substr(slash + 1)});
    }
    c.Gateways = Words(ini.Value(section, "GATEWAYS"));
    if (std::optional<std::string> dhcpGateways = ini.Value(section, "DHCP_GATEWAYS"))
        c.DhcpGateways = Words(dhcpGateways);
    c.DnsServers = Words(ini.Value(section, "DNS"));
    c.DnsFromDhcp = Flag(ini, section, "DNS_FROM_DHCP");
    if (std::optional<std::string> registration = ini.Value(section, "DNS_REGISTRATION"))
        c.DnsRegistration = std::atoi(registration->c_str());
    c.WinsServers = Words(ini.Value(section, "WINS"));
    c.WinsFromDhcp = Flag(ini, section, "WINS_FROM_DHCP");
    return c;
}

// The servers of a group as a profile holds them: from DHCP, or the list.
int SourceTypeOf(const std::vector<std::string>& servers, std::optional<bool> fromDhcp, bool addressesFromDhcp) {
    return servers.empty() || fromDhcp.value_or(addressesFromDhcp) ? 0 : 1;
}

} // namespace

platform::MachineSnapshot ReadMachine(bool withFirewall) {
    if (StandInPath.empty())
        return platform::ReadMachineSnapshot(withFirewall);
    if (!platform::FileExists(StandInPath))
        return platform::MachineSnapshot();
    return MachineOfStandIn(*LoadIniFile(StandInPath));
}

void InstallMachineStandIn(const std::string& path) {
    StandInPath = path;
}

const std::string& InstalledMachineStandIn() {
    return StandInPath;
}

platform::MachineSnapshot MachineOfStandIn(const IniFile& ini) {
    platform::MachineSnapshot machine;
    machine.Read = true;
    if (ini.Value("FIREWALL", "ENABLED"))
        machine.Firewall = platform::FirewallState{Flag(ini, "FIREWALL", "ENABLED").value_or(false),
                                                   Flag(ini, "FIREWALL", "EXCEPTIONS_ALLOWED").value_or(true),
                                                   Flag(ini, "FIREWALL", "NOTIFICATIONS").value_or(true)};
    for (int n = 1;; ++n) {
        const std::string section = "CONNECTION_" + std::to_string(n);
        if (!ini.Value(section, "NAME"))
            break;
        machine.Connections.push_back(ConnectionOfSection(ini, section));
    }
    return machine;
}

std::string BareConnectionName(const std::string& name) {
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        return name.substr(1, name.size() - 2);
    return name;
}

const platform::NetworkConnection* FindConnection(const platform::MachineSnapshot& machine, const std::string& name) {
    const std::string bare = BareConnectionName(name);
    for (const platform::NetworkConnection& connection : machine.Connections)
        if (connection.NameFits && SameName(connection.Name, bare))
            return &connection;
    return nullptr;
}

TConnectionSettings SettingsOfConnection(const platform::NetworkConnection& connection) {
    TConnectionSettings settings;
    settings.IP.Apply = true;
    settings.IP.SourceType = connection.Dhcp ? 0 : 1;
    if (!connection.Dhcp) {
        for (const platform::AddressWithMask& address : connection.Addresses)
            settings.IP.Adresses.push_back({address.Address, address.Mask});
        settings.IP.Gateways = connection.Gateways;
    }
    settings.DNS.Apply = true;
    settings.DNS.SourceType = SourceTypeOf(connection.DnsServers, connection.DnsFromDhcp, connection.Dhcp);
    if (settings.DNS.SourceType == 1)
        settings.DNS.Adresses = connection.DnsServers;
    settings.DNS.RegisterInDNS = connection.DnsRegistration >= 0 && connection.DnsRegistration <= 2
                                     ? connection.DnsRegistration
                                     : 1; // Windows registers a connection's addresses unless told otherwise
    settings.WINS.Apply = true;
    settings.WINS.SourceType = SourceTypeOf(connection.WinsServers, connection.WinsFromDhcp, connection.Dhcp);
    if (settings.WINS.SourceType == 1)
        settings.WINS.Adresses = connection.WinsServers;
    return settings;
}

TCurrentSettings CurrentSettingsOf(const platform::MachineSnapshot& machine, const std::string& connectionName) {
    TCurrentSettings current;
    const platform::NetworkConnection* connection = FindConnection(machine, connectionName);
    if (!machine.Read)
        current.Problem = TTakeProblem::MachineUnreadable;
    else if (connection == nullptr)
        current.Problem = TTakeProblem::Missing;
    else if (connection->State != platform::ConnectionState::Connected) {
        current.Problem = TTakeProblem::NotConnected;
        current.State = connection->State;
    } else {
        current.Settings = SettingsOfConnection(*connection);
    }
    return current;
}

std::string TakeProblemText(TTakeProblem problem, const std::string& connectionName, platform::ConnectionState state) {
    const std::string bare = BareConnectionName(connectionName);
    switch (problem) {
    case TTakeProblem::None:
        break;
    case TTakeProblem::MachineUnreadable:
        return Text("UNREADABLE");
    case TTakeProblem::Missing:
        return FillPlaceholder(Text("NOT_PRESENT"), "$CONNECTION$", bare);
    case TTakeProblem::NotConnected:
        return FillPlaceholder(FillPlaceholder(Text("NOT_CONNECTED"), "$CONNECTION$", bare), "$STATE$",
                               ConnectionStateText(state));
    case TTakeProblem::FirewallUnreadable:
        return Text("FIREWALL_UNREADABLE");
    }
    return std::string();
}

std::string ConnectionStateText(platform::ConnectionState state) {
    switch (state) {
    case platform::ConnectionState::Connected:
        break;
    case platform::ConnectionState::Disconnected:
        return Text("DISCONNECTED");
    case platform::ConnectionState::Disabled:
        return Text("DISABLED");
    }
    return Text("CONNECTED");
}

std::string ConnectionListText(const platform::NetworkConnection& connection) {
    std::string text = Text(connection.Description.empty() ? "LIST_ITEM_SHORT" : "LIST_ITEM");
    text = FillPlaceholder(text, "$STATE$", ConnectionStateText(connection.State));
    text = FillPlaceholder(text, "$DESCRIPTION$", connection.Description);
    return FillPlaceholder(text, "$NAME$", connection.Name);
}
