#pragma once

#include <functional>
#include <string>

#include "platform/system_services.h"

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
    // No music and no picture sounds, whatever the settings say, and no sound device opened:
    // the small preview a host shows in its settings dialog.
    bool Muted = false;

    // The user settings file laid over the project's settings; empty for none.
    std::string UserSettingsFile;
    // Where the project's files were unpacked (music and picture sounds without a folder).
    std::string WorkingFolder;
    // The folder of the saver's program file, searched for "sounds/" last.
    std::string ProgramFolder;

    // Defaults: the toolkit's message box, the system clock and the SDL mixer (no sound
    // back-end at all when Muted).
    MessageBoxFunction MessageBox;
    Clock* TickClock = nullptr;
    ShowAudio* Audio = nullptr;
};

// The options of a saver started from `ownPath` (the long path of its program file): the user
// settings file beside it, its working folder and its folder.
ShowOptions ShowOptionsForProgram(const std::string& ownPath);

// Runs the whole show for a loaded project and returns when its window has closed. A project
// without pictures shows "No image found in Images List." and opens no window. Every picture is
// enabled, then the user settings file may narrow the list again; a show without an enabled
// picture shows "Unable to run screensaver.\r\nPlease configure!" and then a black window that
// input closes. Needs a QApplication; creates one when there is none.
void StartShow(Project& project, const ShowOptions& options = {});

// Plays one picture full screen (the configuration window's play action): a temporary project
// holding only `file`, with Stretch, Proportional and Speed of `project`, sound on and music off.
void ShowSinglePicture(const Project& project, const std::string& file,
                       const ShowOptions& options = {});

}  // namespace lv
