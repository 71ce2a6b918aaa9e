#include "effects/surface/smooth_resize.h"

#include "effects/surface/pixel_surface.h"

namespace lv {

Bitmap32 ResizeSmooth(const Bitmap32& picture, int width, int height) {
    PixelSurface source;
    source.LoadFromBitmap32(picture);
    PixelSurface target(width, height);
    source.ResizeSmoothInto(target);
    // Freed before the 32-bit copy is made: a screen-size fit holds three pictures at most.
    source = PixelSurface();
    return target.ToBitmap32();
}

}  // namespace lv
