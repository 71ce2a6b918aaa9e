#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/bitmap32.h"

namespace lv {

// Key colours of the four water areas in a decoded mask, compared with the whole 32-bit pixel
// word (so a pixel whose fourth byte is not 0 belongs to no area).
inline constexpr std::array<uint32_t, 4> AreaColours = {0x000000FFu, 0x00FF00FFu, 0x00FF0000u,
                                                        0x00FFFF00u};

int AreaOfColour(uint32_t pixel);  // 1 .. 4, or 0 for any other value
uint32_t ColourOfArea(int area);   // the key colour of 1 .. 4; 0 for anything else

struct MaskRun {
    int64_t length;
    int area;
};
MaskRun SplitRun(int32_t value);  // length = value div 10, area = value mod 10

// Sizes `mask` to words[0] x words[1] and paints the runs from words[2] on, row by row from the
// top. Runs that reach past the last row raise lv::Error before anything beyond the bitmap is
// touched; pixels not covered by any run keep their value.
void DecodeAreaMask(const std::vector<int32_t>& words, Bitmap32& mask);

}  // namespace lv
