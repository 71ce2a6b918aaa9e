#pragma once

#include <string>

namespace lv {

// The per-user folders of the platform. Every folder returned ends in a folder separator.

// The private temporary folder: $XDG_RUNTIME_DIR when it is set, else a folder "lvcsaver-UID"
// in $TMPDIR (or /tmp), created with mode 0700. On Windows the user's temporary folder
// (GetTempPathA, in its long form), which Windows keeps private to the user. A folder that is a symbolic link, is not a
// folder, belongs to another user or (for the one we create) is open to other users is refused
// with an lv::Error naming it: others must not be able to plant or read the unpacked files.
std::string PrivateTempFolder();

// $XDG_CONFIG_HOME, else ~/.config. On Windows %APPDATA%.
std::string UserConfigFolder();

// $XDG_DATA_HOME, else ~/.local/share. On Windows %APPDATA%.
std::string UserDataFolder();

// Where the creator tool keeps "Lorvane.ini": the user configuration folder, on Windows the
// Windows folder.
std::string CreatorConfigFolder();

// The running program's own file (/proc/self/exe), or empty when it cannot be read.
std::string OwnExecutablePath();

// The absolute path of an existing file in its long form (symbolic links and "." / ".."
// resolved; on Windows 8.3 short names expanded by GetLongPathNameA), or the empty text when
// nothing exists there.
std::string LongPath(const std::string& path);

}  // namespace lv
