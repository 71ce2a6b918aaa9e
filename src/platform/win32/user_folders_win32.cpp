// The user's folders on Windows. Temporary and settings folders come from the system; paths are
// given back in their long form, so "C:\PROGRA~1\..." and "C:\Program Files\..." lead to the
// same working folder and settings file.
#include <windows.h>

#include <string>

#include "common/error.h"
#include "platform/user_folders.h"

namespace lv {
namespace {

std::string WithSeparator(std::string folder) {
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '\\';
    return folder;
}

// Calls `get(buffer, size)` with a growing buffer until the text fits; empty on failure.
template <class Get>
std::string FetchText(Get get) {
    std::string text(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length = get(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0) return {};
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(static_cast<size_t>(length) + 1);
    }
    return {};
}

std::string Environment(const char* name) {
    return FetchText([name](char* buffer, DWORD size) {
        return ::GetEnvironmentVariableA(name, buffer, size);
    });
}

std::string ApplicationDataFolder() {
    const std::string folder = Environment("APPDATA");
    if (folder.empty()) throw Error("cannot find the application data folder (%APPDATA% is not set)");
    return WithSeparator(folder);
}

}  // namespace

std::string PrivateTempFolder() {
    const std::string temp =
        FetchText([](char* buffer, DWORD size) { return ::GetTempPathA(size, buffer); });
    if (temp.empty()) throw Error("cannot find the temporary folder");
    const std::string folder = LongPath(temp);
    const DWORD attributes = ::GetFileAttributesA(temp.c_str());
    if (folder.empty() || attributes == INVALID_FILE_ATTRIBUTES)
        throw Error("the temporary folder does not exist", temp);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw Error("the temporary folder is not a folder", temp);
    // A junction or link could lead the unpacked files anywhere.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        throw Error("the temporary folder is a link; refusing to use it", temp);
    return WithSeparator(folder);
}

std::string UserConfigFolder() { return ApplicationDataFolder(); }

std::string UserDataFolder() { return ApplicationDataFolder(); }

std::string CreatorConfigFolder() {
    const std::string windows = FetchText(
        [](char* buffer, DWORD size) { return ::GetWindowsDirectoryA(buffer, size); });
    if (windows.empty()) throw Error("cannot find the Windows folder");
    return WithSeparator(windows);
}

std::string OwnExecutablePath() {
    std::string path(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return LongPath(path);
        }
        path.resize(path.size() * 2);
    }
    return {};
}

std::string LongPath(const std::string& path) {
    if (path.empty()) return {};
    const std::string full = FetchText([&path](char* buffer, DWORD size) {
        return ::GetFullPathNameA(path.c_str(), size, buffer, nullptr);
    });
    if (full.empty()) return {};
    return FetchText([&full](char* buffer, DWORD size) {
        return ::GetLongPathNameA(full.c_str(), buffer, size);
    });
}

}  // namespace lv
