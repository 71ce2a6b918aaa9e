#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/bitmap32.h"
#include "project/image_package.h"

namespace lv {

// A stretch of one row whose pixels all belong to one area, columns first..last inclusive.
struct AreaRun {
    int32_t first;
    int32_t last;
    int32_t area;  // 0 .. 3
};

// Everything a ripple step needs to know about the picture's areas, built once per picture by
// `Prepare`: the per-pixel area map, the per-column row offsets, each area's row range, and the
// same map as lists of runs, which lets the step visit only area pixels and copy whole stretches.
struct WaveField {
    int32_t Width = 0;
    int32_t Height = 0;
    // Height rows of Width entries: area 0 .. 3, or -1 for none. Bytes: the step tests up to
    // three entries per pixel in rows around the one it writes, and small entries keep more of
    // those rows in cache.
    std::vector<int8_t> AreaMap;
    std::array<std::vector<int32_t>, 4> ColumnShift;  // per area, one row offset per column
    std::array<int32_t, 4> FirstRow{};
    std::array<int32_t, 4> LastRow{};

    std::vector<AreaRun> Runs;          // all rows' runs, row after row, left to right
    std::vector<uint32_t> RowRunStart;  // Height + 1 entries: the runs of row r are
                                        // Runs[RowRunStart[r] .. RowRunStart[r + 1])
    // Smallest and largest column offset of each area (0 and 0 for an empty width).
    std::array<int64_t, 4> MinShift{};
    std::array<int64_t, 4> MaxShift{};
    // Column where a two-way split leaves about half of the area pixels on either side.
    int32_t BalancedSplitColumn = 0;

    int8_t AreaAt(int32_t row, int32_t column) const {
        return AreaMap[static_cast<size_t>(row) * static_cast<size_t>(Width) +
                       static_cast<size_t>(column)];
    }
    const int8_t* AreaRow(int32_t row) const {
        return AreaMap.data() + static_cast<size_t>(row) * static_cast<size_t>(Width);
    }
};

// Builds the area map of a `width` x `height` picture from `mask` (a pixel outside the mask, or
// of an area number above 4, belongs to no area) and the run lists. Column offsets are left empty.
// With `stretchMask`, the mask is read as StretchNearest would stretch it to width x height.
void BuildAreaMap(const AreaMask& mask, int32_t width, int32_t height, WaveField& field,
                  bool stretchMask = false);

// Draws the column offsets from the program-wide random generator: area 1's columns left to
// right, then area 2's, and so on, each Random(Jitter) of that area.
void DrawColumnShifts(const WaveParameters* const params[4], WaveField& field);

}  // namespace lv
