#pragma once

#include <string>
#include <vector>

#include "project/project.h"

namespace lv {

// Splits the package of the saver at `saverPath` into `folder` (ending in "/"): the files of the
// outer container except the file container (LVFiles.res), then the project files named in
// LVFilenames.res, taken from the file container inside the saver. Returns their paths, in that
// order. A file that already holds the same bytes is left alone, so an instance
// starting beside a running one does not replace what the other is reading. A program file
// without a package, a damaged container, a name the name rule refuses and a name list that
// does not fit the file container raise lv::Error naming the file; no file is written outside
// the folder.
std::vector<std::string> UnpackPackage(const std::string& saverPath, const std::string& folder);

// Loads `project` from the package unpacked in `folder`, then points its file list,
// PreviewFile and UIFile into the folder. A name of the file list or PreviewFile that matches
// no unpacked file exactly is taken to mean the unpacked file of that name in another letter
// case (packages made on Windows); a PreviewFile the name rule refuses means no preview picture.
void LoadUnpackedProject(Project& project, const std::string& folder);

// Deletes from `folder` the project files its name list names, the temporary files of an
// unpacking that was cut short and the fixed files (never the instances' lock file). Failures
// are ignored; only names the name rule accepts are deleted.
void RemoveUnpackedFiles(const std::string& folder);

}  // namespace lv
