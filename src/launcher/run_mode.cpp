#include "launcher/run_mode.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "common/error.h"

namespace lv {
namespace {

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool IsOneOf(const std::string& text, std::initializer_list<const char*> options) {
    return std::any_of(options.begin(), options.end(), [&](const char* o) { return text == o; });
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

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "-root") {
            line.mode = RunMode::Show;
            line.showInRootWindow = true;
            return line;
        }
        if (arguments[i] == "-window-id") {
            if (i + 1 >= arguments.size()) throw Error("-window-id needs a window number");
            line.mode = RunMode::Show;
            line.showInHostWindow = true;
            line.hostWindow = ParseWindowHandle(arguments[i + 1]);
            return line;
        }
    }

    line.switchText = arguments.empty() ? std::string() : UpperCase(arguments[0]).substr(0, 2);
    line.handleText = arguments.size() > 1 ? UpperCase(arguments[1]) : std::string();
    const std::string& s = line.switchText;
    if (IsOneOf(s, {"/S", "-S", "S"}))
        line.mode = RunMode::Show;
    else if (IsOneOf(s, {"/C", "-C", "C", ""}))
        line.mode = RunMode::Configuration;
    else if (IsOneOf(s, {"/P", "-P", "P"}))
        line.mode = RunMode::Preview;
    else if (IsOneOf(s, {"/A", "-A", "A"}))
        line.mode = RunMode::ChangePassword;
    return line;
}

}  // namespace lv
