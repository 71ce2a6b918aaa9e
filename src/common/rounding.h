#pragma once

#include <array>
#include <cmath>
#include <cstdint>

namespace lv {

// Round to nearest with ties to even, to a 64-bit integer; long double keeps the extended
// precision that stored results depend on. rintl rounds like nearbyintl in the default
// rounding mode but is an inline instruction instead of a library call that saves and restores
// the floating-point environment (about 40 times slower; the weather effects round seven
// values per drop per frame). Values beyond the 64-bit range saturate, and NaN gives the
// lowest value, instead of an undefined conversion.
inline int64_t Round(long double value) {
    const long double rounded = std::rintl(value);
    if (rounded >= 9223372036854775808.0L) return INT64_MAX;
    if (!(rounded >= -9223372036854775808.0L)) return INT64_MIN;
    return static_cast<int64_t>(rounded);
}

// Effect speeds in percent; the user settings file stores the index, index 10 is 100 %.
inline constexpr std::array<int, 21> SpeedTable = {
    10, 20, 30, 45, 50, 60, 70, 75, 80, 90, 100, 120, 140, 160, 180, 200, 220, 240, 360, 480, 500};
inline constexpr int NormalSpeedIndex = 10;

}  // namespace lv
