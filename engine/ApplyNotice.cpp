// The notification after applying a profile.
#include "engine/ApplyNotice.h"

#include "engine/Connections.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"

namespace {

std::string ApplyText(const char* key) {
    return ReadLanguageKey("APPLY", key, LanguageName);
}

std::string KeepText(const char* key, const std::string& profileName) {
    return FillPlaceholder(ReadLanguageKey("KEEP", key, LanguageName), "$PROFILE$", profileName);
}

void AddLine(std::string& text, const std::string& line) {
    text += (text.empty() ? "" : "\n") + line;
}

// What netsh printed, at most `count` lines of it: "netsh reported: " before the first, the others indented under
// it, and how many more there are in norvex.log. Nothing when it printed nothing.
std::string NetshWords(const TApplyResult& result, size_t count) {
    const std::vector<std::string>& printed = result.NetshOutput;
    std::string text;
    for (size_t i = 0; i < printed.size() && i < count; ++i)
        AddLine(text, i == 0 ? FillPlaceholder(ApplyText("NETSH_REPORTED"), "$LINE$", printed[0]) : "  " + printed[i]);
    if (printed.size() > count)
        AddLine(text, "  " + FillPlaceholder(FillPlaceholder(ApplyText("NETSH_MORE"), "$COUNT$",
                                                             std::to_string(printed.size() - count)),
                                             "$PATH$", result.NetshLog));
    return text;
}

// One line per failure, netsh's words after its exit code.
std::string FailureLines(const TApplyResult& result, size_t netshLines) {
    std::string text;
    for (const TApplyProblem& problem : FailuresOf(result)) {
        AddLine(text, ApplyFailureText(problem));
        const std::string words = problem.Failure == TApplyFailure::NetshFailed ? NetshWords(result, netshLines) : "";
        if (!words.empty())
            AddLine(text, words);
    }
    return text;
}

// The words of a verification's notice: after an apply, or after putting the settings from before it back.
struct TVerificationWords {
    const char* Section;
    const char* InEffect;
    const char* InEffectOne;
    const char* NotInEffect;
    const char* NotChecked;
    const char* FailedSection; // the apply (or revert) that netsh's exit code leaves failed
    const char* Failed;
};
constexpr TVerificationWords AppliedWords{
    "VERIFY", "RESULT_IN_EFFECT", "RESULT_IN_EFFECT_ONE", "RESULT_NOT_IN_EFFECT", "RESULT_NOT_CHECKED",
    "APPLY",  "RESULT_FAILED"};
constexpr TVerificationWords RevertedWords{"KEEP",        "IN_EFFECT", "IN_EFFECT_ONE",       "NOT_IN_EFFECT",
                                           "NOT_CHECKED", "KEEP",      "RESULT_REVERT_FAILED"};

TApplyNotice NoticeOfVerification(const TVerification& verification, const std::string& profileName,
                                  const TVerificationWords& words) {
    auto verifyText = [&](const char* key) {
        return FillPlaceholder(ReadLanguageKey(words.Section, key, LanguageName), "$PROFILE$", profileName);
    };
    TApplyNotice notice;
    if (verification.AllInEffect()) {
        notice.Title = ReadLanguageKey("GUI", "TITLE", LanguageName);
        const size_t count = verification.Lines.size();
        notice.Text = FillPlaceholder(verifyText(count == 1 ? words.InEffectOne : words.InEffect), "$COUNT$",
                                      std::to_string(count));
        return notice;
    }
    notice.Warning = true;
    std::vector<std::string> lines;
    switch (verification.Presence) {
    case TConnectionPresence::Present:
    case TConnectionPresence::NotNeeded:
        notice.Title = verifyText(words.NotInEffect);
        break;
    case TConnectionPresence::Missing:
        notice.Title = verifyText(words.NotChecked);
        lines.push_back(TakeProblemText(TTakeProblem::Missing, verification.Connection));
        break;
    case TConnectionPresence::MachineUnreadable:
        notice.Title = verifyText(words.NotChecked);
        lines.push_back(TakeProblemText(TTakeProblem::MachineUnreadable, verification.Connection));
        break;
    }
    for (const TSettingCheck& line : verification.Lines)
        if (line.State != TCheck::InEffect)
            lines.push_back(VerificationLineText(line));
    for (const std::string& line : lines)
        AddLine(notice.Text, line);
    return notice;
}

TApplyNotice NoticeOfVerifiedResult(const TApplyResult& result, const std::string& profileName,
                                    const TVerificationWords& words, size_t netshLines) {
    const TVerification& verification = *result.Verification;
    TApplyNotice notice = NoticeOfVerification(verification, profileName, words);
    const std::string netsh = NetshWords(result, netshLines);
    if (!NoticeWaitsForVerification(result)) {
        // The apply was told already; where something is wrong, netsh may say why.
        if (notice.Warning && !netsh.empty())
            AddLine(notice.Text, netsh);
        return notice;
    }
    // The apply's own notification waited for this one: the verdict. Every setting in effect makes netsh's exit code
    // a note.
    if (verification.AllInEffect() && !netsh.empty())
        AddLine(notice.Text, netsh);
    const std::string failures = FailureLines(result, netshLines);
    if (failures.empty())
        return notice;
    const bool checked = verification.Presence == TConnectionPresence::Present ||
                         verification.Presence == TConnectionPresence::NotNeeded;
    if (verification.AllInEffect() || !checked)
        notice.Title =
            FillPlaceholder(ReadLanguageKey(words.FailedSection, words.Failed, LanguageName), "$PROFILE$", profileName);
    notice.Warning = true;
    notice.Text = failures + "\n" + notice.Text;
    return notice;
}

} // namespace

const char* ApplyFailureKey(TApplyFailure failure) {
    switch (failure) {
    case TApplyFailure::ScriptNotWritten:
        return "FAILED_SCRIPT_NOT_WRITTEN";
    case TApplyFailure::LogNotWritten:
        return "FAILED_LOG_NOT_WRITTEN";
    case TApplyFailure::NetshNotStarted:
        return "FAILED_NETSH_NOT_STARTED";
    case TApplyFailure::NetshFailed:
        return "FAILED_NETSH_EXIT_CODE";
    case TApplyFailure::TemplateMissing:
        return "FAILED_TEMPLATE_MISSING";
    case TApplyFailure::TemplateNotAFile:
        return "FAILED_TEMPLATE_NOT_A_FILE";
    case TApplyFailure::TemplateTooLarge:
        return "FAILED_TEMPLATE_TOO_LARGE";
    case TApplyFailure::TemplateUnreadable:
        return "FAILED_TEMPLATE_UNREADABLE";
    case TApplyFailure::ConvertedTooLarge:
        return "FAILED_CONVERTED_TOO_LARGE";
    case TApplyFailure::ConvertedNotWritten:
        return "FAILED_CONVERTED_NOT_WRITTEN";
    case TApplyFailure::CopyFailed:
        return "FAILED_COPY";
    case TApplyFailure::CommandNotStarted:
        return "FAILED_COMMAND_NOT_STARTED";
    case TApplyFailure::ValueNotAnAddress:
        return "FAILED_VALUE_NOT_AN_ADDRESS";
    case TApplyFailure::ConnectionNameUnusable:
        return "FAILED_CONNECTION_NAME";
    case TApplyFailure::ChangeableByOthers:
        return "FAILED_CHANGEABLE_BY_OTHERS";
    case TApplyFailure::RightsUnknown:
        return "FAILED_RIGHTS_UNKNOWN";
    case TApplyFailure::TempFolderMissing:
        return "FAILED_TEMP_FOLDER_MISSING";
    }
    return "FAILED";
}

std::string ApplyFailureText(const TApplyProblem& problem) {
    std::string text = ApplyText(ApplyFailureKey(problem.Failure));
    // Each text uses the names that suit it: a path or a value, an exit code, a settings key or an account.
    for (const char* placeholder : {"$PATH$", "$VALUE$"})
        text = FillPlaceholder(text, placeholder, problem.Path);
    for (const char* placeholder : {"$KEY$", "$WHO$"})
        text = FillPlaceholder(text, placeholder, problem.Detail);
    return FillPlaceholder(text, "$CODE$", std::to_string(problem.ExitCode));
}

TApplyNotice ApplyNoticeOf(const TApplyResult& result, const std::string& profileName, size_t netshLines) {
    TApplyNotice notice;
    notice.Warning = !result.Succeeded();
    notice.Lasting = result.Refused;
    if (!notice.Warning) {
        notice.Title = ReadLanguageKey("GUI", "TITLE", LanguageName);
        notice.Text = FillPlaceholder(ApplyText("RESULT_APPLIED"), "$PROFILE$", profileName);
        return notice;
    }
    notice.Title =
        FillPlaceholder(ApplyText(result.Refused ? "RESULT_REFUSED" : "RESULT_FAILED"), "$PROFILE$", profileName);
    notice.Text = FailureLines(result, netshLines);
    return notice;
}

bool NoticeWaitsForVerification(const TApplyResult& result) {
    for (const TApplyProblem& problem : result.Problems)
        if (problem.Failure == TApplyFailure::NetshFailed)
            return true;
    return false;
}

TApplyNotice VerificationNoticeOf(const TVerification& verification, const std::string& profileName) {
    return NoticeOfVerification(verification, profileName, AppliedWords);
}

TApplyNotice VerificationNoticeOf(const TApplyResult& result, const std::string& profileName, size_t netshLines) {
    return NoticeOfVerifiedResult(result, profileName, AppliedWords, netshLines);
}

TApplyNotice NotCapturedNoticeOf(const std::string& reason, const std::string& profileName) {
    return TApplyNotice{true, KeepText("NOT_CAPTURED", profileName),
                        KeepText("NOT_CAPTURED_WHY", profileName) + "\n" + reason};
}

TApplyNotice RevertNoticeOf(const TApplyResult& result, const std::string& profileName, size_t netshLines) {
    if (result.Succeeded())
        return TApplyNotice{false, ReadLanguageKey("GUI", "TITLE", LanguageName),
                            KeepText("RESULT_REVERTED", profileName)};
    return TApplyNotice{true, KeepText("RESULT_REVERT_FAILED", profileName), FailureLines(result, netshLines)};
}

TApplyNotice RevertVerificationNoticeOf(const TVerification& verification, const std::string& profileName) {
    return NoticeOfVerification(verification, profileName, RevertedWords);
}

TApplyNotice RevertVerificationNoticeOf(const TApplyResult& result, const std::string& profileName, size_t netshLines) {
    return NoticeOfVerifiedResult(result, profileName, RevertedWords, netshLines);
}
