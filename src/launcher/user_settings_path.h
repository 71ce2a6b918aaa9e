#pragma once

#include <string>

namespace lv {

// The program's file as it was started: argv[0] made absolute, its folder in long form, its own
// name kept even when it is a symbolic link. A bare name (found through PATH by whoever started
// the program) is looked up in PATH the same way. Empty when no such file exists.
std::string StartedPath(const std::string& argument0);

// The user settings file of the program started as `startedPath`: beside it, the path with its
// extension (from the last "." of the file name on) replaced by ".ini" (a name without one gets
// ".ini" appended), when that file exists or the folder is writable; otherwise the same name in
// $XDG_CONFIG_HOME/lorvane/, because an installed saver's folder belongs to the system. A link
// in the user's own folder keeps its settings beside the link. Empty when the program's file
// cannot be found.
std::string UserSettingsPath(const std::string& startedPath);

}  // namespace lv
