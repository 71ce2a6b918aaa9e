// The engine. A built saver is this program with a project package appended; started with the
// screensaver switches it unpacks the package and runs the show or the configuration window.
#include <cstdio>
#include <cstring>

#include "crash/crash_reporter.h"
#include "launcher/qt/program.h"

int main(int argc, char** argv) {
    // Answered before anything is unpacked, so it works on the bare engine as well as on a saver.
    if (argc == 2 &&
        (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "-version") == 0)) {
        std::printf("lvcsaver %s\n", LV_VERSION);
        return 0;
    }
    lv::crash::Install(argc, argv);
    return lv::RunProgram(argc, argv);
}
