#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lv {

enum class RunMode { None, Show, Configuration, Preview, ChangePassword };

// What the command line asks for. The screensaver switch is the upper-cased first argument cut
// to two characters; the handle text is the upper-cased second argument.
struct CommandLine {
    RunMode mode = RunMode::None;
    std::string switchText;
    std::string handleText;
    // The show drawn into a window of a host (xscreensaver's "-window-id ID" and "-root").
    bool showInHostWindow = false;
    bool showInRootWindow = false;
    uint64_t hostWindow = 0;
};

// `arguments` excludes the program path. Raises lv::Error for a "-window-id" without a valid
// window number.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The host window handle as the host passed it: decimal (or "0x" hex, as xscreensaver writes
// it). Raises lv::Error naming the text when it is not a window number.
uint64_t ParseWindowHandle(const std::string& text);

}  // namespace lv
