// The engine on Windows. A built saver (.scr) is this program with a project package appended;
// the system starts it with the screensaver switches.
#include "crash/crash_reporter.h"
#include "launcher/win32/program.h"

int main(int argc, char** argv) {
    lv::crash::Install(argc, argv);
    return lv::RunProgram(argc, argv);
}
