#pragma once

#include <optional>
#include <string>

#include "common/warning.h"
#include "project/profile_file.h"
#include "project/project.h"

namespace lv {

// Reads the user settings file at `path`. Without a file there (or with an empty path) there is
// nothing to read. A file that is there but cannot be read (no read permission, a folder or a
// pipe in its place) counts as absent as well, after one line through `warn` that names it and
// says why: the user's choices are lost for this run, but the saver still runs.
std::optional<ProfileFile> LoadUserSettingsFile(const std::string& path,
                                                const WarningFunction& warn);

// Lays the user settings file (sections [Setting] and [Files]) over the project's settings and
// `Enabled` entries in memory. Nothing happens when no file exists at `settingsPath` or when it
// cannot be read (see LoadUserSettingsFile, which warns through `warn`). Values the
// configuration window never writes are ignored rather than trusted: a Speed outside the speed
// table, a negative Index (read as 0) and [Files] keys that are not the decimal index of an
// existing picture.
void ApplyUserSettings(Project& project, const std::string& settingsPath,
                       const WarningFunction& warn = WarnOnStandardError);

// Whether a [Files] key names a picture: plain decimal digits below `count`. Sets `index` when
// it does.
bool PictureKeyIndex(const std::string& key, size_t count, size_t& index);

}  // namespace lv
