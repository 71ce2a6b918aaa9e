#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/bitmap32.h"
#include "effects/water/wave_field.h"
#include "project/image_package.h"

namespace lv {

// The ripple pass tuned for full-screen pictures, with output bit-identical to
// `RippleRowsReference`:
// - the rows' shifts come first, from a table of the cosine over every whole degree the reduced
//   angles can take (filled with the very expression the plain pass evaluates, so not reduced
//   modulo 360, whose last bits differ);
// - only the runs of area pixels are visited, and a run is cut into an interior stretch, where no
//   clamp can apply, and its clamped ends;
// - an area without column offsets copies whole stretches where source and target lie in it;
// - with column offsets, the pass is turned around: each written row gathers its pixels from
//   the rows whose offsets land on it, so the rows read stay in cache as the walk moves down;
//   where no test can fail for any offset, a pixel is one table look-up, a load and a store;
// - columns are independent within one pass, so two threads may take one half each.
class RippleKernel {
public:
    // Takes the runs and offsets of a freshly built field. Call after every Prepare.
    void Prepare(const WaveField& field);

    // Raises DivisionByZeroError before writing anything when any Cycle is 0. `threads` is 1 or 2.
    void Run(const WaveField& field, const WaveParameters* const params[4],
             const std::array<int32_t, 4>& phase, const Bitmap32& source, Bitmap32& output,
             int threads);

    // Columns per strip (tests use narrow strips to check the seams).
    void SetStripWidth(int32_t columns) { stripWidth_ = columns < 1 ? 1 : columns; }

private:
    long double Cosine(int64_t reducedDegrees) const;
    void UpdateCosineTable(const WaveParameters* const params[4]);
    void ComputeRowShifts(const WaveField& field, const WaveParameters* const params[4],
                          const std::array<int32_t, 4>& phase);
    void RippleColumns(const WaveField& field, const Bitmap32& source, Bitmap32& output,
                       int32_t firstColumn, int32_t endColumn) const;
    void RippleStrip(const WaveField& field, const Bitmap32& source, Bitmap32& output,
                     int32_t firstColumn, int32_t endColumn) const;
    void RippleStraightRun(const WaveField& field, const Bitmap32& source, Bitmap32& output,
                           int32_t row, int32_t first, int32_t last, int16_t area, int64_t v,
                           int64_t h) const;

    // Columns first..last inclusive; empty when first > last.
    struct Span {
        int64_t first;
        int64_t last;
    };
    // A stretch of a row whose pixels all have a row to write them, within the area run
    // areaFirst..areaLast.
    struct WrittenRun {
        int32_t first;
        int32_t last;
        int32_t area;
        int32_t areaFirst;
        int32_t areaLast;
    };
    // Areas whose column offsets span more rows than this take every test per pixel: searching
    // that many rows for a stretch where the tests cannot fail costs more than it saves, and
    // the table of source distances stays on the stack.
    static constexpr int64_t MaxTableShifts = 64;
    // What the gather of one row needs of one area's column offsets, the same for all the row's
    // written runs of that area: the source distance for each offset, the range of the shifts
    // of the rows they reach, and the last stretch found where the reached rows all hold the
    // area.
    struct RowOffsets {
        int32_t row = -1;
        bool tabled = false;  // the offsets span few enough rows for the table
        std::array<int64_t, MaxTableShifts> distance;
        int64_t vLow = 0;
        int64_t vHigh = 0;
        int64_t hLow = 0;
        int64_t hHigh = 0;
        Span common{1, 0};
    };
    void FindWrittenRuns(const WaveField& field);
    void ComputeRowOffsets(const WaveField& field, int32_t t, size_t k, RowOffsets& offsets) const;
    void GatherWrittenRun(const WaveField& field, const Bitmap32& source, Bitmap32& output,
                          int32_t t, const WrittenRun& run, int32_t first, int32_t last,
                          RowOffsets& offsets) const;
    static Span CommonSpan(const WaveField& field, int64_t fromRow, int64_t toRow, int64_t seed,
                           int32_t area);
    void GatherCheckedPixels(const WaveField& field, const Bitmap32& source, Bitmap32& output,
                             int32_t t, int32_t area, int32_t first, int32_t last) const;
    void GatherEdgeRowPixels(const WaveField& field, const Bitmap32& source, Bitmap32& output,
                             int32_t t, int32_t area, int32_t first, int32_t last) const;

    // cos of every whole degree in -cosineRange_ .. cosineRange_, index degrees + cosineRange_.
    std::vector<long double> cosineTable_;
    int64_t cosineRange_ = -1;
    // Effective shifts of each row and area (0 where the flag is off), index row * 4 + area.
    std::vector<int64_t> vShift_;
    std::vector<int64_t> hShift_;
    std::array<bool, 4> straight_{};  // area without column offsets
    // Per area with column offsets spanning fewer than MaxTableShifts rows, each column's
    // offset less the smallest: its entry in RowOffsets::distance. A byte is a quarter of the
    // offset's load in the pass's inner loop.
    static_assert(MaxTableShifts <= 256);
    std::array<std::vector<uint8_t>, 4> slots_;
    // Rows 1 .. Height - 2 of the areas with column offsets, as the written runs of each row:
    // writtenRuns_[writtenRowStart_[t] .. writtenRowStart_[t + 1]).
    std::vector<WrittenRun> writtenRuns_;
    std::vector<uint32_t> writtenRowStart_;
    // Each written row reads the rows its column offsets and vertical shifts reach; strips this
    // wide keep those rows in the core's cache from one written row to the next.
    int32_t stripWidth_ = 1 << 30;
};

}  // namespace lv
