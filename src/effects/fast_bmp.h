#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "common/bitmap32.h"
#include "effects/fast_rgb.h"

namespace lv {

// A 24-bit pixel surface: 3 bytes per pixel in the order blue, green, red, rows padded to a
// multiple of 4 bytes and stored bottom-up (Rows()[0] is the bottom line), which is the layout
// of a 24-bit device-independent bitmap and of a BMP file's pixel array. Whole-picture work
// (resizing, blending, re-colouring) runs on raw memory through the row table.
//
// A front end blits a surface from PixelData() with RowStride() bytes per row, remembering that
// the first row in memory is the bottom line (TopDownRow gives rows in display order).
class TFastBMP final : public TFastRGB {
public:
    static constexpr int BytesPerPixel = 3;
    // Zeroed bytes kept after the last row, so vector loads that start on the last pixels of
    // the last row stay inside the allocation. Never part of PixelBytes.
    static constexpr int TailSlackBytes = 32;

    TFastBMP() = default;
    TFastBMP(int width, int height) { Allocate(width, height); }
    // Moving hands over the pixel memory and leaves the source empty; surfaces are not copied
    // implicitly (CopyBlockInto or ResizeNearestInto copy pixels).
    TFastBMP(TFastBMP&& other) noexcept { *this = std::move(other); }
    TFastBMP& operator=(TFastBMP&& other) noexcept;
    TFastBMP(const TFastBMP&) = delete;
    TFastBMP& operator=(const TFastBMP&) = delete;

    // Width x height with zeroed pixels. Raises lv::Error for a negative size or one beyond
    // the bitmap limits. Calling it with the current size changes nothing.
    void Allocate(int width, int height) override;

    // Rows()[i] = PixelData() + i x RowStride(), i = 0 .. Height() - 1, bottom line first.
    uint8_t* const* Rows() { return rows_.data(); }
    const uint8_t* const* Rows() const { return rows_.data(); }
    uint8_t* Row(int index) { return rows_[static_cast<size_t>(index)]; }
    const uint8_t* Row(int index) const { return rows_[static_cast<size_t>(index)]; }
    // Row y counted from the top of the picture as shown.
    uint8_t* TopDownRow(int y) { return Row(height_ - 1 - y); }
    const uint8_t* TopDownRow(int y) const { return Row(height_ - 1 - y); }

    // Takes the size and pixels of a 32-bit picture (row 0 at the top), so that the picture
    // keeps its orientation: its top row becomes the surface's last row.
    void LoadFromBitmap32(const Bitmap32& picture);
    // The surface as a 32-bit picture, row 0 at the top.
    Bitmap32 ToBitmap32() const;
    // Draws the whole surface 1:1 onto a 32-bit picture with its top-left corner at (x, y) of
    // that picture (top-down coordinates); what falls outside the picture is left out.
    void DrawToBitmap32(Bitmap32& canvas, int x, int y) const;

    // Nearest-pixel resize into the target's current size (the target is never resized).
    void ResizeNearestInto(TFastBMP& target) const;
    // Bilinear resize in 17.15 fixed point into the target's current size.
    void ResizeSmoothInto(TFastBMP& target) const;
    // Copies the w x h block at row-index position (sx, sy) of this surface to (x, y) of the
    // target, clipped against both surfaces. Target and source may be the same surface.
    void CopyBlockInto(TFastBMP& target, int x, int y, int w, int h, int sx, int sy) const;
    // Fills the whole target with copies of this surface, the first one at row index 0.
    void TileInto(TFastBMP& target) const;

private:
    std::vector<uint8_t> memory_;
    std::vector<uint8_t*> rows_;
};

}  // namespace lv
