// Whole-picture colour filters on 24-bit surfaces.
#include "effects/filters/pixel_filters.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "common/error.h"
#include "effects/surface/pixel_kernels.h"

namespace lv {

void AdjustSaturation(PixelSurface& surface, int amount) {
    if (surface.Empty()) return;
    amount = std::clamp(amount, 0, 65536);
    // Scaled channel values, and per channel sum the mean minus its scaled value, so that
    // the pixel loop only looks values up.
    std::array<int32_t, 256> scaled;
    for (int i = 0; i < 256; ++i) scaled[static_cast<size_t>(i)] = (amount * i) >> 8;
    std::array<int32_t, 768> grey;
    for (int s = 0; s < 768; ++s)
        grey[static_cast<size_t>(s)] = s / 3 - scaled[static_cast<size_t>(s / 3)];

    for (int row = 0; row < surface.Height(); ++row) {
        uint8_t* p = surface.Row(row);
        uint8_t* const end = p + static_cast<size_t>(surface.Width()) * 3;
        for (; p != end; p += 3) {
            const int32_t g = grey[static_cast<size_t>(p[0] + p[1] + p[2])];
            p[0] = static_cast<uint8_t>(ClampToByte(g + scaled[p[0]]));
            p[1] = static_cast<uint8_t>(ClampToByte(g + scaled[p[1]]));
            p[2] = static_cast<uint8_t>(ClampToByte(g + scaled[p[2]]));
        }
    }
}

void BlendSurfaces(PixelSurface& target, const PixelSurface& first, const PixelSurface& second,
                   int amount) {
    kernels::BlendSurfacesWith(kernels::BestKernelSet(), target, first, second, amount);
}

namespace {

using BlendBytes = void (*)(uint8_t*, const uint8_t*, const uint8_t*, int64_t, int);

BlendBytes BestBlendBytes() {
    BlendBytes blend = kernels::BlendBytesScalar;
#if defined(__x86_64__) || defined(__i386__)
    if (kernels::BestKernelSet() == kernels::KernelSet::Sse2) blend = kernels::BlendBytesSse2;
    if (kernels::BestKernelSet() == kernels::KernelSet::Avx2) blend = kernels::BlendBytesAvx2;
#endif
    return blend;
}

std::string SizeText(const Bitmap32& bitmap) {
    return std::to_string(bitmap.Width()) + " x " + std::to_string(bitmap.Height());
}

}  // namespace

void BlendBitmaps(Bitmap32& target, const Bitmap32& first, const Bitmap32& second, int amount) {
    if (target.Empty()) return;
    if (first.Width() != target.Width() || first.Height() != target.Height() ||
        second.Width() != target.Width() || second.Height() != target.Height())
        throw Error("cannot blend bitmaps of different sizes (" + SizeText(first) + " and " +
                    SizeText(second) + " into " + SizeText(target) + ")");
    amount = std::clamp(amount, 0, 256);
    // Bitmap rows lie back to back: one call covers the whole picture.
    BestBlendBytes()(reinterpret_cast<uint8_t*>(target.Data()),
                     reinterpret_cast<const uint8_t*>(first.Data()),
                     reinterpret_cast<const uint8_t*>(second.Data()),
                     static_cast<int64_t>(target.PixelCount()) * 4, amount);
}

void BlendPlacedBitmap(Bitmap32& target, const Bitmap32& picture, int left, int top,
                       const Bitmap32& second, int amount) {
    if (target.Empty()) return;
    if (second.Width() != target.Width() || second.Height() != target.Height())
        throw Error("cannot blend bitmaps of different sizes (" + SizeText(second) + " into " +
                    SizeText(target) + ")");
    BlendPlacedArea(target.Data(), target.Width(), {0, 0, target.Width(), target.Height()},
                    picture, left, top, second, amount);
}

void BlendPlacedArea(uint32_t* targetOrigin, ptrdiff_t targetStride, PixelRect area,
                     const Bitmap32& picture, int left, int top, const Bitmap32& second,
                     int amount) {
    area = ClipToPicture(area.Left, area.Top, area.Right, area.Bottom, second.Width(),
                         second.Height());
    if (area.Empty()) return;
    amount = std::clamp(amount, 0, 256);
    const BlendBytes blend = BestBlendBytes();
    // The part of the area the picture covers; the rest blends with black.
    const int64_t coverLeft = std::clamp<int64_t>(left, area.Left, area.Right);
    const int64_t coverRight =
        std::clamp<int64_t>(int64_t{left} + picture.Width(), coverLeft, area.Right);
    const int64_t coverTop = std::clamp<int64_t>(top, area.Top, area.Bottom);
    const int64_t coverBottom =
        std::clamp<int64_t>(int64_t{top} + picture.Height(), coverTop, area.Bottom);
    const std::vector<uint32_t> black(static_cast<size_t>(area.Width()), 0u);
    auto part = [&](uint32_t* to, const uint32_t* first, const uint32_t* from, int64_t pixels) {
        if (pixels > 0)
            blend(reinterpret_cast<uint8_t*>(to), reinterpret_cast<const uint8_t*>(first),
                  reinterpret_cast<const uint8_t*>(from), pixels * 4, amount);
    };
    for (int y = area.Top; y < area.Bottom; ++y) {
        uint32_t* to = targetOrigin + y * targetStride;
        const uint32_t* from = second.Row(y);
        if (y < coverTop || y >= coverBottom || coverLeft == coverRight) {
            part(to + area.Left, black.data(), from + area.Left, area.Width());
            continue;
        }
        const uint32_t* placed = picture.Row(static_cast<int>(y - top)) + (coverLeft - left);
        part(to + area.Left, black.data(), from + area.Left, coverLeft - area.Left);
        part(to + coverLeft, placed, from + coverLeft, coverRight - coverLeft);
        part(to + coverRight, black.data(), from + coverRight, area.Right - coverRight);
    }
}

namespace kernels {
namespace {

// The blend as defined, byte by byte through a table of the 511 possible differences:
// T[d + 255] = (amount x d) shr 8 with an arithmetic shift, so negative differences round
// towards minus infinity like positive ones.
void BlendSurfacesPlain(PixelSurface& target, const PixelSurface& first, const PixelSurface& second,
                        int amount) {
    std::array<int32_t, 511> table;
    for (int d = -255; d <= 255; ++d) table[static_cast<size_t>(d + 255)] = (amount * d) >> 8;
    for (int row = 0; row < target.Height(); ++row) {
        uint8_t* out = target.Row(row);
        const uint8_t* a = first.Row(row);
        const uint8_t* b = second.Row(row);
        for (int i = 0; i < target.Width() * 3; ++i)
            out[i] = static_cast<uint8_t>(b[i] + table[static_cast<size_t>(a[i] - b[i] + 255)]);
    }
}

}  // namespace

void BlendBytesScalar(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
                      int amount) {
    // (256 - a) x s + a x f = 256 x s + a x (f - s), whose floor division by 256 is
    // s + floor(a x (f - s) / 256); both terms are non-negative, so a plain shift does it.
    const int keep = 256 - amount;
    for (int64_t i = 0; i < count; ++i)
        out[i] = static_cast<uint8_t>((second[i] * keep + first[i] * amount) >> 8);
}

void BlendSurfacesWith(KernelSet set, PixelSurface& target, const PixelSurface& first,
                       const PixelSurface& second, int amount) {
    if (target.Empty()) return;
    if (first.Width() != target.Width() || first.Height() != target.Height() ||
        second.Width() != target.Width() || second.Height() != target.Height())
        throw Error("cannot blend pixel surfaces of different sizes (" +
                    std::to_string(first.Width()) + " x " + std::to_string(first.Height()) +
                    " and " + std::to_string(second.Width()) + " x " +
                    std::to_string(second.Height()) + " into " + std::to_string(target.Width()) +
                    " x " + std::to_string(target.Height()) + ")");
    amount = std::clamp(amount, 0, 256);
    if (set == KernelSet::Plain) return BlendSurfacesPlain(target, first, second, amount);

    auto* blend = BlendBytesScalar;
#if defined(__x86_64__) || defined(__i386__)
    if (set == KernelSet::Sse2) blend = BlendBytesSse2;
    if (set == KernelSet::Avx2) blend = BlendBytesAvx2;
#endif
    // Rows without padding lie back to back: one call covers the whole picture.
    if (target.RowPadding() == 0)
        return blend(target.PixelData(), first.PixelData(), second.PixelData(), target.PixelBytes(),
                     amount);
    const int64_t rowBytes = static_cast<int64_t>(target.Width()) * 3;
    for (int row = 0; row < target.Height(); ++row)
        blend(target.Row(row), first.Row(row), second.Row(row), rowBytes, amount);
}

}  // namespace kernels
}  // namespace lv
