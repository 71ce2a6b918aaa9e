#include "launcher/user_settings_path.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "launcher/working_folder.h"
#include "platform/user_folders.h"

namespace lv {
namespace fs = std::filesystem;

namespace {

bool IsExecutableFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.string().c_str(), X_OK) == 0;
}

// The first PATH entry holding an executable `name`, as execvp finds it.
fs::path FindInSearchPath(const std::string& name) {
    const char* value = std::getenv("PATH");
    const std::string_view path = value ? value : "";
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string_view::npos) end = path.size();
        // An empty entry means the current folder.
        const fs::path folder(end == start ? "." : std::string(path.substr(start, end - start)));
        if (IsExecutableFile(folder / name)) return folder / name;
        start = end + 1;
    }
    return {};
}

}  // namespace

std::string StartedPath(const std::string& argument0) {
    if (argument0.empty()) return {};
    const fs::path given = argument0.find('/') == std::string::npos ? FindInSearchPath(argument0)
                                                                    : fs::path(argument0);
    std::error_code error;
    if (given.empty() || !fs::exists(given, error)) return {};
    const fs::path absolute = fs::absolute(given, error).lexically_normal();
    if (error || !absolute.has_filename()) return {};
    const std::string folder = ExpandLongPath(absolute.parent_path().string());
    if (folder.empty()) return {};
    return (fs::path(folder) / absolute.filename()).string();
}

std::string UserSettingsPath(const std::string& startedPath) {
    std::error_code error;
    if (startedPath.empty() || !fs::exists(startedPath, error)) return {};
    const fs::path path(startedPath);
    const std::string name = path.filename().string();
    const size_t dot = name.rfind('.');
    const std::string iniName = (dot == std::string::npos ? name : name.substr(0, dot)) + ".ini";
    const fs::path beside = path.parent_path() / iniName;
    if (KeepBesideProgram(beside.string(), AccessOfFolder(path.parent_path().string())))
        return beside.string();
    return UserConfigFolder() + "lorvane/" + iniName;
}

}  // namespace lv
