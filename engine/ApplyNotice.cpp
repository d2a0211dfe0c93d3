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

std::string FailureLines(const TApplyResult& result) {
    std::string text;
    for (const TApplyProblem& problem : result.Problems) {
        if (!text.empty())
            text += "\n";
        text += ApplyFailureText(problem);
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
};
constexpr TVerificationWords AppliedWords{"VERIFY", "RESULT_IN_EFFECT", "RESULT_IN_EFFECT_ONE", "RESULT_NOT_IN_EFFECT",
                                          "RESULT_NOT_CHECKED"};
constexpr TVerificationWords RevertedWords{"KEEP", "IN_EFFECT", "IN_EFFECT_ONE", "NOT_IN_EFFECT", "NOT_CHECKED"};

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
        notice.Text += (notice.Text.empty() ? "" : "\n") + line;
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

TApplyNotice ApplyNoticeOf(const TApplyResult& result, const std::string& profileName) {
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
    notice.Text = FailureLines(result);
    return notice;
}

TApplyNotice VerificationNoticeOf(const TVerification& verification, const std::string& profileName) {
    return NoticeOfVerification(verification, profileName, AppliedWords);
}

TApplyNotice NotCapturedNoticeOf(const std::string& reason, const std::string& profileName) {
    return TApplyNotice{true, KeepText("NOT_CAPTURED", profileName),
                        KeepText("NOT_CAPTURED_WHY", profileName) + "\n" + reason};
}

TApplyNotice RevertNoticeOf(const TApplyResult& result, const std::string& profileName) {
    if (result.Succeeded())
        return TApplyNotice{false, ReadLanguageKey("GUI", "TITLE", LanguageName),
                            KeepText("RESULT_REVERTED", profileName)};
    return TApplyNotice{true, KeepText("RESULT_REVERT_FAILED", profileName), FailureLines(result)};
}

TApplyNotice RevertVerificationNoticeOf(const TVerification& verification, const std::string& profileName) {
    return NoticeOfVerification(verification, profileName, RevertedWords);
}
