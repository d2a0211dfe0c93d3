// The netsh script builder: one profile's network settings as a script for the Windows network shell, saved to a
// file and run as `netsh exec "<file>"` behind a wait window.
#pragma once

#include "platform/Platform.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using TConfPair = std::pair<std::string, std::string>;
using TConfPairs = std::vector<TConfPair>;

// The four lists of a TConfData.
enum class TConfList { IPAddresses, IPGateways, DNSAddresses, WINSAddresses };

// The mask an address gets when its pair names none.
inline constexpr const char* DefaultAddressMask = "255.255.255.0";

// What came of saving the script and running netsh on it.
struct TNetshRun {
    bool Saved = false;              // the script file was written
    bool Logged = false;             // the file for netsh's output was made; netsh is not run without it
    int ExitCode = -1;               // netsh's exit code; -1 when it was not started
    std::vector<std::string> Output; // the lines netsh printed, as NetshOutputLines gives them
};

// What is read back of netsh's output: a script of a few hundred lines makes a few kilobytes at most.
inline constexpr size_t MaxNetshOutput = 1024 * 1024;

// The lines of what netsh printed: each without its end (LF, CR LF or CR) and the blanks after its text; empty and
// blank lines left out.
std::vector<std::string> NetshOutputLines(const std::string& output);

// A connection name as netsh reads it: a name with a blank or a tab goes inside double quotes, unless it already is
// (files of earlier versions store it quoted); any other name is written as it is.
std::string NetshConnectionName(const std::string& name);

// Whether netsh reads the name as one value: no double quote but a pair around the whole, no control character.
bool IsUsableConnectionName(const std::string& name);

// Source types and switches: negative leaves the group out, 1 is static (or ENABLE), anything else DHCP (or DISABLE).
class TConfData {
public:
    TConfData(std::string interfaceName, std::int8_t ipSource, std::int8_t dnsSource, std::string dnsRegister,
              std::int8_t winsSource, std::int8_t firewallMode, std::int8_t firewallExceptions,
              std::int8_t firewallNotifications, std::string waitCaption, std::string waitMessage);

    // Appends a pair; an empty second becomes "255.255.255.0" for addresses and "0" for gateways.
    void AddPair(TConfList list, const std::string& first, const std::string& second);

    // The lines of the script, without line ends.
    std::vector<std::string> ScriptLines() const;
    // The script as saved: every line, the last one too, ended by CR LF.
    std::string ScriptText() const;

    // Saves the script to scriptPath and runs netsh (by its full path) on it behind the wait window, its output going
    // into logPath; netsh is not run when the script could not be saved or the log not made.
    TNetshRun BuildAndRun(const std::string& scriptPath, const std::string& logPath) const;

    // Shows the wait window, runs the program with its output going into logPath and waits for its end.
    platform::TLoggedRun RunAndWait(const platform::TProcessStart& start, const std::string& logPath) const;

    std::string InterfaceName;
    std::int8_t IPSource;
    TConfPairs IPAddresses;
    TConfPairs IPGateways;
    std::int8_t DNSSource;
    TConfPairs DNSAddresses;
    std::string DNSRegister;
    std::int8_t WINSSource;
    TConfPairs WINSAddresses;
    std::int8_t FirewallNotifications;
    std::int8_t FirewallMode;
    std::int8_t FirewallExceptions;
    std::uint8_t WindowsVersion;
    std::string WaitCaption;
    std::string WaitMessage;
};

// 1 for Windows 2000, 2 for XP, 3 for Server 2003, 0 for every other system. On 2000 the static DNS line carries no
// `register=` part.
std::uint8_t DetectWindowsVersion(const platform::SystemVersion& version);
std::uint8_t DetectWindowsVersion();
