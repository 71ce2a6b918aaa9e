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
    EXPECT_EQ(CrossFadeSchedule(2000, 3).StepCount(), 666);
    EXPECT_EQ(CrossFadeSchedule(2000, 3).Alpha(666), 255);
}

TEST(CrossFadeSchedule, AFirstStepMeasuredAtZeroCountsAsOneMillisecond) {
    const CrossFadeSchedule schedule(2000, 0);
    EXPECT_EQ(schedule.StepCount(), 2000);
    EXPECT_EQ(schedule.Alpha(1), 10);  // round(0.1225) + 10
    EXPECT_EQ(schedule.Alpha(2000), 255);
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
