#include "effects/water/wave_kernel.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "effects/water/wave_math.h"

namespace lv {
namespace {

// Cycles beyond this many degrees take the cosine directly instead of a table entry: a valid
// package uses 360 or a divisor of it, and the table should stay small.
constexpr int64_t MaxTableDegrees = 1 << 16;

int64_t Clamp(int64_t value, int64_t low, int64_t high) {
    return std::min(std::max(value, low), high);
}

const AreaRun* RowRunsBegin(const WaveField& field, int32_t row) {
    return field.Runs.data() + field.RowRunStart[static_cast<size_t>(row)];
}
const AreaRun* RowRunsEnd(const WaveField& field, int32_t row) {
    return field.Runs.data() + field.RowRunStart[static_cast<size_t>(row) + 1];
}

// First run of the row that reaches column `column` or beyond.
const AreaRun* FirstRunReaching(const WaveField& field, int32_t row, int64_t column) {
    return std::lower_bound(RowRunsBegin(field, row), RowRunsEnd(field, row), column,
                            [](const AreaRun& run, int64_t c) { return run.last < c; });
}

}  // namespace

void RippleKernel::Prepare(const WaveField& field) {
    for (size_t k = 0; k < 4; ++k) straight_[k] = field.MinShift[k] == 0 && field.MaxShift[k] == 0;
    FindWrittenRuns(field);
    for (size_t k = 0; k < 4; ++k) {
        slots_[k].clear();
        if (straight_[k] || field.MaxShift[k] - field.MinShift[k] >= MaxTableShifts) continue;
        slots_[k].reserve(field.ColumnShift[k].size());
        for (const int32_t shift : field.ColumnShift[k])
            slots_[k].push_back(static_cast<uint8_t>(shift - field.MinShift[k]));
    }
}

// Whether pixel (t, x) has a row to write it depends only on the area map and the column
// offsets, so it is settled once per picture; the pass then tests only what the shifts move.
void RippleKernel::FindWrittenRuns(const WaveField& field) {
    writtenRuns_.clear();
    writtenRowStart_.assign(1, 0);
    const int64_t width = field.Width;
    const int64_t height = field.Height;
    for (int32_t t = 0; t < field.Height; ++t) {
        const bool edgeRow = t == 0 || t == field.Height - 1;
        for (const AreaRun* run = RowRunsBegin(field, t); !edgeRow && run != RowRunsEnd(field, t);
             ++run) {
            const auto k = static_cast<size_t>(run->area);
            if (straight_[k]) continue;
            const int32_t* shifts = field.ColumnShift[k].data();
            auto written = [&](int64_t x) {
                const int64_t r = t + int64_t{shifts[x]};
                return r >= 0 && r < height &&
                       field.AreaMap[static_cast<size_t>(r * width + x)] == run->area;
            };
            for (int64_t x = run->first; x <= run->last;) {
                if (!written(x)) {
                    ++x;
                    continue;
                }
                int64_t end = x + 1;
                while (end <= run->last && written(end)) ++end;
                writtenRuns_.push_back({static_cast<int32_t>(x), static_cast<int32_t>(end - 1),
                                        run->area, run->first, run->last});
                x = end;
            }
        }
        writtenRowStart_.push_back(static_cast<uint32_t>(writtenRuns_.size()));
    }
}

long double RippleKernel::Cosine(int64_t reducedDegrees) const {
    if (reducedDegrees >= -cosineRange_ && reducedDegrees <= cosineRange_)
        return cosineTable_[static_cast<size_t>(reducedDegrees + cosineRange_)];
    return wave::CosDegrees(reducedDegrees);
}

void RippleKernel::UpdateCosineTable(const WaveParameters* const params[4]) {
    // A remainder modulo Cycle lies strictly between -|Cycle| and |Cycle|.
    int64_t needed = 359;
    for (int k = 0; k < 4; ++k) {
        const int64_t cycle = params[k]->Cycle;
        needed = std::max(needed, std::min(std::abs(cycle) - 1, MaxTableDegrees));
    }
    if (needed <= cosineRange_) return;
    cosineTable_.resize(static_cast<size_t>(2 * needed + 1));
    for (int64_t d = -needed; d <= needed; ++d)
        cosineTable_[static_cast<size_t>(d + needed)] = wave::CosDegrees(d);
    cosineRange_ = needed;
}

void RippleKernel::ComputeRowShifts(const WaveField& field, const WaveParameters* const params[4],
                                    const std::array<int32_t, 4>& phase) {
    vShift_.assign(static_cast<size_t>(field.Height) * 4, 0);
    hShift_.assign(static_cast<size_t>(field.Height) * 4, 0);
    for (size_t k = 0; k < 4; ++k) {
        const WaveParameters& p = *params[k];
        wave::AreaWave wave;
        wave.Start(p, field.FirstRow[k], field.LastRow[k]);
        const int32_t last = std::min(field.LastRow[k], field.Height - 1);
        for (int32_t r = field.FirstRow[k]; r <= last; ++r) {
            const int64_t angle = wave.NextRowAngle(r, field.Height, phase[k]);
            const size_t at = static_cast<size_t>(r) * 4 + k;
            if (p.Vertical) vShift_[at] = wave.Shift(Cosine(wave::AngleRemainder(angle, p.Cycle)));
            if (p.Horizontal) hShift_[at] = wave.Shift(Cosine(wave::AngleRemainder(angle, 360)));
        }
    }
}

void RippleKernel::Run(const WaveField& field, const WaveParameters* const params[4],
                       const std::array<int32_t, 4>& phase, const Bitmap32& source,
                       Bitmap32& output, int threads) {
    wave::CheckCycles(params);
    UpdateCosineTable(params);
    ComputeRowShifts(field, params, phase);
    if (field.Width == 0 || field.Height == 0) return;

    const int32_t split = std::clamp(field.BalancedSplitColumn, 1, field.Width);
    if (threads < 2 || split >= field.Width) {
        RippleColumns(field, source, output, 0, field.Width);
        return;
    }
    std::thread right([&, split] { RippleColumns(field, source, output, split, field.Width); });
    RippleColumns(field, source, output, 0, split);
    right.join();
}

void RippleKernel::RippleColumns(const WaveField& field, const Bitmap32& source, Bitmap32& output,
                                 int32_t firstColumn, int32_t endColumn) const {
    for (int32_t strip = firstColumn; strip < endColumn; strip += stripWidth_)
        RippleStrip(
            field, source, output, strip,
            static_cast<int32_t>(std::min<int64_t>(endColumn, int64_t{strip} + stripWidth_)));
}

void RippleKernel::RippleStrip(const WaveField& field, const Bitmap32& source, Bitmap32& output,
                               int32_t firstColumn, int32_t endColumn) const {
    for (int32_t t = 0; t < field.Height; ++t) {
        const int64_t* rowV = vShift_.data() + static_cast<size_t>(t) * 4;
        const int64_t* rowH = hShift_.data() + static_cast<size_t>(t) * 4;
        const bool edgeRow = t == 0 || t == field.Height - 1;
        const AreaRun* end = RowRunsEnd(field, t);
        for (const AreaRun* run = FirstRunReaching(field, t, firstColumn);
             run != end && run->first < endColumn; ++run) {
            const int32_t first = std::max(run->first, firstColumn);
            const int32_t last = std::min(run->last, endColumn - 1);
            const int16_t k = static_cast<int16_t>(run->area);
            if (straight_[static_cast<size_t>(k)])
                RippleStraightRun(field, source, output, t, first, last, k, rowV[k], rowH[k]);
            else if (edgeRow)
                GatherEdgeRowPixels(field, source, output, t, k, first, last);
        }
        if (edgeRow) continue;
        std::array<RowOffsets, 4> offsets;
        const WrittenRun* writtenEnd = writtenRuns_.data() + writtenRowStart_[t + 1];
        const WrittenRun* written =
            std::lower_bound(writtenRuns_.data() + writtenRowStart_[t], writtenEnd, firstColumn,
                             [](const WrittenRun& run, int32_t c) { return run.last < c; });
        for (; written != writtenEnd && written->first < endColumn; ++written)
            GatherWrittenRun(field, source, output, t, *written,
                             std::max(written->first, firstColumn),
                             std::min(written->last, endColumn - 1),
                             offsets[static_cast<size_t>(written->area)]);
    }
}

// An area without column offsets: the target row is the row itself and the source row is one
// row for the whole run, so the pixels whose tests pass form stretches that are copied whole.
void RippleKernel::RippleStraightRun(const WaveField& field, const Bitmap32& source,
                                     Bitmap32& output, int32_t row, int32_t first, int32_t last,
                                     int16_t area, int64_t v, int64_t h) const {
    const int64_t width = field.Width;
    const auto sourceRow = static_cast<int32_t>(Clamp(row + v, 0, field.Height - 1));
    const int8_t* targetAreas = field.AreaRow(row);
    const int8_t* sourceAreas = field.AreaRow(sourceRow);
    const uint32_t* from = source.Row(sourceRow);
    uint32_t* to = output.Row(row);

    // Columns whose source column is clamped to an edge all read that one edge pixel.
    auto fillFromEdge = [&](int64_t lo, int64_t hi, int32_t edge) {
        if (lo > hi || targetAreas[edge] != area || sourceAreas[edge] != area) return;
        std::fill(to + lo, to + hi + 1, from[edge]);
    };
    fillFromEdge(first, std::min<int64_t>(last, -h - 1), 0);
    fillFromEdge(std::max<int64_t>(first, width - h), last, static_cast<int32_t>(width - 1));

    // Interior: source columns lo + h .. hi + h; copy where both rows hold this area there.
    const int64_t lo = std::max<int64_t>(first, -h) + h;
    const int64_t hi = std::min<int64_t>(last, width - 1 - h) + h;
    if (lo > hi) return;
    const AreaRun* a = FirstRunReaching(field, row, lo);
    const AreaRun* aEnd = RowRunsEnd(field, row);
    const AreaRun* b = FirstRunReaching(field, sourceRow, lo);
    const AreaRun* bEnd = RowRunsEnd(field, sourceRow);
    while (a != aEnd && b != bEnd && a->first <= hi && b->first <= hi) {
        if (a->area != area) {
            ++a;
            continue;
        }
        if (b->area != area) {
            ++b;
            continue;
        }
        const int64_t start = std::max<int64_t>(lo, std::max(a->first, b->first));
        const int64_t stop = std::min<int64_t>(hi, std::min(a->last, b->last));
        if (start <= stop)
            std::memcpy(to + (start - h), from + start,
                        static_cast<size_t>(stop - start + 1) * sizeof(uint32_t));
        if (a->last < b->last)
            ++a;
        else
            ++b;
    }
}

// An area with column offsets, seen from the picture it writes: pixel (t, x) of area k is
// written by the row r whose offset moves it to row t, r = t + ColumnShift[k][x], when (r, x)
// lies in area k too, from the source pixel that row's shifts point at. Only the top and bottom
// rows can receive more than one row, through the clamp; they are done apart.
void RippleKernel::ComputeRowOffsets(const WaveField& field, int32_t t, size_t k,
                                     RowOffsets& offsets) const {
    offsets.row = t;
    offsets.common = {1, 0};
    const int64_t minShift = field.MinShift[k];
    const int64_t maxShift = field.MaxShift[k];
    offsets.tabled = maxShift - minShift < MaxTableShifts;
    if (!offsets.tabled) return;
    // The shifts of the rows the offsets reach; rows outside the picture write nothing here.
    const int64_t width = field.Width;
    int64_t vLow = INT64_MAX, vHigh = INT64_MIN, hLow = INT64_MAX, hHigh = INT64_MIN;
    for (int64_t j = minShift; j <= maxShift; ++j) {
        const int64_t r = t + j;
        offsets.distance[static_cast<size_t>(j - minShift)] = 0;
        if (r < 0 || r >= field.Height) continue;
        const size_t at = static_cast<size_t>(r) * 4 + k;
        vLow = std::min(vLow, vShift_[at]);
        vHigh = std::max(vHigh, vShift_[at]);
        hLow = std::min(hLow, hShift_[at]);
        hHigh = std::max(hHigh, hShift_[at]);
        offsets.distance[static_cast<size_t>(j - minShift)] = vShift_[at] * width + hShift_[at];
    }
    offsets.vLow = vLow;
    offsets.vHigh = vHigh;
    offsets.hLow = hLow;
    offsets.hHigh = hHigh;
}

// An area with column offsets, seen from the picture it writes: pixel (t, x) of area k is
// written by the row r whose offset moves it to row t, r = t + ColumnShift[k][x], when (r, x)
// lies in area k too, from the source pixel that row's shifts point at. Only the top and bottom
// rows can receive more than one row, through the clamp; they are done apart.
void RippleKernel::GatherWrittenRun(const WaveField& field, const Bitmap32& source,
                                    Bitmap32& output, int32_t t, const WrittenRun& run,
                                    int32_t first, int32_t last, RowOffsets& offsets) const {
    const auto k = static_cast<size_t>(run.area);
    if (offsets.row != t) ComputeRowOffsets(field, t, k, offsets);
    if (!offsets.tabled) {
        GatherCheckedPixels(field, source, output, t, run.area, first, last);
        return;
    }
    const int64_t width = field.Width;
    const int64_t vLow = offsets.vLow, vHigh = offsets.vHigh;
    const int64_t hLow = offsets.hLow, hHigh = offsets.hHigh;
    // Columns where no test can fail: the sideways shifts stay within row t's run, and the
    // rows the vertical shifts reach hold the area over the columns read. A stretch found for
    // an earlier run of the row serves every seed inside it: each reached row's run holding
    // such a seed is the one found then.
    Span inside{1, 0};
    if (t + vLow >= 0 && t + vHigh < field.Height) {
        const int64_t seed = (int64_t{first} + last) / 2 + (hLow + hHigh) / 2;
        if (seed < offsets.common.first || seed > offsets.common.last)
            offsets.common = CommonSpan(field, t + vLow, t + vHigh, seed, run.area);
        const Span& shifted = offsets.common;
        inside = {std::max({int64_t{first}, int64_t{run.areaFirst} - hLow, shifted.first - hLow}),
                  std::min({int64_t{last}, int64_t{run.areaLast} - hHigh, shifted.last - hHigh})};
    }
    if (inside.first > inside.last) {
        GatherCheckedPixels(field, source, output, t, run.area, first, last);
        return;
    }
    GatherCheckedPixels(field, source, output, t, run.area, first,
                        static_cast<int32_t>(inside.first - 1));
    // The source pixel lies a fixed distance from the target for each column offset. The row
    // below the lowest one read comes into use as the walk moves down; its lines are read at
    // scattered columns, which the hardware does not foresee, so they are asked for a row early.
    const int64_t aheadRow = std::min<int64_t>(t + vHigh + 1, field.Height - 1);
    const uint32_t* from = source.Row(t);
    uint32_t* to = output.Row(t);
    const uint8_t* slots = slots_[k].data();
    const int64_t* distance = offsets.distance.data();
    const uint32_t* ahead = source.Row(static_cast<int32_t>(aheadRow));
    constexpr int64_t LinePixels = 16;
    for (int64_t x = inside.first; x <= inside.last;) {
        const int64_t blockEnd = std::min(inside.last, x + LinePixels - 1);
        __builtin_prefetch(ahead + std::min(x + hHigh, width - 1));
        // Four columns a turn: a pixel costs about five instructions instead of ten, and the
        // loop's count is what bounds it while the rows read stay in the core's caches.
        for (; x + 3 <= blockEnd; x += 4) {
            const int64_t d0 = distance[slots[x]], d1 = distance[slots[x + 1]];
            const int64_t d2 = distance[slots[x + 2]], d3 = distance[slots[x + 3]];
            to[x] = from[x + d0];
            to[x + 1] = from[x + 1 + d1];
            to[x + 2] = from[x + 2 + d2];
            to[x + 3] = from[x + 3 + d3];
        }
        for (; x <= blockEnd; ++x) to[x] = from[x + distance[slots[x]]];
    }
    GatherCheckedPixels(field, source, output, t, run.area, static_cast<int32_t>(inside.last + 1),
                        last);
}

// Columns around `seed` that every row fromRow..toRow holds in area `area`: the common part of
// the runs that contain `seed`, empty when a row has none.
RippleKernel::Span RippleKernel::CommonSpan(const WaveField& field, int64_t fromRow, int64_t toRow,
                                            int64_t seed, int32_t area) {
    Span span{0, int64_t{field.Width} - 1};
    if (seed < 0 || seed >= field.Width) return {1, 0};
    for (int64_t r = fromRow; r <= toRow; ++r) {
        const auto row = static_cast<int32_t>(r);
        const AreaRun* run = FirstRunReaching(field, row, seed);
        if (run == RowRunsEnd(field, row) || run->first > seed || run->area != area) return {1, 0};
        span.first = std::max<int64_t>(span.first, run->first);
        span.last = std::min<int64_t>(span.last, run->last);
    }
    return span;
}

// Pixels of a written run in rows 1 .. Height - 2: the one row that writes each lies in the
// picture and holds the area (that is what makes the run written), and the tests of the source
// pixel are made.
void RippleKernel::GatherCheckedPixels(const WaveField& field, const Bitmap32& source,
                                       Bitmap32& output, int32_t t, int32_t area, int32_t first,
                                       int32_t last) const {
    const int64_t width = field.Width;
    const int64_t height = field.Height;
    const int8_t* areas = field.AreaMap.data();
    const int32_t* shifts = field.ColumnShift[static_cast<size_t>(area)].data();
    const uint32_t* from = source.Data();
    uint32_t* to = output.Row(t);
    const int8_t* targetAreas = areas + t * width;
    for (int64_t x = first; x <= last; ++x) {
        const int64_t r = t + int64_t{shifts[x]};
        const size_t at = static_cast<size_t>(r) * 4 + static_cast<size_t>(area);
        const int64_t sr = Clamp(t + vShift_[at], 0, height - 1);
        const int64_t sc = Clamp(x + hShift_[at], 0, width - 1);
        if (targetAreas[sc] == area && areas[sr * width + sc] == area)
            to[x] = from[sr * width + sc];
    }
}

// The top and bottom rows also receive the rows whose offsets reach past the picture's edge,
// clamped onto them; they are applied in row order, as the rows are walked.
void RippleKernel::GatherEdgeRowPixels(const WaveField& field, const Bitmap32& source,
                                       Bitmap32& output, int32_t t, int32_t area, int32_t first,
                                       int32_t last) const {
    const int64_t width = field.Width;
    const int64_t height = field.Height;
    const int8_t* areas = field.AreaMap.data();
    const int32_t* shifts = field.ColumnShift[static_cast<size_t>(area)].data();
    const uint32_t* from = source.Data();
    uint32_t* to = output.Row(t);
    const int8_t* targetAreas = areas + t * width;
    for (int64_t x = first; x <= last; ++x) {
        const int64_t j = shifts[x];
        // Rows r with Clamp(r - j) == t.
        const int64_t lowest = std::max<int64_t>(t == 0 ? 0 : t + j, 0);
        const int64_t highest = std::min<int64_t>(t == height - 1 ? height - 1 : t + j, height - 1);
        for (int64_t r = lowest; r <= highest; ++r) {
            if (areas[r * width + x] != area) continue;
            const size_t at = static_cast<size_t>(r) * 4 + static_cast<size_t>(area);
            const int64_t sr = Clamp(r - j + vShift_[at], 0, height - 1);
            const int64_t sc = Clamp(x + hShift_[at], 0, width - 1);
            if (targetAreas[sc] == area && areas[sr * width + sc] == area)
                to[x] = from[sr * width + sc];
        }
    }
}

}  // namespace lv
