#pragma once

#include <cstddef>
#include <cstdint>

#include "common/bitmap32.h"
#include "common/pixel_rect.h"
#include "effects/surface/clamp.h"
#include "effects/surface/pixel_surface.h"

namespace lv {

// Moves every pixel towards or away from the integer mean of its three channels:
// channel := grey + floor(amount x channel / 256) - floor(amount x grey / 256), clamped to a
// byte. 256 keeps the colours, 0 makes them grey, larger amounts saturate. Amounts below 0
// are taken as 0, and amounts beyond 65536 as 65536 (which already clamps every channel
// that differs from the mean), so the tables cannot overflow.
void AdjustSaturation(PixelSurface& surface, int amount);

// target := second moved towards first by amount / 256, every byte by
// floor(amount x (first - second) / 256): amount 0 gives the second surface, 256 the first.
// The amount is clamped to 0 .. 256. Target may be first or second. Raises lv::Error when the
// three surfaces differ in size; does nothing to an empty target.
void BlendSurfaces(PixelSurface& target, const PixelSurface& first, const PixelSurface& second,
                   int amount);

// The same blend on 32-bit bitmaps, every byte of every 0x00RRGGBB word: the colour bytes come
// out exactly as BlendSurfaces makes them, and the spare byte, 0 in both, stays 0. Saves the
// 24-bit copies and the conversion back when the pictures are 32-bit already.
void BlendBitmaps(Bitmap32& target, const Bitmap32& first, const Bitmap32& second, int amount);

// BlendBitmaps with `first` a black picture of the target's size that has `picture` drawn on it
// with its top-left corner at (left, top), clipped: the same bytes, without making that picture.
// Raises lv::Error when `second` differs from the target in size.
void BlendPlacedBitmap(Bitmap32& target, const Bitmap32& picture, int left, int top,
                       const Bitmap32& second, int amount);
// BlendPlacedBitmap for the pixels of `area` only (clipped to `second`), written to rows that
// need not be a Bitmap32's: the target's pixel (x, y) is targetOrigin[y * targetStride + x].
// The target may be `second` itself.
void BlendPlacedArea(uint32_t* targetOrigin, ptrdiff_t targetStride, PixelRect area,
                     const Bitmap32& picture, int left, int top, const Bitmap32& second,
                     int amount);

}  // namespace lv
