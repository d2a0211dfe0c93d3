// Keep or revert on the command line is not offered on POSIX systems: nothing there runs netsh.
#include "platform/Detached.h"

namespace platform {

bool DetachedCountdownAvailable() {
    return false;
}

DetachedProcess::~DetachedProcess() = default;

bool DetachedProcess::Start(const std::string&, const std::vector<std::string>&) {
    return false;
}

bool DetachedProcess::ReadOutput(std::string&) {
    return false;
}

int DetachedProcess::Wait() {
    return -1;
}

KeepConfirmation::~KeepConfirmation() = default;

KeepConfirmation::TakeResult KeepConfirmation::Take() {
    return TakeResult::Failed;
}

bool KeepConfirmation::WaitForConfirm(int) {
    return false;
}

void KeepConfirmation::Release() {}

bool ConfirmKeep() {
    return false;
}

} // namespace platform
