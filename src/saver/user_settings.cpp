#include "saver/user_settings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/rounding.h"
#include "project/profile_file.h"

namespace lv {

void ApplyUserSettings(TLVCProject& project, const std::string& settingsPath) {
    std::error_code ec;
    if (settingsPath.empty() || !std::filesystem::is_regular_file(settingsPath, ec)) return;
    const ProfileFile ini = ProfileFile::Load(settingsPath);
    TLVCSetting& s = project.Setting;
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
