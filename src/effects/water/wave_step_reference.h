#pragma once

#include <array>
#include <cstdint>

#include "common/bitmap32.h"
#include "effects/water/wave_field.h"
#include "project/image_package.h"

namespace lv {

// The ripple pass written the plain way: row by row, the areas' shifts from the cosine itself,
// then every pixel of the row with all its clamps and area tests. It is the yardstick the tuned
// kernel is tested against; the generator runs it when asked to.
// Raises DivisionByZeroError before writing anything when any Cycle is 0.
void RippleRowsReference(const WaveField& field, const WaveParameters* const params[4],
                         const std::array<int32_t, 4>& phase, const Bitmap32& source,
                         Bitmap32& output);

}  // namespace lv
