// norvex-cli's commands that look at the machine: its connections, a slot's connection as a profile would hold it,
// and whether what a profile applies is in effect.
#pragma once

#include "cli/Arguments.h"
#include "core/Promenne.h"
#include "engine/ApplyProfile.h"

#include <ostream>

// adapters [--json]: every connection of the snapshot, and the firewall.
int Adapters(const TCliArguments& arguments, std::ostream& out, std::ostream& err);

// current SLOT [--json]: the slot's connection as the lines of a profile's section.
int Current(int slot, const TCliArguments& arguments, std::ostream& out, std::ostream& err);

// verify SLOT PROFILE: one look, one line per setting on `out`, the notification's words on `err`.
int Verify(const TProfile& profile, std::ostream& out, std::ostream& err);

// After an apply that ran netsh: looks at the machine until the waiting rule says the result is final (or once, with
// a limit of 0) and tells it in the notification's words, the verdict where the apply's notification waited for it.
// The verification goes into the result.
void VerifyApplied(const TProfile& profile, const TCliArguments& arguments, TApplyResult& result, std::ostream& err);

// The verification's time limit: --verify-timeout, or the waiting rule's for what was applied.
int VerifyLimitMs(const TCliArguments& arguments, const TConfData& applied);
// Looks at the machine once a second until the result is final.
TVerification VerifyUntilFinal(TConfData applied, int limitMs);
