// The engine. A built saver is this program with a project package appended; started with the
// screensaver switches it unpacks the package and runs the show or the configuration window.
#include "crash/crash_reporter.h"
#include "launcher/qt/program.h"

int main(int argc, char** argv) {
    lv::crash::Install(argc, argv);
    return lv::RunProgram(argc, argv);
}
