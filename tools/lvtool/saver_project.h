#pragma once

#include <string>

#include "project/project.h"

namespace lvtool {

// Loads the project settings of a saver (from its appended package, through a scratch folder
// removed again) or of an unpacked LVC.res. Raises lv::FormatError naming the file when it
// holds neither.
void LoadSaverProject(lv::Project& project, const std::string& path);

}  // namespace lvtool
