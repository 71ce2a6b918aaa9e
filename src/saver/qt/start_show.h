#pragma once

#include <functional>
#include <string>

#include "platform/system_services.h"
#include "saver/sound_paths.h"

namespace lv {

class Clock;
class ShowAudio;
class Project;

inline constexpr const char* NoImageMessage = "No image found in Images List.";

enum class MessageKind { Information, Error };

// Shows a modal message box with an OK button. Tests pass one that records instead of blocking.
using MessageBoxFunction = std::function<void(MessageKind kind, const std::string& text)>;

// The toolkit's standard message box.
void StandardMessageBox(MessageKind kind, const std::string& text);

// Where the show is drawn.
enum class ShowPlacement {
    PrimaryScreen,  // its own borderless window over the primary screen
    HostWindow,     // inside a window of another program (xscreensaver's "-window-id ID")
    RootWindow,     // inside the X11 root window (xscreensaver's "-root")
};

struct ShowOptions {
    ShowPlacement Placement = ShowPlacement::PrimaryScreen;
    platform::NativeWindow HostWindow = 0;  // the window id for ShowPlacement::HostWindow
    // No music and no picture sounds, whatever the settings say: the small preview a host shows
    // in its settings dialog. Its sound back-end should open no device either.
    bool Muted = false;

    // The user settings file laid over the project's settings; empty for none.
    std::string UserSettingsFile;
    // Where music and picture sounds are looked for; the working folder also holds the music
    // files named without a folder.
    SoundFolders Folders;

    // Defaults: the toolkit's message box and the system clock.
    MessageBoxFunction MessageBox;
    Clock* TickClock = nullptr;
};

// Runs the whole show for a loaded project and returns when its window has closed. A project
// without pictures shows "No image found in Images List." and opens no window. Every picture is
// enabled, then the user settings file may narrow the list again; a show without an enabled
// picture shows "Unable to run screensaver.\r\nPlease configure!" and then a black window that
// input closes. A user settings file that is there but cannot be read is named in one warning on
// standard error, and the show runs with the project's own settings. Music and picture sounds
// play through `audio`. Needs the program's QApplication.
void StartShow(Project& project, ShowAudio& audio, const ShowOptions& options = {});

// Plays one picture full screen (the configuration window's play action): a temporary project
// holding only `file`, with Stretch, Proportional and Speed of `project`, sound on and music off.
void ShowSinglePicture(const Project& project, const std::string& file, ShowAudio& audio,
                       const ShowOptions& options = {});

}  // namespace lv
