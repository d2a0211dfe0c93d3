// The commands of norvex-cli and reading its command line.
#include "cli/Arguments.h"

namespace {

const char* const HelpCommand = "help";

// `--name value` or `--name=value`; false when the argument is another one.
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& name, std::string& value,
               std::optional<std::string>& error) {
    const std::string& arg = args[i];
    if (arg.compare(0, name.size() + 1, name + "=") == 0) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (arg != name)
        return false;
    if (i + 1 >= args.size())
        error = name + " needs a value";
    else
        value = args[++i];
    return true;
}

// Seconds to wait, from `least` to an hour.
std::optional<int> SecondsOf(const std::string& text, int least) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int seconds = std::stoi(text);
    return seconds >= least && seconds <= 3600 ? std::optional<int>(seconds) : std::nullopt;
}

std::optional<int> WindowsVersionOf(const std::string& text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '3')
        return text[0] - '0';
    return std::nullopt;
}

// What the command does not take, once the command line is read.
std::optional<std::string> CheckFitsCommand(const TCliArguments& parsed) {
    if (parsed.Command == HelpCommand) {
        if (parsed.Operands.size() > 1)
            return std::string("help takes at most one command");
        const TCommandInfo* topic = parsed.Operands.size() == 1 ? FindCommand(parsed.Operands[0]) : nullptr;
        if (parsed.Operands.size() == 1 && (topic == nullptr || topic->Hidden))
            return "no command '" + parsed.Operands[0] + "'";
        return std::nullopt;
    }
    const TCommandInfo* command = FindCommand(parsed.Command);
    if (command == nullptr)
        return "no command '" + parsed.Command +
               "' (commands: list, script, template, check, apply, confirm, verify, adapters, current, help)";
    if (parsed.Help) // the command's help: its operands need not be there
        return std::nullopt;
    if (parsed.Operands.size() != command->OperandCount) {
        if (command->OperandCount == 0)
            return std::string(command->Name) + " takes no operand, not '" + parsed.Operands[0] + "'";
        return std::string(command->Name) + " takes " + command->Operands;
    }
    if (parsed.Json && !command->TakesJson)
        return std::string("--json does not apply to ") + command->Name;
    if (parsed.WindowsVersion && !command->TakesWindowsVersion)
        return std::string("--windows-version does not apply to ") + command->Name;
    if ((parsed.NoVerify || parsed.VerifyTimeoutSeconds) && !command->TakesVerifyOptions)
        return std::string(parsed.NoVerify ? "--no-verify" : "--verify-timeout") + " does not apply to " +
               command->Name;
    if (parsed.RevertAfterSeconds && !command->TakesRevertAfter)
        return std::string("--revert-after does not apply to ") + command->Name;
    if (command->Hidden && (!parsed.RevertAfterSeconds || !parsed.SettingsFolder))
        return std::string(command->Name) + " is run by norvex-cli apply --revert-after";
    if (parsed.MachineStandIn && !command->Hidden)
        return std::string("no option '--machine-stand-in'");
    if (parsed.NetshStandIn && !command->Hidden)
        return std::string("no option '--netsh-stand-in'");
    return std::nullopt;
}

} // namespace

const std::vector<TCommandInfo>& Commands() {
    static const std::vector<TCommandInfo> commands = {
        {"list", "", 0, true, false, false, "every slot (number, name, connection) and its profiles",
         "Lists the five slots, each with its number, name and connection, and under it the slot's profiles with\n"
         "their position, name and the groups that applying them changes (IP, DNS, WINS, Firewall, Script).\n"
         "--json gives the same as one JSON document."},
        {"script", "SLOT PROFILE", 2, false, true, false, "the netsh script that applying the profile would run",
         "Writes exactly the bytes that applying the profile writes to norvex.txt and runs with netsh: CR LF line\n"
         "ends, nothing added. The script names the connection of the profile's slot. When no group of the profile\n"
         "applies, the script is still written and a message says that netsh would not be run.\n"
         "--windows-version N (0 to 3) previews the script for another system: 1 is Windows 2000, whose static DNS\n"
         "line has no register= part; by default the running system's value (0 on Linux)."},
        {"template", "SLOT PROFILE", 2, false, false, false,
         "the profile's script template with its variables filled in",
         "Writes the profile's script template as the script step copies it to its destination: each line with the\n"
         "profile's variables filled in and ended by CR LF. An error (exit 1) when the script step is off or the\n"
         "template cannot be read."},
        {"check", "", 0, true, false, false, "what is wrong in the settings files",
         "Reads WINDOW.ini and LAN1.ini to LAN5.ini and prints one line for each thing wrong (file, section, key,\n"
         "what): values that are not integers, a pair missing its second key, addresses and masks that are not\n"
         "dotted IPv4, masks that are not contiguous, a gateway outside the subnet of every address, profiles of a\n"
         "slot sharing a name, script variables with lower-case letters (they never match), templates that do not\n"
         "exist. Exit 0 when nothing is found, 1 otherwise. --json gives the findings as one JSON document."},
        {"apply", "SLOT PROFILE", 2, false, false, true, "applies the profile as the window's Run command does",
         "Applies the profile exactly as the window's Run command does (netsh, then the script step) and reports\n"
         "the outcome in the words of the window's notifications. Then it reads the connection again, once a\n"
         "second, until every setting the profile applies is in effect, for at most 10 seconds (30 when a group\n"
         "comes from DHCP, whose lease takes time), and tells what it found. Exit 0 when every step succeeded and\n"
         "every setting is in effect, 1 otherwise. netsh also ends with an error for harmless lines (DHCP that is\n"
         "already on): its exit code is a failure only where the reading is skipped or cannot be made (the\n"
         "connection is not present), and a note where every setting is in effect. With its exit code, or a\n"
         "setting not in effect, come all the lines netsh printed; they are kept in norvex.log beside norvex.txt\n"
         "in the temporary folder.\n"
         "--no-verify skips the reading; --verify-timeout SECONDS changes its limit (0: one look). Changing\n"
         "network settings needs an administrator's rights.\n"
         "--revert-after SECONDS (1 to 3600, Windows only) first reads the settings the profile replaces (without\n"
         "them nothing is applied), and puts them back after that many seconds unless you keep the new ones:\n"
         "press Enter in this console, or run 'norvex-cli confirm' in another. The apply and its countdown run in\n"
         "a process of their own, so the settings still go back when this console or its remote session is gone.\n"
         "Exit 0 when kept (and everything succeeded and is in effect), 3 when reverted, 1 when the apply failed.",
         true},
        {"confirm", "", 0, false, false, false, "keeps what an apply --revert-after applied",
         "Keeps the settings of the apply that waits, started by 'norvex-cli apply ... --revert-after SECONDS'\n"
         "from this or another console: the settings from before it are not put back. Only an administrator or\n"
         "the user who started it can confirm it. Exit 0 when it was confirmed, 1 when no apply waits."},
        {"verify", "SLOT PROFILE", 2, false, false, false,
         "whether what the profile applies is in effect now, without applying it",
         "Compares every setting the profile applies with the connection of its slot as it is now, and prints one\n"
         "line for each: in effect; expected and found; still waiting for DHCP; or cannot be read. Exit 0 when\n"
         "everything is in effect, 1 otherwise (the connection not present included)."},
        {"adapters", "", 0, true, false, false, "this computer's network connections as Norvex sees them",
         "Lists the computer's IPv4 connections: name, description and state, interface index, adapter GUID and\n"
         "MAC address, DHCP, addresses with masks, gateways, DNS servers with their registration, WINS servers;\n"
         "and the firewall's state. A name that netsh cannot be given (it has characters this system's code page\n"
         "lacks) is marked. No settings folder is needed. --json gives the same as one JSON document."},
        {"current", "SLOT", 1, true, false, false, "the slot's connection as a profile would hold it",
         "Prints the current settings of the slot's connection as the IP, DNS and WINS lines of a profile's\n"
         "section in a settings file (each group applied: DHCP, or the static addresses with masks, gateways and\n"
         "servers in order), ready to paste into one; or, with --json, as one JSON document. Exit 1 when the\n"
         "connection is not present or not connected."},
        {"keep-or-revert", "SLOT POSITION", 2, false, false, true, "", "", true, true},
    };
    return commands;
}

const TCommandInfo* FindCommand(const std::string& name) {
    for (const TCommandInfo& command : Commands())
        if (name == command.Name)
            return &command;
    return nullptr;
}

std::optional<std::string> ParseArguments(const std::vector<std::string>& args, TCliArguments& parsed) {
    std::optional<std::string> error;
    for (size_t i = 0; i < args.size() && !error; ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (TakeValue(args, i, "--settings", value, error)) {
            if (!error && value.empty())
                error = "--settings needs a folder";
            parsed.SettingsFolder = value;
        } else if (TakeValue(args, i, "--windows-version", value, error)) {
            parsed.WindowsVersion = WindowsVersionOf(value);
            if (!error && !parsed.WindowsVersion)
                error = "--windows-version takes 0, 1, 2 or 3, not '" + value + "'";
        } else if (TakeValue(args, i, "--verify-timeout", value, error)) {
            parsed.VerifyTimeoutSeconds = SecondsOf(value, 0);
            if (!error && !parsed.VerifyTimeoutSeconds)
                error = "--verify-timeout takes seconds from 0 to 3600, not '" + value + "'";
        } else if (TakeValue(args, i, "--revert-after", value, error)) {
            parsed.RevertAfterSeconds = SecondsOf(value, 1);
            if (!error && !parsed.RevertAfterSeconds)
                error = "--revert-after takes seconds from 1 to 3600, not '" + value + "'";
        } else if (TakeValue(args, i, "--machine-stand-in", value, error)) {
            parsed.MachineStandIn = value;
        } else if (TakeValue(args, i, "--netsh-stand-in", value, error)) {
            parsed.NetshStandIn = value;
        } else if (arg == "--no-verify") {
            parsed.NoVerify = true;
        } else if (arg == "--json") {
            parsed.Json = true;
        } else if (arg == "--help" || arg == "-h") {
            parsed.Help = true;
        } else if (arg == "--version") {
            parsed.Version = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "no option '" + arg + "'";
        } else if (parsed.Command.empty()) {
            parsed.Command = arg;
        } else {
            parsed.Operands.push_back(arg);
        }
    }
    if (error)
        return error;
    if (parsed.Command.empty()) {
        if (parsed.Help || parsed.Version)
            return std::nullopt;
        return std::string("no command given (see norvex-cli --help)");
    }
    return CheckFitsCommand(parsed);
}
