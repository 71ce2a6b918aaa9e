#pragma once

// A host or the session ends a saver with a signal: xscreensaver sends SIGTERM when it
// deactivates, logout sends SIGHUP or SIGTERM, a terminal SIGINT. Left to their default action
// they kill the process before it deletes its unpacked files, so the program catches them.
//
// A signal handler may do almost nothing safely, so the handler only writes a byte into a pipe;
// the event loop watches its read end and ends the run in order from there.
namespace lv::platform {

enum class EndSignalAction {
    // The first signal makes EndSignalDescriptor() readable; any further one ends the process
    // at once with the signal's default action (someone is not willing to wait for the clean-up).
    Notify,
    // The first signal ends the process at once with exit code 0 (a mode with nothing to undo).
    ExitAtOnce,
};

// Catches SIGTERM, SIGINT and SIGHUP for the rest of the process's life. Called once, before
// the run unpacks anything. Does nothing where the system has no such signals.
void CatchEndSignals(EndSignalAction action);

// The pipe's read end to watch (readable once a signal has come); -1 before CatchEndSignals
// with EndSignalAction::Notify, and where the system has no such signals.
int EndSignalDescriptor();

// Whether a signal has come since CatchEndSignals.
bool EndSignalReceived();

// Empties the pipe, so a watcher is not woken again for the same signal.
void DrainEndSignalDescriptor();

}  // namespace lv::platform
