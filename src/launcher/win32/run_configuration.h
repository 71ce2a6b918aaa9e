#pragma once

#include <string>

namespace lv {

class FormDefinitions;
class Project;

// The configuration mode (/C or no switch): unpacks the project, shows the window built from
// the definition named "MainWindow" until it is closed, then removes the unpacked files.
// `firstArgument` is the command line's first argument as given. Returns the exit code.
int RunConfiguration(Project& project, FormDefinitions& forms, const std::string& ownPath,
                     const std::string& firstArgument);

}  // namespace lv
