#include "saver/display_size.h"

#include <gtest/gtest.h>

#include "common/error.h"

namespace lv {
namespace {

constexpr PixelSize Screen{1024, 768};
constexpr DisplayRule OriginalSize{false, false};
constexpr DisplayRule StretchFull{true, false};
constexpr DisplayRule StretchProportional{true, true};

struct Case {
    PixelSize Picture;
    DisplayRule Rule;
    PixelSize Drawn;
    PixelPoint Position;
};

TEST(DisplaySize, FollowsTheDisplaySizeTable) {
    const Case cases[] = {
        // Wider than the screen: full width, height from the ratio, centred vertically.
        {{800, 400}, StretchProportional, {1024, 512}, {0, 128}},
        // Taller: full height, width from the ratio.
        {{300, 600}, StretchProportional, {384, 768}, {320, 0}},
        // Same ratio as the screen.
        {{640, 480}, StretchProportional, {1024, 768}, {0, 0}},
        // Larger than the screen at its own size: cropped equally on every side.
        {{1600, 1200}, OriginalSize, {1600, 1200}, {-288, -216}},
        // Odd differences round toward zero both ways.
        {{101, 51}, OriginalSize, {101, 51}, {461, 358}},
        {{1025, 769}, OriginalSize, {1025, 769}, {0, 0}},
        {{1027, 771}, OriginalSize, {1027, 771}, {-1, -1}},
        // Original size ignores Proportional.
        {{200, 100}, {false, true}, {200, 100}, {412, 334}},
        // Stretch-Full fills the screen from the corner whatever the picture.
        {{300, 600}, StretchFull, {1024, 768}, {0, 0}},
        {{1600, 1200}, StretchFull, {1024, 768}, {0, 0}},
        // Enlarging a small picture keeps its ratio.
        {{16, 9}, StretchProportional, {1024, 576}, {0, 96}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Picture.Width << "x" << c.Picture.Height);
        const PixelSize drawn = DisplaySize(c.Picture, Screen, c.Rule);
        EXPECT_EQ(drawn, c.Drawn);
        EXPECT_EQ(DisplayPosition(drawn, Screen, c.Rule), c.Position);
    }
}

TEST(DisplaySize, RoundsHalvesToEven) {
    // 1000 x 3 on 1000 x 2: taller, width round(2 * 333.33...) = 667.
    EXPECT_EQ(DisplaySize({1000, 3}, {1000, 2}, StretchProportional), (PixelSize{667, 2}));
    // 5 x 2 on 3 x 100: wider, height round(3 / 2.5) = round(1.2) = 1.
    EXPECT_EQ(DisplaySize({5, 2}, {3, 100}, StretchProportional), (PixelSize{3, 1}));
    // 4 x 2 on 5 x 100: height round(5 / 2) = round(2.5) = 2 (half to even).
    EXPECT_EQ(DisplaySize({4, 2}, {5, 100}, StretchProportional), (PixelSize{5, 2}));
    // 4 x 2 on 7 x 100: round(3.5) = 4.
    EXPECT_EQ(DisplaySize({4, 2}, {7, 100}, StretchProportional), (PixelSize{7, 4}));
}

TEST(DisplaySize, LargeSidesDoNotOverflowTheWidthTest) {
    // h * W exceeds 32 bits here; the picture is taller than the screen.
    EXPECT_EQ(DisplaySize({100, 65535}, {65535, 40000}, StretchProportional),
              (PixelSize{61, 40000}));
}

TEST(DisplaySize, EmptyPictureOrScreenRaisesInsteadOfDividingByZero) {
    EXPECT_THROW(DisplaySize({0, 0}, Screen, StretchProportional), DivisionByZeroError);
    EXPECT_THROW(DisplaySize({0, 10}, Screen, StretchProportional), DivisionByZeroError);
    EXPECT_THROW(DisplaySize({10, 10}, {0, 0}, StretchProportional), DivisionByZeroError);
    // Without the proportional fit nothing is divided.
    EXPECT_EQ(DisplaySize({0, 0}, Screen, StretchFull), Screen);
}

}  // namespace
}  // namespace lv
