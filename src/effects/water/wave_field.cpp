#include "effects/water/wave_field.h"

#include <algorithm>

#include "common/random.h"
#include "effects/water/wave_util.h"
#include "project/area_mask.h"

namespace lv {

void BuildAreaMap(const AreaMask& mask, int32_t width, int32_t height, WaveField& field,
                  bool stretchMask) {
    field.Width = width;
    field.Height = height;
    field.AreaMap.assign(static_cast<size_t>(width) * static_cast<size_t>(height), int8_t{-1});
    field.FirstRow.fill(50000);
    field.LastRow.fill(0);
    field.Runs.clear();
    field.RowRunStart.assign(1, 0);

    const bool stretched = stretchMask && !mask.Empty();
    const int32_t maskWidth = stretched ? width : std::min(width, mask.Width());
    const int32_t maskHeight = stretched ? height : std::min(height, mask.Height());
    // The mask column each picture column reads.
    std::vector<int32_t> maskColumns(static_cast<size_t>(maskWidth));
    for (int32_t col = 0; col < maskWidth; ++col)
        maskColumns[static_cast<size_t>(col)] =
            stretched ? NearestSourceIndex(col, mask.Width(), width) : col;
    std::vector<int64_t> columnCounts(static_cast<size_t>(width) + 1, 0);
    for (int32_t r = 0; r < height; ++r) {
        int8_t* areas = field.AreaMap.data() + static_cast<size_t>(r) * static_cast<size_t>(width);
        if (r < maskHeight) {
            const uint8_t* maskRow =
                mask.Row(stretched ? NearestSourceIndex(r, mask.Height(), height) : r);
            for (int32_t col = 0; col < maskWidth; ++col) {
                const int a = maskRow[maskColumns[static_cast<size_t>(col)]];
                if (a == 0 || a > AreaCount) continue;
                field.FirstRow[a - 1] = std::min(field.FirstRow[a - 1], r);
                field.LastRow[a - 1] = std::max(field.LastRow[a - 1], r);
                areas[col] = static_cast<int8_t>(a - 1);
            }
        }
        for (int32_t col = 0; col < width;) {
            const int8_t a = areas[col];
            int32_t end = col + 1;
            while (end < width && areas[end] == a) ++end;
            if (a >= 0) {
                field.Runs.push_back({col, end - 1, a});
                columnCounts[static_cast<size_t>(col)] += 1;
                columnCounts[static_cast<size_t>(end)] -= 1;
            }
            col = end;
        }
        field.RowRunStart.push_back(static_cast<uint32_t>(field.Runs.size()));
    }

    // columnCounts holds differences; their prefix sums are the area pixels per column.
    int64_t total = 0;
    std::vector<int64_t> perColumn(static_cast<size_t>(width), 0);
    int64_t running = 0;
    for (int32_t col = 0; col < width; ++col) {
        running += columnCounts[static_cast<size_t>(col)];
        perColumn[static_cast<size_t>(col)] = running;
        total += running;
    }
    int64_t sum = 0;
    field.BalancedSplitColumn = width / 2;
    if (total > 0) {
        for (int32_t col = 0; col < width; ++col) {
            sum += perColumn[static_cast<size_t>(col)];
            if (2 * sum >= total) {
                field.BalancedSplitColumn = col + 1;
                break;
            }
        }
    }
}

void DrawColumnShifts(const WaveParameters* const params[4], WaveField& field) {
    for (int k = 0; k < 4; ++k) {
        auto& shifts = field.ColumnShift[static_cast<size_t>(k)];
        shifts.resize(static_cast<size_t>(field.Width));
        for (auto& s : shifts) s = Random(params[k]->Jitter);
        if (shifts.empty()) {
            field.MinShift[static_cast<size_t>(k)] = field.MaxShift[static_cast<size_t>(k)] = 0;
        } else {
            const auto [lo, hi] = std::minmax_element(shifts.begin(), shifts.end());
            field.MinShift[static_cast<size_t>(k)] = *lo;
            field.MaxShift[static_cast<size_t>(k)] = *hi;
        }
    }
}

}  // namespace lv
