#pragma once

#include <cstdint>
#include <vector>

namespace lv {

// A rectangle of pixels: columns Left .. Right - 1 and rows Top .. Bottom - 1.
struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool Empty() const { return Right <= Left || Bottom <= Top; }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The part of the box (left, top) .. (right, bottom), right and bottom excluded, that lies in a
// `width` x `height` picture; coordinates of any size are fine.
PixelRect ClipToPicture(int64_t left, int64_t top, int64_t right, int64_t bottom, int width,
                        int height);

// Covers `rects` (inside a picture, so at non-negative coordinates) with fewer rectangles: the
// rows are cut into bands of `bandHeight`, and in each band the column ranges of the rectangles
// reaching into it are joined where they overlap or touch. Every result rectangle of a band
// spans the same rows (those of the band that the band's rectangles reach); the results are
// sorted by band, then column, and none overlap or touch sideways, which is the form a window
// system's region takes without further work.
std::vector<PixelRect> CoverInBands(const std::vector<PixelRect>& rects, int bandHeight);

}  // namespace lv
