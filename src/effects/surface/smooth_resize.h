#pragma once

#include "common/bitmap32.h"

namespace lv {

// `picture` resized to width x height with the bilinear resize of the pixel surfaces
// (PixelSurface::ResizeSmoothInto), worked out on the 32-bit pixels themselves: the resize of
// every picture the show fits to the screen, of the configuration window's preview and of the
// still preview. Raises lv::Error for a size that is negative or beyond the bitmap limits.
Bitmap32 ResizeSmooth(const Bitmap32& picture, int width, int height);

}  // namespace lv
