#include <sys/stat.h>

#include "platform/file_identity.h"

namespace lv::platform {

bool IsSameFile(int fd, const std::string& path) {
    struct stat held {};
    struct stat current {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &current) == 0 &&
           held.st_dev == current.st_dev && held.st_ino == current.st_ino;
}

}  // namespace lv::platform
