// The engine. A built saver is this program with a project package appended; started with the
// screensaver switches it unpacks the package and runs the show or the configuration window.
#include <cstdio>

#include "crash/crash_reporter.h"

int main(int argc, char** argv) {
    lv::crash::Install(argc, argv);
    std::fprintf(stderr, "lvcsaver: run modes are not built yet\n");
    return 0;
}
