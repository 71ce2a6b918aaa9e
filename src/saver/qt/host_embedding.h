#pragma once

#include <QSize>
#include <optional>

#include "platform/system_services.h"

// The foreign windows a show can be drawn into under X11: a host program's window (given by
// its id, as xscreensaver passes it) and the root window. Qt reports a 0 x 0 geometry for a
// foreign window, so its size is asked of the X server.
namespace lv {

// The root window of the default screen; 0 when the program does not run on X11.
platform::NativeWindow RootWindowId();

// The size of a window of another program; nothing when it does not exist (any more) or the
// program does not run on X11.
std::optional<QSize> ForeignWindowSize(platform::NativeWindow window);

}  // namespace lv
