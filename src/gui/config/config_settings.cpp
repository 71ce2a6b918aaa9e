#include "gui/config/config_settings.h"

#include <filesystem>
#include <optional>

#include "common/ascii_case.h"
#include "common/error.h"
#include "common/rounding.h"

namespace lv {

namespace {

// What the usable file holds; nothing when it is not usable or not there.
std::optional<UserSettings> ReadStored(const UserSettingsFile& file) {
    if (!file.Usable) return std::nullopt;
    return ReadUserSettings(file.Path);
}

}  // namespace

UserSettingsFile ConfigSettingsFile(const std::string& settingsPath, const std::string& ownPath,
                                    const std::string& firstArgument, const WarningFunction& warn) {
    UserSettingsFile file;
    file.Path = settingsPath;
    if (file.Path.empty()) return file;  // the program's own file is not there
    const std::string extension =
        AsciiUpperCase(std::filesystem::path(ownPath).extension().string());
    file.Usable = extension == ".SCR" || AsciiUpperCase(firstArgument) == "/C";
    if (!file.Usable) return file;
    try {
        ReadUserSettings(file.Path);
    } catch (const Error& error) {
        file.Usable = false;
        if (warn)
            warn(std::string(error.what()) +
                 "; the configuration window neither reads nor writes it");
    }
    return file;
}

int SpeedIndexOf(int speed) {
    for (int i = static_cast<int>(SpeedTable.size()) - 1; i >= 0; --i)
        if (SpeedTable[static_cast<size_t>(i)] == speed) return i;
    return -1;
}

UserSettingValues SettingsDialogValues(const ProjectSettings& project, const UserSettings& stored) {
    UserSettingValues values;
    values.ImageSize =
        stored.ImageSize.value_or(!project.Stretch ? 0 : (project.Proportional ? 2 : 1));
    values.ImageMode = stored.ImageMode.value_or(project.ShowImageMode);
    const int projectSpeed = SpeedIndexOf(project.Speed);
    values.SpeedIndex =
        stored.SpeedIndex.value_or(projectSpeed >= 0 ? projectSpeed : NormalSpeedIndex);
    values.Sound = stored.Sound.value_or(project.Sound);
    values.Music = stored.Music.value_or(project.Music);
    values.Transition = stored.Transition.value_or(project.Transition);
    values.Duration = stored.Duration.value_or(project.Duration);
    return values;
}

ReadConfigSettingsResult ReadSettingsDialogValues(const Project& project,
                                                  const UserSettingsFile& file) {
    ReadConfigSettingsResult result;
    result.Usable = file.Usable;
    result.Values =
        SettingsDialogValues(project.Setting, ReadStored(file).value_or(UserSettings()));
    return result;
}

void WriteSettingsDialogValues(const UserSettingsFile& file, const UserSettingValues& values) {
    if (!file.Usable) return;
    UserSettings settings;
    settings.ImageSize = values.ImageSize;
    settings.ImageMode = values.ImageMode;
    settings.SpeedIndex = values.SpeedIndex;
    settings.Sound = values.Sound;
    settings.Music = values.Music;
    settings.Transition = values.Transition;
    settings.Duration = values.Duration;
    WriteUserSettings(file.Path, settings);
}

void ApplyStoredSettings(Project& project, const UserSettingsFile& file) {
    if (const auto stored = ReadStored(file)) LayOverSettings(project.Setting, *stored);
}

int ReadPictureIndex(const UserSettingsFile& file, size_t pictureCount) {
    const auto stored = ReadStored(file);
    if (!stored || !stored->Index || static_cast<size_t>(*stored->Index) >= pictureCount) return 0;
    return *stored->Index;
}

std::vector<bool> ReadPictureTicks(const UserSettingsFile& file, size_t pictureCount) {
    std::vector<bool> ticks(pictureCount, true);
    const auto stored = ReadStored(file);
    if (!stored || !stored->UntickedPictures) return ticks;
    for (const size_t picture : *stored->UntickedPictures)
        if (picture < pictureCount) ticks[picture] = false;
    return ticks;
}

void WriteWindowState(const UserSettingsFile& file, int pictureIndex,
                      const std::vector<bool>* pictureTicks) {
    if (!file.Usable) return;
    UserSettings settings;
    settings.Index = pictureIndex;
    if (pictureTicks) {
        settings.UntickedPictures.emplace();
        for (size_t i = 0; i < pictureTicks->size(); ++i)
            if (!(*pictureTicks)[i]) settings.UntickedPictures->push_back(i);
    }
    WriteUserSettings(file.Path, settings);
}

}  // namespace lv
