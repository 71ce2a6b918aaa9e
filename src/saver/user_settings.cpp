#include "saver/user_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/rounding.h"

namespace lv {

namespace {

// Reads the whole file at `fd`; an empty text with `reason` set when that fails.
std::string ReadAll(int fd, std::string& reason) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            reason = std::strerror(errno);
            return {};
        }
        if (n == 0) return text;
        text.append(buffer, static_cast<size_t>(n));
    }
}

}  // namespace

std::optional<ProfileFile> LoadUserSettingsFile(const std::string& path,
                                                const WarningFunction& warn) {
    if (path.empty()) return std::nullopt;
    // Non-blocking, so a pipe put there cannot stall the start; it is refused below anyway.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    std::string reason;
    std::string text;
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
        reason = std::strerror(errno);
    } else {
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            reason = std::strerror(errno);
        else if (S_ISDIR(st.st_mode))
            reason = "a folder is in its place";
        else if (!S_ISREG(st.st_mode))
            reason = "it is not a regular file";
        else
            text = ReadAll(fd, reason);
        ::close(fd);
    }
    if (!reason.empty()) {
        if (warn)
            warn("cannot read the user settings file " + path + " (" + reason +
                 "); the saver's own settings are used");
        return std::nullopt;
    }
    return ProfileFile::Parse(text);
}

void ApplyUserSettings(Project& project, const std::string& settingsPath,
                       const WarningFunction& warn) {
    const std::optional<ProfileFile> file = LoadUserSettingsFile(settingsPath, warn);
    if (!file) return;
    const ProfileFile& ini = *file;
    ProjectSettings& s = project.Setting;
    auto& enabled = project.FileList.Enabled;

    const int32_t imageSize = ini.ReadInteger("Setting", "ImageSize", -1);
    const int32_t imageMode = ini.ReadInteger("Setting", "ImageMode", s.ShowImageMode);
    const int32_t speed = ini.ReadInteger("Setting", "Speed", -1);
    const bool sound = ini.ReadBool("Setting", "Sound", s.Sound);
    const bool music = ini.ReadBool("Setting", "Music", s.Music);
    const bool transition = ini.ReadBool("Setting", "Transition", s.Transition);
    const int32_t duration = ini.ReadInteger("Setting", "Duration", s.Duration);
    int32_t index = ini.ReadInteger("Setting", "Index", 0);
    const auto unticked = ini.ReadSectionKeys("Files");

    // The picture list and its on/off states normally have one length; never trust that.
    const size_t pictures = std::min(project.FileList.Files.size(), enabled.size());
    if (index < 0 || static_cast<size_t>(index) >= pictures) index = 0;

    if (imageMode == 3 && pictures > 0 && enabled[static_cast<size_t>(index)] == "TRUE") {
        for (auto& state : enabled) state = "FALSE";
        enabled[static_cast<size_t>(index)] = "TRUE";
    }
    if (imageMode == 2) {
        size_t picture = 0;
        for (const auto& key : unticked)
            if (PictureKeyIndex(key, pictures, picture)) enabled[picture] = "FALSE";
    }

    s.ShowImageMode = imageMode;
    s.Duration = duration;
    s.Sound = sound;
    s.Music = music;
    s.Transition = transition;
    if (speed >= 0 && static_cast<size_t>(speed) < SpeedTable.size())
        s.Speed = SpeedTable[static_cast<size_t>(speed)];
    if (imageSize != -1) {
        s.Stretch = imageSize > 0;
        s.Proportional = imageSize == 2;
    }
}

bool PictureKeyIndex(const std::string& key, size_t count, size_t& index) {
    if (key.empty() || key.size() > 9) return false;
    size_t value = 0;
    for (const char c : key) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<size_t>(c - '0');
    }
    if (value >= count) return false;
    index = value;
    return true;
}

}  // namespace lv
