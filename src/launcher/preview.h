#pragma once

#include <string>

#include "project/project.h"

namespace lv {

// The still preview: the project's preview picture stretched (without aspect correction) onto
// the host's window, given as the decimal handle text. Returns false when the project has no
// preview picture (nothing is drawn). Waits until the host shows its window; raises lv::Error
// for a handle that is not a window number, a window that does not exist or never appears, and
// a picture that cannot be decoded.
bool DrawPreview(const Project& project, const std::string& handleText);

}  // namespace lv
