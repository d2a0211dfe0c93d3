// The machine's connections as Norvex sees them: the system's snapshot or, for tests, a stand-in read from a file;
// finding a slot's connection in it, and its current settings as a profile holds them.
#pragma once

#include "core/Promenne.h"
#include "lang/IniFile.h"
#include "platform/Connections.h"

#include <string>

// Reads the machine now: the system's snapshot, or the stand-in while one is installed. The firewall's state only
// when asked for (it costs the most).
platform::MachineSnapshot ReadMachine(bool withFirewall = false);

// The one place where the tests put a stand-in for the machine: an ini file read in place of the system at every
// ReadMachine (so a test may change it between reads); empty to read the system again. A missing file reads as a
// machine whose connections cannot be read.
void InstallMachineStandIn(const std::string& path);
// The stand-in's file while one is installed, empty otherwise.
const std::string& InstalledMachineStandIn();

// The stand-in's file:
//   [FIREWALL]   ENABLED, EXCEPTIONS_ALLOWED, NOTIFICATIONS (TRUE or FALSE); without the section, not readable
//   [CONNECTION_1], [CONNECTION_2], ... until the first without NAME:
//     NAME, NAME_FITS (FALSE: the name has characters the code page lacks), DESCRIPTION, GUID, INDEX, MAC,
//     STATE (CONNECTED, DISCONNECTED, DISABLED), DHCP, ADDRESSES (address/mask ...), GATEWAYS, DHCP_GATEWAYS,
//     DNS, DNS_FROM_DHCP, DNS_REGISTRATION (0 to 2), WINS, WINS_FROM_DHCP
// Lists are parted by blanks; a key left out is one the system does not tell (DHCP_GATEWAYS, DNS_FROM_DHCP,
// DNS_REGISTRATION, WINS_FROM_DHCP), or empty, or false.
platform::MachineSnapshot MachineOfStandIn(const IniFile& ini);

// The connection of that name (as a slot stores it: quotes of earlier versions around it are no part of it), in any
// ASCII letter case as Windows takes it; null when the machine has none of that name that netsh can be given.
const platform::NetworkConnection* FindConnection(const platform::MachineSnapshot& machine, const std::string& name);

// A slot's connection name as the machine's connections are named: without the quotes of earlier versions.
std::string BareConnectionName(const std::string& name);

// The current settings of a connection as a profile holds them, each group applied: IP from DHCP, or static with
// its addresses, masks and gateways in order; DNS from DHCP, or its servers in order with the registration mode;
// WINS from DHCP or its servers in order. Where the system does not tell whether DNS or WINS servers come from DHCP,
// they do when the addresses do.
struct TConnectionSettings {
    TIPGroup IP;
    TDNSGroup DNS;
    TWINSGroup WINS;
    bool operator==(const TConnectionSettings&) const = default;
};
TConnectionSettings SettingsOfConnection(const platform::NetworkConnection& connection);

// Taking a slot's current settings: what stands in the way, or the settings. The firewall's state is taken only
// before an apply that changes it (to put it back).
enum class TTakeProblem { None, MachineUnreadable, Missing, NotConnected, FirewallUnreadable };
struct TCurrentSettings {
    TTakeProblem Problem = TTakeProblem::None;
    platform::ConnectionState State = platform::ConnectionState::Connected; // of a connection that is not connected
    TConnectionSettings Settings;
};
// Only a connected connection shows its addresses: a disconnected one would give an empty static list, which
// applies as DHCP.
TCurrentSettings CurrentSettingsOf(const platform::MachineSnapshot& machine, const std::string& connectionName);

// What stood in the way, in the language file's words: "The connection 'X' is not present on this computer." and
// the like; empty for none.
std::string TakeProblemText(TTakeProblem problem, const std::string& connectionName,
                            platform::ConnectionState state = platform::ConnectionState::Connected);

// A connection as the picker and norvex-cli list it: "Ethernet 2 - Intel(R) Ethernet Connection, connected".
std::string ConnectionListText(const platform::NetworkConnection& connection);
// The state's word: connected, disconnected, disabled.
std::string ConnectionStateText(platform::ConnectionState state);
