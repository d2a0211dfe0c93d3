// What the user is told after applying a profile: one short notification in the language file's words, the same
// for the window's tray balloon and for the command line.
#pragma once

#include "engine/ApplyProfile.h"

#include <string>

struct TApplyNotice {
    bool Warning = false; // something failed
    std::string Title;
    std::string Text;     // one line per failure
    bool Lasting = false; // nothing was done and the user must act: told where it stays until read, not in a balloon
};

TApplyNotice ApplyNoticeOf(const TApplyResult& result, const std::string& profileName);

// The second notification, once the apply was verified: in effect, with the number of settings checked; or a warning
// with one line for each setting that is not (or cannot be told), after the connection that is not present.
TApplyNotice VerificationNoticeOf(const TVerification& verification, const std::string& profileName);

// Keep or revert. An apply that did not start, because the settings it would replace could not be read (so they
// could not be put back): that, and the reason. Putting the settings back: that they were, or what failed. Its
// verification: the settings from before the profile are in effect again, or what is not.
TApplyNotice NotCapturedNoticeOf(const std::string& reason, const std::string& profileName);
TApplyNotice RevertNoticeOf(const TApplyResult& result, const std::string& profileName);
TApplyNotice RevertVerificationNoticeOf(const TVerification& verification, const std::string& profileName);

// One failure in the language file's words: $PATH$ or $VALUE$, $KEY$ or $WHO$, and $CODE$ filled in.
std::string ApplyFailureText(const TApplyProblem& problem);

// The language key (section APPLY) that tells a failure.
const char* ApplyFailureKey(TApplyFailure failure);
