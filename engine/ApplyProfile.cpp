// Applying a profile: the network step, the script step, and the variable substitution of the script template.
#include "engine/ApplyProfile.h"

#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <algorithm>
#include <optional>

namespace {

// The connection of the profile's own slot, whichever page is shown.
std::string ConnectionNameOf(int slot) {
    return slot >= 1 && slot <= SlotCount ? Interfaces[static_cast<size_t>(slot)].Interface : std::string();
}

// What the repeated search of one variable gives: the first occurrence of the name in the upper-case line is replaced
// by the value, and the search starts again from the beginning. Since there was no match before the one replaced, the
// next can start no earlier than name-length minus one characters before the inserted value: the text ahead of that
// is set aside as final for now and not searched again. nullopt when the search touches more characters than the
// limit allows.
std::optional<std::string> ReplaceRepeatedly(const std::string& line, const std::string& name,
                                             const std::string& value) {
    const size_t overlap = name.size() - 1;
    const std::string upperLine = UpperAscii(line);
    const std::string upperValue = UpperAscii(value);
    std::string done;
    // The text after `done` in which the next match may start, and its upper-case form.
    std::string open;
    std::string upperOpen;
    // line[tail..] is still untouched.
    size_t tail = 0;
    size_t work = 0;
    for (;;) {
        size_t insertAt = 0;
        // A match that starts in the open text comes before any in the untouched rest, and may reach into the rest.
        const size_t match = (upperOpen + upperLine.substr(tail, overlap)).find(name);
        if (match != std::string::npos) {
            size_t reach = match + name.size();
            if (reach > open.size()) {
                tail += reach - open.size();
                reach = open.size();
            }
            open.replace(match, reach - match, value);
            upperOpen.replace(match, reach - match, upperValue);
            insertAt = match;
        } else {
            const size_t found = upperLine.find(name, tail);
            if (found == std::string::npos)
                break;
            open.append(line, tail, found - tail);
            upperOpen.append(upperLine, tail, found - tail);
            insertAt = open.size();
            open += value;
            upperOpen += upperValue;
            tail = found + name.size();
        }
        work += open.size() + name.size();
        if (work > MaxSubstitutionWork)
            return std::nullopt;
        if (insertAt >= overlap) {
            done.append(open, 0, insertAt - overlap);
            open.erase(0, insertAt - overlap);
            upperOpen.erase(0, insertAt - overlap);
        } else {
            // Close to the start of the open text: the next match may start in what was set aside.
            const size_t back = std::min(overlap - insertAt, done.size());
            open.insert(0, done, done.size() - back, back);
            upperOpen.insert(0, UpperAscii(std::string_view(done).substr(done.size() - back)));
            done.resize(done.size() - back);
        }
    }
    done += open;
    done.append(line, tail, std::string::npos);
    return done;
}

// Every occurrence of the name replaced once, left to right, the inserted values not searched again.
std::string ReplaceEachOnce(const std::string& line, const std::string& name, const std::string& value) {
    const std::string upperLine = UpperAscii(line);
    std::string result;
    size_t from = 0;
    for (size_t found; (found = upperLine.find(name, from)) != std::string::npos; from = found + name.size()) {
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
    for (const TScriptValue& variable : variables) {
        // An empty name is found nowhere.
        if (variable.Variable.empty())
            continue;
        const bool endless = UpperAscii(variable.Value).find(variable.Variable) != std::string::npos;
        std::optional<std::string> replaced =
            endless ? std::nullopt : ReplaceRepeatedly(result, variable.Variable, variable.Value);
        result = replaced ? std::move(*replaced) : ReplaceEachOnce(result, variable.Variable, variable.Value);
    }
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
