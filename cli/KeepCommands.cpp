// norvex-cli's keep or revert: the process that applies and counts down, the console that started it, and confirm.
#include "cli/KeepCommands.h"

#include "cli/Commands.h"
#include "cli/MachineCommands.h"
#include "core/Promenne.h"
#include "engine/ApplyNotice.h"
#include "engine/ApplyProfile.h"
#include "engine/Connections.h"
#include "engine/KeepOrRevert.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "platform/Detached.h"
#include "platform/Platform.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

std::string CountdownProgramOverride;

namespace {

std::int64_t MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

std::string SecondsText(int seconds) {
    return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
}

// The verification of the apply is final: into its result, and told.
void TellVerified(const TVerifyRun& verify, TApplyResult& applied, const std::string& profileName, std::ostream& err) {
    applied.Verification = verify.Result();
    TellNotice(VerificationNoticeOf(applied, profileName), err);
}

// The countdown, with the verification of the apply going on meanwhile: the decision, once there is one.
TKeepDecision CountDown(int seconds, std::chrono::steady_clock::time_point start, std::optional<TVerifyRun>& verify,
                        TApplyResult& applied, const std::string& profileName, platform::KeepConfirmation& confirmation,
                        std::ostream& err) {
    std::int64_t nextLook = 0;
    for (;;) {
        std::int64_t now = MillisecondsSince(start);
        if (verify && !verify->Final() && now >= nextLook) {
            if (verify->Look(ReadMachine(verify->NeedsFirewall()), static_cast<int>(now)))
                TellVerified(*verify, applied, profileName, err);
            nextLook += VerifyIntervalMs;
            now = MillisecondsSince(start);
        }
        if (KeepCountdownAt(seconds, 0, now, TKeepAnswer::None).Decision != TKeepDecision::Waiting)
            return TKeepDecision::Revert;
        // The wait ends at the end of the time at the latest, so that a confirmation is never taken late.
        std::int64_t wait = static_cast<std::int64_t>(seconds) * 1000 - now;
        if (verify && !verify->Final())
            wait = std::min(wait, std::max<std::int64_t>(nextLook - now, 0));
        if (confirmation.WaitForConfirm(static_cast<int>(wait))) {
            const TKeepDecision decision =
                KeepCountdownAt(seconds, 0, MillisecondsSince(start), TKeepAnswer::Keep).Decision;
            if (decision != TKeepDecision::Waiting)
                return decision;
        }
    }
}

} // namespace

int ApplyWithRevert(int slot, int position, const TCliArguments& arguments, std::ostream& err, std::istream* input) {
    if (!platform::DetachedCountdownAvailable())
        return Fail(err, ExitUsage, "--revert-after is offered on Windows only");
    std::vector<std::string> countdownArguments = {KeepOrRevertCommand,
                                                   std::to_string(slot),
                                                   std::to_string(position),
                                                   "--settings",
                                                   SettingsDir,
                                                   "--revert-after",
                                                   std::to_string(*arguments.RevertAfterSeconds)};
    if (arguments.NoVerify)
        countdownArguments.push_back("--no-verify");
    if (arguments.VerifyTimeoutSeconds) {
        countdownArguments.push_back("--verify-timeout");
        countdownArguments.push_back(std::to_string(*arguments.VerifyTimeoutSeconds));
    }
    // The process cannot see the stand-ins this one was given in its code: they are handed over by name.
    if (!InstalledMachineStandIn().empty()) {
        countdownArguments.push_back("--machine-stand-in");
        countdownArguments.push_back(InstalledMachineStandIn());
    }
    if (!platform::NetshPathOverride.empty()) {
        countdownArguments.push_back("--netsh-stand-in");
        countdownArguments.push_back(platform::NetshPathOverride);
    }
    const std::string program =
        CountdownProgramOverride.empty() ? platform::ExecutablePath() : CountdownProgramOverride;
    platform::DetachedProcess countdown;
    if (!countdown.Start(program, countdownArguments))
        return Fail(err, ExitProblems, "the countdown could not be started (" + program + "): nothing was applied");
    if (!countdown.LeftTheJob())
        err << "norvex-cli: warning: this console's job keeps the processes it starts: if the console closes before "
               "the answer, the settings are not put back\n";
    // Enter confirms. The countdown may still be starting when it is pressed: it takes the confirmation first.
    const auto running = std::make_shared<std::atomic<bool>>(true);
    if (input != nullptr)
        std::thread([input, running] {
            std::string line;
            while (std::getline(*input, line))
                while (running->load() && !platform::ConfirmKeep())
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }).detach();
    // Its lines end as a Windows console program's do (CR LF); this console's stream ends them itself.
    std::string piece;
    while (countdown.ReadOutput(piece)) {
        piece.erase(std::remove(piece.begin(), piece.end(), '\r'), piece.end());
        err << piece << std::flush;
    }
    running->store(false);
    const int code = countdown.Wait();
    return code == -1 ? ExitProblems : code;
}

int KeepOrRevert(int profileIndex, const TCliArguments& arguments, std::ostream& err) {
    platform::KeepConfirmation confirmation;
    switch (confirmation.Take()) {
    case platform::KeepConfirmation::TakeResult::Taken:
        break;
    case platform::KeepConfirmation::TakeResult::Busy:
        return Fail(err, ExitProblems,
                    "another apply waits to be kept or reverted: confirm it or let it revert first; nothing was "
                    "applied");
    case platform::KeepConfirmation::TakeResult::Failed:
        return Fail(err, ExitProblems, "the countdown needs an administrator's rights: nothing was applied");
    }
    const TProfile profile = Profiles[static_cast<size_t>(profileIndex)];
    const std::string connection = ConnectionOfSlot(profile.InterfaceNo);
    const TCapturedSettings captured =
        CapturePreviousSettings(profile, connection, ReadMachine(CaptureNeedsFirewall(profile)));
    if (captured.Problem != TTakeProblem::None) {
        TellNotice(NotCapturedNoticeOf(TakeProblemText(captured.Problem, connection, captured.State), profile.Name),
                   err);
        return ExitProblems;
    }
    TNetworkStep step = NetworkStepOf(profile);
    Selection.CurrentProfile = profileIndex;
    TApplyResult result = ApplyCurrentProfile();
    TellApplied(ApplyNoticeOf(result, profile.Name), result, !arguments.NoVerify, err);
    // netsh did not run: nothing was changed.
    if (!result.NetshRun)
        return ExitProblems;
    const int seconds = *arguments.RevertAfterSeconds;
    err << "Profile '" << profile.Name << "' is reverted in " << SecondsText(seconds)
        << " unless you keep it: press Enter here, or run 'norvex-cli confirm' in another console.\n"
        << std::flush;
    std::optional<TVerifyRun> verify;
    if (!arguments.NoVerify)
        verify.emplace(step.Data, VerifyLimitMs(arguments, step.Data));
    const auto start = std::chrono::steady_clock::now();
    const TKeepDecision decision = CountDown(seconds, start, verify, result, profile.Name, confirmation, err);
    // Decided: a confirmation from now on would find nothing waiting for it.
    confirmation.Release();

    if (decision == TKeepDecision::Keep) {
        err << FillPlaceholder(ReadLanguageKey("KEEP", "RESULT_KEPT", LanguageName), "$PROFILE$", profile.Name) << "\n"
            << std::flush;
        if (verify && !verify->Final()) {
            while (!verify->Look(ReadMachine(verify->NeedsFirewall()), static_cast<int>(MillisecondsSince(start))))
                std::this_thread::sleep_for(std::chrono::milliseconds(VerifyIntervalMs));
            TellVerified(*verify, result, profile.Name, err);
        }
        return result.Succeeded() && (!verify || verify->Result().AllInEffect()) ? ExitDone : ExitProblems;
    }

    // Reverted before the verification was final: its verdict will not come, and netsh's exit code decides.
    if (verify && !verify->Final() && NoticeWaitsForVerification(result))
        TellNotice(ApplyNoticeOf(result, profile.Name), err);
    const TNetworkStep back = NetworkStepOf(captured.Previous, captured.Connection);
    TApplyResult reverted = ApplyProfile(captured.Previous, captured.Connection);
    const bool verifies = reverted.NetshRun && !arguments.NoVerify;
    TellApplied(RevertNoticeOf(reverted, profile.Name), reverted, verifies, err);
    if (verifies) {
        reverted.Verification = VerifyUntilFinal(back.Data, VerifyLimitMs(arguments, back.Data));
        TellNotice(RevertVerificationNoticeOf(reverted, profile.Name), err);
    }
    return ExitReverted;
}

int Confirm(std::ostream& err) {
    if (!platform::DetachedCountdownAvailable())
        return Fail(err, ExitUsage, "confirm is offered on Windows only");
    if (!platform::ConfirmKeep()) {
        err << "No apply waits to be kept.\n";
        return ExitProblems;
    }
    err << "Kept: the apply that waited keeps its settings.\n";
    return ExitDone;
}
