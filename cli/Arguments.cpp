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
        if (parsed.Operands.size() == 1 && FindCommand(parsed.Operands[0]) == nullptr)
            return "no command '" + parsed.Operands[0] + "'";
        return std::nullopt;
    }
    const TCommandInfo* command = FindCommand(parsed.Command);
    if (command == nullptr)
        return "no command '" + parsed.Command + "' (commands: list, script, template, check, apply, help)";
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
    return std::nullopt;
}

} // namespace

const std::vector<TCommandInfo>& Commands() {
    static const std::vector<TCommandInfo> commands = {
        {"list", "", 0, true, false, "every slot (number, name, connection) and its profiles",
         "Lists the five slots, each with its number, name and connection, and under it the slot's profiles with\n"
         "their position, name and the groups that applying them changes (IP, DNS, WINS, Firewall, Script).\n"
         "--json gives the same as one JSON document."},
        {"script", "SLOT PROFILE", 2, false, true, "the netsh script that applying the profile would run",
         "Writes exactly the bytes that applying the profile writes to norvex.txt and runs with netsh: CR LF line\n"
         "ends, nothing added. The script names the connection of the profile's slot. When no group of the profile\n"
         "applies, the script is still written and a message says that netsh would not be run.\n"
         "--windows-version N (0 to 3) previews the script for another system: 1 is Windows 2000, whose static DNS\n"
         "line has no register= part; by default the running system's value (0 on Linux)."},
        {"template", "SLOT PROFILE", 2, false, false, "the profile's script template with its variables filled in",
         "Writes the profile's script template as the script step copies it to its destination: each line with the\n"
         "profile's variables filled in and ended by CR LF. An error (exit 1) when the script step is off or the\n"
         "template cannot be read."},
        {"check", "", 0, true, false, "what is wrong in the settings files",
         "Reads WINDOW.ini and LAN1.ini to LAN5.ini and prints one line for each thing wrong (file, section, key,\n"
         "what): values that are not integers, a pair missing its second key, addresses and masks that are not\n"
         "dotted IPv4, masks that are not contiguous, a gateway outside the subnet of every address, profiles of a\n"
         "slot sharing a name, script variables with lower-case letters (they never match), templates that do not\n"
         "exist. Exit 0 when nothing is found, 1 otherwise. --json gives the findings as one JSON document."},
        {"apply", "SLOT PROFILE", 2, false, false, "applies the profile as the window's Run command does",
         "Applies the profile exactly as the window's Run command does (netsh, then the script step) and reports\n"
         "the outcome in the words of the window's notification. Exit 0 when every step succeeded, 1 when one\n"
         "failed. Changing network settings needs an administrator's rights."},
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
