#include "project/area_mask.h"

#include <gtest/gtest.h>

#include "common/error.h"

namespace lv {
namespace {

constexpr uint32_t Blue = 0x000000FFu, Magenta = 0x00FF00FFu, Red = 0x00FF0000u,
                   Yellow = 0x00FFFF00u;
// A byte no decoded run writes, so a test can see which pixels a decode left alone.
constexpr uint8_t Untouched = 7;

std::vector<uint8_t> Pixels(const AreaMask& mask) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < mask.Height(); ++y)
        pixels.insert(pixels.end(), mask.Row(y), mask.Row(y) + mask.Width());
    return pixels;
}

TEST(AreaColours, LookUpsAgreeWithTheTable) {
    const uint32_t colours[] = {Blue, Magenta, Red, Yellow};
    for (int area = 1; area <= 4; ++area) {
        EXPECT_EQ(ColourOfArea(area), colours[area - 1]);
        EXPECT_EQ(AreaOfColour(colours[area - 1]), area);
    }
    EXPECT_EQ(ColourOfArea(0), 0u);
    EXPECT_EQ(ColourOfArea(5), 0u);
    EXPECT_EQ(ColourOfArea(-1), 0u);
    EXPECT_EQ(AreaOfColour(0), 0);
    EXPECT_EQ(AreaOfColour(0x00FFFFFFu), 0);
    EXPECT_EQ(AreaOfColour(0x000000FEu), 0);
}

TEST(AreaColours, AFourthByteOtherThanZeroIsNoArea) {
    EXPECT_EQ(AreaOfColour(0xFF0000FFu), 0);
    EXPECT_EQ(AreaOfColour(0x01FFFF00u), 0);
}

TEST(AreaMask, ShowsItsAreasInTheKeyColoursAndAnyOtherByteAsBlack) {
    AreaMask mask(3, 2);
    const uint8_t areas[] = {1, 2, 3, 4, 0, 7};
    for (int i = 0; i < 6; ++i) mask.Set(i % 3, i / 3, areas[i]);
    const Bitmap32 picture = mask.ToColours();
    EXPECT_EQ(std::vector<uint32_t>(picture.Data(), picture.Data() + 6),
              (std::vector<uint32_t>{Blue, Magenta, Red, Yellow, 0, 0}));
}

TEST(SplitRun, DividesByTenTruncatingTowardZero) {
    EXPECT_EQ(SplitRun(32).length, 3);
    EXPECT_EQ(SplitRun(32).area, 2);
    EXPECT_EQ(SplitRun(3).length, 0);
    EXPECT_EQ(SplitRun(3).area, 3);
    EXPECT_EQ(SplitRun(-13).length, -1);
    EXPECT_EQ(SplitRun(-13).area, -3);
    EXPECT_EQ(SplitRun(2147483647).length, 214748364);
    EXPECT_EQ(SplitRun(2147483647).area, 7);
}

TEST(DecodeAreaMask, RunsFillRowsFromTheTopAndLeaveTheRestAlone) {
    AreaMask mask(4, 2);
    mask.Fill(Untouched);
    DecodeAreaMask({4, 2, 32, 11, 23}, mask);
    EXPECT_EQ(Pixels(mask), (std::vector<uint8_t>{2, 2, 2, 1,  //
                                                  3, 3, Untouched, Untouched}));
}

TEST(DecodeAreaMask, ExactCoverPaintsEveryPixelAndAreaZeroPaintsZero) {
    AreaMask mask(3, 2);
    mask.Fill(Untouched);
    // 1 x none, 2 x area 4 (up to the row end), 2 x none, 1 x area 1.
    DecodeAreaMask({3, 2, 10, 24, 20, 11}, mask);
    EXPECT_EQ(Pixels(mask), (std::vector<uint8_t>{0, 4, 4,  //
                                                  0, 0, 1}));
}

TEST(DecodeAreaMask, RunCrossingARowEndContinuesOnTheNextRow) {
    AreaMask mask;
    DecodeAreaMask({2, 3, 11, 32, 14}, mask);
    EXPECT_EQ(Pixels(mask), (std::vector<uint8_t>{1, 2, 2, 2, 4, 0}));
}

TEST(DecodeAreaMask, EmptyAndNegativeRunsPaintNothing) {
    AreaMask mask(2, 1);
    mask.Fill(Untouched);
    DecodeAreaMask({2, 1, 3, 0, -13, -7, 14}, mask);
    EXPECT_EQ(Pixels(mask), (std::vector<uint8_t>{4, Untouched}));
}

TEST(DecodeAreaMask, AreaNumbersAboveFourPaintNoArea) {
    AreaMask mask(2, 1);
    mask.Fill(Untouched);
    DecodeAreaMask({2, 1, 15, 19}, mask);
    EXPECT_EQ(Pixels(mask), (std::vector<uint8_t>{0, 0}));
}

TEST(DecodeAreaMask, OnlyTheSizeResizesAndKeepsPixels) {
    AreaMask mask(3, 1);
    mask.Fill(Untouched);
    DecodeAreaMask({3, 1}, mask);
    EXPECT_EQ(Pixels(mask), (std::vector<uint8_t>(3, Untouched)));
    DecodeAreaMask({2, 2}, mask);
    EXPECT_EQ(mask.Width(), 2);
    EXPECT_EQ(mask.Height(), 2);
    EXPECT_EQ(Pixels(mask), (std::vector<uint8_t>(4, 0)));
}

TEST(DecodeAreaMask, RunsBeyondTheLastRowFail) {
    for (const std::vector<int32_t>& words :
         std::vector<std::vector<int32_t>>{{2, 2, 50},      // one run too long
                                           {2, 2, 40, 11},  // exact cover, then one more pixel
                                           {2, 2, 21, 21, 2147483641},
                                           {0, 5, 11},  // rows without columns
                                           {5, 0, 11}}) {
        AreaMask mask;
        EXPECT_THROW(DecodeAreaMask(words, mask), FormatError) << words[2];
    }
}

TEST(DecodeAreaMask, ImpossibleSizesFailBeforeAllocating) {
    AreaMask mask;
    EXPECT_THROW(DecodeAreaMask({-1, 2, 10}, mask), Error);
    EXPECT_THROW(DecodeAreaMask({70000, 1}, mask), Error);
    EXPECT_THROW(DecodeAreaMask({50000, 50000, 10}, mask), Error);  // 2.5 G pixels
    EXPECT_THROW(DecodeAreaMask({7}, mask), FormatError);
    EXPECT_THROW(DecodeAreaMask({}, mask), FormatError);
}

}  // namespace
}  // namespace lv
