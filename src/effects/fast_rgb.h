#pragma once

#include <cstdint>

namespace lv {

// Clamps a channel value computed in a wider type back into a byte: 0 below, 255 above.
constexpr int ClampToByte(int32_t value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

// Geometry every pixel surface shares. A surface is a bottom-up buffer: row 0 is the bottom
// line of the picture as shown, each row starts RowStride bytes after the previous one and
// ends in RowPadding unused bytes, and PixelBytes = RowStride x Height covers all rows.
// Width and Height are 0 until Allocate gives the surface a size.
class TFastRGB {
public:
    TFastRGB() = default;
    virtual ~TFastRGB() = default;

    // (Re)creates zeroed pixel memory for width x height; the same size keeps the pixels.
    virtual void Allocate(int width, int height) = 0;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int RowStride() const { return rowStride_; }
    int RowPadding() const { return rowPadding_; }
    int64_t PixelBytes() const { return pixelBytes_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // First byte of the bottom row; null while the surface holds no pixels.
    uint8_t* PixelData() { return pixelData_; }
    const uint8_t* PixelData() const { return pixelData_; }

protected:
    // Only whole surfaces are moved, by the concrete classes, which also own the memory.
    TFastRGB(const TFastRGB&) = default;
    TFastRGB& operator=(const TFastRGB&) = default;
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
};

}  // namespace lv
