#include "launcher/working_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/error.h"
#include "platform/user_folders.h"
#include "project/saver_package.h"
#include "project/saver_unpacker.h"

namespace lv {
std::string ExpandLongPath(const std::string& path) { return LongPath(path); }

std::string WorkingFolderBaseName(const std::string& longPath) {
    const std::string_view name = LastComponent(longPath);
    return std::string(name.substr(0, name.find('.')));
}

std::string WorkingFolderPath(const std::string& ownPath) {
    const std::string longPath = ExpandLongPath(ownPath);
    if (longPath.empty()) throw Error("cannot find the program's own file", ownPath);
    const std::string base = WorkingFolderBaseName(longPath);
    if (base.empty())
        throw Error("the program's file name gives no working folder name (it starts with a dot)",
                    longPath);
    return PrivateTempFolder() + base + "/";
}

std::string GetWorkingFolder(const std::string& ownPath) {
    const std::string folder = WorkingFolderPath(ownPath);
    const std::string bare = folder.substr(0, folder.size() - 1);
    if (::mkdir(bare.c_str(), 0700) != 0 && errno != EEXIST)
        throw Error(std::string("cannot create the working folder: ") + std::strerror(errno),
                    bare);
    // The folder may be left over from an earlier run; it is used only while it is still a
    // real folder of this user that nobody else can write into.
    struct stat st {};
    if (::lstat(bare.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw Error("the working folder is not a folder; refusing to use it", bare);
    if (st.st_uid != ::geteuid())
        throw Error("the working folder belongs to another user; refusing to use it", bare);
    if ((st.st_mode & 022) != 0)
        throw Error("the working folder is open to other users; refusing to use it", bare);
    return folder;
}

InstanceRegistration ExtractProject(Project& project, const std::string& ownPath) {
    InstanceRegistration registration(ownPath);
    try {
        UnpackPackage(ExpandLongPath(ownPath), registration.Folder());
        LoadUnpackedProject(project, registration.Folder());
    } catch (const Error&) {
        // Nothing of a package that cannot be read is of use to anyone.
        registration.Unregister(RemoveUnpackedFiles);
        throw;
    }
    return registration;
}

void RemoveProjectFiles(const Project& /*project*/, InstanceRegistration& registration) {
    registration.Unregister(RemoveUnpackedFiles);
}

std::string UserSettingsPath(const std::string& ownPath) {
    const std::string longPath = ExpandLongPath(ownPath);
    if (longPath.empty()) return {};
    const size_t slash = longPath.find_last_of("/\\");
    const size_t dot = longPath.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return longPath + ".ini";
    return longPath.substr(0, dot) + ".ini";
}

}  // namespace lv
