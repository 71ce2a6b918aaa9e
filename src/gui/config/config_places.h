#pragma once

#include <string>

#include "gui/config/config_settings.h"

namespace lv {

// Where a configuration run keeps its files; every window the run opens gets the same values,
// whatever toolkit draws it.
struct ConfigPlaces {
    std::string OwnPath;        // the program's file as started; WallpaperPath names the wallpaper
    std::string WorkingFolder;  // where the project's files were unpacked
    // The user settings file, checked once per run so that a bad one is reported once.
    UserSettingsFile SettingsFile;
};

}  // namespace lv
