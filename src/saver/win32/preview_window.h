#pragma once

#include <windows.h>

#include "common/bitmap32.h"

namespace lv::win32 {

// How the preview sits in the host's window.
enum class PreviewPlacement {
    // A child window of the host covering its client area: the way Windows' display settings
    // expect a saver's preview. The host moves it, clips it and finally destroys it.
    ChildWindow,
    // A borderless window owned by the host's window, kept over the host's client area. Wine
    // draws no child window of another program's window, so there the preview follows the
    // host's area on its own and ends when the host's window is gone.
    OwnedPopup,
};

// ChildWindow on Windows, OwnedPopup under Wine.
PreviewPlacement PreviewPlacementForThisSystem();

// The still preview in the host's window (the display settings' little screen): `picture`
// stretched to fill the host's client area, without aspect correction, smoothed as the show's
// resizing smooths. Returns when the preview window has been destroyed (with the host, or when
// the host shows another saver).
void RunPreviewWindow(HWND host, const Bitmap32& picture, PreviewPlacement placement);

}  // namespace lv::win32
