#pragma once

#include <exception>
#include <functional>
#include <string>

namespace lv::crash {

// The program-wide handler of errors nobody else catches, in every run mode. It writes a report
// (message, program, arguments, stack trace) to a file in the user's state folder, tells the user
// where it is and ends the program with ExitCode.
inline constexpr int ExitCode = 70;

// Installs the handler as the terminate handler, so an exception that escapes main or a
// noexcept boundary is reported with the stack of the place that threw it.
void Install(int argc, char** argv);

// Lets the front end show the report's place in a message box as well as on standard error.
using UserNotifier = std::function<void(const std::string& message, const std::string& reportPath)>;
void SetUserNotifier(UserNotifier notifier);

// Reports an error caught at a boundary that cannot let it through (an event loop) and ends.
[[noreturn]] void ReportAndExit(std::exception_ptr error);

// Folder of the reports: $XDG_STATE_HOME/lvcsaver, else ~/.local/state/lvcsaver.
std::string ReportFolder();

}  // namespace lv::crash
