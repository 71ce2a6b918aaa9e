#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "common/bitmap32.h"
#include "common/picture_allocator.h"
#include "effects/surface/clamp.h"

namespace lv {

// A 24-bit pixel surface: 3 bytes per pixel in the order blue, green, red, rows padded to a
// multiple of 4 bytes and stored bottom-up (Rows()[0] is the bottom line), which is the layout
// of a 24-bit device-independent bitmap and of a BMP file's pixel array. Whole-picture work
// (resizing, blending, re-colouring) runs on raw memory through the row table.
//
// A front end blits a surface from PixelData() with RowStride() bytes per row, remembering that
// the first row in memory is the bottom line (TopDownRow gives rows in display order).
//
// Each row starts RowStride bytes after the previous one and ends in RowPadding unused bytes;
// PixelBytes = RowStride x Height covers all rows. Width and Height are 0 until Allocate gives
// the surface a size.
class PixelSurface final {
public:
    static constexpr int BytesPerPixel = 3;
    // Zeroed bytes kept after the last row, so vector loads that start on the last pixels of
    // the last row stay inside the allocation. Never part of PixelBytes.
    static constexpr int TailSlackBytes = 32;

    PixelSurface() = default;
    PixelSurface(int width, int height) { Allocate(width, height); }
    // Moving hands over the pixel memory and leaves the source empty; surfaces are not copied
    // implicitly (CopyBlockInto or ResizeNearestInto copy pixels).
    PixelSurface(PixelSurface&& other) noexcept { *this = std::move(other); }
    PixelSurface& operator=(PixelSurface&& other) noexcept;
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    // Width x height with zeroed pixels. Raises lv::Error for a negative size or one beyond
    // the bitmap limits. Calling it with the current size changes nothing.
    void Allocate(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int RowStride() const { return rowStride_; }
    int RowPadding() const { return rowPadding_; }
    int64_t PixelBytes() const { return pixelBytes_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // First byte of the bottom row; null while the surface holds no pixels.
    uint8_t* PixelData() { return pixelData_; }
    const uint8_t* PixelData() const { return pixelData_; }

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
    void ResizeNearestInto(PixelSurface& target) const;
    // Bilinear resize in 17.15 fixed point into the target's current size.
    void ResizeSmoothInto(PixelSurface& target) const;
    // Copies the w x h block at row-index position (sx, sy) of this surface to (x, y) of the
    // target, clipped against both surfaces. Target and source may be the same surface.
    void CopyBlockInto(PixelSurface& target, int x, int y, int w, int h, int sx, int sy) const;
    // Fills the whole target with copies of this surface, the first one at row index 0.
    void TileInto(PixelSurface& target) const;

private:
    void ResetGeometry() {
        width_ = height_ = rowStride_ = rowPadding_ = 0;
        pixelBytes_ = 0;
        pixelData_ = nullptr;
    }

    int width_ = 0;
    int height_ = 0;
    int rowStride_ = 0;
    int rowPadding_ = 0;
    int64_t pixelBytes_ = 0;
    uint8_t* pixelData_ = nullptr;
    std::vector<uint8_t, PictureAllocator<uint8_t>> memory_;
    std::vector<uint8_t*> rows_;
};

}  // namespace lv
