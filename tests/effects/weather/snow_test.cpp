#include "effects/weather/snow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/random.h"
#include "effects/surface/canvas.h"

namespace lv {
namespace {

constexpr uint32_t Back = 0x00000000u;
constexpr uint32_t Rim = 0x00E1E1E1u;   // grey 225
constexpr uint32_t Fill = 0x00FFFFFFu;  // white

std::string Picture(const Bitmap32& b) {
    std::string s;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            const uint32_t p = b.Pixel(x, y);
            s += p == Back ? '.' : p == Rim ? 'r' : p == Fill ? 'W' : '?';
        }
        s += '\n';
    }
    return s;
}

// A seed after which the next `flakes` draws of one-in-twenty all miss, so a step of that many
// flakes changes no size.
uint32_t SeedKeepingSizes(int flakes) {
    for (uint32_t seed = 1;; ++seed) {
        SetRandomSeed(seed);
        bool hit = false;
        for (int i = 0; i < flakes && !hit; ++i) hit = Random(20) == 0;
        if (!hit) return seed;
    }
}

// A seed whose first one-in-twenty draw hits and whose size change is then `change`.
uint32_t SeedChangingSizeBy(int change) {
    for (uint32_t seed = 1;; ++seed) {
        SetRandomSeed(seed);
        if (Random(20) == 0 && Random(3) - 1 == change) return seed;
    }
}

struct SnowSetup {
    Bitmap32 layer;
    Snow snow;

    SnowSetup(int width, int height, int level, int percent) : layer(width, height) {
        snow.SetTarget(&layer);
        snow.SetSpeedLevel(level);
        snow.SetSpeedPercent(percent);
    }
    // One step with the given flakes and no random size change.
    void StepSteady() {
        SetRandomSeed(SeedKeepingSizes(static_cast<int>(snow.Flakes().size())));
        snow.Step();
    }
};

TEST(SnowPlace, DrawsPositionDriftAndSizePerFlakeInThatOrder) {
    Bitmap32 layer(1024, 768);
    Snow snow;
    snow.SetTarget(&layer);
    snow.SetCount(80);
    SetRandomSeed(31337);
    snow.Place();
    const uint32_t after = RandomSeed();

    SetRandomSeed(31337);
    ASSERT_EQ(snow.Flakes().size(), 80u);
    for (const SnowFlake& f : snow.Flakes()) {
        EXPECT_EQ(f.X, Random(1024));
        EXPECT_EQ(f.Y, Random(768));
        EXPECT_EQ(f.Drift, 1 - Random(3));
        EXPECT_EQ(f.Size, Random(3) + 2);
        EXPECT_TRUE(f.X >= 0 && f.X < 1024 && f.Y >= 0 && f.Y < 768);
        EXPECT_TRUE(f.Size >= 2 && f.Size <= 4 && f.Drift >= -1 && f.Drift <= 1);
    }
    EXPECT_EQ(RandomSeed(), after);
}

TEST(SnowPlace, CountIsCutToOneThousandAndNeverNegative) {
    Snow snow;
    snow.SetCount(1001);
    EXPECT_EQ(snow.Count(), 1000);
    snow.Place();
    EXPECT_EQ(snow.Flakes().size(), 1000u);
    snow.SetCount(-1);
    snow.Place();
    EXPECT_TRUE(snow.Flakes().empty());
}

TEST(SnowStep, FallsSizeUnitsAndDriftsDriftUnitsPerStepAtEverySpeed) {
    struct Case {
        int level, percent;
        double unit;
    };
    for (const Case c :
         {Case{10, 100, 1.0}, Case{2, 100, 0.3}, Case{20, 500, 25.0}, Case{3, 60, 0.27}}) {
        SnowSetup s(800, 600, c.level, c.percent);
        s.snow.SetFlakes({{100, 10, 2, -1}, {200, 10, 3, 0}, {300, 10, 4, 1}});
        s.StepSteady();
        const auto& f = s.snow.Flakes();
        EXPECT_NEAR(f[0].Y, 10 + 2 * c.unit, 1e-12);
        EXPECT_NEAR(f[0].X, 100 - c.unit, 1e-12);
        EXPECT_NEAR(f[1].Y, 10 + 3 * c.unit, 1e-12);
        EXPECT_EQ(f[1].X, 200);  // drift 0 falls straight down
        EXPECT_NEAR(f[2].Y, 10 + 4 * c.unit, 1e-12);
        EXPECT_NEAR(f[2].X, 300 + c.unit, 1e-12);
    }
}

TEST(SnowStep, DrawsOneInTwentyPerFlakeAndOneInThreeOnlyWhenItHits) {
    SnowSetup s(640, 480, 10, 100);
    s.snow.SetCount(500);
    SetRandomSeed(4242);
    s.snow.Place();
    std::vector<SnowFlake> expected = s.snow.Flakes();
    const uint32_t seed = RandomSeed();
    int changes = 0;
    for (SnowFlake& f : expected) {
        if (Random(20) == 0) {
            f.Size = std::clamp(f.Size + Random(3) - 1, 2, 4);
            ++changes;
        }
    }
    const uint32_t after = RandomSeed();
    SetRandomSeed(seed);
    s.snow.Step();
    EXPECT_EQ(RandomSeed(), after);
    EXPECT_GT(changes, 0);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(s.snow.Flakes()[i].Size, expected[i].Size);
}

TEST(SnowStep, SpeedZeroFreezesTheFlakesButSizesStillFlicker) {
    SnowSetup s(300, 200, 15, 0);
    s.snow.SetCount(100);
    SetRandomSeed(9);
    s.snow.Place();
    const std::vector<SnowFlake> before = s.snow.Flakes();
    for (int i = 0; i < 30; ++i) s.snow.Step();
    int resized = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(s.snow.Flakes()[i].X, before[i].X);
        EXPECT_EQ(s.snow.Flakes()[i].Y, before[i].Y);
        resized += s.snow.Flakes()[i].Size != before[i].Size;
    }
    EXPECT_GT(resized, 0);
}

TEST(SnowStep, SizeChangesAreClampedToTwoToFourInTheSameStep) {
    SnowSetup s(100, 100, 10, 0);
    s.snow.SetFlakes({{10, 10, 2, 0}});
    SetRandomSeed(SeedChangingSizeBy(-1));
    s.snow.Step();
    EXPECT_EQ(s.snow.Flakes()[0].Size, 2);

    s.snow.SetFlakes({{10, 10, 4, 0}});
    SetRandomSeed(SeedChangingSizeBy(+1));
    s.snow.Step();
    EXPECT_EQ(s.snow.Flakes()[0].Size, 4);

    s.snow.SetFlakes({{10, 10, 3, 0}});
    SetRandomSeed(SeedChangingSizeBy(+1));
    s.snow.Step();
    EXPECT_EQ(s.snow.Flakes()[0].Size, 4);
}

TEST(SnowStep, WrapsAtTheSidesAndReturnsToTheTopRow) {
    SnowSetup s(100, 80, 10, 100);
    s.snow.SetFlakes({{0.5, 10, 2, -1},  // leaves on the left -> right edge
                      {99, 10, 2, 1},    // exactly on the right edge stays
                      {100, 10, 2, 1},   // beyond the right edge -> left edge
                      {40, 76, 3, 0},    // lands on the last row: stays
                      {41, 77, 3, 1}});  // passes the last row -> top, X after drift
    s.StepSteady();
    const auto& f = s.snow.Flakes();
    EXPECT_EQ(f[0].X, 100);
    EXPECT_EQ(f[1].X, 100);
    EXPECT_EQ(f[2].X, 0);
    EXPECT_EQ(f[3].Y, 79);
    EXPECT_EQ(f[4].Y, 0);
    EXPECT_EQ(f[4].X, 42);
}

TEST(SnowDraw, FlakesAreRimmedDiscsOfTheirSize) {
    SnowSetup s(14, 6, 10, 0);
    s.snow.SetFlakes({{1, 1, 2, 0}, {4, 1, 3, 0}, {8.5, 1.5, 4, 0}});  // 8.5, 1.5 round to 8, 2
    s.StepSteady();
    EXPECT_EQ(Picture(s.layer),
              "..............\n"
              ".rr.rrr.......\n"
              ".rr.rWr..rr...\n"
              "....rrr.rWWr..\n"
              "........rWWr..\n"
              ".........rr...\n");
}

TEST(SnowDraw, FlakesAtTheEdgesAreClipped) {
    SnowSetup s(6, 4, 10, 0);
    s.snow.SetFlakes({{6, 0, 4, 0}, {4, 2, 4, 0}, {0.4, 2, 3, 0}});
    s.StepSteady();
    EXPECT_EQ(Picture(s.layer),
              "......\n"
              "......\n"
              "rrr..r\n"
              "rWr.rW\n");
}

TEST(SnowStep, SameSeedGivesTheSameSnowAndPicture) {
    auto run = [](Bitmap32& layer) {
        Snow snow;
        snow.SetTarget(&layer);
        snow.SetSpeedLevel(12);
        snow.SetSpeedPercent(140);
        snow.SetCount(400);
        SetRandomSeed(77);
        snow.Place();
        for (int i = 0; i < 60; ++i) {
            layer.Fill(Back);
            snow.Step();
        }
        return snow.Flakes();
    };
    Bitmap32 a(320, 200), b(320, 200);
    const std::vector<SnowFlake> fa = run(a), fb = run(b);
    ASSERT_EQ(fa.size(), fb.size());
    for (size_t i = 0; i < fa.size(); ++i) {
        EXPECT_EQ(fa[i].X, fb[i].X);
        EXPECT_EQ(fa[i].Y, fb[i].Y);
        EXPECT_EQ(fa[i].Size, fb[i].Size);
        EXPECT_TRUE(fa[i].X >= 0 && fa[i].X <= 320 && fa[i].Y >= 0 && fa[i].Y <= 199);
    }
    EXPECT_EQ(a, b);
}

TEST(SnowState, SetFlakesRejectsImpossibleFlakesAndKeepsTheOldOnes) {
    Snow snow;
    snow.SetFlakes({{1, 2, 3, -1}});
    EXPECT_THROW(snow.SetFlakes({{0, 0, 1, 0}}), Error);
    EXPECT_THROW(snow.SetFlakes({{0, 0, 2, 2}}), Error);
    EXPECT_THROW(snow.SetFlakes(std::vector<SnowFlake>(1001)), Error);
    ASSERT_EQ(snow.Flakes().size(), 1u);
    EXPECT_EQ(snow.Flakes()[0].Drift, -1);
}

}  // namespace
}  // namespace lv
