#include "effects/surface/pixel_surface.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "common/error.h"
#include "effects/surface/pixel_kernels.h"
#include "effects/surface/surface_test_util.h"

namespace lv {
namespace {

using test::PixelAt;
using test::RandomSurface;
using test::SetPixelAt;

TEST(PixelSurface, RowsArePaddedToWholeWordsAndStartAtTheBottom) {
    PixelSurface empty;
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), 0);
    EXPECT_EQ(empty.PixelData(), nullptr);

    const int strides[] = {0, 4, 8, 12, 12, 16, 20, 24, 24};
    for (int width = 1; width <= 8; ++width) {
        PixelSurface surface(width, 3);
        EXPECT_EQ(surface.RowStride(), strides[width]) << width;
        EXPECT_EQ(surface.RowPadding(), width % 4) << width;
        EXPECT_EQ(surface.PixelBytes(), strides[width] * 3) << width;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(surface.Rows()[i], surface.PixelData() + i * surface.RowStride());
        EXPECT_EQ(surface.TopDownRow(0), surface.Row(2));
    }
}

TEST(PixelSurface, AllocateWithTheCurrentSizeKeepsPixelsAndRows) {
    PixelSurface surface = RandomSurface(5, 4, 1);
    const PixelSurface copy = RandomSurface(5, 4, 1);
    const uint8_t* const* rows = surface.Rows();
    const uint8_t* data = surface.PixelData();
    surface.Allocate(5, 4);
    EXPECT_EQ(surface.Rows(), rows);
    EXPECT_EQ(surface.PixelData(), data);
    EXPECT_TRUE(test::SameMemory(surface, copy));

    surface.Allocate(4, 5);  // a new size starts from zeroed memory
    for (int64_t i = 0; i < surface.PixelBytes(); ++i) ASSERT_EQ(surface.PixelData()[i], 0);
}

TEST(PixelSurface, MovingHandsOverThePixelsAndEmptiesTheSource) {
    PixelSurface source = RandomSurface(6, 3, 4);
    const uint8_t* data = source.PixelData();
    PixelSurface moved(std::move(source));
    EXPECT_EQ(moved.PixelData(), data);
    EXPECT_EQ(moved.Row(2), data + 2 * moved.RowStride());
    EXPECT_TRUE(test::SameMemory(moved, RandomSurface(6, 3, 4)));
    EXPECT_TRUE(source.Empty());  // NOLINT(bugprone-use-after-move): the state is specified
    EXPECT_EQ(source.PixelData(), nullptr);
    source.Allocate(2, 2);  // usable again
    EXPECT_EQ(source.PixelBytes(), 16);
}

TEST(PixelSurface, AllocateRejectsImpossibleSizesAndKeepsTheOldSurface) {
    PixelSurface surface(3, 2);
    EXPECT_THROW(surface.Allocate(-1, 2), Error);
    EXPECT_THROW(surface.Allocate(70000, 1), Error);
    EXPECT_THROW(surface.Allocate(20000, 20000), Error);
    EXPECT_EQ(surface.Width(), 3);
    EXPECT_EQ(surface.Height(), 2);
    surface.Allocate(0, 2);
    EXPECT_TRUE(surface.Empty());
    EXPECT_EQ(surface.PixelBytes(), 0);
}

TEST(PixelSurface, Bitmap32ConversionKeepsTheTopAtTheTop) {
    Bitmap32 picture(3, 2);
    picture.SetPixel(0, 0, 0x112233);  // top left
    picture.SetPixel(2, 1, 0xAABBCC);  // bottom right
    PixelSurface surface;
    surface.LoadFromBitmap32(picture);
    EXPECT_EQ(PixelAt(surface, 0, 1), 0x112233u);  // row index 1 is the top line
    EXPECT_EQ(PixelAt(surface, 2, 0), 0xAABBCCu);
    EXPECT_EQ(surface.TopDownRow(0)[0], 0x33);  // blue first
    EXPECT_EQ(surface.ToBitmap32(), picture);
}

TEST(PixelSurface, DrawToBitmap32ClipsAtEverySide) {
    PixelSurface surface(2, 2);
    SetPixelAt(surface, 0, 1, 1);  // top left
    SetPixelAt(surface, 1, 1, 2);
    SetPixelAt(surface, 0, 0, 3);  // bottom left
    SetPixelAt(surface, 1, 0, 4);
    Bitmap32 canvas(3, 3);
    canvas.Fill(9);
    surface.DrawToBitmap32(canvas, -1, 2);  // only the top right pixel lands, at (0, 2)
    EXPECT_EQ(canvas.Pixel(0, 2), 2u);
    EXPECT_EQ(canvas.Pixel(1, 2), 9u);
    EXPECT_EQ(canvas.Pixel(0, 1), 9u);
    surface.DrawToBitmap32(canvas, 2, -1);  // the bottom left pixel lands at (2, 0)
    EXPECT_EQ(canvas.Pixel(2, 0), 3u);
    surface.DrawToBitmap32(canvas, 3, 0);  // entirely outside
    surface.DrawToBitmap32(canvas, -2147483647, 2147483647);
    EXPECT_EQ(canvas.Pixel(1, 1), 9u);
}

// Source 4 x 3 with pixel (x, y) = 16 y + x + 1; target 5 x 4 filled with 0xEE.
class CopyBlock : public ::testing::Test {
protected:
    void SetUp() override {
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) SetPixelAt(source, x, y, 16u * y + x + 1);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) SetPixelAt(target, x, y, 0xEE);
    }
    // Target pixels as (x, y) -> value; every other pixel must still be 0xEE.
    void ExpectTarget(std::initializer_list<std::tuple<int, int, uint32_t>> copied) {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                uint32_t expected = 0xEE;
                for (const auto& [cx, cy, value] : copied)
                    if (cx == x && cy == y) expected = value;
                EXPECT_EQ(PixelAt(target, x, y), expected) << x << "," << y;
            }
    }
    PixelSurface source{4, 3};
    PixelSurface target{5, 4};
};

TEST_F(CopyBlock, CopiesTheBlockAtItsPlace) {
    source.CopyBlockInto(target, 3, 2, 2, 1, 1, 1);
    ExpectTarget({{3, 2, 0x12}, {4, 2, 0x13}});
}

TEST_F(CopyBlock, NegativeTargetPositionCopiesOnlyTheVisiblePart) {
    source.CopyBlockInto(target, -1, -2, 3, 3, 0, 0);  // source (1, 2) lands at (0, 0)
    ExpectTarget({{0, 0, 0x22}, {1, 0, 0x23}});
}

TEST_F(CopyBlock, NegativeSourcePositionMovesTheTarget) {
    source.CopyBlockInto(target, 0, 0, 3, 2, -2, -1);  // source (0, 0) lands at (2, 1)
    ExpectTarget({{2, 1, 0x01}});
}

TEST_F(CopyBlock, BlocksAreTrimmedToBothSurfaces) {
    source.CopyBlockInto(target, 3, 3, 10, 10, 2, 0);
    ExpectTarget({{3, 3, 0x03}, {4, 3, 0x04}});
}

TEST_F(CopyBlock, SourcePositionsBeyondTheLastColumnOrRowCopyNothing) {
    source.CopyBlockInto(target, 0, 0, 5, 5, 4, 0);
    source.CopyBlockInto(target, 0, 0, 5, 5, 0, 3);
    source.CopyBlockInto(target, -5, 0, 5, 5, 0, 0);  // pushed past the last column
    source.CopyBlockInto(target, 0, 0, -3, 2, 0, 0);  // negative width
    source.CopyBlockInto(target, 5, 0, 2, 2, 0, 0);   // beyond the target
    source.CopyBlockInto(target, -2147483647 - 1, 0, 2147483647, 1, 2147483647, 0);
    ExpectTarget({});
}

TEST(TFastBMPCopyBlock, OverlappingCopyWithinOneSurfaceMovesTheBlockIntact) {
    PixelSurface surface(3, 6);
    for (int y = 0; y < 6; ++y) SetPixelAt(surface, 1, y, y + 1u);
    surface.CopyBlockInto(surface, 1, 2, 1, 4, 1, 0);  // rows 0-3 move up to rows 2-5
    for (int y = 2; y < 6; ++y) EXPECT_EQ(PixelAt(surface, 1, y), y - 1u) << y;
    surface.CopyBlockInto(surface, 0, 0, 2, 6, 1, 0);  // one column to the left
    for (int y = 2; y < 6; ++y) EXPECT_EQ(PixelAt(surface, 0, y), y - 1u) << y;
}

TEST(TFastBMPTile, RepeatsTheSurfaceFromRowIndexZero) {
    for (const auto& [sw, sh, tw, th] :
         {std::array{3, 2, 11, 7}, std::array{1, 1, 5, 3}, std::array{4, 5, 4, 5},
          std::array{5, 4, 3, 2}, std::array{2, 3, 17, 1}}) {
        const PixelSurface tile = RandomSurface(sw, sh, 7);
        PixelSurface target = RandomSurface(tw, th, 8);
        tile.TileInto(target);
        for (int y = 0; y < th; ++y)
            for (int x = 0; x < tw; ++x)
                ASSERT_EQ(PixelAt(target, x, y), PixelAt(tile, x % sw, y % sh))
                    << sw << "x" << sh << " into " << tw << "x" << th << " at " << x << "," << y;
    }
    PixelSurface empty;
    PixelSurface target = RandomSurface(3, 3, 9);
    empty.TileInto(target);
    EXPECT_TRUE(test::SameMemory(target, RandomSurface(3, 3, 9)));
}

}  // namespace
}  // namespace lv

namespace lv {
namespace {

// The row conversions behind LoadFromBitmap32 and DrawToBitmap32, every kernel set against
// the plain one, on widths around the vector width; nothing past the row may be written.
TEST(TFastBMPConversion, EveryKernelSetConvertsRowsLikeThePlainVersion) {
    using kernels::KernelSet;
    for (int width = 1; width <= 41; width += (width < 20 ? 1 : 7)) {
        const PixelSurface surface = RandomSurface(width, 1, static_cast<uint32_t>(width));
        Bitmap32 picture(width, 1);
        for (int x = 0; x < width; ++x) picture.SetPixel(x, 0, 0x9E3779B9u * (x + 1) >> 8);
        std::vector<uint32_t> expected32(static_cast<size_t>(width));
        std::vector<uint8_t> expected24(static_cast<size_t>(width) * 3 + 8, 0xEE);
        kernels::Row24To32(KernelSet::Plain)(surface.Row(0), expected32.data(), width);
        kernels::Row32To24(KernelSet::Plain)(picture.Row(0), expected24.data(), width);
        for (KernelSet set : kernels::AvailableKernelSets()) {
            std::vector<uint32_t> actual32(static_cast<size_t>(width));
            std::vector<uint8_t> actual24(expected24.size(), 0xEE);
            kernels::Row24To32(set)(surface.Row(0), actual32.data(), width);
            kernels::Row32To24(set)(picture.Row(0), actual24.data(), width);
            EXPECT_EQ(actual32, expected32) << kernels::KernelSetName(set) << " " << width;
            EXPECT_EQ(actual24, expected24) << kernels::KernelSetName(set) << " " << width;
        }
        EXPECT_EQ(expected32[0], PixelAt(surface, 0, 0));
        EXPECT_EQ(expected24[3 * width], 0xEE);
    }
}

}  // namespace
}  // namespace lv
