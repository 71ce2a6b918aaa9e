// lvtool: the saver authors' tool. It builds image packages and savers and shows what the
// engine reads from them; the tests make their fixtures with it too.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "command.h"

namespace {

void PrintCommandList() {
    std::printf("usage: lvtool COMMAND [ARGUMENTS]\n\nCommands:\n");
    auto commands = lvtool::Commands();
    std::sort(commands.begin(), commands.end(),
              [](const auto& a, const auto& b) { return std::strcmp(a.name, b.name) < 0; });
    for (const auto& c : commands) std::printf("  %-12s %s\n", c.name, c.summary);
    std::printf("\n'lvtool COMMAND --help' describes one command; 'lvtool --version' prints the"
                "\nversion.\n");
}

void PrintCommandHelp(const lvtool::Command& c) {
    std::printf("usage: lvtool %s %s\n\n%s\n", c.name, c.usage, c.summary);
    if (c.details && *c.details) std::printf("\n%s\n", c.details);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        PrintCommandList();
        return words.empty() ? 2 : 0;
    }
    if (words[0] == "--version") {
        std::printf("lvtool %s\n", LV_VERSION);
        return 0;
    }
    const auto& commands = lvtool::Commands();
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [&](const auto& c) { return words[0] == c.name; });
    if (it == commands.end()) {
        std::fprintf(stderr, "lvtool: unknown command '%s'\n\n", words[0].c_str());
        PrintCommandList();
        return 2;
    }
    words.erase(words.begin());
    if (std::find(words.begin(), words.end(), "--help") != words.end()) {
        PrintCommandHelp(*it);
        return 0;
    }
    try {
        return it->run(words);
    } catch (const lvtool::UsageError& e) {
        std::fprintf(stderr, "lvtool %s: %s\nusage: lvtool %s %s\n", it->name, e.message.c_str(),
                     it->name, it->usage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lvtool %s: %s\n", it->name, e.what());
        return 1;
    }
}
