// The notification after applying a profile.
#include "engine/ApplyNotice.h"

#include "lang/CaptionKeys.h"
#include "lang/Language.h"

namespace {

std::string ApplyText(const char* key) {
    return ReadLanguageKey("APPLY", key, LanguageName);
}

// Puts the value in place of every occurrence of the placeholder; what the value brings in is left as it is.
std::string Fill(const std::string& text, const std::string& placeholder, const std::string& value) {
    std::string out;
    size_t from = 0;
    for (size_t found; (found = text.find(placeholder, from)) != std::string::npos; from = found + placeholder.size())
        out.append(text, from, found - from).append(value);
    return out.append(text, from, std::string::npos);
}

} // namespace

const char* ApplyFailureKey(TApplyFailure failure) {
    switch (failure) {
    case TApplyFailure::ScriptNotWritten:
        return "FAILED_SCRIPT_NOT_WRITTEN";
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
    }
    return "FAILED";
}

std::string ApplyFailureText(const TApplyProblem& problem) {
    std::string text = Fill(ApplyText(ApplyFailureKey(problem.Failure)), "$PATH$", problem.Path);
    return Fill(text, "$CODE$", std::to_string(problem.ExitCode));
}

TApplyNotice ApplyNoticeOf(const TApplyResult& result, const std::string& profileName) {
    TApplyNotice notice;
    notice.Warning = !result.Succeeded();
    if (!notice.Warning) {
        notice.Title = ReadLanguageKey("GUI", "TITLE", LanguageName);
        notice.Text = Fill(ApplyText("RESULT_APPLIED"), "$PROFILE$", profileName);
        return notice;
    }
    notice.Title = Fill(ApplyText("RESULT_FAILED"), "$PROFILE$", profileName);
    for (const TApplyProblem& problem : result.Problems) {
        if (!notice.Text.empty())
            notice.Text += "\n";
        notice.Text += ApplyFailureText(problem);
    }
    return notice;
}
