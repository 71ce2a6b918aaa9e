#pragma once

#include <string>

#include "project/lvc_project.h"

namespace lv {

// Lays the user settings file (sections [Setting] and [Files]) over the project's settings and
// `Enabled` entries in memory. Nothing happens when no file exists at `settingsPath`. Values the
// configuration window never writes are ignored rather than trusted: a Speed outside the speed
// table, a negative Index (read as 0) and [Files] keys that are not the decimal index of an
// existing picture.
void ApplyUserSettings(TLVCProject& project, const std::string& settingsPath);

// Whether a [Files] key names a picture: plain decimal digits below `count`. Sets `index` when
// it does.
bool PictureKeyIndex(const std::string& key, size_t count, size_t& index);

}  // namespace lv
