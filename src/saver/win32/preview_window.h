#pragma once

#include <windows.h>

#include "common/bitmap32.h"

namespace lv::win32 {

// The still preview in the host's window (the display settings' little screen): a child window
// of the host that covers its client area and paints `picture` stretched to fill it, without
// aspect correction, smoothed as the show's resizing smooths. The host repaints, moves and
// finally destroys the child as its own; this returns when it has been destroyed (with the host,
// or when the host shows another saver).
void RunPreviewWindow(HWND host, const Bitmap32& picture);

}  // namespace lv::win32
