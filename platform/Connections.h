// The machine's IPv4 network connections and its firewall, as the system reports them now: one snapshot, read when
// it is needed (never at start-up). Strings are in the system code page, as everywhere in Norvex.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class ConnectionState { Connected, Disconnected, Disabled };

struct AddressWithMask {
    std::string Address;
    std::string Mask; // dotted, from the prefix length
    bool operator==(const AddressWithMask&) const = default;
};

struct NetworkConnection {
    std::string Guid; // the adapter's "{...}", as the registry names it
    unsigned InterfaceIndex = 0;
    std::string Name; // the connection name netsh takes
    // False when the name has characters the system code page lacks: netsh cannot be given it, and Name holds it
    // with '?' in their place, for showing only.
    bool NameFits = true;
    std::string Description;
    std::string Mac; // "00-1A-2B-3C-4D-5E"; empty when the adapter has none
    ConnectionState State = ConnectionState::Connected;
    bool Dhcp = false;
    std::vector<AddressWithMask> Addresses;
    std::vector<std::string> Gateways; // every default gateway in effect, in the system's order
    // The gateways the DHCP lease gave; nothing where the system does not tell.
    std::optional<std::vector<std::string>> DhcpGateways;
    std::vector<std::string> DnsServers; // in order of use
    std::optional<bool> DnsFromDhcp;     // nothing where the system does not tell
    int DnsRegistration = -1;            // 0 none, 1 the connection's addresses, 2 with its suffix; -1 not told
    std::vector<std::string> WinsServers;
    std::optional<bool> WinsFromDhcp;
    bool operator==(const NetworkConnection&) const = default;
};

struct FirewallState {
    bool Enabled = false;
    bool ExceptionsAllowed = true;
    bool Notifications = true;
    bool operator==(const FirewallState&) const = default;
};

struct MachineSnapshot {
    bool Read = false; // the system answered; false where its connections cannot be read at all
    std::vector<NetworkConnection> Connections;
    std::optional<FirewallState> Firewall; // nothing where the firewall's state cannot be read
    bool operator==(const MachineSnapshot&) const = default;
};

// Reads the machine as it is now. Loopback and tunnel interfaces are left out; disabled adapters are listed with
// their names only. The firewall's state only when asked for: it takes the component object library, which costs
// a first read several times as long. On a system other than Windows nothing can be read.
MachineSnapshot ReadMachineSnapshot(bool withFirewall);

// Converts UTF-16 text to the system code page character for character: false when a character has no place in the
// code page (a best-fitting look-alike does not count: netsh would be given another name).
bool Utf16ToSystemCodePageExactly(const std::u16string& utf16, std::string& converted);

} // namespace platform
