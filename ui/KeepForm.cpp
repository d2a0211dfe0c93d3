// The keep question after an apply.
#include "ui/KeepForm.h"

#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "resources/resource.h"
#include "ui/Graphics.h"

namespace {

constexpr int Width = 460;
constexpr int Height = 186;
constexpr UINT_PTR CountdownTimerId = 1;
constexpr UINT CountdownIntervalMs = 200;

} // namespace

TKeep_Form::TKeep_Form(std::string profileName, int seconds, std::function<std::int64_t()> clock,
                       std::function<void(TKeepDecision)> answered)
    : ProfileName(std::move(profileName)), Seconds(seconds), Clock(std::move(clock)), Answered(std::move(answered)) {
    // No owner: the question stays usable while another dialog disables the main window, and has its own button on
    // the taskbar, where a user who looked away finds it.
    CreateForm("TKeep_Form", nullptr, Width, Height, false);
    SetWindowPos(Hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(Hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(GetSystemMetrics(SM_CXICON))));
    SendMessageA(Hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcon(GetSystemMetrics(SM_CXSMICON))));
    Header.Create(Hwnd, Width, IDB_HEADER48);
    Label1 = MakeLabel(Hwnd, "", 20, 72, Width - 40, 68);
    MakeSeparator(8, 148, Width - 16);
    ButtonKEEP = MakeButton(Hwnd, "", Width - 8 - 96 - 8 - 150, 156, 150, 25);
    // Escape presses Revert.
    ButtonREVERT = MakeButton(Hwnd, "", Width - 8 - 96, 156, 96, 25, IDCANCEL);
}

TKeep_Form::~TKeep_Form() {
    DestroyForm();
}

void TKeep_Form::Show() {
    StartedMs = Clock();
    // The captions do not wait for the activation: a session without input (a remote one that was cut off) may
    // never activate the question, and its time runs all the same.
    LoadStrings();
    SetTimer(Hwnd, CountdownTimerId, CountdownIntervalMs, nullptr);
    ShowModeless();
}

void TKeep_Form::FormActivate() {
    // A stray Enter reverts: keeping takes a deliberate choice.
    SetFocus(ButtonREVERT);
}

void TKeep_Form::LoadStrings() {
    const TKeepCountdown countdown = KeepCountdownAt(Seconds, StartedMs, Clock(), TKeepAnswer::None);
    const TKeepQuestion question = KeepQuestionOf(ProfileName, countdown.SecondsLeft, Verification);
    SetWindowTextA(Hwnd, question.Caption.c_str());
    Header.SetMainText(question.Question);
    Header.SetLabelText(question.Countdown);
    SetWindowTextA(Label1, question.Verification.c_str());
    SetWindowTextA(ButtonKEEP, ReadLanguageKey("KEEPFORM", "BUTTON_KEEP", LanguageName).c_str());
    SetWindowTextA(ButtonREVERT, ReadLanguageKey("KEEPFORM", "BUTTON_REVERT", LanguageName).c_str());
}

void TKeep_Form::SetVerification(const TVerification& verification) {
    Verification = verification;
    const TKeepQuestion question = KeepQuestionOf(ProfileName, 0, Verification);
    SetWindowTextA(Label1, question.Verification.c_str());
}

void TKeep_Form::CountdownTimer() {
    const TKeepCountdown countdown = KeepCountdownAt(Seconds, StartedMs, Clock(), TKeepAnswer::None);
    if (countdown.Decision != TKeepDecision::Waiting) {
        Decide(TKeepAnswer::None);
        return;
    }
    const TKeepQuestion question = KeepQuestionOf(ProfileName, countdown.SecondsLeft, Verification);
    if (question.Countdown != Header.LabelText())
        Header.SetLabelText(question.Countdown);
}

void TKeep_Form::Decide(TKeepAnswer answer) {
    if (Decided)
        return;
    const TKeepCountdown countdown = KeepCountdownAt(Seconds, StartedMs, Clock(), answer);
    if (countdown.Decision == TKeepDecision::Waiting)
        return;
    Decided = true;
    KillTimer(Hwnd, CountdownTimerId);
    ShowWindow(Hwnd, SW_HIDE);
    EndModal();
    Answered(countdown.Decision);
}

void TKeep_Form::ButtonCommandClick(HWND sender) {
    if (sender == ButtonKEEP)
        Decide(TKeepAnswer::Keep);
    else if (sender == ButtonREVERT)
        Decide(TKeepAnswer::Revert);
}

void TKeep_Form::CloseBox() {
    Decide(TKeepAnswer::Revert);
}

void TKeep_Form::ControlCommand(HWND control, int code) {
    if (code == BN_CLICKED)
        ButtonCommandClick(control);
}

LRESULT TKeep_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == CountdownTimerId) {
        CountdownTimer();
        return 0;
    }
    return TDialogForm::HandleMessage(message, wParam, lParam);
}
