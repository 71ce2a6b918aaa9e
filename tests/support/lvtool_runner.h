#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace lv::test {

// Runs the built lvtool with `arguments` (shell words) and collects its status and its output,
// standard error included.
struct RunResult {
    int status = -1;
    std::string output;
};

inline RunResult Lvtool(const std::string& arguments) {
    RunResult result;
    const std::string command = std::string(LV_LVTOOL_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
    const int raw = ::pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

}  // namespace lv::test
