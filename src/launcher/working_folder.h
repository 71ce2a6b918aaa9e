#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "launcher/instance_registration.h"
#include "project/project.h"

namespace lv {

// Fixed names of the files extraction writes into the working folder, besides the project's own.
inline constexpr const char* SettingsContainerName = "LVC.res";
inline constexpr const char* FileNamesName = "LVFilenames.res";
inline constexpr const char* FileContainerName = "LVFiles.res";
inline constexpr const char* FormsFileName = "LVGUI.lvu";
inline constexpr const char* FinalFileName = "LVFinal.res";

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

// The lines of a name list: CR LF, LF or CR end a line; a final line end adds no empty line.
std::vector<std::string> ReadLines(const std::string& path);

// The file name a line of LVFilenames.res stands for: its last component after the last "\" or
// "/". Raises lv::FormatError naming the list file and the line (1-based) when that is empty,
// "." or "..", holds a zero byte, or is one of the fixed names above or the instances' lock
// file: unpacking must never write outside the working folder or over its own files.
std::string ProjectFileName(std::string_view line, size_t lineNumber, const std::string& listPath);

// Splits the package of the saver at `saverPath` into `folder` (ending in "/"): the four files
// of the outer container, then the project files named in LVFilenames.res. Returns their paths,
// in that order. A file that already holds the same bytes is left alone, so an instance
// starting beside a running one does not replace what the other is reading.
std::vector<std::string> UnpackPackage(const std::string& saverPath, const std::string& folder);

// Registers this instance in the working folder of the saver at `ownPath`, unpacks the saver
// there and loads `project` from it, then points the project's file list, PreviewFile and
// UIFile into the working folder. A name of the file list or PreviewFile that matches no
// unpacked file exactly is taken to mean the unpacked file of that name in another letter case
// (packages made on Windows). A program file without a package, a damaged container and a name
// list that does not fit the file container raise lv::Error naming the file, after removing what
// was unpacked when no other instance is registered; no file is written outside the working
// folder. The registration lasts as long as the returned object.
[[nodiscard]] InstanceRegistration ExtractProject(Project& project, const std::string& ownPath);

// Ends the registration; when no other instance is registered, deletes the unpacked files (and
// the temporary files of an unpacking that was cut short), then the working folder. Failures
// are ignored. Only names that extraction would accept are deleted.
void RemoveProjectFiles(const Project& project, InstanceRegistration& registration);

// The user settings file: the long path of the program with its extension (from the last "." of
// the file name on) replaced by ".ini"; a file name without an extension gets ".ini" appended.
// Empty when the program's file cannot be found.
std::string UserSettingsPath(const std::string& ownPath);

}  // namespace lv
