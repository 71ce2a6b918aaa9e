#pragma once

#include <array>

#include "common/bitmap32.h"
#include "effects/water/water_source.h"

namespace lv {

enum class AspectRatio { Stretch, Keep };

// An image package's water scaled to a screen of width x height, for the water generator
// (WaterSource(fitted, package)): with AspectRatio::Keep the screen size is first cut down to the
// picture's proportions; the areas' Amplitude and Jitter are scaled with the picture (WaveCount,
// PhaseStep and Cycle are relative and stay); the picture is resized smoothly and the mask
// stretched without blending, so every mask pixel keeps one of its key colours. The package is
// left as it was loaded. Raises lv::Error for a screen size below 1 or above the bitmap limits
// and DivisionByZeroError for an empty picture.
//
// MaskFit::Deferred makes no stretched mask: the area map is built from the package's mask
// through the same stretch (FittedWater::StretchPackageMask), so the package must keep its mask
// until the generator has been prepared.
enum class MaskFit { Copy, Deferred };
FittedWater FitProjectToScreen(AspectRatio aspect, const WaterSource& source, int width,
                               int height, MaskFit maskFit = MaskFit::Copy);

// The pieces of the fit, for tests and tools.
struct FittedSize {
    int width;
    int height;
};
// The size FitProjectToScreen gives `source`, after the checks it makes before allocating
// anything, raising the same errors.
FittedSize CheckedFitSize(AspectRatio aspect, const WaterSource& source, int width, int height);
// The target size after the aspect rule; sides that would round to 0 become 1.
FittedSize FitScreenSize(AspectRatio aspect, int pictureWidth, int pictureHeight, int width,
                         int height);
// Amplitude and Jitter of all four areas scaled from the picture's size to the fitted size.
void ScaleWaveParams(std::array<WaveParameters, AreaCount>& waves, int pictureWidth,
                     int pictureHeight, int width, int height);
// Nearest-pixel stretch of an area mask: the pixel at the centre of each target pixel's
// footprint in the source.
AreaMask StretchNearest(const AreaMask& source, int width, int height);
// The source row or column StretchNearest takes for target index `at` of `target` from `source`.
inline int32_t NearestSourceIndex(int64_t at, int64_t source, int64_t target) {
    return static_cast<int32_t>((2 * at + 1) * source / (2 * target));
}

}  // namespace lv
