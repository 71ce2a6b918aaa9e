#pragma once

#include <cstdint>
#include <functional>

#include "common/bitmap32.h"
#include "project/area_mask.h"
#include "project/image_package.h"

namespace lv::test {

// A picture whose every pixel is different, so any misplaced copy shows.
inline Bitmap32 NumberedPicture(int width, int height) {
    Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(
                x, y, (static_cast<uint32_t>(y) << 12 | static_cast<uint32_t>(x)) & 0x00FFFFFFu);
    return picture;
}

// A mask painted by `areaAt(x, y)` (0 for none, 1 to 4 for the areas).
inline AreaMask PaintedMask(int width, int height, const std::function<int(int, int)>& areaAt) {
    AreaMask mask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) mask.Set(x, y, static_cast<uint8_t>(areaAt(x, y)));
    return mask;
}

inline WaveParameters Wave(int amplitude, int waveCount, int phaseStep, int cycle, int jitter,
                           bool horizontal, bool vertical, bool perspective, int direction = 1) {
    WaveParameters p;
    p.Amplitude = amplitude;
    p.WaveCount = waveCount;
    p.PhaseStep = phaseStep;
    p.Direction = direction;
    p.Horizontal = horizontal ? 1 : 0;
    p.Vertical = vertical ? 1 : 0;
    p.Perspective = perspective ? 1 : 0;
    p.Cycle = cycle;
    p.Jitter = jitter;
    return p;
}

// All four records valid (a zero Cycle anywhere stops every step).
inline void SetAllWaves(ImagePackage& project, const WaveParameters& p) {
    for (auto& w : project.Waves) w = p;
}

}  // namespace lv::test
