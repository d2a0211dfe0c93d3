// The command line of norvex-cli: its commands, their operands and options, and reading it.
#pragma once

#include <optional>
#include <string>
#include <vector>

// What a command takes besides the global options.
struct TCommandInfo {
    const char* Name;
    const char* Operands; // as the usage line shows them
    size_t OperandCount;
    bool TakesJson;
    bool TakesWindowsVersion;
    bool TakesVerifyOptions; // --no-verify and --verify-timeout
    const char* Summary;     // one line
    const char* Details;     // the rest of `help COMMAND`
    bool TakesRevertAfter = false;
    bool Hidden = false; // run by norvex-cli itself, never listed
};

// Every command, in the order the help lists them.
const std::vector<TCommandInfo>& Commands();
const TCommandInfo* FindCommand(const std::string& name);

struct TCliArguments {
    std::string Command; // empty when none was given
    std::vector<std::string> Operands;
    std::optional<std::string> SettingsFolder;
    std::optional<int> WindowsVersion;
    bool NoVerify = false;
    std::optional<int> VerifyTimeoutSeconds;
    std::optional<int> RevertAfterSeconds;
    std::optional<std::string> MachineStandIn; // the hidden command's: the tests' stand-in for the machine
    std::optional<std::string> NetshStandIn;   // the hidden command's: the tests' stand-in for netsh
    bool Json = false;
    bool Help = false;
    bool Version = false;
};

// Reads the arguments (without the program name). Options may stand anywhere; `--settings`, `--windows-version`,
// `--verify-timeout` and `--revert-after` take the next argument or `=value`. The error, in one line, when the command
// line cannot be followed: an unknown command or option, a missing or wrong value, operands or options the command does
// not take.
std::optional<std::string> ParseArguments(const std::vector<std::string>& args, TCliArguments& parsed);
