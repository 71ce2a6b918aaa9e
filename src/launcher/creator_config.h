#pragma once

#include <string>

#include "project/profile_file.h"

namespace lv {

// The creator tool's configuration file "Lorvane.ini" in the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config; on Windows the Windows folder), read only. The show asks it where the creator is installed
// to look for picture sounds in its "sounds/" sub-folder.
class CreatorConfig {
public:
    CreatorConfig();
    // [CONFIG] PATH, default DefaultCreatorFolder().
    std::string GetCreatorFolder() const;

private:
    ProfileFile ini_;
};

std::string CreatorConfigPath();
// ($XDG_DATA_HOME, else ~/.local/share) + "/Lorvane/".
std::string DefaultCreatorFolder();

}  // namespace lv
