// Applying a profile: the network step, the script step, and the variable substitution of the script template.
#include "engine/ApplyProfile.h"

#include "engine/SettingsCheck.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace {

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

void RunNetworkStep(const TNetworkStep& step, TApplyResult& result) {
    const std::string scriptPath = TempFilePath(NetshScriptFileName);
    // The probe: where it cannot be written, the script could not be either.
    platform::ForceDirectories(TempDir);
    platform::WriteTempFile(scriptPath, "TEST\r\n");
    if (!step.Applies)
        return;
    if (!platform::FileExists(scriptPath)) {
        result.Problems.push_back({TApplyFailure::ScriptNotWritten, scriptPath});
        return;
    }
    const TNetshRun run = step.Data.BuildAndRun(scriptPath);
    result.NetshRun = run.Saved && run.ExitCode != -1;
    if (!run.Saved)
        result.Problems.push_back({TApplyFailure::ScriptNotWritten, scriptPath});
    else if (run.ExitCode == -1)
        result.Problems.push_back({TApplyFailure::NetshNotStarted, scriptPath});
    else if (run.ExitCode != 0)
        result.Problems.push_back({TApplyFailure::NetshFailed, scriptPath, run.ExitCode});
}

// The template as the script step reads it; a problem when it is not an ordinary file of bounded size.
std::optional<TApplyFailure> ReadTemplate(const std::string& path, std::string& content) {
    switch (platform::ReadRegularFile(path, MaxTemplateSize, content)) {
    case platform::ReadFileResult::Ok:
        return std::nullopt;
    case platform::ReadFileResult::Missing:
        return TApplyFailure::TemplateMissing;
    case platform::ReadFileResult::NotRegular:
        return TApplyFailure::TemplateNotAFile;
    case platform::ReadFileResult::TooLarge:
        return TApplyFailure::TemplateTooLarge;
    case platform::ReadFileResult::Unreadable:
        break;
    }
    return TApplyFailure::TemplateUnreadable;
}

// Fills in the template into norvex.script; true when this application wrote it.
bool WriteConvertedTemplate(const TScriptsGroup& scripts, const std::string& convertedPath, TApplyResult& result) {
    std::string converted;
    if (std::optional<TApplyProblem> problem = ReadConvertedTemplate(scripts, converted)) {
        result.Problems.push_back(*problem);
        return false;
    }
    if (!platform::WriteTempFile(convertedPath, converted)) {
        result.Problems.push_back({TApplyFailure::ConvertedNotWritten, convertedPath});
        return false;
    }
    return true;
}

void RunScriptsStep(const TScriptsGroup& scripts, TApplyResult& result) {
    if (!scripts.Apply)
        return;
    // Without its template the step does nothing at all, not even the command.
    if (!platform::FileExists(scripts.SourcePath)) {
        result.Problems.push_back({TApplyFailure::TemplateMissing, scripts.SourcePath});
        return;
    }
    platform::WaitWindow wait(ReadLanguageKey("APPLY", "APPLY_CAPTION", LanguageName),
                              ReadLanguageKey("APPLY", "SCRIPT_INFO", LanguageName));
    platform::ForceDirectories(TempDir);
    const std::string convertedPath = TempFilePath(ConvertedScriptFileName);
    // Only what this application converted is copied: never a file left by an earlier one.
    if (WriteConvertedTemplate(scripts, convertedPath, result) && !scripts.DestinationPath.empty()) {
        const std::string folder = platform::FolderPartOf(scripts.DestinationPath);
        if (!folder.empty())
            platform::ForceDirectories(folder);
        if (!platform::ShellCopyFile(convertedPath, scripts.DestinationPath))
            result.Problems.push_back({TApplyFailure::CopyFailed, scripts.DestinationPath});
    }
    if (!scripts.Command.empty() &&
        platform::RunProcess({CommandProgram(scripts.Command), scripts.Command, platform::StartupShowWindow()}) == -1)
        result.Problems.push_back({TApplyFailure::CommandNotStarted, scripts.Command});
}

} // namespace

TApplyResult ApplyCurrentProfile() {
    const int current = Selection.CurrentProfile;
    if (current < 0 || current >= static_cast<int>(Profiles.size()))
        return TApplyResult();
    // The connection of the profile's own slot, whichever page is shown.
    const TProfile& profile = Profiles[static_cast<size_t>(current)];
    return ApplyProfile(profile, ConnectionOfSlot(profile.InterfaceNo));
}

TApplyResult ApplyProfile(const TProfile& profile, const std::string& connection) {
    TApplyResult result;
    const TNetworkStep step = NetworkStepOf(profile, connection);
    result.Problems = ScriptValueProblems(step);
    if (!result.Problems.empty()) {
        result.Refused = true;
        return result;
    }
    RunNetworkStep(step, result);
    RunScriptsStep(profile.Scripts, result);
    return result;
}

std::string ConnectionOfSlot(int slot) {
    return slot >= 1 && slot <= SlotCount ? Interfaces[static_cast<size_t>(slot)].Interface : std::string();
}

std::vector<TApplyProblem> ScriptValueProblems(const TNetworkStep& step) {
    const TConfData& data = step.Data;
    std::vector<TApplyProblem> problems;
    const auto check = [&](const std::string& value, const std::string& key) {
        if (!ParseDottedIPv4(value))
            problems.push_back({TApplyFailure::ValueNotAnAddress, value, 0, key});
    };
    // The lists are written only for a static source; the record holds each in the profile's order.
    if (data.IPSource == 1) {
        for (size_t i = 0; i < data.IPAddresses.size(); ++i) {
            check(data.IPAddresses[i].first, "IP_ADRESSES_ADDRESS_" + std::to_string(i));
            check(data.IPAddresses[i].second, "IP_ADRESSES_MASK_" + std::to_string(i));
        }
        for (size_t i = 0; i < data.IPGateways.size(); ++i)
            check(data.IPGateways[i].first, "IP_GATEWAYS_" + std::to_string(i));
    }
    if (data.DNSSource == 1)
        for (size_t i = 0; i < data.DNSAddresses.size(); ++i)
            check(data.DNSAddresses[i].first, "DNS_ADRESSES_" + std::to_string(i));
    if (data.WINSSource == 1)
        for (size_t i = 0; i < data.WINSAddresses.size(); ++i)
            check(data.WINSAddresses[i].first, "WINS_ADRESSES_" + std::to_string(i));
    // The firewall's lines name no connection.
    const bool namesConnection = data.IPSource >= 0 || data.DNSSource >= 0 || data.WINSSource >= 0;
    if (namesConnection && !IsUsableConnectionName(data.InterfaceName))
        problems.push_back({TApplyFailure::ConnectionNameUnusable, data.InterfaceName, 0, "INTERFACE"});
    return problems;
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
    return NetworkStepOf(profile, ConnectionOfSlot(profile.InterfaceNo));
}

TNetworkStep NetworkStepOf(const TProfile& profile, const std::string& connection) {
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
    TNetworkStep step{TConfData(connection, ipSource, dnsSource, dnsRegister, winsSource, firewallMode,
                                firewallExceptions, firewallNotifications,
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

std::optional<TApplyProblem> ReadConvertedTemplate(const TScriptsGroup& scripts, std::string& converted) {
    std::string content;
    if (std::optional<TApplyFailure> failure = ReadTemplate(scripts.SourcePath, content))
        return TApplyProblem{*failure, scripts.SourcePath};
    std::optional<std::string> text = ConvertTemplate(content, scripts.ScriptsValues);
    if (!text)
        return TApplyProblem{TApplyFailure::ConvertedTooLarge, scripts.SourcePath};
    converted = std::move(*text);
    return std::nullopt;
}

bool VariableNameCanMatch(const std::string& name) {
    return !name.empty() && UpperAscii(name) == name;
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
        if (VariableNameCanMatch(variable.Variable))
            result = ReplaceEachOccurrence(result, variable.Variable, variable.Value);
    return result;
}

std::optional<std::string> ConvertTemplate(const std::string& content, const std::vector<TScriptValue>& variables) {
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
        // Each line is bounded, but many lines that each grow to the bound would not be.
        if (converted.size() > MaxConvertedTemplateLength)
            return std::nullopt;
        from = next;
    } while (from < content.size());
    return converted;
}

std::string CommandProgram(const std::string& command) {
    return platform::FindCommandProgram(command, ExeDir, platform::ProgramSearchFolders());
}

std::string TempFilePath(const std::string& fileName) {
    const char separator = platform::PathSeparator();
    const bool endsInSeparator = !TempDir.empty() && (TempDir.back() == separator || TempDir.back() == '/');
    return TempDir + (endsInSeparator ? "" : std::string(1, separator)) + fileName;
}
