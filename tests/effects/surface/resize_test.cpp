#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "common/bitmap32.h"
#include "common/rounding.h"
#include "effects/surface/pixel_kernels.h"
#include "effects/surface/pixel_surface.h"
#include "effects/surface/smooth_resize.h"
#include "effects/surface/surface_test_util.h"

namespace lv {
namespace {

using kernels::KernelSet;
using test::PixelAt;
using test::RandomSurface;
using test::SameMemory;
using test::SetPixelAt;

// The nearest-pixel resize written out step by step: enlarging builds one line per source
// row and copies it into several target rows, later copies overwriting earlier ones;
// otherwise every target pixel is looked up through 16.16 fixed point.
void NearestByTheSteps(const PixelSurface& source, PixelSurface& target) {
    const int tw = target.Width(), th = target.Height();
    const int sw = source.Width(), sh = source.Height();
    const float fx = static_cast<float>(tw) / static_cast<float>(sw);
    const float fy = static_cast<float>(th) / static_cast<float>(sh);
    if (fx >= 1 && fy >= 1) {
        const int64_t columnCopies = Round(static_cast<long double>(fx) + 0.5L);
        const int64_t rowCopies = Round(static_cast<long double>(fy) + 0.5L);
        std::vector<uint32_t> line(static_cast<size_t>(tw));
        for (int i = 0; i < sh; ++i) {
            for (int j = 0; j < sw; ++j)
                for (int64_t k = 0; k < columnCopies; ++k) {
                    const int64_t column =
                        static_cast<int64_t>(std::trunc(static_cast<double>(fx) * j)) + k;
                    if (column < tw) line[static_cast<size_t>(column)] = PixelAt(source, j, i);
                }
            for (int64_t k = 0; k < rowCopies; ++k) {
                const int64_t row =
                    static_cast<int64_t>(std::trunc(static_cast<double>(fy) * i)) + k;
                if (row < th)
                    for (int x = 0; x < tw; ++x)
                        SetPixelAt(target, x, static_cast<int>(row), line[static_cast<size_t>(x)]);
            }
        }
    } else {
        const uint32_t xstep = static_cast<uint32_t>(sw) * 65536 / static_cast<uint32_t>(tw);
        const uint32_t ystep = static_cast<uint32_t>(sh) * 65536 / static_cast<uint32_t>(th);
        for (int i = 0; i < th; ++i)
            for (int j = 0; j < tw; ++j)
                SetPixelAt(target, j, i,
                           PixelAt(source, static_cast<int>((j * xstep) >> 16),
                                   static_cast<int>((i * ystep) >> 16)));
    }
}

PixelSurface Row(std::initializer_list<uint32_t> pixels) {
    PixelSurface row(static_cast<int>(pixels.size()), 1);
    int x = 0;
    for (uint32_t p : pixels) SetPixelAt(row, x++, 0, p);
    return row;
}

TEST(ResizeNearest, EnlargingRepeatsPixelsRoundFactorPlusHalfTimes) {
    // Factor 2: Round(2.5) = 2 copies. Factor 3: Round(3.5) = 4 copies, the fourth overwritten.
    const PixelSurface source = Row({1, 2, 3});
    PixelSurface twice(6, 2);
    source.ResizeNearestInto(twice);
    PixelSurface thrice(9, 1);
    source.ResizeNearestInto(thrice);
    const uint32_t expectTwice[] = {1, 1, 2, 2, 3, 3};
    const uint32_t expectThrice[] = {1, 1, 1, 2, 2, 2, 3, 3, 3};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(PixelAt(twice, x, 0), expectTwice[x]);
        EXPECT_EQ(PixelAt(twice, x, 1), expectTwice[x]);
    }
    for (int x = 0; x < 9; ++x) EXPECT_EQ(PixelAt(thrice, x, 0), expectThrice[x]);
}

TEST(ResizeNearest, EnlargingInOneDirectionOnlyTakesTheFixedPointBranch) {
    // 4 x 2 -> 6 x 1: fx = 1.5 but fy = 0.5. Fixed point picks columns 0 0 1 1 2 3; the
    // enlarging branch would have given 0 1 1 2 3 3.
    PixelSurface source(4, 2);
    for (int x = 0; x < 4; ++x) SetPixelAt(source, x, 0, 10u + x);
    PixelSurface target(6, 1);
    source.ResizeNearestInto(target);
    const uint32_t expected[] = {10, 10, 11, 11, 12, 13};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(PixelAt(target, x, 0), expected[x]) << x;
}

TEST(ResizeNearest, MatchesTheStepByStepDefinition) {
    const int sizes[][4] = {{5, 3, 17, 9},  {3, 5, 7, 5},  {7, 7, 7, 50},    {13, 11, 5, 4},
                            {17, 3, 9, 13}, {1, 1, 33, 2}, {33, 17, 33, 8},  {6, 4, 19, 13},
                            {9, 9, 1, 1},   {2, 3, 3, 2},  {100, 7, 301, 29}};
    for (const auto& s : sizes) {
        const PixelSurface source = RandomSurface(s[0], s[1], static_cast<uint32_t>(s[2]));
        PixelSurface target = RandomSurface(s[2], s[3], 5);
        PixelSurface expected = RandomSurface(s[2], s[3], 5);
        source.ResizeNearestInto(target);
        NearestByTheSteps(source, expected);
        EXPECT_TRUE(SameMemory(target, expected))
            << s[0] << "x" << s[1] << " -> " << s[2] << "x" << s[3];
    }
}

TEST(ResizeNearest, EmptySurfacesAreLeftAlone) {
    const PixelSurface source = RandomSurface(3, 3, 1);
    PixelSurface empty;
    source.ResizeNearestInto(empty);
    PixelSurface target = RandomSurface(2, 2, 2);
    empty.ResizeNearestInto(target);
    EXPECT_TRUE(SameMemory(target, RandomSurface(2, 2, 2)));
}

TEST(ResizeSmooth, BlendsWithFifteenBitWeights) {
    // 2 x 1 -> 4 x 1: xstep = 8192, one source row (fy = 0): (200 x fx) shr 15.
    const PixelSurface line = Row({0x000000, 0x0000C8});
    PixelSurface wide(4, 1);
    line.ResizeSmoothInto(wide);
    EXPECT_EQ(PixelAt(wide, 0, 0), 0u);
    EXPECT_EQ(PixelAt(wide, 1, 0), 50u);
    EXPECT_EQ(PixelAt(wide, 2, 0), 100u);
    EXPECT_EQ(PixelAt(wide, 3, 0), 150u);  // the last source column is never reached

    // 2 x 2 -> 2 x 4, target (1, 1): fx = 16384, fy = 8192, so wTR = 12288, wTL = 12288,
    // wBR = 4096, wBL = 4096: (10 x 12288 + 20 x 12288 + 30 x 4096 + 255 x 4096) shr 15 = 46.
    // The "upper" row is the one with the lower index (y shr 15), here row index 0.
    PixelSurface square(2, 2);
    SetPixelAt(square, 0, 0, 10);
    SetPixelAt(square, 1, 0, 20);
    SetPixelAt(square, 0, 1, 30);
    SetPixelAt(square, 1, 1, 255);
    for (KernelSet set : kernels::AvailableKernelSets()) {
        PixelSurface tall(2, 4);
        kernels::ResizeSmoothWith(set, square, tall);
        EXPECT_EQ(PixelAt(tall, 1, 1), 46u) << kernels::KernelSetName(set);
    }
}

TEST(ResizeSmooth, OnePixelWideSourceUsesTheNearestPixelResize) {
    const PixelSurface source = RandomSurface(1, 5, 3);
    for (const auto& [tw, th] : {std::pair{4, 11}, std::pair{3, 2}, std::pair{1, 9}}) {
        PixelSurface smooth(tw, th), nearest(tw, th);
        source.ResizeSmoothInto(smooth);
        source.ResizeNearestInto(nearest);
        EXPECT_TRUE(SameMemory(smooth, nearest)) << tw << "x" << th;
    }
}

TEST(ResizeSmooth, KeepsThePictureTheRightWayUp) {
    Bitmap32 picture(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) picture.SetPixel(x, y, y < 4 ? 0xFF0000u : 0x0000FFu);
    PixelSurface surface, resized(5, 3), enlarged(20, 20);
    surface.LoadFromBitmap32(picture);
    surface.ResizeSmoothInto(resized);
    surface.ResizeSmoothInto(enlarged);
    const Bitmap32 small = resized.ToBitmap32();
    const Bitmap32 large = enlarged.ToBitmap32();
    EXPECT_EQ(small.Pixel(2, 0), 0xFF0000u);  // red stays on top
    EXPECT_EQ(small.Pixel(2, 2), 0x0000FFu);
    EXPECT_EQ(large.Pixel(10, 0), 0xFF0000u);
    EXPECT_EQ(large.Pixel(10, 19), 0x0000FFu);
}

TEST(ResizeSmooth, EqualSizesCopyAndEmptySurfacesAreLeftAlone) {
    const PixelSurface source = RandomSurface(7, 3, 4);
    PixelSurface same(7, 3);
    source.ResizeSmoothInto(same);
    EXPECT_TRUE(SameMemory(same, source));
    PixelSurface empty, zeroWide(0, 4);
    source.ResizeSmoothInto(empty);
    PixelSurface target = RandomSurface(3, 3, 5);
    zeroWide.ResizeSmoothInto(target);
    EXPECT_TRUE(SameMemory(target, RandomSurface(3, 3, 5)));
}

// Every kernel set against the per-pixel reference, on random pictures of odd sizes around
// the vector widths, enlarging and reducing, with rows that fall exactly on a source row.
TEST(ResizeSmooth, EveryKernelSetMatchesThePlainVersion) {
    const int widths[] = {1, 2, 3, 5, 8, 9, 16, 17, 18, 31, 33, 47, 65, 130};
    const int heights[] = {1, 2, 3, 7, 12};
    uint32_t seed = 100;
    for (int sw : widths)
        for (int tw : widths)
            for (int sh : heights) {
                const int th = heights[(sw + tw + sh) % 5];
                const PixelSurface source = RandomSurface(sw, sh, ++seed);
                PixelSurface expected = RandomSurface(tw, th, seed + 1000);
                kernels::ResizeSmoothWith(KernelSet::Plain, source, expected);
                for (KernelSet set : kernels::AvailableKernelSets()) {
                    PixelSurface actual = RandomSurface(tw, th, seed + 1000);
                    kernels::ResizeSmoothWith(set, source, actual);
                    ASSERT_TRUE(SameMemory(actual, expected))
                        << kernels::KernelSetName(set) << ": " << sw << "x" << sh << " -> " << tw
                        << "x" << th;
                }
            }
}

TEST(ResizeSmooth, EveryKernelSetMatchesThePlainVersionOnLargerPictures) {
    const int sizes[][4] = {{641, 359, 1283, 723},
                            {1283, 723, 641, 361},
                            {1001, 3, 1999, 997},
                            {255, 255, 256, 256},
                            {2, 400, 999, 3}};
    for (const auto& s : sizes) {
        const PixelSurface source = RandomSurface(s[0], s[1], static_cast<uint32_t>(s[0]));
        PixelSurface expected(s[2], s[3]);
        kernels::ResizeSmoothWith(KernelSet::Plain, source, expected);
        for (KernelSet set : kernels::AvailableKernelSets()) {
            PixelSurface actual(s[2], s[3]);
            kernels::ResizeSmoothWith(set, source, actual);
            ASSERT_TRUE(SameMemory(actual, expected)) << kernels::KernelSetName(set);
        }
    }
}

// A picture whose pixels carry random bytes in all four places, so that a kernel that lets the
// fourth byte through, or writes past a row, shows up.
Bitmap32 RandomPicture(int width, int height, uint32_t seed) {
    std::mt19937 generator(seed);
    Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.SetPixel(x, y, generator());
    return picture;
}

// What the 32-bit resize must give: the colours through a 24-bit surface resized with the
// per-pixel reference, the right way up.
Bitmap32 ThroughPlainSurfaces(const Bitmap32& picture, int width, int height) {
    PixelSurface source, target(width, height);
    source.LoadFromBitmap32(picture);
    kernels::ResizeSmoothWith(KernelSet::Plain, source, target);
    return target.ToBitmap32();
}

// Sizes around the vector widths of the 32-bit kernels (8 and 16 pixels a step), enlarging and
// reducing, one source column and one row, and rows that fall exactly on a source row.
TEST(ResizeSmooth, ThirtyTwoBitPicturesGetTheSurfacePixelsWithEveryKernelSet) {
    const int widths[] = {1, 2, 3, 7, 8, 9, 15, 16, 17, 24, 31, 33, 65, 130};
    const int heights[] = {1, 2, 3, 7, 12};
    uint32_t seed = 500;
    for (int sw : widths)
        for (int tw : widths)
            for (int sh : heights) {
                const int th = heights[(sw + 2 * tw + sh) % 5];
                const Bitmap32 picture = RandomPicture(sw, sh, ++seed);
                const Bitmap32 expected = ThroughPlainSurfaces(picture, tw, th);
                for (KernelSet set : kernels::AvailableKernelSets()) {
                    if (sw == tw && sh == th) continue;  // a copy, below
                    Bitmap32 actual = RandomPicture(tw, th, seed + 1000);
                    kernels::ResizeSmoothWith(set, picture, actual);
                    ASSERT_EQ(actual, expected) << kernels::KernelSetName(set) << ": " << sw << "x"
                                                << sh << " -> " << tw << "x" << th;
                }
            }

    const int sizes[][4] = {{3000, 2000, 1620, 1080}, {641, 359, 1283, 723}, {2, 400, 999, 3}};
    for (const auto& s : sizes) {
        const Bitmap32 picture = RandomPicture(s[0], s[1], static_cast<uint32_t>(s[2]));
        EXPECT_EQ(ResizeSmooth(picture, s[2], s[3]), ThroughPlainSurfaces(picture, s[2], s[3]))
            << s[0] << "x" << s[1] << " -> " << s[2] << "x" << s[3];
    }
}

TEST(ResizeSmooth, ThirtyTwoBitPicturesOfTheSameSizeAreCopiedAndEmptyOnesGiveBlack) {
    const Bitmap32 picture = RandomPicture(9, 4, 7);
    EXPECT_EQ(ResizeSmooth(picture, 9, 4), picture);
    EXPECT_EQ(ResizeSmooth(Bitmap32(), 3, 2), Bitmap32(3, 2));
    EXPECT_TRUE(ResizeSmooth(picture, 0, 5).Empty());
}

}  // namespace
}  // namespace lv
