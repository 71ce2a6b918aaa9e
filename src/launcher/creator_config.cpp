#include "launcher/creator_config.h"

#include "platform/user_folders.h"

namespace lv {

std::string CreatorConfigPath() { return CreatorConfigFolder() + "Lorvane.ini"; }

std::string DefaultCreatorFolder() { return UserDataFolder() + "Lorvane/"; }

CreatorConfig::CreatorConfig() : ini_(ProfileFile::Load(CreatorConfigPath())) {}

std::string CreatorConfig::GetCreatorFolder() const {
    return ini_.ReadString("CONFIG", "PATH", DefaultCreatorFolder());
}

}  // namespace lv
