#include "effects/water/wave_math.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "effects/water/wave_test_support.h"

namespace lv {
namespace {

using test::Wave;

struct RowShift {
    int64_t angle, vertical, horizontal;
};

// Walks an area covering every row of a picture `height` rows high and returns row `row`'s
// angle and shifts for the given phase.
RowShift ShiftOfRow(const WaveParameters& p, int32_t height, int32_t row, int32_t phase = 0) {
    wave::AreaWave w;
    w.Start(p, 0, height - 1);
    RowShift result{};
    for (int32_t r = 0; r <= row; ++r) {
        result.angle = w.NextRowAngle(r, height, phase);
        result.vertical = w.Shift(wave::CosDegrees(wave::AngleRemainder(result.angle, p.Cycle)));
        result.horizontal = w.Shift(wave::CosDegrees(wave::AngleRemainder(result.angle, 360)));
    }
    return result;
}

TEST(WaveRows, WorkedValuesOfASixHundredRowPicture) {
    const WaveParameters full = Wave(5, 2, 0, 360, 0, true, true, false);
    RowShift s = ShiftOfRow(full, 600, 300);
    EXPECT_EQ(s.angle, 360);
    EXPECT_EQ(s.vertical, 5);
    EXPECT_EQ(s.horizontal, 5);
    s = ShiftOfRow(full, 600, 450);
    EXPECT_EQ(s.angle, 180);
    EXPECT_EQ(s.vertical, -5);
    EXPECT_EQ(s.horizontal, -5);

    // Half the cycle halves the frequency: angle 180, 180 mod 180 = 0 vertically.
    const WaveParameters half = Wave(5, 2, 0, 180, 0, true, true, false);
    s = ShiftOfRow(half, 600, 300);
    EXPECT_EQ(s.angle, 180);
    EXPECT_EQ(s.vertical, 5);
    EXPECT_EQ(s.horizontal, -5);
}

TEST(WaveRows, TiesAreDecidedInExtendedPrecision) {
    // cos 120 degrees lies just below -0.5 in extended precision, so 5 x cos rounds away to -3;
    // in doubles the product is just above -2.5 and would give -2.
    EXPECT_EQ(Round(wave::CosDegrees(120) * 5), -3);
    EXPECT_EQ(Round(std::cos(120 * 3.141592653589793 / 180) * 5), -2);

    // Row 400 of 600 with one wave of 360 degrees sits at angle 120.
    const RowShift s = ShiftOfRow(Wave(5, 1, 0, 360, 0, true, true, false), 600, 400);
    EXPECT_EQ(s.angle, 120);
    EXPECT_EQ(s.horizontal, -3);
    EXPECT_EQ(s.vertical, -3);
}

TEST(WaveRows, NegativeAnglesKeepTheirSignAndMirrorThePositiveOnes) {
    const WaveParameters p = Wave(7, 3, 0, 360, 0, true, true, false);
    for (int32_t row : {0, 17, 123, 299}) {
        const RowShift plus = ShiftOfRow(p, 300, row, 1000);
        const RowShift minus =
            ShiftOfRow(Wave(7, -3, 0, 360, 0, true, true, false), 300, row, -1000);
        EXPECT_EQ(minus.angle, -plus.angle);
        EXPECT_EQ(minus.horizontal, plus.horizontal) << row;
        EXPECT_LT(wave::AngleRemainder(minus.angle, 360), 1);
    }
    EXPECT_EQ(wave::AngleRemainder(-725, 360), -5);
    EXPECT_EQ(wave::AngleRemainder(725, -360), 5);
    EXPECT_EQ(wave::AngleRemainder(std::numeric_limits<int64_t>::min(), -1), 0);
}

TEST(WaveRows, PerspectiveGrowsFromTheFirstRowToTheFullAmplitude) {
    const WaveParameters p = Wave(10, 0, 0, 360, 0, true, true, true);
    wave::AreaWave w;
    w.Start(p, 100, 110);  // span 10: one step of 1 pixel per row
    std::vector<int64_t> shifts;
    for (int32_t r = 100; r <= 110; ++r) {
        w.NextRowAngle(r, 200, 0);
        shifts.push_back(w.Shift(1));
    }
    EXPECT_EQ(shifts.front(), 1);
    EXPECT_EQ(shifts[9], 10);
    EXPECT_EQ(shifts.back(), 11);

    // A one-row area gets the whole amplitude on its only row.
    wave::AreaWave single;
    single.Start(Wave(9, 4, 0, 360, 0, true, true, true), 42, 42);
    single.NextRowAngle(42, 100, 0);
    EXPECT_EQ(single.Shift(1), 9);
    EXPECT_DOUBLE_EQ(single.freq, 0.9 * (4 / (360.0 / 360)));
}

TEST(WaveRows, ZeroCycleIsADivisionByZero) {
    EXPECT_THROW(wave::WaveFrequency(Wave(5, 2, 0, 0, 0, true, true, false)), DivisionByZeroError);
    EXPECT_DOUBLE_EQ(wave::WaveFrequency(Wave(5, 3, 0, 120, 0, true, true, false)), 1.0);
}

TEST(WaveRows, PhaseIncrementScalesWithSpeedAndRoundsTiesToEven) {
    EXPECT_EQ(wave::PhaseIncrement(Wave(1, 1, 15, 360, 0, 1, 1, 0), 100), 15);
    EXPECT_EQ(wave::PhaseIncrement(Wave(1, 1, 15, 360, 0, 1, 1, 0), 50), 8);  // 7.5
    EXPECT_EQ(wave::PhaseIncrement(Wave(1, 1, 5, 360, 0, 1, 1, 0), 30), 2);   // 1.5
    EXPECT_EQ(wave::PhaseIncrement(Wave(1, 1, 5, 360, 0, 1, 1, 0), 50), 2);   // 2.5
    EXPECT_EQ(wave::PhaseIncrement(Wave(1, 1, 15, 360, 0, 1, 1, 0), 0), 0);
    EXPECT_EQ(wave::WrapToInt32(int64_t{INT32_MAX} + 1), INT32_MIN);
}

}  // namespace
}  // namespace lv

namespace lv {
namespace {

TEST(WaveRows, RoundingMatchesTheSharedRoundAndSaturates) {
    for (long double v : {0.5L, 1.5L, 2.5L, -2.5L, -3.5L, 1e18L + 0.5L, -7.49999L, 123456.5L})
        EXPECT_EQ(wave::RoundToInt64(v), Round(v)) << static_cast<double>(v);
    EXPECT_EQ(wave::RoundToInt64(1e30L), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(wave::RoundToInt64(-1e30L), std::numeric_limits<int64_t>::min());
}

}  // namespace
}  // namespace lv
