// The netsh script builder: script text, saving and running.
#include "engine/U_ConfArray.h"

namespace {

// The script's comments are Czech, as netsh scripts of this program have always been, and plain ASCII.
const char* const AddressBanner = "#BEGIN nastaveni IP, Gateway, DNS, WINS";
const char* const AddressBannerEnd = "#END nastaveni IP, Gateway, DNS, WINS";
const char* const FirewallBanner = "#BEGIN nastaveni FireWall";
const char* const FirewallBannerEnd = "#END nastaveni FireWall";
// "Removes every static address at once", on a line of its own: netsh reads words after a command as its values.
const char* const RemoveStaticAddressesComment = "#hromadne odstraneni statickych IP adres";

const char* EnableText(std::int8_t value) {
    return value == 1 ? "ENABLE" : "DISABLE";
}

// " gateway=G gwmetric=M", as the static address line and the add lines carry a gateway.
std::string GatewayPart(const TConfPair& gateway) {
    return " gateway=" + gateway.first + " gwmetric=" + gateway.second;
}

// The pairs after the first, every one of them: a list is never cut short, however long it is.
template <typename Emit> void ForFurtherPairs(const TConfPairs& pairs, Emit emit) {
    for (size_t i = 1; i < pairs.size(); ++i)
        emit(pairs[i]);
}

} // namespace

TConfData::TConfData(std::string interfaceName, std::int8_t ipSource, std::int8_t dnsSource, std::string dnsRegister,
                     std::int8_t winsSource, std::int8_t firewallMode, std::int8_t firewallExceptions,
                     std::int8_t firewallNotifications, std::string waitCaption, std::string waitMessage)
    : InterfaceName(std::move(interfaceName)), IPSource(ipSource), DNSSource(dnsSource),
      DNSRegister(std::move(dnsRegister)), WINSSource(winsSource), FirewallNotifications(firewallNotifications),
      FirewallMode(firewallMode), FirewallExceptions(firewallExceptions), WindowsVersion(DetectWindowsVersion()),
      WaitCaption(std::move(waitCaption)), WaitMessage(std::move(waitMessage)) {}

void TConfData::AddPair(TConfList list, const std::string& first, const std::string& second) {
    switch (list) {
    case TConfList::IPAddresses:
        IPAddresses.emplace_back(first, second.empty() ? DefaultAddressMask : second);
        break;
    case TConfList::IPGateways:
        IPGateways.emplace_back(first, second.empty() ? "0" : second);
        break;
    case TConfList::DNSAddresses:
        DNSAddresses.emplace_back(first, second);
        break;
    case TConfList::WINSAddresses:
        WINSAddresses.emplace_back(first, second);
        break;
    }
}

std::string NetshConnectionName(const std::string& name) {
    const bool quoted = name.size() >= 2 && name.front() == '"' && name.back() == '"';
    if (quoted || name.find_first_of(" \t") == std::string::npos)
        return name;
    return '"' + name + '"';
}

bool IsUsableConnectionName(const std::string& name) {
    const bool quoted = name.size() >= 2 && name.front() == '"' && name.back() == '"';
    const std::string inside = quoted ? name.substr(1, name.size() - 2) : name;
    for (unsigned char c : inside)
        if (c == '"' || c < 0x20 || c == 0x7F)
            return false;
    return true;
}

std::vector<std::string> TConfData::ScriptLines() const {
    const std::string name = NetshConnectionName(InterfaceName);
    std::vector<std::string> lines = {AddressBanner, "push interface ip"};

    if (IPSource >= 0) {
        if (IPSource == 1 && !IPAddresses.empty()) {
            lines.push_back(RemoveStaticAddressesComment);
            lines.push_back("set address name=" + name + " source=DHCP");
            // The first gateway belongs on the static address line: the form netsh documents on every version.
            std::string staticLine = "set address name=" + name + " source=static addr=" + IPAddresses[0].first +
                                     " mask=" + IPAddresses[0].second;
            if (!IPGateways.empty())
                staticLine += GatewayPart(IPGateways[0]);
            lines.push_back(staticLine);
            ForFurtherPairs(IPAddresses, [&](const TConfPair& pair) {
                lines.push_back("add address name=" + name + " addr=" + pair.first + " mask=" + pair.second);
            });
        } else {
            lines.push_back("set address name=" + name + " source=DHCP");
        }
    }
    if (IPSource == 1 && !IPGateways.empty()) {
        // Without an address the first gateway keeps a line of its own, as scripts have always had it.
        if (IPAddresses.empty())
            lines.push_back("set address name=" + name + " source=static" + GatewayPart(IPGateways[0]));
        ForFurtherPairs(IPGateways, [&](const TConfPair& pair) {
            lines.push_back("add address name=" + name + GatewayPart(pair));
        });
    }

    if (DNSSource >= 0) {
        if (DNSSource == 1 && !DNSAddresses.empty()) {
            lines.push_back("delete dns name=" + name + " ALL");
            std::string staticLine = "set dns name=" + name + " source=static addr=" + DNSAddresses[0].first;
            // Windows 2000's netsh knows no register= part.
            if (WindowsVersion != 1)
                staticLine += " register=" + DNSRegister;
            lines.push_back(staticLine);
            ForFurtherPairs(DNSAddresses, [&](const TConfPair& pair) {
                lines.push_back("add dns name=" + name + " " + pair.first + " " + pair.second);
            });
        } else {
            lines.push_back("set dns name=" + name + " source=DHCP");
        }
    }

    if (WINSSource >= 0) {
        if (WINSSource == 1 && !WINSAddresses.empty()) {
            lines.push_back("delete wins name=" + name + " ALL");
            lines.push_back("set wins name=" + name + " source=static " + WINSAddresses[0].first);
            ForFurtherPairs(WINSAddresses, [&](const TConfPair& pair) {
                lines.push_back("add wins name=" + name + " " + pair.first + " " + pair.second);
            });
        } else {
            lines.push_back("set wins name=" + name + " source=DHCP");
        }
    }

    lines.insert(lines.end(), {"popd", AddressBannerEnd, "", FirewallBanner, "push firewall"});
    if (FirewallMode >= 0) {
        // Positional form: the mode, then the exceptions, which only an enabled firewall has.
        if (FirewallMode == 1)
            lines.push_back(std::string("set opmode ENABLE ") + EnableText(FirewallExceptions));
        else
            lines.push_back("set opmode DISABLE");
    }
    if (FirewallNotifications >= 0)
        lines.push_back(std::string("set notifications ") + EnableText(FirewallNotifications));
    lines.insert(lines.end(), {"popd", FirewallBannerEnd});
    return lines;
}

std::string TConfData::ScriptText() const {
    std::string text;
    for (const std::string& line : ScriptLines())
        text += line + "\r\n";
    return text;
}

TNetshRun TConfData::BuildAndRun(const std::string& scriptPath, const std::string& logPath) const {
    TNetshRun run;
    // Held from its writing until netsh has run: nothing changes it in between.
    const std::optional<platform::TOpenedFile> script = platform::WriteTempFile(scriptPath, ScriptText());
    run.Saved = script.has_value();
    if (!run.Saved)
        return run;
    const platform::TLoggedRun netsh =
        RunAndWait({platform::NetshPath(), "netsh exec \"" + scriptPath + "\"", platform::SwHide}, logPath);
    run.Logged = netsh.LogMade;
    run.ExitCode = netsh.ExitCode;
    run.Output = NetshOutputLines(netsh.Output);
    return run;
}

platform::TLoggedRun TConfData::RunAndWait(const platform::TProcessStart& start, const std::string& logPath) const {
    platform::WaitWindow wait(WaitCaption, WaitMessage);
    return platform::RunProcessLogged(start, logPath, MaxNetshOutput);
}

std::vector<std::string> NetshOutputLines(const std::string& output) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < output.size()) {
        size_t end = output.find_first_of("\r\n", from);
        if (end == std::string::npos)
            end = output.size();
        const size_t last = output.find_last_not_of(" \t", end == 0 ? 0 : end - 1);
        if (last != std::string::npos && last >= from && end > from)
            lines.push_back(output.substr(from, last + 1 - from));
        from = end + 1;
    }
    return lines;
}

std::uint8_t DetectWindowsVersion(const platform::SystemVersion& version) {
    const unsigned WindowsNT = 2;
    if (version.PlatformId != WindowsNT || version.Major != 5)
        return 0;
    switch (version.Minor) {
    case 0:
        return 1;
    case 1:
        return 2;
    case 2:
        return 3;
    default:
        return 0;
    }
}

std::uint8_t DetectWindowsVersion() {
    return DetectWindowsVersion(platform::GetSystemVersion());
}
