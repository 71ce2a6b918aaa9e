#pragma once

#include <cstdint>

namespace lv {

// Clamps a channel value computed in a wider type back into a byte: 0 below, 255 above.
constexpr int ClampToByte(int32_t value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

}  // namespace lv
