#include "gui/config/config_settings.h"

#include <filesystem>

#include "common/ascii_case.h"
#include "common/rounding.h"
#include "launcher/working_folder.h"
#include "project/profile_file.h"
#include "saver/user_settings.h"

namespace lv {

namespace {

constexpr const char* SettingSection = "Setting";
constexpr const char* FilesSection = "Files";

const char* BoolText(bool value) { return value ? "1" : "0"; }

// The file's lines, none when it is missing or has become unreadable since it was checked.
ProfileFile LoadUserSettings(const UserSettingsFile& file) {
    return LoadUserSettingsFile(file.Path, WarnOnStandardError).value_or(ProfileFile());
}

}  // namespace

UserSettingsFile ConfigSettingsFile(const std::string& ownPath, const std::string& firstArgument,
                                    const WarningFunction& warn) {
    UserSettingsFile file;
    file.Path = UserSettingsPath(ownPath);
    if (file.Path.empty()) return file;  // the program's own file is not there
    const std::string extension =
        AsciiUpperCase(std::filesystem::path(ownPath).extension().string());
    file.Usable = extension == ".SCR" || AsciiUpperCase(firstArgument) == "/C";
    if (file.Usable) {
        bool unreadable = false;
        LoadUserSettingsFile(file.Path, [&](const std::string& message) {
            unreadable = true;
            if (warn) warn(message);
        });
        file.Usable = !unreadable;
    }
    return file;
}

int SpeedIndexOf(int speed) {
    for (int i = static_cast<int>(SpeedTable.size()) - 1; i >= 0; --i)
        if (SpeedTable[static_cast<size_t>(i)] == speed) return i;
    return -1;
}

UserSettingValues ProjectConfigSettings(const Project& project) {
    const ProjectSettings& s = project.Setting;
    UserSettingValues values;
    values.ImageMode = s.ShowImageMode;
    const int speedIndex = SpeedIndexOf(s.Speed);
    values.SpeedIndex = speedIndex >= 0 ? speedIndex : NormalSpeedIndex;
    values.KeepProjectSpeed = speedIndex < 0;
    values.Sound = s.Sound;
    values.Music = s.Music;
    values.Transition = s.Transition;
    values.Duration = s.Duration;
    values.ImageSize = !s.Stretch ? 0 : (s.Proportional ? 2 : 1);
    return values;
}

ReadConfigSettingsResult ReadUserSettings(const Project& project, const UserSettingsFile& file) {
    ReadConfigSettingsResult result;
    result.Values = ProjectConfigSettings(project);
    if (!file.Usable) return result;
    result.Usable = true;

    const ProfileFile ini = LoadUserSettings(file);
    UserSettingValues& v = result.Values;
    const int32_t imageSize = ini.ReadInteger(SettingSection, "ImageSize", -1);
    if (imageSize >= 0 && imageSize < ImageSizeChoices) v.ImageSize = imageSize;
    const int32_t imageMode = ini.ReadInteger(SettingSection, "ImageMode", -1);
    if (imageMode >= 0 && imageMode < ImageModeChoices) v.ImageMode = imageMode;
    const int32_t speed = ini.ReadInteger(SettingSection, "Speed", -1);
    if (speed >= 0 && static_cast<size_t>(speed) < SpeedTable.size()) {
        v.SpeedIndex = speed;
        v.KeepProjectSpeed = false;
    }
    v.Sound = ini.ReadBool(SettingSection, "Sound", v.Sound);
    v.Music = ini.ReadBool(SettingSection, "Music", v.Music);
    v.Transition = ini.ReadBool(SettingSection, "Transition", v.Transition);
    // A picture must stay at least a moment; a zero or negative duration reads as missing.
    const int32_t duration = ini.ReadInteger(SettingSection, "Duration", v.Duration);
    if (duration > 0) v.Duration = duration;
    return result;
}

void WriteUserSettings(const UserSettingsFile& file, const UserSettingValues& values) {
    if (!file.Usable) return;
    ProfileFile ini = ProfileFile::Load(file.Path);
    ini.WriteString(SettingSection, "ImageSize", std::to_string(values.ImageSize));
    ini.WriteString(SettingSection, "ImageMode", std::to_string(values.ImageMode));
    ini.WriteString(SettingSection, "Speed", std::to_string(values.SpeedIndex));
    ini.WriteString(SettingSection, "Sound", BoolText(values.Sound));
    ini.WriteString(SettingSection, "Music", BoolText(values.Music));
    ini.WriteString(SettingSection, "Transition", BoolText(values.Transition));
    ini.WriteString(SettingSection, "Duration", std::to_string(values.Duration));
    ini.Save(file.Path);
}

void ApplyConfigSettings(Project& project, const UserSettingValues& values) {
    ProjectSettings& s = project.Setting;
    s.ShowImageMode = values.ImageMode;
    s.Duration = values.Duration;
    s.Sound = values.Sound;
    s.Music = values.Music;
    s.Transition = values.Transition;
    if (!values.KeepProjectSpeed && values.SpeedIndex >= 0 &&
        static_cast<size_t>(values.SpeedIndex) < SpeedTable.size())
        s.Speed = SpeedTable[static_cast<size_t>(values.SpeedIndex)];
    s.Stretch = values.ImageSize > 0;
    s.Proportional = values.ImageSize == 2;
}

int ReadPictureIndex(const UserSettingsFile& file, size_t pictureCount) {
    if (!file.Usable) return 0;
    const int32_t index = LoadUserSettings(file).ReadInteger(SettingSection, "Index", 0);
    if (index < 0 || static_cast<size_t>(index) >= pictureCount) return 0;
    return index;
}

std::vector<bool> ReadPictureTicks(const UserSettingsFile& file, size_t pictureCount) {
    std::vector<bool> ticks(pictureCount, true);
    if (!file.Usable) return ticks;
    size_t picture = 0;
    for (const auto& key : LoadUserSettings(file).ReadSectionKeys(FilesSection))
        if (PictureKeyIndex(key, pictureCount, picture)) ticks[picture] = false;
    return ticks;
}

void WriteWindowState(const UserSettingsFile& file, int pictureIndex,
                      const std::vector<bool>* pictureTicks) {
    if (!file.Usable) return;
    ProfileFile ini = ProfileFile::Load(file.Path);
    ini.WriteString(SettingSection, "Index", std::to_string(pictureIndex));
    if (pictureTicks) {
        ini.EraseSection(FilesSection);
        for (size_t i = 0; i < pictureTicks->size(); ++i)
            if (!(*pictureTicks)[i]) ini.WriteString(FilesSection, std::to_string(i), "");
    }
    ini.Save(file.Path);
}

}  // namespace lv
