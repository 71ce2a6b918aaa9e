#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/picture_allocator.h"

namespace lv {

// Largest picture the system accepts, checked before any pixel memory is allocated, so a
// damaged or hostile file cannot make it claim gigabytes.
inline constexpr int64_t MaxBitmapPixels = 100'000'000;
inline constexpr int MaxBitmapSide = 65535;

// A 32-bit picture, row 0 at the top. A pixel is the word 0x00RRGGBB, so in memory its bytes
// are blue, green, red, 0 (the layout of the area colours and of the decoders' output).
class Bitmap32 {
public:
    using Pixels = std::vector<uint32_t, PictureAllocator<uint32_t>>;

    Bitmap32() = default;
    Bitmap32(int width, int height) { SetSize(width, height); }

    // Resizes to width x height; new pixels are 0. Raises lv::Error for a negative size or one
    // above MaxBitmapPixels / MaxBitmapSide. Keeps the pixels when the size does not change.
    void SetSize(int width, int height);
    void Clear();  // back to 0 x 0

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    uint32_t* Data() { return pixels_.data(); }
    const uint32_t* Data() const { return pixels_.data(); }
    size_t PixelCount() const { return pixels_.size(); }

    uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, uint32_t value) { Row(y)[x] = value; }

    void Fill(uint32_t value);

    // For decoders that fill pixel memory row by row before the picture exists, so that a file
    // that declares a large size but holds little data costs little: Adopt takes over
    // width x height pixels, row 0 first (raises lv::Error when the count or size is wrong);
    // ReleasePixels hands the memory out for reuse and leaves the picture empty.
    void Adopt(int width, int height, Pixels&& pixels);
    Pixels ReleasePixels();

    friend bool operator==(const Bitmap32&, const Bitmap32&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    Pixels pixels_;
};

// Checks a picture size read from a file before anything is allocated for it.
void CheckPictureSize(int64_t width, int64_t height, const char* what);

}  // namespace lv
