#pragma once

namespace lv {

// The whole program run on Windows: reads the switch, creates the project and the form
// definitions, runs the mode and returns the exit code. Errors nobody catches go to the crash
// reporter.
int RunProgram(int argc, char** argv);

}  // namespace lv
