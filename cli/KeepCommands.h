// norvex-cli's keep or revert: `apply --revert-after` hands the apply and its countdown to a norvex-cli of its own,
// detached from this console; `keep-or-revert` (never listed) is what that process runs; `confirm` keeps what it
// applied, from any console.
#pragma once

#include "cli/Arguments.h"

#include <istream>
#include <ostream>
#include <string>

inline constexpr const char* KeepOrRevertCommand = "keep-or-revert";

// The norvex-cli that runs the countdown: this program itself, by its full path. Tests name a copy that lies beside
// their recording netsh.
extern std::string CountdownProgramOverride;

// Starts the countdown's process on the profile at `position` of `slot`, relays what it writes to `err`, and confirms
// it at every line of `input`; its exit code: 0 kept, 3 reverted, 1 failed.
int ApplyWithRevert(int slot, int position, const TCliArguments& arguments, std::ostream& err, std::istream* input);

// The countdown's process: reads the settings the profile replaces, applies it, and puts them back unless confirmed
// within the seconds of --revert-after; the apply and the revert are verified as apply verifies.
int KeepOrRevert(int profileIndex, const TCliArguments& arguments, std::ostream& err);

// confirm: keeps what the waiting apply applied.
int Confirm(std::ostream& err);
