#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "common/error.h"
#include "platform/end_signals.h"

namespace lv::platform {
namespace {

// Shared with the signal handler, so process-wide by nature.
volatile sig_atomic_t g_received = 0;
EndSignalAction g_action = EndSignalAction::Notify;
int g_readEnd = -1;
int g_writeEnd = -1;

constexpr int EndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Only async-signal-safe calls in here.
void OnEndSignal(int number) {
    if (g_action == EndSignalAction::ExitAtOnce) ::_exit(0);
    if (g_received != 0) {
        // The second one: the default action, once this handler has returned.
        ::signal(number, SIG_DFL);
        ::raise(number);
        return;
    }
    g_received = 1;
    const int savedErrno = errno;
    const char byte = 1;
    // The pipe is empty at the first signal, so the write cannot fail for want of room.
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &byte, 1);
    errno = savedErrno;
}

}  // namespace

void CatchEndSignals(EndSignalAction action) {
    g_action = action;
    if (action == EndSignalAction::Notify && g_readEnd < 0) {
        int ends[2];
        // Non-blocking, so neither the handler nor the draining reader can hang; closed on exec,
        // so programs the configuration window starts do not inherit it.
        if (::pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0)
            throw Error("cannot create the pipe for end signals");
        g_readEnd = ends[0];
        g_writeEnd = ends[1];
    }
    struct sigaction handler {};
    handler.sa_handler = OnEndSignal;
    sigemptyset(&handler.sa_mask);
    for (const int number : EndSignals) sigaddset(&handler.sa_mask, number);
    // Interrupted file reads and writes elsewhere in the program carry on.
    handler.sa_flags = SA_RESTART;
    for (const int number : EndSignals) ::sigaction(number, &handler, nullptr);
}

int EndSignalDescriptor() { return g_action == EndSignalAction::Notify ? g_readEnd : -1; }

bool EndSignalReceived() { return g_received != 0; }

void DrainEndSignalDescriptor() {
    if (g_readEnd < 0) return;
    char buffer[16];
    while (::read(g_readEnd, buffer, sizeof buffer) > 0) {
    }
}

}  // namespace lv::platform
