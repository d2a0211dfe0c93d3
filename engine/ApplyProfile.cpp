// Applying a profile: the network step, the script step, and the variable substitution of the script template.
#include "engine/ApplyProfile.h"

#include "core/Settings.h"
#include "engine/FileRights.h"
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
    platform::WriteTempFile(scriptPath, "TEST\r\n");
    if (!step.Applies)
        return;
    if (!platform::FileExists(scriptPath)) {
        result.Problems.push_back({TApplyFailure::ScriptNotWritten, scriptPath});
        return;
    }
    const std::string logPath = TempFilePath(NetshLogFileName);
    TNetshRun run = step.Data.BuildAndRun(scriptPath, logPath);
    result.NetshRun = run.Saved && run.Logged && run.ExitCode != -1;
    if (result.NetshRun) {
        result.NetshOutput = std::move(run.Output);
        result.NetshLog = logPath;
    }
    if (!run.Saved)
        result.Problems.push_back({TApplyFailure::ScriptNotWritten, scriptPath});
    else if (!run.Logged)
        result.Problems.push_back({TApplyFailure::LogNotWritten, logPath});
    else if (run.ExitCode == -1)
        result.Problems.push_back({TApplyFailure::NetshNotStarted, scriptPath});
    else if (run.ExitCode != 0)
        result.Problems.push_back({TApplyFailure::NetshFailed, scriptPath, run.ExitCode});
}

// The template as the script step reads it; a problem when it is not an ordinary file of bounded size.
std::optional<TApplyFailure> ReadTemplate(const platform::TOpenedFile& file, std::string& content) {
    switch (file.Read(MaxTemplateSize, content)) {
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

// What an apply reads or starts besides the settings, opened before it is checked and kept open until it is used.
struct TApplyInputs {
    std::optional<platform::TOpenedFile> Template; // when the script step runs
    std::string Program;                           // the program of the profile's command, when it has one
    std::optional<platform::TOpenedFile> ProgramFile;
};

TApplyInputs OpenInputs(const TScriptsGroup& scripts) {
    TApplyInputs inputs;
    // Without its template the step does nothing at all, not even the command.
    if (!scripts.Apply || !platform::FileExists(scripts.SourcePath))
        return inputs;
    inputs.Template.emplace(scripts.SourcePath);
    inputs.Program = CommandProgram(scripts.Command);
    // Held: nobody changes or replaces it until it has started.
    if (!inputs.Program.empty())
        inputs.ProgramFile.emplace(inputs.Program, true);
    return inputs;
}

// Whether anyone but the trusted accounts may change what is opened: then it is not used.
void CheckRights(const std::string& path, const platform::TOpenedFile& file, const std::string& user,
                 std::vector<TApplyProblem>& problems) {
    if (!file.IsOpen()) {
        // What is not there is not used; what is there but cannot be opened cannot be vouched for.
        if (file.OpenFailure() != platform::ReadFileResult::Missing)
            problems.push_back({TApplyFailure::RightsUnknown, path});
        return;
    }
    const std::optional<platform::TFileRights> rights = file.Rights();
    if (!rights) {
        problems.push_back({TApplyFailure::RightsUnknown, path});
        return;
    }
    const std::string who = WhoElseMayChange(*rights, user);
    if (!who.empty())
        problems.push_back({TApplyFailure::ChangeableByOthers, path, 0, platform::AccountName(who)});
}

// The program's folder, its Settings folder, the slot's settings file, the template and the command's program.
std::vector<TApplyProblem> RightsProblems(const TProfile& profile, const TApplyInputs& inputs) {
    const std::string user = platform::CurrentUserSid();
    std::vector<TApplyProblem> problems;
    std::string settingsFolder = SettingsDir;
    while (settingsFolder.size() > 1 &&
           (settingsFolder.back() == platform::PathSeparator() || settingsFolder.back() == '/'))
        settingsFolder.pop_back();
    for (const std::string& path : {ExeDir, settingsFolder, SlotFilePath(profile.InterfaceNo)})
        CheckRights(path, platform::TOpenedFile(path), user, problems);
    if (inputs.Template)
        CheckRights(profile.Scripts.SourcePath, *inputs.Template, user, problems);
    if (inputs.ProgramFile)
        CheckRights(inputs.Program, *inputs.ProgramFile, user, problems);
    return problems;
}

// Fills in the template into norvex.script, held until it has been copied; nothing when this application did not
// write it.
std::optional<platform::TOpenedFile> WriteConvertedTemplate(const TScriptsGroup& scripts,
                                                            const platform::TOpenedFile& templateFile,
                                                            const std::string& convertedPath, TApplyResult& result) {
    std::string converted;
    if (std::optional<TApplyProblem> problem = ReadConvertedTemplate(scripts, templateFile, converted)) {
        result.Problems.push_back(*problem);
        return std::nullopt;
    }
    std::optional<platform::TOpenedFile> written = platform::WriteTempFile(convertedPath, converted);
    if (!written)
        result.Problems.push_back({TApplyFailure::ConvertedNotWritten, convertedPath});
    return written;
}

void RunScriptsStep(const TScriptsGroup& scripts, const TApplyInputs& inputs, TApplyResult& result) {
    if (!scripts.Apply)
        return;
    if (!inputs.Template) {
        result.Problems.push_back({TApplyFailure::TemplateMissing, scripts.SourcePath});
        return;
    }
    platform::WaitWindow wait(ReadLanguageKey("APPLY", "APPLY_CAPTION", LanguageName),
                              ReadLanguageKey("APPLY", "SCRIPT_INFO", LanguageName));
    const std::string convertedPath = TempFilePath(ConvertedScriptFileName);
    {
        // Only what this application converted is copied, never a file left by an earlier one; held until then.
        const std::optional<platform::TOpenedFile> converted =
            WriteConvertedTemplate(scripts, *inputs.Template, convertedPath, result);
        if (converted && !scripts.DestinationPath.empty()) {
            const std::string folder = platform::FolderPartOf(scripts.DestinationPath);
            if (!folder.empty())
                platform::ForceDirectories(folder);
            if (!platform::ShellCopyFile(convertedPath, scripts.DestinationPath))
                result.Problems.push_back({TApplyFailure::CopyFailed, scripts.DestinationPath});
        }
    }
    if (!scripts.Command.empty() &&
        platform::RunProcess({inputs.Program, scripts.Command, platform::StartupShowWindow()}) == -1)
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
    const TApplyInputs inputs = OpenInputs(profile.Scripts);
    result.Problems = ScriptValueProblems(step);
    // Never another folder instead: the files are looked at where the user knows them to be.
    if (TempDir.empty() || !platform::DirectoryExists(TempDir))
        result.Problems.push_back({TApplyFailure::TempFolderMissing, TempDir});
    // As administrator, nothing that others may change is applied or run: the network values alone can send the
    // machine's names to another server or turn its firewall off.
    if (ProgramRunsElevated()) {
        std::vector<TApplyProblem> rights = RightsProblems(profile, inputs);
        result.Problems.insert(result.Problems.end(), rights.begin(), rights.end());
    }
    if (!result.Problems.empty()) {
        result.Refused = true;
        return result;
    }
    RunNetworkStep(step, result);
    RunScriptsStep(profile.Scripts, inputs, result);
    return result;
}

bool TApplyResult::Succeeded() const {
    return FailuresOf(*this).empty();
}

std::vector<TApplyProblem> FailuresOf(const TApplyResult& result) {
    const bool inEffect = result.Verification && result.Verification->AllInEffect();
    std::vector<TApplyProblem> failures;
    for (const TApplyProblem& problem : result.Problems)
        if (!(inEffect && problem.Failure == TApplyFailure::NetshFailed))
            failures.push_back(problem);
    return failures;
}

std::string ConnectionOfSlot(int slot) {
    return slot >= 1 && slot <= SlotCount ? Interfaces[static_cast<size_t>(slot)].Interface : std::string();
}

bool (*ProgramRunsElevated)() = platform::IsElevated;

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
    return ReadConvertedTemplate(scripts, platform::TOpenedFile(scripts.SourcePath), converted);
}

std::optional<TApplyProblem> ReadConvertedTemplate(const TScriptsGroup& scripts, const platform::TOpenedFile& file,
                                                   std::string& converted) {
    std::string content;
    if (std::optional<TApplyFailure> failure = ReadTemplate(file, content))
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
