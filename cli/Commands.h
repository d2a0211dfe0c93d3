// norvex-cli: the commands, run on the arguments given, writing what was asked for to `out` and every message to
// `err`.
#pragma once

#include "engine/ApplyNotice.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// The exit codes, as --help tells them.
enum TExitCode {
    ExitDone = 0,     // done; check found nothing
    ExitProblems = 1, // check found something, a step of apply failed, template had nothing to write
    ExitUsage = 2,    // an error of use: unknown command or option, no such slot or profile, no settings folder
    ExitReverted = 3, // apply --revert-after: the settings from before it were put back
};

// The whole program but for its streams: `args` without the program name. Reads the settings folder and never
// writes into it. A line on `input` (the console's, where there is one) keeps what apply --revert-after applied.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, std::istream* input = nullptr);

// "norvex-cli: <message>" on `err`; returns the code.
int Fail(std::ostream& err, int code, const std::string& message);
// A notification of the window in the console's words: its text, after its title when it warns.
void TellNotice(const TApplyNotice& notice, std::ostream& err);
// The notification of an apply (or a revert), at once; but where a verification follows and netsh's exit code waits
// for it (NoticeWaitsForVerification), the verification's notification tells the verdict instead.
void TellApplied(const TApplyNotice& notice, const TApplyResult& result, bool verifies, std::ostream& err);

// The help: all commands, or one.
std::string UsageText();
std::string CommandHelpText(const std::string& command);
