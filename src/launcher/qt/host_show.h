#pragma once

#include <string>

#include "launcher/run_mode.h"
#include "saver/qt/start_show.h"

namespace lv {

class OrderlyEnd;

// The show as an X11 host's hack (xscreensaver): where it is drawn and where its messages go.
struct HostShow {
    // Drawn into a window of the host (-window-id, or -root): a message box would open behind
    // the host's window and wait there for ever.
    bool Embedded = false;
    ShowPlacement Placement = ShowPlacement::PrimaryScreen;
    platform::NativeWindow Window = 0;
    std::string WindowOrigin;  // what named Window, for messages: "-window-id", ...
};

// Where the command line puts the show. "-root" draws into the window XSCREENSAVER_WINDOW names
// when it is set and not empty, else into the root window. Raises UsageError for a variable
// that is not a window id.
HostShow HostShowFor(const CommandLine& line);

// Raises UsageError when the program runs on X11 and the host window does not exist. Needs the
// QApplication; on other platforms the window cannot be looked up and the show goes on.
void CheckHostWindowExists(const HostShow& show);

// For an embedded show: what would be a message box goes to standard error as one line, then
// `failed` is set and the run ends through `end`.
MessageBoxFunction HostMessageFunction(OrderlyEnd& end, bool& failed);

}  // namespace lv
