#pragma once

// Internal to the effects: the interchangeable implementations of the hot pixel kernels.
// Every kernel set produces exactly the bytes of the plain per-pixel version, which is kept as
// the reference the tests and benchmarks compare the others with.

#include <cstdint>
#include <vector>

#include "effects/surface/pixel_surface.h"

namespace lv::kernels {

enum class KernelSet {
    Plain,   // per pixel, straight from the formulas; the reference
    Scalar,  // row pointers, per-row and per-column values hoisted out of the pixel loop
    Sse2,    // 128-bit vectors, every x86-64 processor
    Avx2,    // 256-bit vectors, chosen at run time when the processor has them
};

const char* KernelSetName(KernelSet set);
// The sets this processor can run, Plain first; the last one is the fastest.
const std::vector<KernelSet>& AvailableKernelSets();
KernelSet BestKernelSet();

void ResizeSmoothWith(KernelSet set, const PixelSurface& source, PixelSurface& target);
// The same resize between 32-bit pictures, with the 24-bit resize's pixels: rows are counted
// from the bottom as a surface counts them, and the fourth byte of every pixel written is 0.
void ResizeSmoothWith(KernelSet set, const Bitmap32& source, Bitmap32& target);
void BlendSurfacesWith(KernelSet set, PixelSurface& target, const PixelSurface& first,
                       const PixelSurface& second, int amount);

// One target row of the bilinear resize. `offsets[j]` is the byte offset of target column j's
// left source pixel, `fx2[j]` twice its 15-bit horizontal fraction, `fy` the row's vertical
// fraction; `lower` is the row below `upper` (the same row when fy is 0). Each kernel writes
// columns 0 .. width - 1 and nothing else.
using ResizeSmoothRowKernel = void (*)(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                                       const uint32_t* offsets, const uint16_t* fx2, int width,
                                       int fy);
// Columns begin .. end - 1 of a row, one pixel at a time; also the tail of the vector kernels.
void ResizeSmoothColumnsScalar(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                               const uint32_t* offsets, const uint16_t* fx2, int begin, int end,
                               int fy);
void ResizeSmoothRowSse2(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                         const uint32_t* offsets, const uint16_t* fx2, int width, int fy);
void ResizeSmoothRowAvx2(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                         const uint32_t* offsets, const uint16_t* fx2, int width, int fy);
// The row kernels for 32-bit pixels: offsets and columns step 4 bytes per pixel.
void ResizeSmoothColumns32Scalar(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                                 const uint32_t* offsets, const uint16_t* fx2, int begin, int end,
                                 int fy);
void ResizeSmoothRow32Sse2(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                           const uint32_t* offsets, const uint16_t* fx2, int width, int fy);
void ResizeSmoothRow32Avx2(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                           const uint32_t* offsets, const uint16_t* fx2, int width, int fy);

// `count` bytes of one blended row: out = second moved towards first by amount / 256
// (amount 0 .. 256), computed as ((256 - amount) x second + amount x first) shr 8.
void BlendBytesScalar(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
                      int amount);
void BlendBytesSse2(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
                    int amount);
void BlendBytesAvx2(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
                    int amount);

// Pixel format conversion of one row between 32-bit words 0x00RRGGBB and 3-byte pixels.
// The 24-bit side may be read up to 8 bytes past its last pixel (surfaces keep tail slack)
// but is never written there; the 32-bit side is accessed exactly.
using Row24To32Kernel = void (*)(const uint8_t* in, uint32_t* out, int64_t pixels);
using Row32To24Kernel = void (*)(const uint32_t* in, uint8_t* out, int64_t pixels);
Row24To32Kernel Row24To32(KernelSet set);
Row32To24Kernel Row32To24(KernelSet set);

}  // namespace lv::kernels
