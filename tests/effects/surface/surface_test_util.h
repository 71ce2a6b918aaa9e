#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>

#include "effects/surface/pixel_surface.h"

namespace lv::test {

// Fills every byte of the pixel memory, padding included, so that a kernel that writes where
// it should not shows up as a difference.
inline void FillRandom(PixelSurface& surface, uint32_t seed) {
    std::mt19937 generator(seed);
    for (int64_t i = 0; i < surface.PixelBytes(); ++i)
        surface.PixelData()[i] = static_cast<uint8_t>(generator() >> 24);
}

inline PixelSurface RandomSurface(int width, int height, uint32_t seed) {
    PixelSurface surface(width, height);
    FillRandom(surface, seed);
    return surface;
}

inline ::testing::AssertionResult SameMemory(const PixelSurface& a, const PixelSurface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return ::testing::AssertionFailure() << "sizes differ";
    for (int64_t i = 0; i < a.PixelBytes(); ++i)
        if (a.PixelData()[i] != b.PixelData()[i])
            return ::testing::AssertionFailure()
                   << "first difference at row " << i / a.RowStride() << ", byte "
                   << i % a.RowStride() << ": " << int(a.PixelData()[i]) << " vs "
                   << int(b.PixelData()[i]) << " (" << a.Width() << " x " << a.Height() << ")";
    return ::testing::AssertionSuccess();
}

// Blue, green, red of pixel x in row index y (counted from the bottom).
inline uint32_t PixelAt(const PixelSurface& surface, int x, int y) {
    const uint8_t* p = surface.Row(y) + x * 3;
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16;
}

inline void SetPixelAt(PixelSurface& surface, int x, int y, uint32_t colour) {
    uint8_t* p = surface.Row(y) + x * 3;
    p[0] = static_cast<uint8_t>(colour);
    p[1] = static_cast<uint8_t>(colour >> 8);
    p[2] = static_cast<uint8_t>(colour >> 16);
}

}  // namespace lv::test
