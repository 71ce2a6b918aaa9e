#pragma once

#include <string>

#include "saver/sound_paths.h"
#include "saver/win32/message_box.h"

namespace lv {

class Clock;
class Project;
class ShowAudio;

namespace win32 {

struct ShowOptions {
    // No music and no picture sounds, whatever the settings say.
    bool Muted = false;
    // The user settings file laid over the project's settings; empty for none.
    std::string UserSettingsFile;
    // Where music and picture sounds are looked for; the working folder also holds the music
    // files named without a folder.
    SoundFolders Folders;
    // Defaults: the system's message box and the system clock.
    MessageBoxFunction ShowMessage;
    Clock* TickClock = nullptr;
};

// Runs the whole show for a loaded project in a window over the primary screen and returns when
// it has closed. A project without pictures shows "No image found in Images List." and opens no
// window. Every picture is enabled, then the user settings file may narrow the list again; a
// show without an enabled picture shows "Unable to run screensaver.\r\nPlease configure!" and
// then a black window that input closes. A user settings file that is there but cannot be read
// is named in one warning on standard error, and the show runs with the project's own settings.
void StartShow(Project& project, ShowAudio& audio, const ShowOptions& options = {});

// Plays one picture full screen (the configuration window's play action): a temporary project
// holding only `file`, with Stretch, Proportional and Speed of `project`, sound on, music off.
void ShowSinglePicture(const Project& project, const std::string& file, ShowAudio& audio,
                       const ShowOptions& options = {});

}  // namespace win32
}  // namespace lv
