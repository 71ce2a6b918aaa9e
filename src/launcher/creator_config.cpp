#include "launcher/creator_config.h"

#include "platform/user_folders.h"

namespace lv {

std::string CreatorConfigPath() { return UserConfigFolder() + "Lorvane.ini"; }

std::string DefaultCreatorFolder() { return UserDataFolder() + "Lorvane/"; }

TConfig::TConfig() : ini_(ProfileFile::Load(CreatorConfigPath())) {}

std::string TConfig::GetCreatorFolder() const {
    return ini_.ReadString("CONFIG", "PATH", DefaultCreatorFolder());
}

}  // namespace lv
