#pragma once

#include <string>

namespace lv {

// The per-user folders of the platform. Every folder returned ends in "/".

// The private temporary folder: $XDG_RUNTIME_DIR when it is set, else a folder "lvcsaver-UID"
// in $TMPDIR (or /tmp), created with mode 0700. A folder that is a symbolic link, is not a
// folder, belongs to another user or (for the one we create) is open to other users is refused
// with an lv::Error naming it: others must not be able to plant or read the unpacked files.
std::string PrivateTempFolder();

// $XDG_CONFIG_HOME, else ~/.config.
std::string UserConfigFolder();

// $XDG_DATA_HOME, else ~/.local/share.
std::string UserDataFolder();

// The running program's own file (/proc/self/exe), or empty when it cannot be read.
std::string OwnExecutablePath();

}  // namespace lv
