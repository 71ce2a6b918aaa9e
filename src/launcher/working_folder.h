#pragma once

#include <string>

#include "launcher/instance_registration.h"
#include "project/project.h"

namespace lv {

// The canonical absolute path of an existing file (symbolic links and "." / ".." resolved), or
// the empty text when nothing exists there. Every name derived from the program's own path
// starts from it, so every way of starting a saver leads to the same folders.
std::string ExpandLongPath(const std::string& path);

// The last component of a long path cut before its first ".": Sea.Saver.scr gives Sea.
std::string WorkingFolderBaseName(const std::string& longPath);

// The private temporary folder + the base name of the program's own file + "/". Raises lv::Error
// when the program's file cannot be found or its name gives no base name. `GetWorkingFolder`
// creates the folder (mode 0700) when it does not exist and refuses a symbolic link there.
std::string WorkingFolderPath(const std::string& ownPath);
std::string GetWorkingFolder(const std::string& ownPath);

// Registers this instance in the working folder of the saver at `ownPath`, unpacks the saver
// there and loads `project` from it (UnpackPackage, LoadUnpackedProject). A program file without
// a package, a damaged container and a name list that does not fit the file container raise
// lv::Error naming the file, after removing what was unpacked when no other instance is
// registered; no file is written outside the working folder. The registration lasts as long as
// the returned object.
[[nodiscard]] InstanceRegistration ExtractProject(Project& project, const std::string& ownPath);

// Ends the registration; when no other instance is registered, deletes the unpacked files
// (RemoveUnpackedFiles), then the working folder. Failures are ignored.
void RemoveProjectFiles(const Project& project, InstanceRegistration& registration);

}  // namespace lv
