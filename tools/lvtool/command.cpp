#include "command.h"

#include <algorithm>
#include <charconv>

namespace lvtool {
namespace {

std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

bool Contains(const std::vector<std::string>& list, const std::string& word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

CommandRegistration::CommandRegistration(const Command& command) { Registry().push_back(command); }

const std::vector<Command>& Commands() { return Registry(); }

Arguments::Arguments(const std::vector<std::string>& words,
                     const std::vector<std::string>& valueOptions,
                     const std::vector<std::string>& flagOptions) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 2 && w.compare(0, 2, "--") == 0) {
            const std::string name = w.substr(2);
            if (Contains(valueOptions, name)) {
                if (i + 1 >= words.size()) throw UsageError{"option --" + name + " needs a value"};
                options_[name] = words[++i];
            } else if (Contains(flagOptions, name)) {
                options_[name] = "";
            } else {
                throw UsageError{"unknown option " + w};
            }
        } else {
            positional_.push_back(w);
        }
    }
}

const std::string& Arguments::Required(size_t index, const char* what) const {
    if (index >= positional_.size()) throw UsageError{std::string("missing ") + what};
    return positional_[index];
}

void Arguments::ExpectPositionalCount(size_t count) const {
    if (positional_.size() < count) throw UsageError{"too few arguments"};
    if (positional_.size() > count)
        throw UsageError{"unexpected argument '" + positional_[count] + "'"};
}

std::optional<std::string> Arguments::Value(const std::string& option) const {
    const auto it = options_.find(option);
    if (it == options_.end()) return std::nullopt;
    return it->second;
}

long long Arguments::IntValue(const std::string& option, long long fallback, long long min,
                              long long max) const {
    const auto v = Value(option);
    if (!v) return fallback;
    return ParseInteger(*v, ("--" + option).c_str(), min, max);
}

long long ParseInteger(const std::string& text, const char* what, long long min, long long max) {
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        throw UsageError{std::string(what) + ": '" + text + "' is not an integer"};
    if (value < min || value > max)
        throw UsageError{std::string(what) + ": " + text + " is outside " + std::to_string(min) +
                         " .. " + std::to_string(max)};
    return value;
}

void ParseSize(const std::string& text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) throw UsageError{"size '" + text + "' is not WxH"};
    width = static_cast<int>(ParseInteger(text.substr(0, x), "width", 1, 16384));
    height = static_cast<int>(ParseInteger(text.substr(x + 1), "height", 1, 16384));
}

}  // namespace lvtool
