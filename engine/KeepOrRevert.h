// Keep or revert: the settings an apply replaces, captured just before it, and the countdown after it that puts
// them back unless the user keeps the new ones. The window's keep question and norvex-cli's --revert-after share it.
#pragma once

#include "core/Promenne.h"
#include "engine/Connections.h"
#include "engine/Verification.h"

#include <cstdint>
#include <optional>
#include <string>

// The settings an apply of `applied` would replace, as a profile that puts them back: each group the profile applies,
// as it is now (IP, DNS and WINS as "Take the current settings" makes them; the firewall's switches), and nothing
// else, no script step either. Problem tells what stood in the way of reading them.
struct TCapturedSettings {
    TTakeProblem Problem = TTakeProblem::None;
    platform::ConnectionState State = platform::ConnectionState::Connected; // of a connection that is not connected
    std::string Connection; // where the settings go back: the connection the apply configures
    TProfile Previous;
};
TCapturedSettings CapturePreviousSettings(const TProfile& applied, const std::string& connection,
                                          const platform::MachineSnapshot& machine);
// The firewall's state is read (it costs the most) only for a profile that changes it.
bool CaptureNeedsFirewall(const TProfile& applied);

// The countdown: the user keeps the new settings, or reverts them, or lets the time run out, which reverts. An answer
// counts when it is given within the time. Times are milliseconds of one steady clock.
enum class TKeepAnswer { None, Keep, Revert };
enum class TKeepDecision { Waiting, Keep, Revert };
struct TKeepCountdown {
    TKeepDecision Decision = TKeepDecision::Waiting;
    int SecondsLeft = 0; // while waiting: whole seconds, counted up, as the question shows them
};
TKeepCountdown KeepCountdownAt(int seconds, std::int64_t startedMs, std::int64_t nowMs, TKeepAnswer answer);

// What the keep question shows, in the language file's words: its caption, the question, the time left, and the
// verification of the apply once it is known ("Checking ..." before).
struct TKeepQuestion {
    std::string Caption;
    std::string Question;
    std::string Countdown;
    std::string Verification;
    bool Warning = false; // the verification found something not in effect
};
TKeepQuestion KeepQuestionOf(const std::string& profileName, int secondsLeft,
                             const std::optional<TVerification>& verification);
