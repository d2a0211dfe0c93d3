// The keep question after an apply whose profile asks for it: "Keep the settings of profile 'X'?" with Keep and
// Revert and the time left. It stays on top, but the rest of the program stays usable; Escape, the close box and
// the end of the time revert. It shows the apply's verification once that is known.
#pragma once

#include "engine/KeepOrRevert.h"
#include "ui/DialogParts.h"

#include <cstdint>
#include <functional>
#include <optional>

class TKeep_Form : public TDialogForm {
public:
    // `clock` gives milliseconds of a steady clock; `answered` is told the decision once, after the question has
    // hidden itself (the owner may then destroy it).
    TKeep_Form(std::string profileName, int seconds, std::function<std::int64_t()> clock,
               std::function<void(TKeepDecision)> answered);
    ~TKeep_Form() override;

    // Shows the question in front of every window, with the focus on Revert, and starts the countdown.
    void Show();
    void FormActivate() override;
    void LoadStrings();
    void ButtonCommandClick(HWND sender);
    // The apply's verification, when its last look is done.
    void SetVerification(const TVerification& verification);
    // One look at the clock: the time left, or the revert at its end.
    void CountdownTimer();

    TDialogHeader Header;  // the question, and the time left
    HWND Label1 = nullptr; // the verification
    HWND ButtonKEEP = nullptr;
    HWND ButtonREVERT = nullptr;

protected:
    void CloseBox() override;
    void ControlCommand(HWND control, int code) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Decide(TKeepAnswer answer);
    std::string ProfileName;
    int Seconds;
    std::function<std::int64_t()> Clock;
    std::function<void(TKeepDecision)> Answered;
    std::int64_t StartedMs = 0;
    std::optional<TVerification> Verification;
    bool Decided = false;
};
