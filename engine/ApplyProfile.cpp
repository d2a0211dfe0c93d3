// Applying a profile: the network step, the script step, and the variable substitution of the script template.
#include "engine/ApplyProfile.h"

#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace {

// The connection of the profile's own slot, whichever page is shown.
std::string ConnectionNameOf(int slot) {
    return slot >= 1 && slot <= SlotCount ? Interfaces[static_cast<size_t>(slot)].Interface : std::string();
}

// Every occurrence of the name in the upper-case line replaced by the value, left to right. The search goes on after
// the value just inserted: a value is inserted once per occurrence, even when it brings the name back, and a match
// that would form across the edge of an inserted value is left as it is. A line that would outgrow
// MaxSubstitutedLineLength (values that hold names of later variables can multiply it) keeps the rest unreplaced
// rather than exhausting the memory.
std::string ReplaceEachOccurrence(const std::string& line, const std::string& name, const std::string& value) {
    const std::string upperLine = UpperAscii(line);
    std::string result;
    size_t from = 0;
    for (size_t found; (found = upperLine.find(name, from)) != std::string::npos; from = found + name.size()) {
        const size_t rest = line.size() - found - name.size();
        if (result.size() + (found - from) + value.size() + rest > MaxSubstitutedLineLength)
            break;
        result.append(line, from, found - from);
        result += value;
    }
    result.append(line, from, std::string::npos);
    return result;
}

void RunNetworkStep(const TProfile& profile) {
    TNetworkStep step = NetworkStepOf(profile);
    const std::string scriptPath = TempFilePath(NetshScriptFileName);
    // The probe: where it cannot be written, the script could not be either.
    platform::ForceDirectories(TempDir);
    platform::WriteTempFile(scriptPath, "TEST\r\n");
    if (platform::FileExists(scriptPath) && step.Applies)
        step.Data.BuildAndRun(scriptPath);
}

void RunScriptsStep(const TScriptsGroup& scripts) {
    if (!scripts.Apply || !platform::FileExists(scripts.SourcePath))
        return;
    platform::WaitWindow wait(ReadLanguageKey("APPLY", "APPLY_CAPTION", LanguageName),
                              ReadLanguageKey("APPLY", "SCRIPT_INFO", LanguageName));
    platform::ForceDirectories(TempDir);
    const std::string converted = TempFilePath(ConvertedScriptFileName);
    std::string content;
    // Only what this application converted is copied: never a file left by an earlier one.
    const bool convertedNow = platform::ReadWholeFile(scripts.SourcePath, content) &&
                              platform::WriteTempFile(converted, ConvertTemplate(content, scripts.ScriptsValues));
    if (convertedNow && !scripts.DestinationPath.empty()) {
        const std::string folder = platform::FolderPartOf(scripts.DestinationPath);
        if (!folder.empty())
            platform::ForceDirectories(folder);
        platform::ShellCopyFile(converted, scripts.DestinationPath);
    }
    if (!scripts.Command.empty())
        platform::RunProcess(scripts.Command, platform::StartupShowWindow());
}

} // namespace

bool ApplyCurrentProfile() {
    const int current = Selection.CurrentProfile;
    if (current < 0 || current >= static_cast<int>(Profiles.size()))
        return true;
    const TProfile& profile = Profiles[static_cast<size_t>(current)];
    RunNetworkStep(profile);
    RunScriptsStep(profile.Scripts);
    return true;
}

std::string DNSRegisterText(int registerInDNS) {
    switch (registerInDNS) {
    case 0:
        return "none";
    case 1:
        return "primary";
    case 2:
        return "both";
    default:
        return std::string();
    }
}

TNetworkStep NetworkStepOf(const TProfile& profile) {
    // Source types are taken as the netsh record holds them: their low eight bits, signed.
    std::int8_t ipSource = -1, dnsSource = -1, winsSource = -1;
    std::int8_t firewallMode = -1, firewallExceptions = -1, firewallNotifications = -1;
    std::string dnsRegister;
    if (profile.IP.Apply)
        ipSource = static_cast<std::int8_t>(profile.IP.SourceType);
    if (profile.DNS.Apply) {
        dnsSource = static_cast<std::int8_t>(profile.DNS.SourceType);
        dnsRegister = DNSRegisterText(profile.DNS.RegisterInDNS);
    }
    if (profile.WINS.Apply)
        winsSource = static_cast<std::int8_t>(profile.WINS.SourceType);
    if (profile.Firewall.Apply) {
        firewallMode = profile.Firewall.EnableFirewall ? 1 : 0;
        // The stored flag is the user's choice to forbid exceptions.
        firewallExceptions = profile.Firewall.EnableExceptions ? 0 : 1;
        firewallNotifications = profile.Firewall.EnableDialogs ? 1 : 0;
    }
    TNetworkStep step{TConfData(ConnectionNameOf(profile.InterfaceNo), ipSource, dnsSource, dnsRegister, winsSource,
                                firewallMode, firewallExceptions, firewallNotifications,
                                ReadLanguageKey("APPLY", "APPLY_CAPTION", LanguageName),
                                ReadLanguageKey("APPLY", "APPLY_INFO", LanguageName)),
                      profile.IP.Apply || profile.DNS.Apply || profile.WINS.Apply || profile.Firewall.Apply};
    TConfData& data = step.Data;
    // The lists go along whatever the source; a DHCP source leaves them out of the script.
    if (profile.IP.Apply) {
        for (const TAddress& address : profile.IP.Adresses)
            data.AddPair(TConfList::IPAddresses, address.Address, address.Mask);
        for (const std::string& gateway : profile.IP.Gateways)
            data.AddPair(TConfList::IPGateways, gateway, std::string());
    }
    if (profile.DNS.Apply)
        for (const std::string& server : profile.DNS.Adresses)
            data.AddPair(TConfList::DNSAddresses, server, std::string());
    if (profile.WINS.Apply)
        for (const std::string& server : profile.WINS.Adresses)
            data.AddPair(TConfList::WINSAddresses, server, std::string());
    return step;
}

std::string SubstituteVariables(const std::string& line) {
    const int current = Selection.CurrentProfile;
    if (current < 0 || current >= static_cast<int>(Profiles.size()))
        return line;
    return SubstituteVariables(line, Profiles[static_cast<size_t>(current)].Scripts.ScriptsValues);
}

std::string SubstituteVariables(const std::string& line, const std::vector<TScriptValue>& variables) {
    std::string result = line;
    // In list order: a later variable also replaces what an earlier value brought in.
    for (const TScriptValue& variable : variables)
        if (!variable.Variable.empty()) // an empty name is found nowhere
            result = ReplaceEachOccurrence(result, variable.Variable, variable.Value);
    return result;
}

std::string ConvertTemplate(const std::string& content, const std::vector<TScriptValue>& variables) {
    std::string converted;
    size_t from = 0;
    // At least one line: an empty template gives one empty line.
    do {
        size_t end = content.find('\n', from);
        size_t next = end == std::string::npos ? content.size() : end + 1;
        if (end == std::string::npos)
            end = content.size();
        else if (end > from && content[end - 1] == '\r')
            --end;
        converted += SubstituteVariables(content.substr(from, end - from), variables);
        converted += "\r\n";
        from = next;
    } while (from < content.size());
    return converted;
}

std::string TempFilePath(const std::string& fileName) {
    const char separator = platform::PathSeparator();
    const bool endsInSeparator = !TempDir.empty() && (TempDir.back() == separator || TempDir.back() == '/');
    return TempDir + (endsInSeparator ? "" : std::string(1, separator)) + fileName;
}
