#pragma once

#include <string>
#include <variant>
#include <vector>

namespace lv {

// The project's picture list: file names in show order and their stored on/off state.
struct ProjectFileList {
    std::vector<std::string> Files;
    std::vector<std::string> Enabled;  // "TRUE" or "FALSE", one per entry of Files

    void Load(const std::string& iniPath);
};

// One field per key of the project's settings text, with the defaults a missing key keeps.
struct ProjectSettings {
    // [General]
    std::string ProductName;
    std::string Publisher;
    std::string Website;
    // [Default]
    bool Stretch = true;
    bool Proportional = false;
    bool Sound = true;
    bool Music = true;
    bool Animation = true;
    bool Random = true;
    int Duration = 30;
    bool Transition = true;
    bool Zoom = false;
    bool LivingZoom = false;
    int ZoomDuration = 5;
    bool AutoWallpaper = false;
    int Speed = 100;
    // [Advance]
    std::string PreviewFile;
    // [Default]
    int ShowImageMode = 0;
    // [Advance]
    std::string MusicFile;
    int MusicMode = 0;
    // [Build]
    int BuildMethod = 1;
    bool BuildSmallThumbs = true;
    std::string BuildFileName;
    std::string BuildInstall;
    std::string BuildIcon;

    void Load(const std::string& iniPath);
};

// One key of the project's settings text and the field of ProjectSettings that holds it; in field
// order. Loaders and printers walk this table instead of repeating the key list.
struct SettingKey {
    const char* Section;
    const char* Key;
    std::variant<std::string ProjectSettings::*, int ProjectSettings::*, bool ProjectSettings::*>
        Field;
};
const std::vector<SettingKey>& SettingKeys();

struct ProjectUiSettings {
    std::string UIFile;

    void Load(const std::string& iniPath);
};

// The loaded project: created with defaults, filled once from LVC.res, then read (and partly
// overwritten in memory) by the show and the configuration window.
class Project {
public:
    ProjectFileList FileList;
    ProjectSettings Setting;
    ProjectUiSettings UISetting;

    // Splits the settings container at `lvcResPath` into three short-lived files in the
    // private temporary folder ("LV" + name up to its last dot + "~1.tmp", "~2.tmp", "~3.tmp"),
    // loads them and deletes them again, also when loading fails. A file that is not a
    // settings container raises lv::FormatError naming it.
    void Load(const std::string& lvcResPath);
};

}  // namespace lv
