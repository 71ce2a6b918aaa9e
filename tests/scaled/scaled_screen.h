#pragma once

// The screen of the scaled front-end tests: 1280 x 720 device pixels, scaled by 2 as a desktop
// at 200 %, so widgets measure it as 640 x 360 logical pixels.
namespace lv::test {

inline constexpr int ScaledScreenWidth = 1280;
inline constexpr int ScaledScreenHeight = 720;
inline constexpr int ScaleFactor = 2;

}  // namespace lv::test
