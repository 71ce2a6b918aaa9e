// Nearest-pixel and bilinear resizes between 24-bit surfaces, and the bilinear one between
// 32-bit pictures. They work on row indexes, so a bottom-up picture stays bottom-up; the 32-bit
// resize counts its rows from the bottom as well, so that both give the same pixels. The
// bilinear resize is the one the show uses on every picture change; its vector kernels are in
// resize_sse2.cpp and resize_avx2.cpp.
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

// Columns begin .. end - 1 of one target row with PixelBytes bytes per pixel. A 32-bit
// target pixel's fourth byte is 0.
template <int PixelBytes>
void SmoothColumns(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                   const uint32_t* offsets, const uint16_t* fx2, int begin, int end, int fy) {
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
        uint8_t* o = out + j * PixelBytes;
        for (int c = 0; c < 3; ++c)
            o[c] = static_cast<uint8_t>(
                (t[c] * wTL + t[c + PixelBytes] * wTR + b[c] * wBL + b[c + PixelBytes] * wBR) >>
                15);
        if constexpr (PixelBytes == 4) o[3] = 0;
    }
}

// The row loop of the vector and scalar resizes, for either pixel size. sourceRow(r) and
// targetRow(i) give the rows with index r and i counted from the bottom of the picture.
template <int PixelBytes, class SourceRow, class TargetRow>
void SmoothRows(ResizeSmoothRowKernel kernel, int sw, int sh, int tw, int th, SourceRow sourceRow,
                TargetRow targetRow) {
    // Per column, once: where its source pixels start and its horizontal fraction (doubled,
    // so that a 16-bit high-half multiply yields the 15-bit weight products directly).
    const int32_t xstep = ((sw - 1) << 15) / tw;
    const int32_t ystep = ((sh - 1) << 15) / th;
    std::vector<uint32_t> offsets(static_cast<size_t>(tw));
    std::vector<uint16_t> fx2(static_cast<size_t>(tw));
    uint32_t x = 0;
    for (int j = 0; j < tw; ++j, x += static_cast<uint32_t>(xstep)) {
        offsets[static_cast<size_t>(j)] = (x >> 15) * PixelBytes;
        fx2[static_cast<size_t>(j)] = static_cast<uint16_t>((x & 32767) << 1);
    }
    uint32_t y = 0;
    for (int i = 0; i < th; ++i, y += static_cast<uint32_t>(ystep)) {
        const int upper = static_cast<int>(y >> 15);
        const int fy = static_cast<int>(y & 32767);
        // With no vertical fraction the lower row has weight 0; passing the upper row twice
        // lets the vector kernels share its weight between both rows.
        const int lower = fy == 0 || upper == sh - 1 ? upper : upper + 1;
        kernel(sourceRow(upper), sourceRow(lower), targetRow(i), offsets.data(), fx2.data(), tw,
               fy);
    }
}

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

template <int PixelBytes>
void ResizeSmoothRowScalar(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                           const uint32_t* offsets, const uint16_t* fx2, int width, int fy) {
    SmoothColumns<PixelBytes>(upper, lower, out, offsets, fx2, 0, width, fy);
}

template <int PixelBytes>
ResizeSmoothRowKernel RowKernel(KernelSet set) {
    constexpr bool Wide = PixelBytes == 4;
    switch (set) {
#if defined(__x86_64__) || defined(__i386__)
        case KernelSet::Sse2:
            return Wide ? ResizeSmoothRow32Sse2 : ResizeSmoothRowSse2;
        case KernelSet::Avx2:
            return Wide ? ResizeSmoothRow32Avx2 : ResizeSmoothRowAvx2;
#endif
        default:
            return ResizeSmoothRowScalar<PixelBytes>;
    }
}

// The 32-bit resize by way of 24-bit surfaces: for the plain reference, and for one source
// column, which the 24-bit resize hands to the nearest-pixel resize.
void ResizeSmoothThroughSurfaces(KernelSet set, const Bitmap32& source, Bitmap32& target) {
    PixelSurface from;
    from.LoadFromBitmap32(source);
    PixelSurface to(target.Width(), target.Height());
    ResizeSmoothWith(set, from, to);
    to.DrawToBitmap32(target, 0, 0);
}

}  // namespace

void ResizeSmoothColumnsScalar(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                               const uint32_t* offsets, const uint16_t* fx2, int begin, int end,
                               int fy) {
    SmoothColumns<3>(upper, lower, out, offsets, fx2, begin, end, fy);
}

void ResizeSmoothColumns32Scalar(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                                 const uint32_t* offsets, const uint16_t* fx2, int begin, int end,
                                 int fy) {
    SmoothColumns<4>(upper, lower, out, offsets, fx2, begin, end, fy);
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
    SmoothRows<3>(
        RowKernel<3>(set), sw, sh, tw, th, [&](int r) { return source.Row(r); },
        [&](int i) { return target.Row(i); });
}

void ResizeSmoothWith(KernelSet set, const Bitmap32& source, Bitmap32& target) {
    const int sw = source.Width(), sh = source.Height();
    const int tw = target.Width(), th = target.Height();
    if (tw < 1 || th < 1 || source.Empty()) return;
    if (sw == tw && sh == th) {
        if (&source != &target) target = source;
        return;
    }
    if (set == KernelSet::Plain || sw == 1) return ResizeSmoothThroughSurfaces(set, source, target);
    const auto bytes = [](const uint32_t* row) { return reinterpret_cast<const uint8_t*>(row); };
    SmoothRows<4>(
        RowKernel<4>(set), sw, sh, tw, th, [&](int r) { return bytes(source.Row(sh - 1 - r)); },
        [&](int i) { return reinterpret_cast<uint8_t*>(target.Row(th - 1 - i)); });
}

}  // namespace kernels
}  // namespace lv
