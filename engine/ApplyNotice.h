// What the user is told after applying a profile: one short notification in the language file's words, the same
// for the window's tray balloon and for the command line.
#pragma once

#include "engine/ApplyProfile.h"

#include <cstddef>
#include <string>

struct TApplyNotice {
    bool Warning = false; // something failed
    std::string Title;
    std::string Text;     // one line per failure
    bool Lasting = false; // nothing was done and the user must act: told where it stays until read, not in a balloon
};

// How many of the lines netsh printed a notification shows: every one (the command line), or the first few (a
// balloon holds 255 characters); a last line then says how many more there are in norvex.log.
inline constexpr size_t AllNetshLines = static_cast<size_t>(-1);
inline constexpr size_t BalloonNetshLines = 3;

// netsh's own words follow the line of its exit code.
TApplyNotice ApplyNoticeOf(const TApplyResult& result, const std::string& profileName,
                           size_t netshLines = AllNetshLines);

// Whether the notification of an apply waits for its verification: netsh ended with an exit code other than 0, and
// only the verification tells whether that was harmless. Whoever verifies the apply tells nothing until then, and
// the verification's notification (of the result) is the verdict.
bool NoticeWaitsForVerification(const TApplyResult& result);

// The second notification, once the apply was verified: in effect, with the number of settings checked; or a warning
// with one line for each setting that is not (or cannot be told), after the connection that is not present.
TApplyNotice VerificationNoticeOf(const TVerification& verification, const std::string& profileName);
// The same for the result that holds the verification, with netsh's words where something is wrong. Where the
// apply's own notification waited for it (NoticeWaitsForVerification), the verdict of FailuresOf: every setting in
// effect makes netsh's exit code a note with netsh's words; otherwise the failures come first, netsh's words after its
// exit code, and a verification that could not run leaves the apply "not applied completely", as the exit code says.
TApplyNotice VerificationNoticeOf(const TApplyResult& result, const std::string& profileName,
                                  size_t netshLines = AllNetshLines);

// Keep or revert. An apply that did not start, because the settings it would replace could not be read (so they
// could not be put back): that, and the reason. Putting the settings back: that they were, or what failed. Its
// verification: the settings from before the profile are in effect again, or what is not; of the revert's result, as
// VerificationNoticeOf takes it.
TApplyNotice NotCapturedNoticeOf(const std::string& reason, const std::string& profileName);
TApplyNotice RevertNoticeOf(const TApplyResult& result, const std::string& profileName,
                            size_t netshLines = AllNetshLines);
TApplyNotice RevertVerificationNoticeOf(const TVerification& verification, const std::string& profileName);
TApplyNotice RevertVerificationNoticeOf(const TApplyResult& result, const std::string& profileName,
                                        size_t netshLines = AllNetshLines);

// One failure in the language file's words: $PATH$ or $VALUE$, $KEY$ or $WHO$, and $CODE$ filled in.
std::string ApplyFailureText(const TApplyProblem& problem);

// The language key (section APPLY) that tells a failure.
const char* ApplyFailureKey(TApplyFailure failure);
