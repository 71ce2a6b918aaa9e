#define BOOST_STACKTRACE_LINK
#include "crash/crash_reporter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <boost/stacktrace.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace lv::crash {
namespace {

std::vector<std::string> g_arguments;
UserNotifier g_notifier;
bool g_reporting = false;

std::string DescribeError(std::exception_ptr error) {
    if (!error) return "the program was ended without an error (std::terminate)";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an unknown error";
    }
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string FileNameTime() {
    const std::tm local = LocalNow();
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

std::string ReadableTime() {
    const std::tm local = LocalNow();
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S %z", &local);
    return text;
}

// Writes the report; returns its path, or an empty text when no file could be written.
std::string WriteReport(const std::string& message, const std::string& trace) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    const fs::path folder = ReportFolder();
    fs::create_directories(folder, ignored);
    const fs::path file =
        folder / ("crash-" + FileNameTime() + "-" + std::to_string(::getpid()) + ".txt");
    std::ofstream out(file);
    if (!out) return {};
    out << "Error: " << message << "\n"
        << "Time: " << ReadableTime() << "\n"
        << "Command line:";
    for (const auto& a : g_arguments) out << " " << a;
    out << "\n\nStack trace:\n" << trace;
    out.flush();
    return out ? file.string() : std::string{};
}

[[noreturn]] void Report(std::exception_ptr error) {
    if (g_reporting) std::_Exit(ExitCode);  // an error while reporting: leave at once
    g_reporting = true;
    const std::string message = DescribeError(error);
    std::ostringstream trace;
    trace << boost::stacktrace::stacktrace();
    const std::string path = WriteReport(message, trace.str());
    std::fprintf(stderr, "lvcsaver: %s\n", message.c_str());
    if (!path.empty())
        std::fprintf(stderr, "lvcsaver: a crash report was written to %s\n", path.c_str());
    if (g_notifier) {
        try {
            g_notifier(message, path);
        } catch (...) {
        }
    }
    std::_Exit(ExitCode);
}

void TerminateHandler() { Report(std::current_exception()); }

}  // namespace

void Install(int argc, char** argv) {
    g_arguments.assign(argv, argv + argc);
    std::set_terminate(TerminateHandler);
}

void SetUserNotifier(UserNotifier notifier) { g_notifier = std::move(notifier); }

void ReportAndExit(std::exception_ptr error) { Report(error); }

std::string ReportFolder() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return std::string(state) + "/lvcsaver";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/state/lvcsaver";
}

}  // namespace lv::crash
