#pragma once

#include <string>

namespace lv::platform {

// Whether the file open at `fd` is still the one `path` names: neither removed nor replaced
// since it was opened. Linux compares device and inode numbers; Windows, which has no inode
// number in stat(), the volume serial number and file index the system keeps for each file.
bool IsSameFile(int fd, const std::string& path);

}  // namespace lv::platform
