#include "common/bitmap32.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/error.h"

namespace lv {

void CheckPictureSize(int64_t width, int64_t height, const char* what) {
    if (width < 0 || height < 0)
        throw Error(std::string(what) + " has a negative size");
    if (width > MaxBitmapSide || height > MaxBitmapSide || width * height > MaxBitmapPixels)
        throw Error(std::string(what) + " is too large (" + std::to_string(width) + " x " +
                    std::to_string(height) + "; at most " + std::to_string(MaxBitmapPixels) +
                    " pixels and " + std::to_string(MaxBitmapSide) + " per side)");
}

void Bitmap32::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    CheckPictureSize(width, height, "picture");
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    width_ = width;
    height_ = height;
}

void Bitmap32::Clear() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = height_ = 0;
}

void Bitmap32::Adopt(int width, int height, Pixels&& pixels) {
    CheckPictureSize(width, height, "picture");
    if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        throw Error("picture memory does not match its size");
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
}

Bitmap32::Pixels Bitmap32::ReleasePixels() {
    Pixels pixels = std::move(pixels_);
    pixels_.clear();
    width_ = height_ = 0;
    return pixels;
}

void Bitmap32::Fill(uint32_t value) { std::fill(pixels_.begin(), pixels_.end(), value); }

}  // namespace lv
