#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/error.h"

namespace lv {

enum class RunMode { None, Show, Configuration, Preview, ChangePassword };

// A command line (or a host's environment variable) that cannot be run as given: a window id
// that is missing, empty, not a number or names no window. The program says so on one line of
// standard error and ends with UsageExitCode; it is not a crash.
class UsageError : public Error {
public:
    using Error::Error;
};
inline constexpr int UsageExitCode = 2;

// What the command line asks for. The screensaver switch is the upper-cased first argument cut
// to two characters; the handle text is the upper-cased second argument.
struct CommandLine {
    RunMode mode = RunMode::None;
    std::string switchText;
    std::string handleText;
    // The show drawn into a window of a host: xscreensaver's "-window-id ID" and "-root", each
    // also with two dashes (the daemon doubles the dash of every option it passes on), and the
    // id also as "-window-id=ID". The window id wins when both are given.
    bool showInHostWindow = false;
    bool showInRootWindow = false;
    uint64_t hostWindow = 0;
    // The argument that no mode accepts, as it was given; empty when every argument was.
    std::string unknownSwitch;
};

// `arguments` excludes the program path. Raises UsageError for a host window id that is
// missing, empty, not a number or 0.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The line standard error gets for an unknown switch: the switch and the accepted forms.
std::string UnknownSwitchMessage(const std::string& argument);

// The host window handle as the host passed it: decimal (or "0x" hex, as xscreensaver writes
// it). Raises lv::Error naming the text when it is not a window number.
uint64_t ParseWindowHandle(const std::string& text);

// A window id given to the program from outside: ParseWindowHandle, but a text that is not a
// window number, and 0 (no window), are a UsageError that names `origin` (the option or the
// variable the text came from).
uint64_t ParseHostWindowId(const std::string& origin, const std::string& text);

// The window xscreensaver names in XSCREENSAVER_WINDOW for a "-root" show. Unset and empty both
// give nothing; any other text must be a window id (UsageError).
std::optional<uint64_t> SaverWindowFromEnvironment(const char* value);

}  // namespace lv
