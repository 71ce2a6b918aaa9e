#include "effects/weather/rain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error.h"
#include "common/random.h"
#include "effects/surface/canvas.h"

namespace lv {
namespace {

constexpr uint32_t Back = 0x00000000u;

// Streak pixels of one column as text: '.' background, otherwise the grey level's digit key
// (d = dark part, l = light part) so expectations read like the picture.
std::string Column(const Bitmap32& b, int x, uint32_t dark, uint32_t light) {
    std::string s;
    for (int y = 0; y < b.Height(); ++y) {
        const uint32_t p = b.Pixel(x, y);
        s += p == Back ? '.' : p == dark ? 'd' : p == light ? 'l' : '?';
    }
    return s;
}

int CountPainted(const Bitmap32& b) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) != Back;
    return n;
}

struct RainSetup {
    Bitmap32 layer;
    Rain rain;

    RainSetup(int width, int height, int level, int percent, int length_factor, int angle_term)
        : layer(width, height) {
        rain.SetTarget(&layer);
        rain.SetSpeedLevel(level);
        rain.SetSpeedPercent(percent);
        rain.SetLengthFactor(length_factor);
        rain.SetAngleTerm(angle_term);
    }
    void Drop(double x, double y, int weight, int length) {
        rain.SetDrops({RainDrop{x, y, weight, length}});
    }
};

TEST(RainPlace, DrawsPositionWeightAndLengthPerDropInThatOrder) {
    Bitmap32 layer(640, 480);
    Rain rain;
    rain.SetTarget(&layer);
    rain.SetCount(50);
    SetRandomSeed(1234);
    rain.Place();
    const uint32_t after = RandomSeed();

    SetRandomSeed(1234);
    ASSERT_EQ(rain.Drops().size(), 50u);
    for (const RainDrop& d : rain.Drops()) {
        EXPECT_EQ(d.X, Random(640));
        EXPECT_EQ(d.Y, Random(480));
        EXPECT_EQ(d.Weight, Random(3) + 2);
        EXPECT_EQ(d.Length, Random(4) + 1);
        EXPECT_TRUE(d.X >= 0 && d.X < 640 && d.Y >= 0 && d.Y < 480);
        EXPECT_TRUE(d.Weight >= 2 && d.Weight <= 4 && d.Length >= 1 && d.Length <= 4);
    }
    EXPECT_EQ(RandomSeed(), after);
}

TEST(RainPlace, CountIsCutToOneThousandAndNeverNegative) {
    Bitmap32 layer(10, 10);
    Rain rain;
    rain.SetTarget(&layer);
    rain.SetCount(5000);
    EXPECT_EQ(rain.Count(), 1000);
    rain.Place();
    EXPECT_EQ(rain.Drops().size(), 1000u);
    rain.SetCount(-3);
    EXPECT_EQ(rain.Count(), 0);
    SetRandomSeed(5);
    rain.Place();
    EXPECT_TRUE(rain.Drops().empty());
    EXPECT_EQ(RandomSeed(), 5u);  // no drops, no draws
}

TEST(RainPlace, WithoutATargetEveryDropStartsAtTheOrigin) {
    Rain rain;
    rain.SetCount(3);
    rain.Place();
    for (const RainDrop& d : rain.Drops()) EXPECT_TRUE(d.X == 0 && d.Y == 0);
    rain.SetSpeedPercent(100);
    rain.Step();  // nothing to draw on; must not fail
}

TEST(RainStep, FallsWeightTimesThreeUnitsPerStepAtEverySpeed) {
    struct Case {
        int level, percent;
        double unit;
    };
    for (const Case c : {Case{10, 100, 1.0}, Case{2, 100, 0.3}, Case{20, 50, 2.5},
                         Case{0, 10, 0.01}, Case{18, 240, 8.64}}) {
        for (int weight = 2; weight <= 4; ++weight) {
            RainSetup s(800, 600, c.level, c.percent, 10, 90);
            s.Drop(300, 100, weight, 1);
            s.rain.Step();
            s.rain.Step();
            EXPECT_NEAR(s.rain.Drops()[0].Y, 100 + 2 * weight * 3 * c.unit, 1e-12)
                << c.level << " " << c.percent << " " << weight;
            EXPECT_EQ(s.rain.Drops()[0].X, 300);  // straight down
        }
    }
}

TEST(RainStep, LeansWithTheAngleTerm) {
    for (const auto& [term, factor] : std::vector<std::pair<int, double>>{
             {0, 1.0}, {180, -1.0}, {60, 0.5}, {120, -0.5}, {45, 0.7071067811865476}}) {
        RainSetup s(800, 600, 10, 100, 10, term);
        s.Drop(400, 100, 4, 1);
        s.rain.Step();
        EXPECT_EQ(s.rain.Drops()[0].Y, 112);
        EXPECT_NEAR(s.rain.Drops()[0].X, 400 + 12 * factor, 1e-12) << term;
    }
}

TEST(RainStep, VerticalRainNeverChangesX) {
    for (const int term : {90, -90, 270, 450}) {
        RainSetup s(100, 80, 18, 300, 10, term);
        s.rain.SetDrops({{0, 0, 4, 4}, {0.25, 5, 2, 1}, {99, 70, 3, 2}});
        for (int i = 0; i < 50; ++i) s.rain.Step();
        EXPECT_EQ(s.rain.Drops()[0].X, 0) << term;
        EXPECT_EQ(s.rain.Drops()[1].X, 0.25) << term;
        EXPECT_EQ(s.rain.Drops()[2].X, 99) << term;
    }
}

TEST(RainStep, WrapsSidewaysAndComesBackAboveTheTop) {
    {  // leaving on the left re-enters at the right edge
        RainSetup s(100, 80, 10, 100, 10, 180);
        s.Drop(-19, 10, 4, 1);
        s.rain.Step();
        EXPECT_EQ(s.rain.Drops()[0].X, 100);
    }
    {  // leaving on the right re-enters 20 pixels left of the layer
        RainSetup s(100, 80, 10, 100, 10, 0);
        s.Drop(115, 10, 4, 1);
        s.rain.Step();
        EXPECT_EQ(s.rain.Drops()[0].X, -20);
    }
    {  // up to 20 pixels beyond the sides stays put
        RainSetup s(100, 80, 10, 100, 10, 0);
        s.Drop(108, 10, 4, 1);
        s.rain.Step();
        EXPECT_EQ(s.rain.Drops()[0].X, 120);
    }
    {  // falling more than 20 below the bottom: back at Y = -20, X unchanged
        RainSetup s(100, 80, 10, 100, 10, 90);
        s.Drop(5, 88, 4, 1);
        s.rain.Step();
        EXPECT_EQ(s.rain.Drops()[0].Y, 100);  // exactly 20 below stays
        s.rain.Step();
        EXPECT_EQ(s.rain.Drops()[0].Y, -20);
        EXPECT_EQ(s.rain.Drops()[0].X, 5);
    }
}

TEST(RainStep, SpeedZeroFreezesTheDropsButStillDrawsThem) {
    RainSetup s(50, 40, 19, 0, 10, 30);
    SetRandomSeed(77);
    s.rain.SetCount(40);
    s.rain.Place();
    const std::vector<RainDrop> before = s.rain.Drops();
    for (int i = 0; i < 10; ++i) {
        s.layer.Fill(Back);
        s.rain.Step();
        EXPECT_GT(CountPainted(s.layer), 0);
    }
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(s.rain.Drops()[i].X, before[i].X);
        EXPECT_EQ(s.rain.Drops()[i].Y, before[i].Y);
    }
}

TEST(RainDraw, StreakIsDarkForTwoThirdsThenLightAndLeavesItsEndUnpainted) {
    // Weights 2, 3, 4 give light greys 218, 227, 255 and dark ones 60 less.
    RainSetup s2(8, 10, 10, 0, 10, 90);
    s2.Drop(5, 3, 2, 2);  // 4 rows long: two thirds end at row 3 + 2.67 -> 6
    s2.rain.Step();
    EXPECT_EQ(Column(s2.layer, 5, GreyColour(158), GreyColour(218)), "...dddl...");
    EXPECT_EQ(CountPainted(s2.layer), 4);

    RainSetup s3(8, 10, 10, 0, 10, 90);
    s3.Drop(1, 0, 3, 1);
    s3.rain.Step();
    EXPECT_EQ(Column(s3.layer, 1, GreyColour(167), GreyColour(227)), "ddl.......");

    RainSetup s4(8, 10, 10, 0, 10, 90);
    s4.Drop(0, 5.5, 4, 1);  // Y rounds to 6 (ties to even)
    s4.rain.Step();
    EXPECT_EQ(Column(s4.layer, 0, GreyColour(195), GreyColour(255)), "......dddl");
}

TEST(RainDraw, SlantedStreakFollowsTheFallDirection) {
    RainSetup s(8, 8, 10, 0, 10, 0);  // weather angle 180: leans right at 45 degrees
    s.Drop(2, 2, 3, 1);
    s.rain.Step();
    EXPECT_EQ(s.layer.Pixel(2, 2), GreyColour(167));
    EXPECT_EQ(s.layer.Pixel(3, 3), GreyColour(167));
    EXPECT_EQ(s.layer.Pixel(4, 4), GreyColour(227));
    EXPECT_EQ(CountPainted(s.layer), 3);
}

TEST(RainDraw, LengthFactorScalesTheStreak) {
    RainSetup none(8, 8, 10, 0, 0, 90);
    none.Drop(3, 3, 4, 4);
    none.rain.Step();
    EXPECT_EQ(CountPainted(none.layer), 0);

    RainSetup twice(8, 8, 10, 0, 20, 90);
    twice.Drop(3, 0, 2, 1);
    twice.rain.Step();
    EXPECT_EQ(CountPainted(twice.layer), 4);

    RainSetup empty(8, 8, 10, 100, 10, 90);  // count 0: the layer is left as it was
    empty.rain.Place();
    empty.rain.Step();
    EXPECT_EQ(CountPainted(empty.layer), 0);
}

TEST(RainDraw, StreaksAtAndBeyondTheEdgesAreClipped) {
    RainSetup top(8, 6, 10, 0, 10, 90);
    top.Drop(3, -2, 4, 4);  // 16 rows from -2; the dark part runs to row 8
    top.rain.Step();
    EXPECT_EQ(Column(top.layer, 3, GreyColour(195), GreyColour(255)), "dddddd");
    EXPECT_EQ(CountPainted(top.layer), 6);

    // Drops on every margin with streaks a million pixels long: only the one that crosses
    // the layer paints, and only inside it.
    RainSetup edges(8, 6, 10, 0, 1000000, 90);
    edges.rain.SetDrops({{-20, -20, 4, 4},
                         {28, -20, 3, 4},
                         {-20, 26, 2, 1},
                         {28, 26, 4, 4},
                         {8, 6, 2, 2},
                         {-1, 3, 4, 4},
                         {2, -20, 4, 4}});
    edges.rain.Step();
    EXPECT_EQ(Column(edges.layer, 2, GreyColour(195), GreyColour(255)), "dddddd");
    EXPECT_EQ(CountPainted(edges.layer), 6);
}

TEST(RainStep, SpeedLevelsOutsideTheTableUseItsEnds) {
    RainSetup high(800, 600, 99, 100, 10, 90), top(800, 600, 20, 100, 10, 90);
    RainSetup low(800, 600, -4, 100, 10, 90), bottom(800, 600, 0, 100, 10, 90);
    for (RainSetup* s : {&high, &top, &low, &bottom}) {
        s->Drop(10, 10, 3, 1);
        s->rain.Step();
    }
    EXPECT_EQ(high.rain.Drops()[0].Y, top.rain.Drops()[0].Y);
    EXPECT_EQ(low.rain.Drops()[0].Y, bottom.rain.Drops()[0].Y);
}

TEST(RainStep, SameSeedGivesTheSameRainAndPicture) {
    auto run = [](Bitmap32& layer) {
        Rain rain;
        rain.SetTarget(&layer);
        rain.SetSpeedLevel(14);
        rain.SetSpeedPercent(75);
        rain.SetLengthFactor(15);
        rain.SetAngleTerm(100);
        rain.SetCount(300);
        SetRandomSeed(2024);
        rain.Place();
        for (int i = 0; i < 60; ++i) {
            layer.Fill(Back);
            rain.Step();
        }
        return rain.Drops();
    };
    Bitmap32 a(320, 200), b(320, 200);
    const std::vector<RainDrop> da = run(a), db = run(b);
    ASSERT_EQ(da.size(), db.size());
    for (size_t i = 0; i < da.size(); ++i) {
        EXPECT_EQ(da[i].X, db[i].X);
        EXPECT_EQ(da[i].Y, db[i].Y);
        EXPECT_TRUE(da[i].X >= -20 && da[i].X <= 340 && da[i].Y >= -20 && da[i].Y <= 220);
    }
    EXPECT_EQ(a, b);
}

TEST(RainState, SetDropsRejectsImpossibleDropsAndKeepsTheOldOnes) {
    Rain rain;
    rain.SetDrops({{1, 2, 3, 4}});
    EXPECT_THROW(rain.SetDrops({{0, 0, 5, 1}}), Error);
    EXPECT_THROW(rain.SetDrops({{0, 0, 2, 0}}), Error);
    EXPECT_THROW(rain.SetDrops(std::vector<RainDrop>(1001)), Error);
    ASSERT_EQ(rain.Drops().size(), 1u);
    EXPECT_EQ(rain.Drops()[0].Weight, 3);
    EXPECT_EQ(rain.Count(), 1);
}

}  // namespace
}  // namespace lv
