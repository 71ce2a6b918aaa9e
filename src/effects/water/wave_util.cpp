#include "effects/water/wave_util.h"

#include <algorithm>
#include <limits>
#include <string>

#include "common/error.h"
#include "common/rounding.h"
#include "effects/surface/smooth_resize.h"

namespace lv {
namespace {

int32_t SaturateToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t ScaleBy(long double factor, int32_t value) {
    const long double scaled = factor * value;
    if (!(scaled > -0x1p62L && scaled < 0x1p62L)) return scaled < 0 ? INT32_MIN : INT32_MAX;
    return SaturateToInt32(Round(scaled));
}

}  // namespace

FittedSize FitScreenSize(AspectRatio aspect, int pictureWidth, int pictureHeight, int width,
                         int height) {
    if (aspect == AspectRatio::Keep) {
        if (pictureHeight == 0 || height == 0) throw DivisionByZeroError();
        const long double ratio = static_cast<long double>(pictureWidth) / pictureHeight;
        // Widths compared in whole pixels, as the screen's height would hold the picture.
        if (pictureWidth > int64_t{pictureHeight} * width / height)
            height = SaturateToInt32(Round(width / ratio));
        else
            width = SaturateToInt32(Round(height * ratio));
    }
    // A picture far wider or taller than the screen would round a side to nothing.
    return {std::max(width, 1), std::max(height, 1)};
}

void ScaleWaveParams(std::array<WaveParameters, AreaCount>& waves, int pictureWidth,
                     int pictureHeight, int width, int height) {
    if (pictureWidth == 0 || pictureHeight == 0) throw DivisionByZeroError();
    const long double across = static_cast<long double>(width) / pictureWidth;
    const long double down = static_cast<long double>(height) / pictureHeight;
    for (WaveParameters& p : waves) {
        p.Amplitude = ScaleBy(across, p.Amplitude);
        p.Jitter = ScaleBy(down, p.Jitter);
    }
}

AreaMask StretchNearest(const AreaMask& source, int width, int height) {
    AreaMask target(width, height);
    if (source.Empty()) return target;
    const int64_t sw = source.Width(), sh = source.Height();
    std::vector<int32_t> columns(static_cast<size_t>(width));
    for (int64_t x = 0; x < width; ++x)
        columns[static_cast<size_t>(x)] = NearestSourceIndex(x, sw, width);
    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* from = source.Row(NearestSourceIndex(y, sh, height));
        uint8_t* to = target.Row(static_cast<int>(y));
        for (int x = 0; x < width; ++x) to[x] = from[columns[static_cast<size_t>(x)]];
    }
    return target;
}

FittedSize CheckedFitSize(AspectRatio aspect, const WaterSource& source, int width, int height) {
    if (width < 1 || height < 1)
        throw Error("screen size " + std::to_string(width) + " x " + std::to_string(height) +
                        " is not a picture size",
                    source.FileName());
    const int pictureWidth = source.Picture().Width();
    const int pictureHeight = source.Picture().Height();
    if (pictureWidth == 0 || pictureHeight == 0) throw DivisionByZeroError();
    const FittedSize size = FitScreenSize(aspect, pictureWidth, pictureHeight, width, height);
    CheckPictureSize(size.width, size.height, "fitted picture");
    return size;
}

FittedWater FitProjectToScreen(AspectRatio aspect, const WaterSource& source, int width,
                               int height, MaskFit maskFit) {
    const FittedSize size = CheckedFitSize(aspect, source, width, height);
    const int pictureWidth = source.Picture().Width();
    const int pictureHeight = source.Picture().Height();

    FittedWater fitted;
    fitted.Waves = source.Waves();
    ScaleWaveParams(fitted.Waves, pictureWidth, pictureHeight, size.width, size.height);
    fitted.Picture = ResizeSmooth(source.Picture(), size.width, size.height);
    if (maskFit == MaskFit::Deferred && !source.MaskStretched())
        fitted.StretchPackageMask = true;
    else
        fitted.Mask = StretchNearest(source.Mask(), size.width, size.height);
    return fitted;
}

}  // namespace lv
