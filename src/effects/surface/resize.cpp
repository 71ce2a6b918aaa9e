// Nearest-pixel and bilinear resizes between 24-bit surfaces. Both work on row indexes, so a
// bottom-up picture stays bottom-up. The bilinear resize is the one the show uses on every
// picture change; its vector kernels are in resize_sse2.cpp and resize_avx2.cpp.
#include <cstring>

#include "common/rounding.h"
#include "effects/surface/pixel_kernels.h"
#include "effects/surface/pixel_surface.h"

namespace lv {
namespace {

// Source index of every target index along one axis when enlarging: source index j is
// written from trunc(factor x j) on, Round(factor + 0.5) times, later indexes overwriting the
// extra copies of earlier ones. The factor is single precision, as the scale is computed in.
std::vector<int> EnlargingMap(int sourceSize, int targetSize, float factor) {
    std::vector<int> map(static_cast<size_t>(targetSize), -1);
    const int64_t copies = Round(static_cast<long double>(factor) + 0.5L);
    for (int j = 0; j < sourceSize; ++j) {
        // A float times an int below 2^16 is exact in double, so trunc sees the true product.
        const auto start = static_cast<int64_t>(static_cast<double>(factor) * j);
        for (int64_t k = start; k < start + copies && k < targetSize; ++k)
            map[static_cast<size_t>(k)] = j;
    }
    // Every index is covered for all sizes tried; should rounding ever leave one out, it
    // repeats its left neighbour instead of keeping stale pixels.
    for (size_t k = 0; k < map.size(); ++k)
        if (map[k] < 0) map[k] = k > 0 ? map[k - 1] : 0;
    return map;
}

// 16.16 fixed point: target index j takes source index (j x step) shr 16.
std::vector<int> FixedPointMap(int sourceSize, int targetSize) {
    std::vector<int> map(static_cast<size_t>(targetSize));
    const auto step = static_cast<uint32_t>((static_cast<uint64_t>(sourceSize) << 16) /
                                            static_cast<uint64_t>(targetSize));
    uint32_t position = 0;
    for (auto& index : map) {
        index = static_cast<int>(position >> 16);
        position += step;
    }
    return map;
}

}  // namespace

void PixelSurface::ResizeNearestInto(PixelSurface& target) const {
    const int tw = target.width_;
    const int th = target.height_;
    if (tw == 0 || th == 0 || Empty()) return;
    if (tw == width_ && th == height_) {
        if (&target != this) std::memcpy(target.pixelData_, pixelData_, pixelBytes_);
        return;
    }
    const float fx = static_cast<float>(tw) / static_cast<float>(width_);
    const float fy = static_cast<float>(th) / static_cast<float>(height_);
    const bool enlarging = fx >= 1.0f && fy >= 1.0f;
    const std::vector<int> columns =
        enlarging ? EnlargingMap(width_, tw, fx) : FixedPointMap(width_, tw);
    const std::vector<int> rows =
        enlarging ? EnlargingMap(height_, th, fy) : FixedPointMap(height_, th);

    const size_t rowBytes = static_cast<size_t>(tw) * BytesPerPixel;
    for (int i = 0; i < th; ++i) {
        uint8_t* out = target.Row(i);
        if (i > 0 && rows[static_cast<size_t>(i)] == rows[static_cast<size_t>(i) - 1]) {
            std::memcpy(out, target.Row(i - 1), rowBytes);
            continue;
        }
        const uint8_t* in = Row(rows[static_cast<size_t>(i)]);
        // Pixels move as 4-byte words whose fourth byte the next pixel overwrites; the last
        // one moves as 3 bytes so that nothing past the row's pixels changes. Reading one byte
        // past a source pixel stays inside the surface's tail slack.
        for (int j = 0; j + 1 < tw; ++j, out += 3)
            std::memcpy(out, in + columns[static_cast<size_t>(j)] * BytesPerPixel, 4);
        std::memcpy(out, in + columns[static_cast<size_t>(tw) - 1] * BytesPerPixel, 3);
    }
}

void PixelSurface::ResizeSmoothInto(PixelSurface& target) const {
    kernels::ResizeSmoothWith(kernels::BestKernelSet(), *this, target);
}

namespace kernels {
namespace {

// The bilinear resize exactly as defined, one pixel at a time: 17.15 fixed-point positions,
// 15-bit fractions and four integer weights that add up to 32768.
void ResizeSmoothPlain(const PixelSurface& source, PixelSurface& target) {
    const int sw = source.Width(), sh = source.Height();
    const int tw = target.Width(), th = target.Height();
    const int32_t xstep = ((sw - 1) << 15) / tw;
    const int32_t ystep = ((sh - 1) << 15) / th;
    for (int i = 0; i < th; ++i) {
        const uint32_t y = static_cast<uint32_t>(i) * static_cast<uint32_t>(ystep);
        const int upper = static_cast<int>(y >> 15);
        const int lower = upper == sh - 1 ? upper : upper + 1;
        const uint32_t fy = y & 32767;
        for (int j = 0; j < tw; ++j) {
            const uint32_t x = static_cast<uint32_t>(j) * static_cast<uint32_t>(xstep);
            const int column = static_cast<int>(x >> 15);
            const uint32_t fx = x & 32767;
            const uint32_t wTR = (fx * (32768 - fy)) >> 15;
            const uint32_t wTL = 32768 - fy - wTR;
            const uint32_t wBR = (fx * fy) >> 15;
            const uint32_t wBL = fy - wBR;
            const uint8_t* tl = source.Row(upper) + column * 3;
            const uint8_t* bl = source.Row(lower) + column * 3;
            uint8_t* out = target.Row(i) + j * 3;
            for (int c = 0; c < 3; ++c)
                out[c] = static_cast<uint8_t>(
                    (tl[c] * wTL + tl[c + 3] * wTR + bl[c] * wBL + bl[c + 3] * wBR) >> 15);
        }
    }
}

void ResizeSmoothRowScalar(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                           const uint32_t* offsets, const uint16_t* fx2, int width, int fy) {
    ResizeSmoothColumnsScalar(upper, lower, out, offsets, fx2, 0, width, fy);
}

ResizeSmoothRowKernel RowKernel(KernelSet set) {
    switch (set) {
#if defined(__x86_64__) || defined(__i386__)
        case KernelSet::Sse2:
            return ResizeSmoothRowSse2;
        case KernelSet::Avx2:
            return ResizeSmoothRowAvx2;
#endif
        default:
            return ResizeSmoothRowScalar;
    }
}

}  // namespace

void ResizeSmoothColumnsScalar(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                               const uint32_t* offsets, const uint16_t* fx2, int begin, int end,
                               int fy) {
    const uint32_t top = 32768 - static_cast<uint32_t>(fy);
    const auto bottom = static_cast<uint32_t>(fy);
    for (int j = begin; j < end; ++j) {
        const uint32_t fx = fx2[j] >> 1;
        const uint32_t wTR = (fx * top) >> 15;
        const uint32_t wTL = top - wTR;
        const uint32_t wBR = (fx * bottom) >> 15;
        const uint32_t wBL = bottom - wBR;
        const uint8_t* t = upper + offsets[j];
        const uint8_t* b = lower + offsets[j];
        uint8_t* o = out + j * 3;
        o[0] = static_cast<uint8_t>((t[0] * wTL + t[3] * wTR + b[0] * wBL + b[3] * wBR) >> 15);
        o[1] = static_cast<uint8_t>((t[1] * wTL + t[4] * wTR + b[1] * wBL + b[4] * wBR) >> 15);
        o[2] = static_cast<uint8_t>((t[2] * wTL + t[5] * wTR + b[2] * wBL + b[5] * wBR) >> 15);
    }
}

void ResizeSmoothWith(KernelSet set, const PixelSurface& source, PixelSurface& target) {
    const int sw = source.Width(), sh = source.Height();
    const int tw = target.Width(), th = target.Height();
    if (tw < 1 || th < 1 || source.Empty()) return;
    // One source column has no right neighbour to blend with.
    if (sw == 1) return source.ResizeNearestInto(target);
    if (sw == tw && sh == th) {
        if (&source != &target)
            std::memcpy(target.PixelData(), source.PixelData(),
                        static_cast<size_t>(source.PixelBytes()));
        return;
    }
    if (set == KernelSet::Plain) return ResizeSmoothPlain(source, target);

    // Per column, once: where its source pixels start and its horizontal fraction (doubled,
    // so that a 16-bit high-half multiply yields the 15-bit weight products directly).
    const int32_t xstep = ((sw - 1) << 15) / tw;
    const int32_t ystep = ((sh - 1) << 15) / th;
    std::vector<uint32_t> offsets(static_cast<size_t>(tw));
    std::vector<uint16_t> fx2(static_cast<size_t>(tw));
    uint32_t x = 0;
    for (int j = 0; j < tw; ++j, x += static_cast<uint32_t>(xstep)) {
        offsets[static_cast<size_t>(j)] = (x >> 15) * 3;
        fx2[static_cast<size_t>(j)] = static_cast<uint16_t>((x & 32767) << 1);
    }
    const ResizeSmoothRowKernel kernel = RowKernel(set);
    uint32_t y = 0;
    for (int i = 0; i < th; ++i, y += static_cast<uint32_t>(ystep)) {
        const int upper = static_cast<int>(y >> 15);
        const int fy = static_cast<int>(y & 32767);
        // With no vertical fraction the lower row has weight 0; passing the upper row twice
        // lets the vector kernels share its weight between both rows.
        const int lower = fy == 0 || upper == sh - 1 ? upper : upper + 1;
        kernel(source.Row(upper), source.Row(lower), target.Row(i), offsets.data(), fx2.data(), tw,
               fy);
    }
}

}  // namespace kernels
}  // namespace lv
