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

// A decoded area mask: one byte per pixel holding its area, 1 .. 4, or 0 for none, row 0 at
// the top. A decoded mask can hold nothing else, so a byte keeps it exact at a quarter of the
// memory of its key-colour picture.
class AreaMask {
public:
    AreaMask() = default;
    AreaMask(int width, int height) { SetSize(width, height); }

    // Resizes to width x height; new pixels are 0. Raises lv::Error for a size a picture may
    // not have. Keeps the pixels when the size does not change.
    void SetSize(int width, int height);
    void Clear();  // back to 0 x 0

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    uint8_t* Row(int y) { return areas_.data() + static_cast<size_t>(y) * width_; }
    const uint8_t* Row(int y) const { return areas_.data() + static_cast<size_t>(y) * width_; }
    uint8_t At(int x, int y) const { return Row(y)[x]; }
    void Set(int x, int y, uint8_t area) { Row(y)[x] = area; }
    void Fill(uint8_t area);

    // The mask as its key-colour picture; a byte of no area becomes 0.
    Bitmap32 ToColours() const;

    friend bool operator==(const AreaMask&, const AreaMask&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t, PictureAllocator<uint8_t>> areas_;
};

// Sizes `mask` to words[0] x words[1] and paints the runs from words[2] on, row by row from the
// top; a run of an area number above 4 paints 0. Runs that reach past the last row raise
// lv::Error before anything beyond the mask is touched; pixels not covered by any run keep
// their value.
void DecodeAreaMask(const std::vector<int32_t>& words, AreaMask& mask);

}  // namespace lv
