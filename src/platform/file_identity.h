#pragma once

#include <string>

namespace lv::platform {

// Whether the file open at `fd` is still the one at `path`, and not one made anew there since
// (another program may have deleted and created it again meanwhile). False when `path` names
// nothing.
bool IsSameFile(int fd, const std::string& path);

}  // namespace lv::platform
