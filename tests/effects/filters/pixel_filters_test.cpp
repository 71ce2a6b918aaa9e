#include "effects/filters/pixel_filters.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "common/error.h"
#include "effects/surface/pixel_kernels.h"
#include "effects/surface/surface_test_util.h"

namespace lv {
namespace {

using kernels::KernelSet;
using test::PixelAt;
using test::RandomSurface;
using test::SameMemory;
using test::SetPixelAt;

TEST(ClampToByte, KeepsBytesAndClampsTheRest) {
    EXPECT_EQ(ClampToByte(-2147483647 - 1), 0);
    EXPECT_EQ(ClampToByte(-1), 0);
    EXPECT_EQ(ClampToByte(0), 0);
    EXPECT_EQ(ClampToByte(200), 200);
    EXPECT_EQ(ClampToByte(255), 255);
    EXPECT_EQ(ClampToByte(256), 255);
    EXPECT_EQ(ClampToByte(2147483647), 255);
}

TEST(BlendSurfaces, AmountZeroGivesTheSecondAnd256TheFirst) {
    for (KernelSet set : kernels::AvailableKernelSets()) {
        const PixelSurface first = RandomSurface(37, 5, 1);
        const PixelSurface second = RandomSurface(37, 5, 2);
        PixelSurface target = RandomSurface(37, 5, 3);
        kernels::BlendSurfacesWith(set, target, first, second, 0);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 37; ++x) ASSERT_EQ(PixelAt(target, x, y), PixelAt(second, x, y));
        kernels::BlendSurfacesWith(set, target, first, second, 256);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 37; ++x) ASSERT_EQ(PixelAt(target, x, y), PixelAt(first, x, y));
    }
}

TEST(BlendSurfaces, EveryChannelMovesByTheFlooredShare) {
    // floor(amount x (first - second) / 256), also for negative differences.
    const struct {
        uint8_t first, second;
        int amount;
        uint8_t expected;
    } cases[] = {
        {0, 255, 1, 254},     // -255 / 256 floors to -1
        {10, 11, 128, 10},    // -1 x 128 / 256 = -0.5 floors to -1
        {11, 10, 128, 10},    // +0.5 floors to 0
        {255, 0, 255, 254},   // 255 x 255 / 256 = 254.0039
        {0, 255, 255, 0},     // -254.0039 floors to -255: downwards reaches the first
        {100, 200, 10, 196},  // -1000 / 256 = -3.9 floors to -4
        {200, 100, 10, 103},
    };
    for (KernelSet set : kernels::AvailableKernelSets())
        for (const auto& c : cases) {
            PixelSurface first(1, 1), second(1, 1), target(1, 1);
            SetPixelAt(first, 0, 0, c.first * 0x010101u);
            SetPixelAt(second, 0, 0, c.second * 0x010101u);
            kernels::BlendSurfacesWith(set, target, first, second, c.amount);
            EXPECT_EQ(PixelAt(target, 0, 0), c.expected * 0x010101u)
                << kernels::KernelSetName(set) << ": " << int(c.first) << " over " << int(c.second)
                << " by " << c.amount;
        }
}

TEST(BlendSurfaces, EveryKernelSetMatchesThePlainVersion) {
    const int widths[] = {1, 2, 3, 5, 10, 11, 16, 17, 33, 64, 65, 331};
    const int amounts[] = {0, 1, 10, 22, 127, 128, 129, 245, 255, 256};
    uint32_t seed = 0;
    for (int width : widths)
        for (int amount : amounts) {
            const int height = 1 + (width + amount) % 4;
            const PixelSurface first = RandomSurface(width, height, ++seed);
            const PixelSurface second = RandomSurface(width, height, ++seed);
            PixelSurface expected = RandomSurface(width, height, ++seed);
            kernels::BlendSurfacesWith(KernelSet::Plain, expected, first, second, amount);
            for (KernelSet set : kernels::AvailableKernelSets()) {
                PixelSurface actual = RandomSurface(width, height, seed);  // padding as before
                kernels::BlendSurfacesWith(set, actual, first, second, amount);
                ASSERT_TRUE(SameMemory(actual, expected))
                    << kernels::KernelSetName(set) << " width " << width << " amount " << amount;
                PixelSurface inPlace = RandomSurface(width, height, seed - 1);  // = second
                kernels::BlendSurfacesWith(set, inPlace, first, inPlace, amount);
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x)
                        ASSERT_EQ(PixelAt(inPlace, x, y), PixelAt(expected, x, y));
            }
        }
}

TEST(BlendSurfaces, EveryKernelSetMatchesThePlainVersionForEveryAmount) {
    // The vector kernels pick their arithmetic by the amount's parity and range.
    const PixelSurface first = RandomSurface(75, 2, 11);
    const PixelSurface second = RandomSurface(75, 2, 12);
    for (int amount = 0; amount <= 256; ++amount) {
        PixelSurface expected(75, 2);
        kernels::BlendSurfacesWith(KernelSet::Plain, expected, first, second, amount);
        for (KernelSet set : kernels::AvailableKernelSets()) {
            PixelSurface actual(75, 2);
            kernels::BlendSurfacesWith(set, actual, first, second, amount);
            ASSERT_TRUE(SameMemory(actual, expected))
                << kernels::KernelSetName(set) << " amount " << amount;
        }
    }
}

TEST(BlendBitmaps, GivesTheColoursOfTheBlendOfTheirSurfaces) {
    // The fade blends 32-bit screens directly; its frames must be those of the 24-bit blend.
    uint32_t seed = 40;
    for (const int width : {1, 7, 33, 129}) {
        Bitmap32 first(width, 3);
        Bitmap32 second(width, 3);
        for (Bitmap32* bitmap : {&first, &second})
            for (size_t i = 0; i < bitmap->PixelCount(); ++i)
                bitmap->Data()[i] = (seed = seed * 1664525u + 1013904223u) >> 8;
        for (const int amount : {-5, 0, 10, 22, 128, 245, 255, 256, 300}) {
            PixelSurface a, b;
            a.LoadFromBitmap32(first);
            b.LoadFromBitmap32(second);
            PixelSurface blended(width, 3);
            BlendSurfaces(blended, a, b, amount);
            Bitmap32 expected(width, 3);
            blended.DrawToBitmap32(expected, 0, 0);
            Bitmap32 actual(width, 3);
            BlendBitmaps(actual, first, second, amount);
            ASSERT_EQ(std::vector<uint32_t>(actual.Data(), actual.Data() + actual.PixelCount()),
                      std::vector<uint32_t>(expected.Data(), expected.Data() + expected.PixelCount()))
                << "width " << width << " amount " << amount;
        }
    }
    Bitmap32 small(2, 2);
    EXPECT_THROW(BlendBitmaps(small, Bitmap32(3, 2), small, 10), Error);
}

TEST(BlendPlacedBitmap, GivesTheBlendOfThePictureDrawnOnBlack) {
    // The fade blends the incoming picture from where it lies instead of from a black screen
    // with the picture drawn on it; every placement, clipped or not, must give the same bytes.
    uint32_t seed = 7;
    auto randomBitmap = [&](int width, int height) {
        Bitmap32 bitmap(width, height);
        for (size_t i = 0; i < bitmap.PixelCount(); ++i)
            bitmap.Data()[i] = (seed = seed * 1664525u + 1013904223u) >> 8;
        return bitmap;
    };
    const Bitmap32 second = randomBitmap(37, 11);
    const Bitmap32 picture = randomBitmap(13, 5);
    const std::vector<std::pair<int, int>> places = {
        {0, 0}, {24, 6}, {-5, -2}, {30, 9}, {-13, 0}, {37, 3}, {5, 11}, {-100, 200}};
    for (const auto& [left, top] : places) {
        for (const int amount : {0, 10, 131, 255, 256}) {
            Bitmap32 onBlack(37, 11);
            for (int y = 0; y < picture.Height(); ++y)
                for (int x = 0; x < picture.Width(); ++x)
                    if (x + left >= 0 && x + left < 37 && y + top >= 0 && y + top < 11)
                        onBlack.SetPixel(x + left, y + top, picture.Pixel(x, y));
            Bitmap32 expected(37, 11);
            BlendBitmaps(expected, onBlack, second, amount);
            Bitmap32 actual = randomBitmap(37, 11);
            BlendPlacedBitmap(actual, picture, left, top, second, amount);
            ASSERT_EQ(actual, expected) << "at " << left << ", " << top << " amount " << amount;
        }
    }
    Bitmap32 toBlack(37, 11);
    BlendPlacedBitmap(toBlack, Bitmap32(), 0, 0, second, 128);
    Bitmap32 expected(37, 11);
    BlendBitmaps(expected, Bitmap32(37, 11), second, 128);
    EXPECT_EQ(toBlack, expected);
    Bitmap32 small(2, 2);
    EXPECT_THROW(BlendPlacedBitmap(small, picture, 0, 0, Bitmap32(3, 2), 10), Error);
}

TEST(BlendSurfaces, AmountsOutsideTheRangeAreClamped) {
    const PixelSurface first = RandomSurface(9, 3, 1);
    const PixelSurface second = RandomSurface(9, 3, 2);
    PixelSurface over(9, 3), under(9, 3), full(9, 3), none(9, 3);
    BlendSurfaces(over, first, second, 300);
    BlendSurfaces(full, first, second, 256);
    BlendSurfaces(under, first, second, -2147483647 - 1);
    BlendSurfaces(none, first, second, 0);
    EXPECT_TRUE(SameMemory(over, full));
    EXPECT_TRUE(SameMemory(under, none));
}

TEST(BlendSurfaces, RefusesSurfacesOfDifferentSizesAndIgnoresEmptyTargets) {
    const PixelSurface small = RandomSurface(4, 4, 1);
    const PixelSurface large = RandomSurface(5, 4, 2);
    PixelSurface target(4, 4);
    EXPECT_THROW(BlendSurfaces(target, small, large, 10), Error);
    EXPECT_THROW(BlendSurfaces(target, large, small, 10), Error);
    PixelSurface empty;
    EXPECT_NO_THROW(BlendSurfaces(empty, small, large, 10));
}

// channel := mean + floor(amount x channel / 256) - floor(amount x mean / 256), clamped.
uint32_t SaturatedPixel(uint32_t pixel, int amount) {
    const int b = pixel & 0xFF, g = (pixel >> 8) & 0xFF, r = pixel >> 16;
    const int mean = (b + g + r) / 3;
    const auto channel = [&](int c) {
        const int64_t v = mean + ((static_cast<int64_t>(amount) * c) >> 8) -
                          ((static_cast<int64_t>(amount) * mean) >> 8);
        return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    };
    return channel(b) | channel(g) << 8 | channel(r) << 16;
}

TEST(AdjustSaturation, AmountIsTheShareOfEachChannelsDistanceFromTheMean) {
    for (int amount : {0, 1, 100, 255, 256, 300, 1000, 65536}) {
        const PixelSurface original = RandomSurface(13, 7, static_cast<uint32_t>(amount));
        PixelSurface surface = RandomSurface(13, 7, static_cast<uint32_t>(amount));
        AdjustSaturation(surface, amount);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(PixelAt(surface, x, y), SaturatedPixel(PixelAt(original, x, y), amount))
                    << "amount " << amount;
        // Padding bytes stay as they were.
        for (int y = 0; y < 7; ++y)
            for (int i = 39; i < surface.RowStride(); ++i)
                ASSERT_EQ(surface.Row(y)[i], original.Row(y)[i]);
    }
}

TEST(AdjustSaturation, TheExtremesKeepColoursOrMakeThemGrey) {
    const PixelSurface original = RandomSurface(17, 9, 3);
    PixelSurface same = RandomSurface(17, 9, 3);
    AdjustSaturation(same, 256);
    EXPECT_TRUE(SameMemory(same, original));

    PixelSurface grey = RandomSurface(17, 9, 3);
    AdjustSaturation(grey, 0);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 17; ++x) {
            const uint32_t p = PixelAt(original, x, y);
            const uint32_t mean = ((p & 0xFF) + ((p >> 8) & 0xFF) + (p >> 16)) / 3;
            ASSERT_EQ(PixelAt(grey, x, y), mean * 0x010101u);
        }

    // One worked pixel: (b, g, r) = (30, 60, 240), mean 110; amount 128 gives
    // 110 + 15 - 55 = 70, 110 + 30 - 55 = 85, 110 + 120 - 55 = 175.
    PixelSurface pixel(1, 1);
    SetPixelAt(pixel, 0, 0, 0xF03C1E);
    AdjustSaturation(pixel, 128);
    EXPECT_EQ(PixelAt(pixel, 0, 0), 0xAF5546u);
}

TEST(AdjustSaturation, AmountsBeyondTheLimitsActLikeTheLimits) {
    PixelSurface huge = RandomSurface(11, 4, 6), limit = RandomSurface(11, 4, 6);
    AdjustSaturation(huge, 2147483647);
    AdjustSaturation(limit, 65536);
    EXPECT_TRUE(SameMemory(huge, limit));
    PixelSurface negative = RandomSurface(11, 4, 6), grey = RandomSurface(11, 4, 6);
    AdjustSaturation(negative, -5);
    AdjustSaturation(grey, 0);
    EXPECT_TRUE(SameMemory(negative, grey));
    PixelSurface empty;
    AdjustSaturation(empty, 10);
}

}  // namespace
}  // namespace lv
