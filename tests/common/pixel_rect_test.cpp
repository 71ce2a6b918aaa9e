#include "common/pixel_rect.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(ClipToPicture, KeepsThePartInsideAndEmptiesTheRest) {
    EXPECT_EQ(ClipToPicture(-5, -5, 3, 4, 10, 8), (PixelRect{0, 0, 3, 4}));
    EXPECT_EQ(ClipToPicture(8, 6, int64_t{1} << 40, 100, 10, 8), (PixelRect{8, 6, 10, 8}));
    EXPECT_TRUE(ClipToPicture(10, 0, 12, 5, 10, 8).Empty());
    EXPECT_TRUE(ClipToPicture(4, 4, 2, 6, 10, 8).Empty());  // reversed
}

TEST(CoverInBands, JoinsWhatOverlapsOrTouchesWithinABand) {
    const std::vector<PixelRect> cover = CoverInBands(
        {{10, 2, 20, 5}, {18, 4, 25, 6}, {25, 0, 30, 1}, {40, 3, 41, 4}, {0, 0, 0, 9}}, 16);
    // One band, rows 0 .. 5: 10 .. 30 joined (25 touches 25), 40 alone; the empty one dropped.
    EXPECT_EQ(cover, (std::vector<PixelRect>{{10, 0, 30, 6}, {40, 0, 41, 6}}));
}

TEST(CoverInBands, CutsTallRectanglesAtBandEdgesAndCoversEveryPixel) {
    const std::vector<PixelRect> rects{{5, 10, 9, 40}, {0, 30, 3, 33}, {7, 35, 12, 36}};
    const std::vector<PixelRect> cover = CoverInBands(rects, 16);
    EXPECT_EQ(
        cover,
        (std::vector<PixelRect>{
            {5, 10, 9, 16}, {0, 16, 3, 32}, {5, 16, 9, 32}, {0, 32, 3, 40}, {5, 32, 12, 40}}));
    // Banded form: sorted, the same rows within a band, no overlap or sideways contact.
    for (size_t i = 1; i < cover.size(); ++i) {
        const PixelRect& a = cover[i - 1];
        const PixelRect& b = cover[i];
        if (a.Top == b.Top) {
            EXPECT_EQ(a.Bottom, b.Bottom);
            EXPECT_LT(a.Right, b.Left);
        } else {
            EXPECT_LE(a.Bottom, b.Top);
        }
    }
    for (const PixelRect& rect : rects)
        for (int y = rect.Top; y < rect.Bottom; ++y)
            for (int x = rect.Left; x < rect.Right; ++x) {
                int covering = 0;
                for (const PixelRect& part : cover)
                    if (x >= part.Left && x < part.Right && y >= part.Top && y < part.Bottom)
                        ++covering;
                EXPECT_EQ(covering, 1) << x << ", " << y;
            }
}

}  // namespace
}  // namespace lv
