#include "launcher/instance_registration.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "common/error.h"
#include "launcher/working_folder.h"
#include "platform/file_identity.h"
#include "project/saver_package.h"

namespace lv {

namespace {

// Each retry follows the removal of the folder by another instance; a folder removed this often
// in a row means something else keeps deleting it.
constexpr int MaxRegistrationAttempts = 100;

int LockFile(int fd, int operation) {
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

}  // namespace

InstanceRegistration::InstanceRegistration(const std::string& ownPath) {
    for (int attempt = 0; attempt < MaxRegistrationAttempts; ++attempt) {
        folder_ = GetWorkingFolder(ownPath);
        const std::string path = folder_ + InstancesLockName;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            if (errno == ENOENT) continue;  // the folder went away after it was made
            throw Error(
                std::string("cannot open the instances' lock file: ") + std::strerror(errno), path);
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            throw Error("the instances' lock file is not a regular file", path);
        }
        if (LockFile(fd, LOCK_SH) != 0) {
            const int saved = errno;
            ::close(fd);
            throw Error(
                std::string("cannot lock the instances' lock file: ") + std::strerror(saved), path);
        }
        // The last instance removes the lock file while others may already wait for it.
        if (platform::IsSameFile(fd, path)) {
            fd_ = fd;
            return;
        }
        ::close(fd);
    }
    throw Error("cannot register in the working folder: it keeps being removed", folder_);
}

InstanceRegistration::~InstanceRegistration() { Close(); }

InstanceRegistration::InstanceRegistration(InstanceRegistration&& other) noexcept
    : folder_(std::move(other.folder_)), fd_(std::exchange(other.fd_, -1)) {}

InstanceRegistration& InstanceRegistration::operator=(InstanceRegistration&& other) noexcept {
    if (this != &other) {
        Close();
        folder_ = std::move(other.folder_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void InstanceRegistration::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool InstanceRegistration::Unregister(
    const std::function<void(const std::string& folder)>& removeFiles) {
    if (fd_ < 0) return false;
    // Unlocking first keeps two instances that end together from each seeing the other's shared
    // lock: whichever asks second finds none.
    LockFile(fd_, LOCK_UN);
    const std::string path = folder_ + InstancesLockName;
    // Another last instance may have removed the folder between the two calls; the file locked
    // here is then no longer in place and a newer instance may own the one that is.
    const bool last = LockFile(fd_, LOCK_EX | LOCK_NB) == 0 && platform::IsSameFile(fd_, path);
    if (last) {
        if (removeFiles) removeFiles(folder_);
        ::unlink(path.c_str());
        ::rmdir(folder_.c_str());
    }
    Close();
    return last;
}

}  // namespace lv
