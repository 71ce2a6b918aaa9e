#include "hack_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/error.h"
#include "common/file_util.h"
#include "platform/user_folders.h"

namespace lvtool {
namespace {

namespace fs = std::filesystem;

// Writes `bytes` to a new file beside `target` with the given permissions, then renames it over
// `target`; on failure the new file is removed and lv::Error names `target`.
void ReplaceFile(const fs::path& target, const std::string& bytes, mode_t permissions) {
    fs::path temp = target;
    temp += ".lvtool-" + std::to_string(::getpid());
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, permissions);
    if (fd < 0) throw lv::Error(std::string("cannot create file: ") + std::strerror(errno), target);
    // The umask may have narrowed the permissions asked for.
    bool ok = ::fchmod(fd, permissions) == 0;
    for (size_t written = 0; ok && written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) written += static_cast<size_t>(n);
    }
    ok = ::fsync(fd) == 0 && ok;
    const int saved = errno;
    if (::close(fd) != 0 || !ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = ok ? errno : saved;
        ::unlink(temp.c_str());
        throw lv::Error(std::string("cannot write file: ") + std::strerror(error), target);
    }
}

}  // namespace

std::string XscreensaverFilePath() { return lv::UserHomeFolder() + "/.xscreensaver"; }

std::string InstalledSaversFolder() { return lv::UserDataFolder() + "lorvane/savers/"; }

std::string ReadXscreensaverFile() {
    const std::string path = XscreensaverFilePath();
    std::error_code error;
    if (!fs::exists(path, error))
        throw lv::Error(
            "there is no such file yet; run xscreensaver-settings and change any "
            "setting (it then writes the file with the list of screen savers), then "
            "run this command again",
            path);
    return lv::ReadFileBytes(path);
}

void WriteXscreensaverFile(const std::string& text) {
    const std::string path = XscreensaverFilePath();
    std::error_code error;
    // A link (a dotfile kept elsewhere) stays a link: the file it points to is replaced.
    const fs::path target = fs::canonical(path, error);
    if (error) throw lv::Error("cannot find the file: " + error.message(), path);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        throw lv::Error(std::string("cannot read the file: ") + std::strerror(errno), path);
    ReplaceFile(target, text, st.st_mode & 07777);
}

bool IsInSystemFolder(const std::string& canonicalPath) {
    return canonicalPath.starts_with("/usr/") || canonicalPath.starts_with("/opt/");
}

void CopyProgramAtomically(const std::string& source, const std::string& target) {
    ReplaceFile(target, lv::ReadFileBytes(source), 0755);
}

}  // namespace lvtool
