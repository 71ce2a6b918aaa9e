// lvtool window: runs lvtool-window (beside lvtool or in its engine folder) with the same words and ends as it ends.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "command.h"
#include "common/error.h"
#include "engine_path.h"
#include "window_command.h"

extern char** environ;

namespace lvtool {
namespace {

int Run(const std::vector<std::string>& words) {
    const auto program = FindCompanionProgram(window::ProgramName);
    if (!program)
        throw lv::Error(std::string("cannot find ") + window::ProgramName +
                        " beside lvtool or in its engine folder");
    std::vector<char*> argv{const_cast<char*>(program->c_str())};
    for (const auto& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (const int error =
            ::posix_spawn(&child, program->c_str(), nullptr, nullptr, argv.data(), environ);
        error != 0)
        throw lv::Error(std::string("cannot run the program: ") + std::strerror(error), *program);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            throw lv::Error(std::string("lost the program: ") + std::strerror(errno), *program);
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    throw lv::Error("ended by signal " + std::to_string(WTERMSIG(status)), *program);
}

const CommandRegistration registration({
    "window",
    window::Usage,
    window::Summary,
    window::Details,
    Run,
});

}  // namespace
}  // namespace lvtool
