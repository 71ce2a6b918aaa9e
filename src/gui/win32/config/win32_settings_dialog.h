#pragma once

#include <windows.h>

#include "gui/config/config_settings.h"

namespace lv {

// The fixed Settings dialog of the configuration window: picture size, order, interval, effect
// speed, music, sound and transitions, laid out in code at the same places in every saver.
inline constexpr const char* SettingsDialogClassName = "LvSettingsDialog";

// The ids of its controls; OK and Cancel are IDOK and IDCANCEL.
enum SettingsControlId : int {
    ImageSizeId = 101,
    ShowImageModeId,
    DurationId,
    DurationSpinId,
    SpeedId,
    ResetId,
    MusicId,
    SoundId,
    TransitionId,
};

// Shows the dialog modally over `owner`, starting from `values`. Returns true, with `values`
// set from the controls, when the user leaves it with OK; OK is disabled unless `canStore`.
bool RunSettingsDialog(HWND owner, UserSettingValues& values, bool canStore);

}  // namespace lv
