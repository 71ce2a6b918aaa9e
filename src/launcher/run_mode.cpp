#include "launcher/run_mode.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "common/ascii_case.h"

namespace lv {
namespace {

bool IsOneOf(const std::string& text, std::initializer_list<const char*> options) {
    return std::any_of(options.begin(), options.end(), [&](const char* o) { return text == o; });
}

// One argument read as a host option. The daemon turns "-root" into "--root", so one or two
// dashes are accepted alike; the names themselves are exact, as X programs have them.
struct HostOption {
    enum class Kind { NotHost, Root, WindowId } kind = Kind::NotHost;
    std::string name;                  // the option as given, without an "=ID" part
    std::optional<std::string> value;  // the ID of "-window-id=ID"
};

HostOption ReadHostOption(const std::string& argument) {
    std::string_view text = argument;
    const size_t dashes = text.starts_with("--") ? 2 : text.starts_with("-") ? 1 : 0;
    if (dashes == 0) return {};
    text.remove_prefix(dashes);
    if (text == "root") return {HostOption::Kind::Root, argument, std::nullopt};
    if (text == "window-id") return {HostOption::Kind::WindowId, argument, std::nullopt};
    constexpr std::string_view WithValue = "window-id=";
    if (text.starts_with(WithValue))
        return {HostOption::Kind::WindowId, argument.substr(0, dashes + WithValue.size() - 1),
                std::string(text.substr(WithValue.size()))};
    return {};
}

bool IsHostOption(const std::string& argument) {
    return ReadHostOption(argument).kind != HostOption::Kind::NotHost;
}

// A command line of host options: every argument must be one of them.
CommandLine ParseHostOptions(const std::vector<std::string>& arguments) {
    CommandLine line;
    line.mode = RunMode::Show;
    for (size_t i = 0; i < arguments.size(); ++i) {
        HostOption option = ReadHostOption(arguments[i]);
        switch (option.kind) {
            case HostOption::Kind::Root:
                line.showInRootWindow = true;
                break;
            case HostOption::Kind::WindowId:
                if (!option.value) {
                    if (i + 1 >= arguments.size())
                        throw UsageError(option.name + " needs a window id");
                    option.value = arguments[++i];
                }
                line.showInHostWindow = true;
                line.hostWindow = ParseHostWindowId(option.name, *option.value);
                break;
            case HostOption::Kind::NotHost: {
                CommandLine unknown;
                unknown.unknownSwitch = arguments[i];
                return unknown;
            }
        }
    }
    if (line.showInHostWindow) line.showInRootWindow = false;
    return line;
}

}  // namespace

uint64_t ParseWindowHandle(const std::string& text) {
    std::string digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits = digits.substr(2);
        base = 16;
    }
    uint64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || ec != std::errc() || ptr != end)
        throw Error("'" + text + "' is not a valid window handle");
    return value;
}

uint64_t ParseHostWindowId(const std::string& origin, const std::string& text) {
    if (text.empty()) throw UsageError(origin + " is empty; it must name a window");
    uint64_t window = 0;
    try {
        window = ParseWindowHandle(text);
    } catch (const Error&) {
        throw UsageError(origin + " '" + text +
                         "' is not a window id (decimal, or hexadecimal starting with 0x)");
    }
    if (window == 0) throw UsageError(origin + " '" + text + "' names no window");
    return window;
}

std::optional<uint64_t> SaverWindowFromEnvironment(const char* value) {
    if (value == nullptr || *value == '\0') return std::nullopt;
    return ParseHostWindowId("XSCREENSAVER_WINDOW", value);
}

std::string UnknownSwitchMessage(const std::string& argument) {
    return "unknown switch '" + argument +
           "'; use /s, /c, /p ID or /a ID (also with - or no prefix), or for an X11 host -root, "
           "-window-id ID or -window-id=ID (each also with --)";
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    if (std::any_of(arguments.begin(), arguments.end(), IsHostOption))
        return ParseHostOptions(arguments);

    CommandLine line;
    line.switchText = arguments.empty() ? std::string() : AsciiUpperCase(arguments[0]).substr(0, 2);
    line.handleText = arguments.size() > 1 ? AsciiUpperCase(arguments[1]) : std::string();
    const std::string& s = line.switchText;
    if (IsOneOf(s, {"/S", "-S", "S"}))
        line.mode = RunMode::Show;
    else if (IsOneOf(s, {"/C", "-C", "C", ""}))
        line.mode = RunMode::Configuration;
    else if (IsOneOf(s, {"/P", "-P", "P"}))
        line.mode = RunMode::Preview;
    else if (IsOneOf(s, {"/A", "-A", "A"}))
        line.mode = RunMode::ChangePassword;
    else
        line.unknownSwitch = arguments[0];
    return line;
}

}  // namespace lv
