// The crash reporter on Windows: a C++ terminate handler for escaped exceptions and an
// unhandled exception filter for access violations and the like. The report's stack comes from
// CaptureStackBackTrace, with names wherever dbghelp finds symbols for an address.
#include <windows.h>
// dbghelp.h needs windows.h first.
#include <dbghelp.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "crash/crash_reporter.h"

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

std::string DescribeException(const EXCEPTION_RECORD& record) {
    char text[128];
    switch (record.ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
        std::snprintf(text, sizeof text, "access violation at address %p",
                      record.ExceptionAddress);
        break;
    case EXCEPTION_STACK_OVERFLOW:
        std::snprintf(text, sizeof text, "stack overflow");
        break;
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
        std::snprintf(text, sizeof text, "integer division by zero at address %p",
                      record.ExceptionAddress);
        break;
    default:
        std::snprintf(text, sizeof text, "exception 0x%08lX at address %p",
                      static_cast<unsigned long>(record.ExceptionCode), record.ExceptionAddress);
    }
    return text;
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
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
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// One line per frame: the address, and the function's name with its offset where dbghelp
// knows it (a release build without symbols gives addresses only).
std::string StackTrace() {
    void* frames[62];
    const USHORT count = ::CaptureStackBackTrace(0, 62, frames, nullptr);
    const HANDLE process = ::GetCurrentProcess();
    ::SymSetOptions(SYMOPT_UNDNAME | SYMOPT_DEFERRED_LOADS);
    const bool symbols = ::SymInitialize(process, nullptr, TRUE);
    alignas(SYMBOL_INFO) char storage[sizeof(SYMBOL_INFO) + 256]{};
    auto* symbol = reinterpret_cast<SYMBOL_INFO*>(storage);
    std::ostringstream out;
    for (USHORT i = 0; i < count; ++i) {
        const auto address = reinterpret_cast<DWORD64>(frames[i]);
        char line[400];
        symbol->SizeOfStruct = sizeof(SYMBOL_INFO);
        symbol->MaxNameLen = 255;
        DWORD64 displacement = 0;
        if (symbols && ::SymFromAddr(process, address, &displacement, symbol))
            std::snprintf(line, sizeof line, "%2u# 0x%016llx %s+0x%llx\n", i,
                          static_cast<unsigned long long>(address), symbol->Name,
                          static_cast<unsigned long long>(displacement));
        else
            std::snprintf(line, sizeof line, "%2u# 0x%016llx\n", i,
                          static_cast<unsigned long long>(address));
        out << line;
    }
    if (symbols) ::SymCleanup(process);
    return out.str();
}

// Writes the report; returns its path, or an empty text when no file could be written.
std::string WriteReport(const std::string& message, const std::string& trace) {
    namespace fs = std::filesystem;
    const std::string folder = ReportFolder();
    if (folder.empty()) return {};
    std::error_code ignored;
    fs::create_directories(fs::u8path(folder), ignored);
    const std::string file = folder + "\\crash-" + FileNameTime() + "-" +
                             std::to_string(::GetCurrentProcessId()) + ".txt";
    std::ofstream out(fs::u8path(file));
    if (!out) return {};
    out << "Error: " << message << "\n"
        << "Time: " << ReadableTime() << "\n"
        << "Command line:";
    for (const auto& a : g_arguments) out << " " << a;
    out << "\n\nStack trace:\n" << trace;
    out.flush();
    return out ? file : std::string{};
}

[[noreturn]] void Report(const std::string& message) {
    if (g_reporting) ::ExitProcess(ExitCode);  // an error while reporting: leave at once
    g_reporting = true;
    const std::string path = WriteReport(message, StackTrace());
    std::fprintf(stderr, "lvcsaver: %s\n", message.c_str());
    if (!path.empty())
        std::fprintf(stderr, "lvcsaver: a crash report was written to %s\n", path.c_str());
    std::fflush(stderr);
    if (g_notifier) {
        try {
            g_notifier(message, path);
        } catch (...) {
        }
    }
    ::ExitProcess(ExitCode);
}

void TerminateHandler() { Report(DescribeError(std::current_exception())); }

LONG WINAPI UnhandledExceptionFilter(EXCEPTION_POINTERS* pointers) {
    Report(DescribeException(*pointers->ExceptionRecord));
}

}  // namespace

void Install(int argc, char** argv) {
    g_arguments.assign(argv, argv + argc);
    std::set_terminate(TerminateHandler);
    ::SetUnhandledExceptionFilter(UnhandledExceptionFilter);
}

void SetUserNotifier(UserNotifier notifier) { g_notifier = std::move(notifier); }

void ReportAndExit(std::exception_ptr error) { Report(DescribeError(error)); }

std::string ReportFolder() {
    char local[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableA("LOCALAPPDATA", local, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(local) + "\\lorvane";
}

}  // namespace lv::crash
