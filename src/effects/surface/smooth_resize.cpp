#include "effects/surface/smooth_resize.h"

#include "effects/surface/pixel_kernels.h"

namespace lv {

Bitmap32 ResizeSmooth(const Bitmap32& picture, int width, int height) {
    Bitmap32 resized(width, height);
    kernels::ResizeSmoothWith(kernels::BestKernelSet(), picture, resized);
    return resized;
}

}  // namespace lv
