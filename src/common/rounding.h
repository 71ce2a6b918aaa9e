#pragma once

#include <array>
#include <cmath>
#include <cstdint>

namespace lv {

// Round to nearest with ties to even, to a 64-bit integer; long double keeps the extended
// precision that stored results depend on.
inline int64_t Round(long double value) {
    return static_cast<int64_t>(std::nearbyintl(value));
}

// Effect speeds in percent; the user settings file stores the index, index 10 is 100 %.
inline constexpr std::array<int, 21> SpeedTable = {
    10, 20, 30, 45, 50, 60, 70, 75, 80, 90, 100, 120, 140, 160, 180, 200, 220, 240, 360, 480, 500};
inline constexpr int NormalSpeedIndex = 10;

}  // namespace lv
