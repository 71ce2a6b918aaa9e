#include "project/user_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/error.h"
#include "common/rounding.h"
#include "project/profile_file.h"

namespace lv {

namespace {

constexpr const char* SettingSection = "Setting";
constexpr const char* FilesSection = "Files";

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

// The file's text; nothing when there is no file.
std::optional<std::string> ReadText(const std::string& path) {
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
    if (!reason.empty()) throw Error("cannot read the user settings file (" + reason + ")", path);
    return text;
}

std::optional<int> IntegerIn(const ProfileFile& ini, const char* key, int32_t low, int32_t high) {
    int32_t value = 0;
    if (!ParseProfileInteger(ini.ReadString(SettingSection, key, ""), value)) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::optional<bool> Boolean(const ProfileFile& ini, const char* key) {
    int32_t value = 0;
    if (!ParseProfileInteger(ini.ReadString(SettingSection, key, ""), value)) return std::nullopt;
    return value != 0;
}

// A [Files] key names a picture by its index in plain decimal digits; a sign, a blank or a hex
// prefix makes it no index at all.
std::optional<size_t> PictureKey(const std::string& key) {
    if (key.empty() || key.size() > 9) return std::nullopt;
    size_t value = 0;
    for (const char c : key) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<size_t>(c - '0');
    }
    return value;
}

constexpr int32_t MaxInt = 0x7FFFFFFF;

}  // namespace

std::optional<UserSettings> ReadUserSettings(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::optional<std::string> text = ReadText(path);
    if (!text) return std::nullopt;
    const ProfileFile ini = ProfileFile::Parse(*text);
    UserSettings stored;
    stored.ImageSize = IntegerIn(ini, "ImageSize", 0, ImageSizeChoices - 1);
    stored.ImageMode = IntegerIn(ini, "ImageMode", 0, ImageModeChoices - 1);
    stored.SpeedIndex = IntegerIn(ini, "Speed", 0, static_cast<int32_t>(SpeedTable.size()) - 1);
    stored.Sound = Boolean(ini, "Sound");
    stored.Music = Boolean(ini, "Music");
    stored.Transition = Boolean(ini, "Transition");
    // A picture must stay at least a moment.
    stored.Duration = IntegerIn(ini, "Duration", 1, MaxInt);
    stored.Index = IntegerIn(ini, "Index", 0, MaxInt);
    stored.UntickedPictures.emplace();
    for (const auto& key : ini.ReadSectionKeys(FilesSection))
        if (const auto picture = PictureKey(key)) stored.UntickedPictures->push_back(*picture);
    return stored;
}

void WriteUserSettings(const std::string& path, const UserSettings& settings) {
    ProfileFile ini = ProfileFile::Load(path);
    const auto number = [&](const char* key, const std::optional<int>& value) {
        if (value) ini.WriteString(SettingSection, key, std::to_string(*value));
    };
    const auto flag = [&](const char* key, const std::optional<bool>& value) {
        if (value) ini.WriteString(SettingSection, key, *value ? "1" : "0");
    };
    number("ImageSize", settings.ImageSize);
    number("ImageMode", settings.ImageMode);
    number("Speed", settings.SpeedIndex);
    flag("Sound", settings.Sound);
    flag("Music", settings.Music);
    flag("Transition", settings.Transition);
    number("Duration", settings.Duration);
    number("Index", settings.Index);
    if (settings.UntickedPictures) {
        ini.EraseSection(FilesSection);
        for (const size_t picture : *settings.UntickedPictures)
            ini.WriteString(FilesSection, std::to_string(picture), "");
    }
    // An installed saver's settings live in the user's configuration folder, which may not hold
    // the program's folder yet; a failure here shows as the save's own error.
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    ini.Save(path);
}

void LayOverSettings(ProjectSettings& settings, const UserSettings& stored) {
    settings.ShowImageMode = stored.ImageMode.value_or(settings.ShowImageMode);
    settings.Duration = stored.Duration.value_or(settings.Duration);
    settings.Sound = stored.Sound.value_or(settings.Sound);
    settings.Music = stored.Music.value_or(settings.Music);
    settings.Transition = stored.Transition.value_or(settings.Transition);
    if (stored.SpeedIndex) settings.Speed = SpeedTable[static_cast<size_t>(*stored.SpeedIndex)];
    if (stored.ImageSize) {
        settings.Stretch = *stored.ImageSize > 0;
        settings.Proportional = *stored.ImageSize == 2;
    }
}

void ApplyUserSettings(Project& project, const UserSettings& stored) {
    LayOverSettings(project.Setting, stored);
    auto& enabled = project.FileList.Enabled;
    // The picture list and its on/off states normally have one length; never trust that.
    const size_t pictures = std::min(project.FileList.Files.size(), enabled.size());
    if (project.Setting.ShowImageMode == 3 && pictures > 0) {
        const size_t index = stored.Index && static_cast<size_t>(*stored.Index) < pictures
                                 ? static_cast<size_t>(*stored.Index)
                                 : 0;
        if (enabled[index] == "TRUE") {
            for (auto& state : enabled) state = "FALSE";
            enabled[index] = "TRUE";
        }
    }
    if (project.Setting.ShowImageMode == 2 && stored.UntickedPictures) {
        for (const size_t picture : *stored.UntickedPictures)
            if (picture < pictures) enabled[picture] = "FALSE";
    }
}

}  // namespace lv
