#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/rounding.h"

namespace lv {
namespace {

TEST(Round, HalvesGoToEvenAcrossTheExtendedRange) {
    EXPECT_EQ(Round(-0.5L), 0);
    EXPECT_EQ(Round(3.5L), 4);
    EXPECT_EQ(Round(-3.5L), -4);
    EXPECT_EQ(Round(0.49999999999999999L), 0);
    // 2^62 + 0.5 is exact in extended precision and rounds to the even 2^62.
    EXPECT_EQ(Round(4611686018427387904.5L), 4611686018427387904LL);
    EXPECT_EQ(Round(-9223372036854775808.0L), INT64_MIN);
}

TEST(Round, SaturatesOutsideTheSixtyFourBitRange) {
    EXPECT_EQ(Round(9223372036854775808.0L), INT64_MAX);
    EXPECT_EQ(Round(1e30L), INT64_MAX);
    EXPECT_EQ(Round(-1e30L), INT64_MIN);
    EXPECT_EQ(Round(std::numeric_limits<long double>::infinity()), INT64_MAX);
    EXPECT_EQ(Round(std::numeric_limits<long double>::quiet_NaN()), INT64_MIN);
}

}  // namespace
}  // namespace lv
