// Keep or revert on the command line: the apply and its countdown run in a process of their own, apart from the
// console (and on Windows the job) of the norvex-cli that starts them, so that the settings still go back when that
// console or its remote session is gone; a confirmation reaches the countdown from any console of the same user or
// of an administrator. Offered on Windows only.
#pragma once

#include <string>
#include <vector>

namespace platform {

bool DetachedCountdownAvailable();

// A program started by its full path, detached from the starter's console, in a process group of its own and, where
// the starter's job allows it, outside that job. It gets no input; its standard output and error go into a pipe
// that the starter reads. Nothing else is handed on to it.
class DetachedProcess {
public:
    DetachedProcess() = default;
    ~DetachedProcess();
    DetachedProcess(const DetachedProcess&) = delete;
    DetachedProcess& operator=(const DetachedProcess&) = delete;

    // False when it could not be started.
    bool Start(const std::string& program, const std::vector<std::string>& arguments);
    // False when the starter's job keeps its processes (it allows no breakaway): the program then ends with it.
    bool LeftTheJob() const { return OutsideTheJob; }
    // The next piece of what it writes; false once it has ended and all it wrote is read, or has closed its output.
    bool ReadOutput(std::string& piece);
    // Waits for its end: its exit code, or -1.
    int Wait();

private:
    [[maybe_unused]] void* Process = nullptr;
    [[maybe_unused]] void* Output = nullptr;
    bool OutsideTheJob = false;
};

// The confirmation of a countdown: one countdown at a time on the computer, which only administrators and the user
// running it can confirm (a standard user can neither confirm it nor take its place).
class KeepConfirmation {
public:
    KeepConfirmation() = default;
    ~KeepConfirmation();
    KeepConfirmation(const KeepConfirmation&) = delete;
    KeepConfirmation& operator=(const KeepConfirmation&) = delete;

    enum class TakeResult { Taken, Busy, Failed };
    // Takes the confirmation for this countdown: Busy while another countdown holds it.
    TakeResult Take();
    // Waits at most `milliseconds` for a confirmation: true once there is one.
    bool WaitForConfirm(int milliseconds);
    // Lets go of it: no later confirmation reaches this countdown.
    void Release();

private:
    [[maybe_unused]] void* Event = nullptr;
};

// Confirms the countdown that runs: false when none runs (or this user may not confirm it).
bool ConfirmKeep();

} // namespace platform
