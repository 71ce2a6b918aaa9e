#include "platform/user_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/error.h"

namespace lv {

namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    }
    if (home.empty()) throw Error("cannot find the home folder ($HOME is not set)");
    return home;
}

enum class Openness { MayBeShared, MustBePrivate };

void CheckOwnFolder(const std::string& folder, Openness openness) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0)
        throw Error(std::string("cannot use the temporary folder: ") + std::strerror(errno),
                    folder);
    if (S_ISLNK(st.st_mode))
        throw Error("the temporary folder is a symbolic link; refusing to use it", folder);
    if (!S_ISDIR(st.st_mode)) throw Error("the temporary folder is not a folder", folder);
    if (st.st_uid != ::geteuid())
        throw Error("the temporary folder belongs to another user; refusing to use it", folder);
    if (openness == Openness::MustBePrivate && (st.st_mode & 077) != 0)
        throw Error("the temporary folder is open to other users; refusing to use it", folder);
}

}  // namespace

std::string PrivateTempFolder() {
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    if (!runtime.empty()) {
        // The session's runtime folder is private by contract; still make sure it is ours.
        CheckOwnFolder(runtime, Openness::MayBeShared);
        return WithSlash(runtime);
    }
    std::string base = Environment("TMPDIR");
    if (base.empty()) base = "/tmp";
    const std::string folder = WithSlash(base) + "lvcsaver-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throw Error(std::string("cannot create the temporary folder: ") + std::strerror(errno),
                    folder);
    CheckOwnFolder(folder, Openness::MustBePrivate);
    return WithSlash(folder);
}

std::string UserConfigFolder() {
    const std::string config = Environment("XDG_CONFIG_HOME");
    return WithSlash(config.empty() ? HomeFolder() + "/.config" : config);
}

std::string UserDataFolder() {
    const std::string data = Environment("XDG_DATA_HOME");
    return WithSlash(data.empty() ? HomeFolder() + "/.local/share" : data);
}

std::string CreatorConfigFolder() { return UserConfigFolder(); }

std::string OwnExecutablePath() {
    std::error_code ec;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

std::string LongPath(const std::string& path) {
    if (path.empty()) return {};
    std::error_code ec;
    const auto canonical = std::filesystem::canonical(path, ec);
    return ec ? std::string() : canonical.string();
}

}  // namespace lv
