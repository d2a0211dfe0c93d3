// Checking a settings folder.
#include "engine/SettingsCheck.h"

#include "core/Promenne.h"
#include "core/Settings.h"
#include "engine/ApplyProfile.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <algorithm>
#include <array>

namespace {

std::string Quoted(const std::string& value) {
    return "'" + value + "'";
}

// The findings of one profile section.
struct ProfileFindings {
    std::string File;
    std::string Section;
    std::vector<TSettingsFinding>& Out;

    void Add(const std::string& key, const std::string& text) const { Out.push_back({File, Section, key, text}); }
};

void CheckAddress(const ProfileFindings& f, const std::string& key, const std::string& value) {
    if (!ParseDottedIPv4(value))
        f.Add(key, Quoted(value) + " is not a dotted IPv4 address.");
}

// An empty mask is no mistake: the address then takes the default one.
std::optional<std::uint32_t> CheckMask(const ProfileFindings& f, const std::string& key, const std::string& value) {
    const std::string mask = value.empty() ? DefaultAddressMask : value;
    std::optional<std::uint32_t> bits = ParseDottedIPv4(mask);
    if (!bits)
        f.Add(key, Quoted(value) + " is not a dotted IPv4 mask.");
    else if (!IsContiguousMask(*bits))
        f.Add(key, Quoted(value) + " is not a contiguous mask.");
    else
        return bits;
    return std::nullopt;
}

struct Subnet {
    std::uint32_t Address;
    std::uint32_t Mask;
};

void CheckIP(const ProfileFindings& f, const TIPGroup& ip) {
    std::vector<Subnet> subnets;
    for (size_t i = 0; i < ip.Adresses.size(); ++i) {
        const std::string n = std::to_string(i);
        CheckAddress(f, "IP_ADRESSES_ADDRESS_" + n, ip.Adresses[i].Address);
        std::optional<std::uint32_t> mask = CheckMask(f, "IP_ADRESSES_MASK_" + n, ip.Adresses[i].Mask);
        std::optional<std::uint32_t> address = ParseDottedIPv4(ip.Adresses[i].Address);
        if (address && mask)
            subnets.push_back({*address, *mask});
    }
    for (size_t i = 0; i < ip.Gateways.size(); ++i) {
        const std::string key = "IP_GATEWAYS_" + std::to_string(i);
        std::optional<std::uint32_t> gateway = ParseDottedIPv4(ip.Gateways[i]);
        if (!gateway) {
            CheckAddress(f, key, ip.Gateways[i]);
            continue;
        }
        // Only against addresses that are themselves right: a wrong address is reported once, on its own key.
        const bool reachable = std::any_of(subnets.begin(), subnets.end(), [&](const Subnet& s) {
            return (s.Address & s.Mask) == (*gateway & s.Mask);
        });
        if (!subnets.empty() && !reachable)
            f.Add(key, Quoted(ip.Gateways[i]) + " lies outside the subnet of every address of the profile.");
    }
}

void CheckServers(const ProfileFindings& f, const std::string& prefix, const std::vector<std::string>& servers) {
    for (size_t i = 0; i < servers.size(); ++i)
        CheckAddress(f, prefix + std::to_string(i), servers[i]);
}

void CheckScripts(const ProfileFindings& f, const TScriptsGroup& scripts) {
    for (size_t i = 0; i < scripts.ScriptsValues.size(); ++i) {
        const std::string& name = scripts.ScriptsValues[i].Variable;
        if (!VariableNameCanMatch(name))
            f.Add("SCRIPTS_SCRIPTSVALUES_VARIABLE_" + std::to_string(i),
                  Quoted(name) + " never matches: only names in capitals are found in the template.");
    }
    // Not even looked for: asking another computer for it would hand the user's sign-in to that computer.
    if (platform::IsRemotePath(scripts.SourcePath))
        f.Add("SCRIPTS_SOURCEPATH", Quoted(scripts.SourcePath) + " lies on another computer and was not read.");
    // The same test as the script step's, which skips itself, its command too, without the template.
    else if (!scripts.SourcePath.empty() && !platform::FileExists(scripts.SourcePath))
        f.Add("SCRIPTS_SOURCEPATH", Quoted(scripts.SourcePath) + " does not exist.");
    else if (scripts.SourcePath.empty() && scripts.Apply)
        f.Add("SCRIPTS_SOURCEPATH", "empty, though the script step is on.");
}

// `sections`: the number of the section each profile of the slot was read from, in order.
void CheckSlot(int slot, const std::vector<int>& sections, std::vector<TSettingsFinding>& out) {
    const int icon = Interfaces[static_cast<size_t>(slot)].Icon;
    if (icon < 0 || icon >= SlotIconCount)
        out.push_back({SlotFileName(slot), "LAN", "ICON",
                       Quoted(std::to_string(icon)) + " is not one of the pictures 0 to " +
                           std::to_string(SlotIconCount - 1) + ": the first picture is shown."});
    // The same rule as applying's, which refuses such a name.
    const std::string& connection = Interfaces[static_cast<size_t>(slot)].Interface;
    if (!IsUsableConnectionName(connection))
        out.push_back({SlotFileName(slot), "LAN", "INTERFACE",
                       Quoted(connection) +
                           " holds a double quote or a control character: netsh would not read it as one name."});
    const std::vector<int> rows = ProfilesOfSlot(slot);
    for (size_t i = 0; i < rows.size() && i < sections.size(); ++i) {
        const TProfile& profile = Profiles[static_cast<size_t>(rows[i])];
        const ProfileFindings f{SlotFileName(slot), ProfileSectionName(sections[i]), out};
        // Told once, at the first profile of the name.
        const std::vector<int> shared = ProfilePositionsNamed(slot, profile.Name);
        if (shared.size() > 1 && shared.front() == static_cast<int>(i) + 1)
            f.Add("NAME", "profiles " + NumberList(shared) + " share the name " + Quoted(profile.Name) + ".");
        CheckScripts(f, profile.Scripts);
        CheckIP(f, profile.IP);
        CheckServers(f, "DNS_ADRESSES_", profile.DNS.Adresses);
        CheckServers(f, "WINS_ADRESSES_", profile.WINS.Adresses);
    }
}

// Where a finding stands: the file in reading order, then the section (LAN and WINDOW first, then PROFILE_<k>).
std::pair<int, long> Place(const TSettingsFinding& finding) {
    int file = 0;
    for (int n = 1; n <= SlotCount; ++n)
        if (finding.File == SlotFileName(n))
            file = n;
    const std::string prefix = "PROFILE_";
    long section = finding.Section.compare(0, prefix.size(), prefix) == 0
                       ? std::strtol(finding.Section.c_str() + prefix.size(), nullptr, 10)
                       : 0;
    return {file, section};
}

} // namespace

std::optional<std::uint32_t> ParseDottedIPv4(std::string_view text) {
    std::uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.')
                return std::nullopt;
            text.remove_prefix(1);
        }
        size_t digits = 0;
        while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9')
            ++digits;
        if (digits == 0 || digits > 3 || (digits > 1 && text.front() == '0'))
            return std::nullopt;
        std::uint32_t value = 0;
        for (size_t i = 0; i < digits; ++i)
            value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
        if (value > 255)
            return std::nullopt;
        address = (address << 8) | value;
        text.remove_prefix(digits);
    }
    if (!text.empty())
        return std::nullopt;
    return address;
}

bool IsContiguousMask(std::uint32_t mask) {
    // The zeros below the ones, plus one, are a power of two (or wrap to zero for a mask of all ones).
    const std::uint32_t zeros = ~mask;
    return (zeros & (zeros + 1)) == 0;
}

std::vector<TSettingsFinding> CheckSettingsFolder() {
    std::vector<TSettingsNote> notes;
    ReadWindowFile(*LoadSettingsFile(WindowFileName, notes), notes);
    const TSlotSections sections = ReadSlotFiles(notes);

    std::vector<TSettingsFinding> findings;
    for (const TSettingsNote& note : notes)
        findings.push_back({note.File, note.Section, note.Key, note.Text});
    for (int slot = 1; slot <= SlotCount; ++slot)
        CheckSlot(slot, sections[static_cast<size_t>(slot)], findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const TSettingsFinding& a, const TSettingsFinding& b) { return Place(a) < Place(b); });
    return findings;
}
