#include "platform/WriteSignals.h"

#include <csignal>

namespace platform {
namespace {

void SetAction(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(SIGXFSZ, &action, nullptr);
    sigaction(SIGPIPE, &action, nullptr);
}

} // namespace

void IgnoreWriteSignals() {
    SetAction(SIG_IGN);
}

void RestoreWriteSignals() {
    SetAction(SIG_DFL);
}

} // namespace platform
