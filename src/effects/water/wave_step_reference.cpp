#include "effects/water/wave_step_reference.h"

#include <algorithm>

#include "effects/water/wave_math.h"

namespace lv {

void RippleRowsReference(const WaveField& field, const WaveParameters* const params[4],
                         const std::array<int32_t, 4>& phase, const Bitmap32& source,
                         Bitmap32& output) {
    wave::CheckCycles(params);
    std::array<wave::AreaWave, 4> waves;
    for (size_t k = 0; k < 4; ++k) waves[k].Start(*params[k], field.FirstRow[k], field.LastRow[k]);

    const int64_t height = field.Height;
    const int64_t width = field.Width;
    std::array<int64_t, 4> vShift{};
    std::array<int64_t, 4> hShift{};
    for (int32_t r = 0; r < field.Height; ++r) {
        for (size_t k = 0; k < 4; ++k) {
            if (r < field.FirstRow[k] || r > field.LastRow[k]) continue;
            const int64_t angle = waves[k].NextRowAngle(r, field.Height, phase[k]);
            vShift[k] =
                waves[k].Shift(wave::CosDegrees(wave::AngleRemainder(angle, params[k]->Cycle)));
            hShift[k] = waves[k].Shift(wave::CosDegrees(wave::AngleRemainder(angle, 360)));
        }
        for (int32_t x = 0; x < field.Width; ++x) {
            const int k = field.AreaAt(r, x);
            if (k < 0) continue;
            const WaveParameters& p = *params[k];
            const int64_t j = field.ColumnShift[static_cast<size_t>(k)][static_cast<size_t>(x)];
            int64_t sr = r - j;
            if (p.Vertical) sr += vShift[static_cast<size_t>(k)];
            sr = std::min(std::max<int64_t>(sr, 0), height - 1);
            const int64_t tr = std::min(std::max<int64_t>(r - j, 0), height - 1);
            int64_t sc = x;
            if (p.Horizontal)
                sc = std::min(std::max<int64_t>(x + hShift[static_cast<size_t>(k)], 0), width - 1);
            const auto srow = static_cast<int32_t>(sr);
            const auto trow = static_cast<int32_t>(tr);
            const auto scol = static_cast<int32_t>(sc);
            // The target pixel itself must lie in the area too: with a column offset and a
            // sideways shift, (trow, scol) can be in the area while (trow, x) is not, and
            // writing there would smear water over the dry picture beside the area.
            if (field.AreaAt(trow, scol) == k && field.AreaAt(srow, scol) == k &&
                field.AreaAt(trow, x) == k)
                output.Row(trow)[x] = source.Row(srow)[scol];
        }
    }
}

}  // namespace lv
