#pragma once

#include <string>

namespace lv {

class Project;
class FormDefinitions;

// The configuration mode once the project is unpacked and loaded: shows the window built from
// the definition "MainWindow" modally and returns when it has closed. `ownPath` is the long path
// of the program's file, `firstArgument` the first command-line argument as given ("/C", or
// empty); together they decide whether the user settings file beside the program is used.
// Creates a QApplication when there is none. Build errors (no "MainWindow", a broken
// definition) propagate to the caller with the definition file named; nothing is written then.
void RunConfigurationWindow(Project& project, FormDefinitions& forms, const std::string& ownPath,
                            const std::string& firstArgument);

}  // namespace lv
