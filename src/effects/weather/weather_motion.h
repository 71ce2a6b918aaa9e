#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/rounding.h"

namespace lv {

// Pixels one unit of weather movement covers per frame: the speed level's table value scaled
// by the user's percentage, (SpeedTable[level] / 100 * percent) / 100, in extended precision.
// Levels outside the table (only a damaged package has them) are held to its ends rather than
// read past them. A percentage of 0 gives 0, which freezes rain and snow.
inline long double WeatherStepUnit(int32_t speed_level, int32_t speed_percent) {
    const int32_t last = static_cast<int32_t>(SpeedTable.size()) - 1;
    const auto level = static_cast<size_t>(std::clamp(speed_level, 0, last));
    return (SpeedTable[level] / 100.0L * speed_percent) / 100.0L;
}

// Cosine of a whole number of degrees, cos(a * pi / 180) in extended precision, except that
// the odd multiples of 90 give exactly 0. The rounded pi leaves about 2.5e-20 there, which
// would slowly move a vertical streak that starts at X = 0; vertical rain must keep its X.
inline long double CosDegrees(int32_t degrees) {
    constexpr long double pi = 3.141592653589793238462643383279502884L;
    if (degrees % 180 == 90 || degrees % 180 == -90) return 0.0L;
    return std::cos(degrees * pi / 180.0L);
}

}  // namespace lv
