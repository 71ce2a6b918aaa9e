// A program that dies of an access violation after installing the crash reporter, for the
// Windows crash test: the unhandled exception filter must report it.
#include "crash/crash_reporter.h"

namespace {
// Volatile, so the compiler cannot see that the write goes nowhere.
int* volatile g_nowhere = nullptr;
[[gnu::noinline]] void WriteThroughNull() { *g_nowhere = 1; }
}  // namespace

int main(int argc, char** argv) {
    lv::crash::Install(argc, argv);
    WriteThroughNull();
    return 0;
}
