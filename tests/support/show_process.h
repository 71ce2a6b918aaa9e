#pragma once

// Real show processes for the tests of instances that run side by side: a private virtual X
// server per show, the show started on it, its counters read from LVCSAVER_STATS, and the
// show ended by moving the mouse as a user would.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace lv::test {

inline bool OnPath(const char* program) {
    const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Forks and runs `argv` with `environment` (NAME=VALUE) added, standard output and error going
// to `logPath` and the descriptor `keepFd` (when not -1) inherited. Returns the child's id.
inline pid_t Spawn(const std::vector<std::string>& argv,
                   const std::vector<std::pair<std::string, std::string>>& environment,
                   const std::string& logPath, int keepFd = -1) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
    const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log >= 0) {
        ::dup2(log, 1);
        ::dup2(log, 2);
    }
    // The test's own descriptors must not keep pipes or locks open in the child.
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keepFd) ::close(fd);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

// A child process that is killed when the object goes, unless it has ended.
class Child {
public:
    Child() = default;
    explicit Child(pid_t pid) : pid_(pid) {}
    Child(Child&& other) noexcept : pid_(std::exchange(other.pid_, -1)) {}
    Child& operator=(Child&& other) noexcept {
        std::swap(pid_, other.pid_);
        return *this;
    }
    ~Child() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    bool Running() {
        if (pid_ <= 0) return false;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == 0) return true;
        status_ = status;
        pid_ = -1;
        return false;
    }
    // Waits up to `seconds` for the end; the exit code, or nothing when it is still running or
    // died of a signal.
    std::optional<int> WaitForExit(double seconds) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (Running() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (Running() || !status_ || !WIFEXITED(*status_)) return std::nullopt;
        return WEXITSTATUS(*status_);
    }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// A private Xvfb; it picks a free display number itself.
class VirtualDisplay {
public:
    explicit VirtualDisplay(const std::string& logPath, const std::string& size = "320x240x24") {
        int fds[2];
        if (::pipe(fds) != 0) return;
        server_ = Child(Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", size,
                               "-nolisten", "tcp"},
                              {}, logPath, fds[1]));
        ::close(fds[1]);
        std::string number;
        pollfd waiting{fds[0], POLLIN, 0};
        char c = 0;
        while (::poll(&waiting, 1, 10000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(fds[0]);
        if (!number.empty()) name_ = ":" + number;
    }

    // ":N", or empty when the server did not start.
    const std::string& Name() const { return name_; }

    // Moves the pointer back and forth once; a show on this display ends after a few moves.
    void MoveMouse() const {
        const std::string command =
            "DISPLAY=" + name_ +
            " xdotool mousemove 20 20 sleep 0.05 mousemove 200 150 >/dev/null 2>&1";
        [[maybe_unused]] const int ignored = std::system(command.c_str());
    }

private:
    Child server_;
    std::string name_;
};

struct ShowCounters {
    long long Passes = -1;
    long long Changes = -1;
    long long DroppedErrors = -1;
};

// The counters a show keeps in its LVCSAVER_STATS file; -1 for those not written yet.
inline ShowCounters ReadShowCounters(const std::string& path) {
    ShowCounters counters;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string name = line.substr(0, equals);
        const long long value = std::atoll(line.c_str() + equals + 1);
        if (name == "passes") counters.Passes = value;
        if (name == "changes") counters.Changes = value;
        if (name == "dropped_errors") counters.DroppedErrors = value;
    }
    return counters;
}

}  // namespace lv::test
