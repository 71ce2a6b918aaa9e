#include <gtest/gtest.h>

#include "common/bitmap32.h"
#include "common/error.h"
#include "common/random.h"
#include "common/rounding.h"

namespace lv {
namespace {

TEST(Random, FollowsTheLinearCongruentialSequence) {
    SetRandomSeed(0);
    // seed 1, then 134775814: high words of seed * n.
    EXPECT_EQ(Random(1000), 0);
    EXPECT_EQ(RandomSeed(), 1u);
    EXPECT_EQ(Random(1000), static_cast<int32_t>((134775814ull * 1000) >> 32));
    EXPECT_EQ(RandomSeed(), 134775814u);
}

TEST(Random, ZeroRangeStillAdvancesTheSeed) {
    SetRandomSeed(7);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(RandomSeed(), 7u * 134775813u + 1u);
}

TEST(Random, StaysBelowItsRangeAtTheLargestSeed) {
    SetRandomSeed(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        const int32_t r = Random(360);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 360);
    }
}

TEST(Random, FixedRandomizeRepeatsTheSequence) {
    SetFixedRandomize(true, 42);
    Randomize();
    const int32_t first = Random(1 << 30);
    Randomize();
    EXPECT_EQ(Random(1 << 30), first);
    SetFixedRandomize(false);
}

TEST(Round, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(Round(0.5L), 0);
    EXPECT_EQ(Round(1.5L), 2);
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(-2.5L), -2);
    EXPECT_EQ(Round(-2.6L), -3);
    EXPECT_EQ(Round(5000000000.5L), 5000000000LL);
}

TEST(SpeedTable, HasTwentyOneEntriesWithNormalSpeedAtTen) {
    EXPECT_EQ(SpeedTable.size(), 21u);
    EXPECT_EQ(SpeedTable[0], 10);
    EXPECT_EQ(SpeedTable[NormalSpeedIndex], 100);
    EXPECT_EQ(SpeedTable[20], 500);
}

TEST(Bitmap32, RefusesSizesBeyondTheLimitBeforeAllocating) {
    Bitmap32 b;
    EXPECT_THROW(b.SetSize(20000, 20000), Error);
    EXPECT_THROW(b.SetSize(-1, 5), Error);
    EXPECT_TRUE(b.Empty());
    b.SetSize(3, 2);
    b.SetPixel(2, 1, 0x00FF00FFu);
    EXPECT_EQ(b.Row(1)[2], 0x00FF00FFu);
}

}  // namespace
}  // namespace lv
