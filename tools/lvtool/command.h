#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lvtool {

// Command-line words of one command after its name: positional words in order, and options
// ("--name value" or "--flag"). Which options take a value is declared by the command.
class Arguments {
public:
    Arguments(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
              const std::vector<std::string>& flagOptions);

    const std::vector<std::string>& Positional() const { return positional_; }
    // The positional word at index, or a usage error naming `what` when it is missing.
    const std::string& Required(size_t index, const char* what) const;
    void ExpectPositionalCount(size_t count) const;

    bool Has(const std::string& option) const { return options_.count(option) != 0; }
    std::optional<std::string> Value(const std::string& option) const;
    long long IntValue(const std::string& option, long long fallback, long long min,
                       long long max) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
};

// Thrown for wrong command-line words; main prints the message and the command's usage.
struct UsageError {
    std::string message;
};

long long ParseInteger(const std::string& text, const char* what, long long min, long long max);
// "WxH" with both sides in 1 .. 16384.
void ParseSize(const std::string& text, int& width, int& height);

struct Command {
    const char* name;
    const char* usage;    // the words after "lvtool NAME"
    const char* summary;  // one line for the command list
    const char* details;  // further lines of `lvtool NAME --help`, may be empty
    int (*run)(const std::vector<std::string>& words);
};

// Each command file registers itself with a static CommandRegistration.
struct CommandRegistration {
    explicit CommandRegistration(const Command& command);
};
const std::vector<Command>& Commands();

}  // namespace lvtool
