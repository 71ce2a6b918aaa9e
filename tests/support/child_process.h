#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace lv::test {

// A program run as a process of its own, with `variables` ("NAME=VALUE", or "NAME" to remove
// it) changed in its environment and its standard output and error written to `outputFile`.
// Killed if it still runs when this object goes.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& variables, const std::string& outputFile) {
        std::vector<std::string> environment;
        for (char** v = environ; *v != nullptr; ++v) {
            const std::string entry = *v;
            const std::string name = entry.substr(0, entry.find('='));
            bool changed = false;
            for (const std::string& variable : variables)
                changed = changed || variable.substr(0, variable.find('=')) == name;
            if (!changed) environment.push_back(entry);
        }
        for (const std::string& variable : variables)
            if (variable.find('=') != std::string::npos) environment.push_back(variable);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        const auto argv = Pointers(arguments);
        const auto envp = Pointers(environment);
        const int error =
            ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0) throw std::runtime_error("cannot start " + arguments[0]);
    }
    ~ChildProcess() {
        if (!status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    void Signal(int number) const { ::kill(pid_, number); }

    // The exit code, or 128 + the number of the signal that ended it; nothing when it still
    // runs after `timeout`.
    std::optional<int> Wait(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!status_) {
            int raw = 0;
            if (::waitpid(pid_, &raw, WNOHANG) == pid_)
                status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            else if (std::chrono::steady_clock::now() > deadline)
                break;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return status_;
    }

private:
    static std::vector<char*> Pointers(const std::vector<std::string>& texts) {
        std::vector<char*> pointers;
        for (const std::string& text : texts) pointers.push_back(const_cast<char*>(text.c_str()));
        pointers.push_back(nullptr);
        return pointers;
    }

    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Tests `condition` every 20 ms until it holds or `timeout` has passed.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace lv::test
