// A program that fails the way an unexpected error fails in the engine, for the crash tests.
#include <stdexcept>
#include <string>

#include "crash/crash_reporter.h"

namespace {
[[gnu::noinline]] void FailDeepInside(const std::string& what) { throw std::runtime_error(what); }
}  // namespace

int main(int argc, char** argv) {
    lv::crash::Install(argc, argv);
    FailDeepInside(argc > 1 ? argv[1] : "probe failure");
    return 0;
}
