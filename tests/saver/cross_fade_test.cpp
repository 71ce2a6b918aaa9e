#include "saver/cross_fade.h"

#include <gtest/gtest.h>

#include "support/fake_clock.h"

namespace lv {
namespace {

std::vector<int> Alphas(const CrossFadeSchedule& schedule) {
    std::vector<int> alphas;
    for (int step = 1; step <= schedule.StepCount(); ++step) {
        alphas.push_back(schedule.Alpha(step));
    }
    return alphas;
}

TEST(CrossFadeSchedule, AHundredMillisecondFirstStepGivesTwentyMoreSteps) {
    const CrossFadeSchedule schedule(2000, 100);
    ASSERT_EQ(schedule.StepCount(), 20);
    const std::vector<int> alphas = Alphas(schedule);
    // round(k * 12.25) + 10; 24.5 rounds to 24, 61.25 to 61, 73.5 to 74.
    EXPECT_EQ(alphas[0], 22);
    EXPECT_EQ(alphas[1], 34);
    EXPECT_EQ(alphas[2], 47);
    EXPECT_EQ(alphas[5], 84);
    EXPECT_EQ(alphas.back(), 255);
    for (size_t i = 1; i < alphas.size(); ++i) {
        EXPECT_GT(alphas[i], alphas[i - 1]);
    }
}

TEST(CrossFadeSchedule, StepCountIsTheDurationDividedByTheFirstStep) {
    EXPECT_EQ(CrossFadeSchedule(2000, 2000).StepCount(), 1);
    EXPECT_EQ(CrossFadeSchedule(2000, 2000).Alpha(1), 255);
    EXPECT_EQ(CrossFadeSchedule(2000, 2001).StepCount(), 0);
    EXPECT_EQ(CrossFadeSchedule(2000, 0xFFFFFFFFu).StepCount(), 0);
    EXPECT_EQ(CrossFadeSchedule(2000, 17).StepCount(), 117);
    EXPECT_EQ(CrossFadeSchedule(2000, 17).Alpha(117), 255);
}

TEST(CrossFadeSchedule, AFastFirstStepIsPacedToSixteenMilliseconds) {
    // 2000 div 16 = 125 steps, whether the first step took 0, 3 or 16 ms.
    for (const uint32_t firstStep : {0u, 3u, 16u}) {
        const CrossFadeSchedule schedule(2000, firstStep);
        EXPECT_EQ(schedule.StepCount(), 125) << firstStep;
        EXPECT_EQ(schedule.Alpha(1), 12);  // round(1.96) + 10
        EXPECT_EQ(schedule.Alpha(125), 255);
    }
}

TEST(RunCrossFade, TimesTheFirstStepAcrossTheWrapOfTheCounter) {
    test::FakeClock clock(0xFFFFFFFFu - 50);
    std::vector<int> alphas;
    const int drawn = RunCrossFade(clock, 2000, [&](int alpha) {
        alphas.push_back(alpha);
        clock.Advance(400);
    });
    // The first step took 400 ms although the counter wrapped in it: 5 more steps.
    EXPECT_EQ(drawn, 6);
    EXPECT_EQ(alphas, (std::vector<int>{10, 59, 108, 157, 206, 255}));
}

TEST(RunCrossFade, FastStepsAreSpacedSixteenMillisecondsApart) {
    test::FakeClock clock(1000);
    std::vector<uint32_t> starts;
    const int drawn = RunCrossFade(clock, 2000, [&](int) {
        starts.push_back(clock.Now());
        clock.Advance(5);
    });
    ASSERT_EQ(drawn, 126);
    for (size_t i = 1; i < starts.size(); ++i) {
        EXPECT_EQ(starts[i] - starts[i - 1], 16u) << i;
    }
    // The whole fade lasts its duration plus the first step.
    EXPECT_EQ(clock.Now() - 1000, 125u * 16 + 5);
}

TEST(RunCrossFade, StepsSlowerThanTheRefreshDoNotSleep) {
    test::FakeClock clock;
    const int drawn = RunCrossFade(clock, 2000, [&](int) { clock.Advance(40); });
    EXPECT_EQ(drawn, 51);
    EXPECT_TRUE(clock.Sleeps().empty());
}

TEST(RunCrossFade, ASlowFirstStepIsTheWholeFade) {
    test::FakeClock clock;
    std::vector<int> alphas;
    RunCrossFade(clock, 2000, [&](int alpha) {
        alphas.push_back(alpha);
        clock.Advance(2500);
    });
    EXPECT_EQ(alphas, (std::vector<int>{10}));
}

}  // namespace
}  // namespace lv
