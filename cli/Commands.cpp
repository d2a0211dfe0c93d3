// norvex-cli's commands: each reads the store filled from the settings folder and asks the engine, as the window does.
#include "cli/Commands.h"

#include "NorvexVersion.h"
#include "cli/Arguments.h"
#include "cli/Choose.h"
#include "cli/Json.h"
#include "cli/KeepCommands.h"
#include "cli/MachineCommands.h"
#include "core/Promenne.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "engine/ApplyNotice.h"
#include "engine/ApplyProfile.h"
#include "engine/Connections.h"
#include "engine/SettingsCheck.h"
#include "platform/Platform.h"

namespace {

const char* const ProgramName = "norvex-cli";

// Text of the system code page as a JSON string.
std::string Json(const std::string& text) {
    return JsonString(platform::SystemCodePageToUtf8(text));
}

std::string Where(const std::string& file, const std::string& section, const std::string& key) {
    return section.empty() ? file : file + " [" + section + "]" + (key.empty() ? "" : " " + key);
}

// The groups that applying the profile changes; the device group is stored but never applied.
std::vector<std::string> GroupsApplied(const TProfile& profile) {
    std::vector<std::string> groups;
    if (profile.IP.Apply)
        groups.push_back("IP");
    if (profile.DNS.Apply)
        groups.push_back("DNS");
    if (profile.WINS.Apply)
        groups.push_back("WINS");
    if (profile.Firewall.Apply)
        groups.push_back("Firewall");
    if (profile.Scripts.Apply)
        groups.push_back("Script");
    return groups;
}

// --- list

void ListText(std::ostream& out) {
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const TInterfaceSlot& s = Interfaces[static_cast<size_t>(slot)];
        out << "Slot " << slot << ": " << s.Name << " (connection: " << s.Interface << ")\n";
        const std::vector<int> rows = ProfilesOfSlot(slot);
        if (rows.empty())
            out << "  no profiles\n";
        for (size_t i = 0; i < rows.size(); ++i) {
            const TProfile& profile = Profiles[static_cast<size_t>(rows[i])];
            std::string groups;
            for (const std::string& group : GroupsApplied(profile))
                groups += " " + group;
            out << "  " << i + 1 << ". " << profile.Name << " -" << (groups.empty() ? " nothing" : groups) << "\n";
        }
    }
}

void ListJson(std::ostream& out) {
    out << "{\"slots\":[";
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const TInterfaceSlot& s = Interfaces[static_cast<size_t>(slot)];
        out << (slot > 1 ? "," : "") << "{\"number\":" << slot << ",\"name\":" << Json(s.Name)
            << ",\"caption\":" << Json(s.Caption) << ",\"connection\":" << Json(s.Interface) << ",\"profiles\":[";
        const std::vector<int> rows = ProfilesOfSlot(slot);
        for (size_t i = 0; i < rows.size(); ++i) {
            const TProfile& profile = Profiles[static_cast<size_t>(rows[i])];
            out << (i > 0 ? "," : "") << "{\"position\":" << i + 1 << ",\"name\":" << Json(profile.Name)
                << ",\"applies\":[";
            const std::vector<std::string> groups = GroupsApplied(profile);
            for (size_t g = 0; g < groups.size(); ++g)
                out << (g > 0 ? "," : "") << Json(groups[g]);
            out << "]}";
        }
        out << "]}";
    }
    out << "]}\n";
}

// --- check

int Check(const TCliArguments& arguments, std::ostream& out, std::ostream& err) {
    const std::vector<TSettingsFinding> findings = CheckSettingsFolder();
    if (arguments.Json) {
        out << "{\"problems\":[";
        for (size_t i = 0; i < findings.size(); ++i) {
            const TSettingsFinding& f = findings[i];
            out << (i > 0 ? "," : "") << "{\"file\":" << Json(f.File) << ",\"section\":" << Json(f.Section)
                << ",\"key\":" << Json(f.Key) << ",\"message\":" << Json(f.Text) << "}";
        }
        out << "]}\n";
    } else {
        for (const TSettingsFinding& f : findings)
            out << Where(f.File, f.Section, f.Key) << ": " << f.Text << "\n";
    }
    if (findings.empty())
        err << "Nothing wrong in " << SettingsDir << "\n";
    else
        err << findings.size() << (findings.size() == 1 ? " problem" : " problems") << " in " << SettingsDir << "\n";
    return findings.empty() ? ExitDone : ExitProblems;
}

// --- the commands on one profile

int Script(const TProfile& profile, const TCliArguments& arguments, std::ostream& out, std::ostream& err) {
    TNetworkStep step = NetworkStepOf(profile);
    if (arguments.WindowsVersion)
        step.Data.WindowsVersion = static_cast<std::uint8_t>(*arguments.WindowsVersion);
    out << step.Data.ScriptText();
    if (!step.Applies)
        err << "No network group of profile '" << profile.Name << "' applies: applying it would not run netsh.\n";
    return ExitDone;
}

int Template(const TProfile& profile, std::ostream& out, std::ostream& err) {
    if (!profile.Scripts.Apply)
        return Fail(err, ExitProblems, "the script step of profile '" + profile.Name + "' is off");
    // Asking another computer for it would hand the user's sign-in to that computer.
    if (platform::IsRemotePath(profile.Scripts.SourcePath))
        return Fail(err, ExitProblems,
                    "the script template " + profile.Scripts.SourcePath + " lies on another computer and was not read");
    std::string converted;
    if (std::optional<TApplyProblem> problem = ReadConvertedTemplate(profile.Scripts, converted))
        return Fail(err, ExitProblems, ApplyFailureText(*problem));
    out << converted;
    return ExitDone;
}

int Apply(int index, const TCliArguments& arguments, std::ostream& err) {
    Selection.CurrentProfile = index;
    // What was applied, whatever the apply's own steps do to the store.
    const TProfile profile = Profiles[static_cast<size_t>(index)];
    TApplyResult result = ApplyCurrentProfile();
    TellApplied(ApplyNoticeOf(result, profile.Name), result, !arguments.NoVerify, err);
    VerifyApplied(profile, arguments, result, err);
    const bool inEffect = !result.Verification || result.Verification->AllInEffect();
    return result.Succeeded() && inEffect ? ExitDone : ExitProblems;
}

// The position of a profile among its slot's profiles, counted from 1.
int ProfilePosition(int index) {
    const std::vector<int> rows = ProfilesOfSlot(Profiles[static_cast<size_t>(index)].InterfaceNo);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i] == index)
            return static_cast<int>(i) + 1;
    return 0;
}

int OnProfile(const TCliArguments& arguments, std::ostream& out, std::ostream& err, std::istream* input) {
    const TChoice slot = ChooseSlot(arguments.Operands[0]);
    if (!slot.Error.empty())
        return Fail(err, ExitUsage, slot.Error);
    const TChoice profile = ChooseProfile(slot.Value, arguments.Operands[1]);
    if (!profile.Error.empty())
        return Fail(err, ExitUsage, profile.Error);
    const TProfile& chosen = Profiles[static_cast<size_t>(profile.Value)];
    if (arguments.Command == "script")
        return Script(chosen, arguments, out, err);
    if (arguments.Command == "template")
        return Template(chosen, out, err);
    if (arguments.Command == "verify")
        return Verify(chosen, out, err);
    if (arguments.Command == KeepOrRevertCommand)
        return KeepOrRevert(profile.Value, arguments, err);
    if (arguments.RevertAfterSeconds) {
        if (!NetworkStepOf(chosen).Applies) {
            err << "Profile '" << chosen.Name << "' changes no network settings: there is nothing to put back.\n";
            return Apply(profile.Value, arguments, err);
        }
        return ApplyWithRevert(slot.Value, ProfilePosition(profile.Value), arguments, err, input);
    }
    return Apply(profile.Value, arguments, err);
}

// --- reading the folder

// The folder the window uses, or the one given; with its trailing separator, as the store keeps it.
std::string SettingsFolderOf(const TCliArguments& arguments) {
    if (!arguments.SettingsFolder)
        return SettingsDir;
    std::string folder = *arguments.SettingsFolder;
    if (folder.back() != '/' && folder.back() != platform::PathSeparator())
        folder += platform::PathSeparator();
    return folder;
}

// What the reader met, as warnings: the window tells of the same values when it starts. The countdown's process
// reads the folder again and says nothing: the norvex-cli that started it has said it.
void ReadSettingsFolder(const TCliArguments& arguments, std::ostream& err) {
    std::vector<TSettingsNote> notes;
    ReadSlotFiles(notes);
    if (arguments.Command == KeepOrRevertCommand)
        return;
    for (const TSettingsNote& note : notes)
        err << ProgramName << ": warning: " << Where(note.File, note.Section, note.Key) << ": " << note.Text << "\n";
}

// "norvex-cli [--settings DIR] apply SLOT PROFILE [--no-verify] ..."
std::string UsageLine(const TCommandInfo& command) {
    std::string line = std::string("norvex-cli [--settings DIR] ") + command.Name;
    if (*command.Operands)
        line += std::string(" ") + command.Operands;
    if (command.TakesJson)
        line += " [--json]";
    if (command.TakesWindowsVersion)
        line += " [--windows-version N]";
    if (command.TakesVerifyOptions)
        line += " [--no-verify] [--verify-timeout SECONDS]";
    if (command.TakesRevertAfter)
        line += " [--revert-after SECONDS]";
    return line;
}

} // namespace

int Fail(std::ostream& err, int code, const std::string& message) {
    err << ProgramName << ": " << message << "\n";
    return code;
}

void TellNotice(const TApplyNotice& notice, std::ostream& err) {
    // After a success the title is only the program's name, which a console does not need.
    if (notice.Warning)
        err << notice.Title << "\n";
    err << notice.Text << "\n" << std::flush;
}

void TellApplied(const TApplyNotice& notice, const TApplyResult& result, bool verifies, std::ostream& err) {
    if (!verifies || !NoticeWaitsForVerification(result))
        TellNotice(notice, err);
}

std::string UsageText() {
    std::string text = "Usage:\n";
    for (const TCommandInfo& command : Commands())
        if (!command.Hidden)
            text += "  " + UsageLine(command) + "\n";
    text += "  norvex-cli --help | help COMMAND | --version\n\nCommands:\n";
    for (const TCommandInfo& command : Commands())
        if (!command.Hidden)
            text += std::string("  ") + command.Name + std::string(10 - std::string(command.Name).size(), ' ') +
                    command.Summary + "\n";
    text += "\n"
            "--settings DIR  the folder holding LAN1.ini to LAN5.ini; by default the Settings folder beside\n"
            "                norvex-cli, as the window uses. norvex-cli never writes a settings file.\n"
            "SLOT            1 to 5, or a slot's name (letter case ignored).\n"
            "PROFILE         its position among the slot's profiles counted from 1, as the page lists them, or its\n"
            "                name (letter case ignored). A number is a position when the slot has that many profiles.\n"
            "\n"
            "Output: what was asked for goes to standard output, every message to standard error.\n"
            "Exit codes: 0 done (check: nothing found; verify and apply: every setting in effect); 1 check found\n"
            "problems, a step of apply failed, a setting is not in effect, template had nothing to write, or current\n"
            "found no connected connection, or confirm found no apply waiting; 2 an error of use: unknown command or\n"
            "option, no such slot or profile, no settings folder; 3 apply --revert-after put the settings from before\n"
            "it back.\n";
    return text;
}

std::string CommandHelpText(const std::string& name) {
    const TCommandInfo* command = FindCommand(name);
    if (command == nullptr || command->Hidden)
        return UsageText();
    return "Usage: " + UsageLine(*command) + "\n\n" + command->Details + "\n";
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, std::istream* input) {
    TCliArguments arguments;
    if (std::optional<std::string> error = ParseArguments(args, arguments))
        return Fail(err, ExitUsage, *error);
    if (arguments.Version) {
        out << ProgramName << " " << NORVEX_VERSION << "\n";
        return ExitDone;
    }
    if (arguments.Command == "help" || arguments.Help) {
        const std::string& topic = arguments.Command == "help"
                                       ? (arguments.Operands.empty() ? std::string() : arguments.Operands[0])
                                       : arguments.Command;
        out << (topic.empty() ? UsageText() : CommandHelpText(topic));
        return ExitDone;
    }

    ResolveFolders();
    ResetStore();
    // The machine needs no settings folder, nor does a confirmation.
    if (arguments.Command == "adapters")
        return Adapters(arguments, out, err);
    if (arguments.Command == "confirm")
        return Confirm(err);
    // The countdown's process reads the machine and runs netsh where the norvex-cli that started it did.
    if (arguments.MachineStandIn)
        InstallMachineStandIn(*arguments.MachineStandIn);
    if (arguments.NetshStandIn)
        platform::NetshPathOverride = *arguments.NetshStandIn;
    SettingsDir = SettingsFolderOf(arguments);
    if (!platform::DirectoryExists(SettingsDir))
        return Fail(err, ExitUsage, "no settings folder " + SettingsDir);

    if (arguments.Command == "check")
        return Check(arguments, out, err);
    ReadSettingsFolder(arguments, err);
    if (arguments.Command == "list") {
        if (arguments.Json)
            ListJson(out);
        else
            ListText(out);
        return ExitDone;
    }
    if (arguments.Command == "current") {
        const TChoice slot = ChooseSlot(arguments.Operands[0]);
        if (!slot.Error.empty())
            return Fail(err, ExitUsage, slot.Error);
        return Current(slot.Value, arguments, out, err);
    }
    return OnProfile(arguments, out, err, input);
}
