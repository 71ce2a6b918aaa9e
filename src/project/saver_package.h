#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

// A saver's package, as the builder writes it and the unpacker reads it back into a working
// folder: the outer container holds the settings container (LVC.res), the name list
// (LVFilenames.res, one project file name per line), the file container (LVFiles.res, one entry
// per name) and the form text (LVGUI.lvu). These are the fixed names of the working folder,
// together with LVFinal.res (removed at clean-up when present) and the lock file that registers
// the running instances.
inline constexpr const char* SettingsContainerName = "LVC.res";
inline constexpr const char* FileNamesName = "LVFilenames.res";
inline constexpr const char* FileContainerName = "LVFiles.res";
inline constexpr const char* FormsFileName = "LVGUI.lvu";
inline constexpr const char* FinalFileName = "LVFinal.res";
inline constexpr const char* InstancesLockName = "LVInstances.lock";

// The four entries of the outer container as files of `folder` (ending in "/"), in entry order.
std::vector<std::filesystem::path> OuterEntryPaths(const std::string& folder);

// The part of a name-list line after its last "\" or "/": lines may be full paths of the
// machine the package was made on.
std::string_view LastComponent(std::string_view line);

// The name rule of project files, which both sides share so that every package the builder
// writes unpacks. A name a project file is unpacked under must name a file inside the working
// folder (not empty, ".", ".." or holding a zero byte) and none of its fixed names in any letter
// case (a case-insensitive file system would have the project file replace it). Returns what is
// wrong with `name`, or nothing when it may be unpacked.
std::string_view UnpackedNameProblem(std::string_view name);

// The builder's side of the rule: the name also has to come back unchanged from the name list
// (no line break, no "\" or "/") and from the file-list text, where it is a key (no "=", no
// leading "[" or ";", no blank at either end), and be at most 200 bytes long.
std::string_view PackedNameProblem(std::string_view name);

// The lines of a name list: CR LF, LF or CR end a line; a final line end adds no empty line.
std::vector<std::string> ReadLines(const std::string& path);

// The file name line `lineNumber` (1-based) of the name list at `listPath` stands for: its last
// component. Raises lv::FormatError naming the list file and the line when the rule above
// refuses it, so unpacking never writes outside the working folder or over its own files.
std::string ProjectFileName(std::string_view line, size_t lineNumber, const std::string& listPath);

// Every name of the name list at `listPath`, in its order; raises as ProjectFileName does.
std::vector<std::string> ReadProjectFileNames(const std::string& listPath);

}  // namespace lv
