#include "effects/surface/pixel_surface.h"

#include <algorithm>
#include <cstring>

#include "common/error.h"
#include "effects/surface/pixel_kernels.h"

namespace lv {

void PixelSurface::Allocate(int width, int height) {
    if (width == width_ && height == height_) return;
    CheckPictureSize(width, height, "pixel surface");
    // 24 bits per pixel, each row rounded up to whole 32-bit words.
    const int64_t stride = (static_cast<int64_t>(width) * 24 + 31) / 32 * 4;
    const int64_t bytes = stride * height;

    std::vector<uint8_t, PictureAllocator<uint8_t>> memory;
    std::vector<uint8_t*> rows(static_cast<size_t>(height), nullptr);
    if (bytes > 0) {
        memory.assign(static_cast<size_t>(bytes + TailSlackBytes), 0);
        for (int i = 0; i < height; ++i) rows[static_cast<size_t>(i)] = memory.data() + i * stride;
    }
    memory_ = std::move(memory);
    rows_ = std::move(rows);
    width_ = width;
    height_ = height;
    rowStride_ = static_cast<int>(stride);
    rowPadding_ = static_cast<int>(stride - static_cast<int64_t>(width) * BytesPerPixel);
    pixelBytes_ = bytes;
    pixelData_ = bytes > 0 ? memory_.data() : nullptr;
}

PixelSurface& PixelSurface::operator=(PixelSurface&& other) noexcept {
    if (this == &other) return *this;
    width_ = other.width_;
    height_ = other.height_;
    rowStride_ = other.rowStride_;
    rowPadding_ = other.rowPadding_;
    pixelBytes_ = other.pixelBytes_;
    pixelData_ = other.pixelData_;
    memory_ = std::move(other.memory_);  // a moved vector keeps its buffer, so the row
    rows_ = std::move(other.rows_);      // pointers stay valid
    other.ResetGeometry();
    other.memory_.clear();
    other.rows_.clear();
    return *this;
}

void PixelSurface::LoadFromBitmap32(const Bitmap32& picture) {
    Allocate(picture.Width(), picture.Height());
    const auto convert = kernels::Row32To24(kernels::BestKernelSet());
    for (int y = 0; y < height_; ++y) convert(picture.Row(y), TopDownRow(y), width_);
}

Bitmap32 PixelSurface::ToBitmap32() const {
    Bitmap32 picture(width_, height_);
    DrawToBitmap32(picture, 0, 0);
    return picture;
}

void PixelSurface::DrawToBitmap32(Bitmap32& canvas, int x, int y) const {
    // Clip in 64 bits so that positions near the integer limits cannot overflow.
    const int64_t left = std::max<int64_t>(0, x);
    const int64_t top = std::max<int64_t>(0, y);
    const int64_t right = std::min<int64_t>(canvas.Width(), static_cast<int64_t>(x) + width_);
    const int64_t bottom = std::min<int64_t>(canvas.Height(), static_cast<int64_t>(y) + height_);
    if (left >= right || top >= bottom) return;
    const auto convert = kernels::Row24To32(kernels::BestKernelSet());
    for (int64_t cy = top; cy < bottom; ++cy)
        convert(TopDownRow(static_cast<int>(cy - y)) + (left - x) * BytesPerPixel,
                canvas.Row(static_cast<int>(cy)) + left, right - left);
}

void PixelSurface::CopyBlockInto(PixelSurface& target, int x, int y, int w, int h, int sx,
                                 int sy) const {
    int64_t tx = x, ty = y, bw = w, bh = h, fx = sx, fy = sy;
    // A negative target position moves the source position along; a negative source
    // position moves the target position along. The order matters for the result.
    if (tx < 0) {
        fx -= tx;
        bw += tx;
        tx = 0;
    }
    if (ty < 0) {
        fy -= ty;
        bh += ty;
        ty = 0;
    }
    if (fx < 0) {
        tx -= fx;
        bw += fx;
        fx = 0;
    }
    if (fy < 0) {
        ty -= fy;
        bh += fy;
        fy = 0;
    }
    if (fx > width_ - 1 || fy > height_ - 1) return;
    bw = std::min<int64_t>(bw, width_ - fx);
    bh = std::min<int64_t>(bh, height_ - fy);
    bw = std::min<int64_t>(bw, target.width_ - tx);
    bh = std::min<int64_t>(bh, target.height_ - ty);
    if (bw <= 0 || bh <= 0) return;

    const size_t bytes = static_cast<size_t>(bw) * BytesPerPixel;
    const auto copyRow = [&](int64_t k) {
        std::memmove(target.Row(static_cast<int>(ty + k)) + tx * BytesPerPixel,
                     Row(static_cast<int>(fy + k)) + fx * BytesPerPixel, bytes);
    };
    // Within one surface a block moved to higher rows is copied from its last row down, so
    // that no row is overwritten before it has been read.
    if (&target == this && ty > fy) {
        for (int64_t k = bh - 1; k >= 0; --k) copyRow(k);
    } else {
        for (int64_t k = 0; k < bh; ++k) copyRow(k);
    }
}

void PixelSurface::TileInto(PixelSurface& target) const {
    if (Empty() || target.Empty()) return;
    CopyBlockInto(target, 0, 0, width_, height_, 0, 0);
    // Double the covered strip until it spans the target: first along the rows, then the
    // whole width upwards.
    const int filledHeight = std::min(height_, target.height_);
    for (int64_t done = width_; done < target.width_; done *= 2)
        target.CopyBlockInto(target, static_cast<int>(done), 0, static_cast<int>(done),
                             filledHeight, 0, 0);
    for (int64_t done = height_; done < target.height_; done *= 2)
        target.CopyBlockInto(target, 0, static_cast<int>(done), target.width_,
                             static_cast<int>(done), 0, 0);
}

}  // namespace lv
