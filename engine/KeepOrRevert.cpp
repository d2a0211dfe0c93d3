// Keep or revert: capturing the settings an apply replaces, and the countdown after it.
#include "engine/KeepOrRevert.h"

#include "engine/ApplyNotice.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"

namespace {

std::string FormText(const char* key) {
    return ReadLanguageKey("KEEPFORM", key, LanguageName);
}

} // namespace

bool CaptureNeedsFirewall(const TProfile& applied) {
    return applied.Firewall.Apply;
}

TCapturedSettings CapturePreviousSettings(const TProfile& applied, const std::string& connection,
                                          const platform::MachineSnapshot& machine) {
    TCapturedSettings captured;
    captured.Connection = connection;
    TProfile& previous = captured.Previous;
    previous.InterfaceNo = applied.InterfaceNo;
    previous.Name = applied.Name;
    if (applied.IP.Apply || applied.DNS.Apply || applied.WINS.Apply) {
        const TCurrentSettings current = CurrentSettingsOf(machine, connection);
        if (current.Problem != TTakeProblem::None) {
            captured.Problem = current.Problem;
            captured.State = current.State;
            return captured;
        }
        // Only the groups the apply changes go back: the others are as they were, and setting them again would
        // interrupt the connection for nothing.
        if (applied.IP.Apply)
            previous.IP = current.Settings.IP;
        if (applied.DNS.Apply)
            previous.DNS = current.Settings.DNS;
        if (applied.WINS.Apply)
            previous.WINS = current.Settings.WINS;
    }
    if (CaptureNeedsFirewall(applied)) {
        if (!machine.Firewall) {
            captured.Problem = machine.Read ? TTakeProblem::FirewallUnreadable : TTakeProblem::MachineUnreadable;
            return captured;
        }
        previous.Firewall.Apply = true;
        previous.Firewall.EnableFirewall = machine.Firewall->Enabled;
        // The stored flag is the user's choice to forbid exceptions.
        previous.Firewall.EnableExceptions = !machine.Firewall->ExceptionsAllowed;
        previous.Firewall.EnableDialogs = machine.Firewall->Notifications;
    }
    return captured;
}

TKeepCountdown KeepCountdownAt(int seconds, std::int64_t startedMs, std::int64_t nowMs, TKeepAnswer answer) {
    const std::int64_t limit = static_cast<std::int64_t>(seconds) * 1000;
    const std::int64_t elapsed = nowMs > startedMs ? nowMs - startedMs : 0;
    if (elapsed <= limit && answer != TKeepAnswer::None)
        return {answer == TKeepAnswer::Keep ? TKeepDecision::Keep : TKeepDecision::Revert, 0};
    if (elapsed >= limit)
        return {TKeepDecision::Revert, 0};
    return {TKeepDecision::Waiting, static_cast<int>((limit - elapsed + 999) / 1000)};
}

TKeepQuestion KeepQuestionOf(const std::string& profileName, int secondsLeft,
                             const std::optional<TVerification>& verification) {
    TKeepQuestion question;
    question.Caption = FormText("WINDOWTITLE");
    question.Question = FillPlaceholder(FormText("MAINTITLE"), "$PROFILE$", profileName);
    question.Countdown = FillPlaceholder(FormText(secondsLeft == 1 ? "HELPTITLE_ONE" : "HELPTITLE"), "$SECONDS$",
                                         std::to_string(secondsLeft));
    if (!verification) {
        question.Verification = FormText("CHECKING");
        return question;
    }
    const TApplyNotice notice = VerificationNoticeOf(*verification, profileName);
    question.Warning = notice.Warning;
    question.Verification = notice.Warning ? notice.Title + "\n" + notice.Text : notice.Text;
    return question;
}
