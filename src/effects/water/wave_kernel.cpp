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

// Rows are fetched ahead of the walk by at least this many rows (plus the largest vertical
// shift), so that a row's lines are on their way when the first column offset reaches them.
constexpr int64_t PrefetchLead = 4;
constexpr int64_t MaxPrefetchRows = 64;

void PrefetchSpan(const void* begin, size_t bytes) {
    const char* p = static_cast<const char*>(begin);
    for (size_t at = 0; at < bytes; at += 64) __builtin_prefetch(p + at, 0, 3);
}

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
    const int64_t width = field.Width;
    areas_.resize(field.AreaMap.size());
    std::copy(field.AreaMap.begin(), field.AreaMap.end(), areas_.begin());
    for (size_t k = 0; k < 4; ++k) {
        const auto& shifts = field.ColumnShift[k];
        auto& offsets = columnOffset_[k];
        offsets.resize(shifts.size());
        // Only used where every offset of the area keeps the rows inside the picture, so the
        // value then fits: |column - shift * width| < width * height.
        for (size_t x = 0; x < shifts.size(); ++x)
            offsets[x] = static_cast<int32_t>(static_cast<int64_t>(x) - int64_t{shifts[x]} * width);
        straight_[k] = field.MinShift[k] == 0 && field.MaxShift[k] == 0;
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
    int64_t largestVertical = 0;
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
            if (p.Vertical) {
                vShift_[at] = wave.Shift(Cosine(wave::AngleRemainder(angle, p.Cycle)));
                largestVertical = std::max(largestVertical, vShift_[at]);
            }
            if (p.Horizontal) hShift_[at] = wave.Shift(Cosine(wave::AngleRemainder(angle, 360)));
        }
    }
    prefetchRows_ = std::min(MaxPrefetchRows, PrefetchLead + largestVertical);
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
    // With column offsets a row reads and writes a band of rows as tall as the offsets' range;
    // walking the picture in narrow strips keeps that band's pixels in the core's cache instead
    // of fetching each line again from memory for every row of the band.
    for (int32_t strip = firstColumn; strip < endColumn; strip += stripWidth_)
        RippleStrip(
            field, source, output, strip,
            static_cast<int32_t>(std::min<int64_t>(endColumn, int64_t{strip} + stripWidth_)));
}

void RippleKernel::RippleStrip(const WaveField& field, const Bitmap32& source, Bitmap32& output,
                               int32_t firstColumn, int32_t endColumn) const {
    for (int32_t r = 0; r < field.Height; ++r) {
        if (r + prefetchRows_ < field.Height) {
            // Only the area pixels of the row ahead: the rest of the row is never read.
            const auto ahead = static_cast<int32_t>(r + prefetchRows_);
            const AreaRun* aheadEnd = RowRunsEnd(field, ahead);
            for (const AreaRun* run = FirstRunReaching(field, ahead, firstColumn);
                 run != aheadEnd && run->first < endColumn; ++run) {
                const int32_t from = std::max(run->first, firstColumn);
                const auto count = static_cast<size_t>(std::min(run->last + 1, endColumn) - from);
                PrefetchSpan(source.Row(ahead) + from, count * sizeof(uint32_t));
                PrefetchSpan(output.Row(ahead) + from, count * sizeof(uint32_t));
                PrefetchSpan(areas_.data() + static_cast<size_t>(ahead) * field.Width + from,
                             count);
            }
        }
        const int64_t* rowV = vShift_.data() + static_cast<size_t>(r) * 4;
        const int64_t* rowH = hShift_.data() + static_cast<size_t>(r) * 4;
        const AreaRun* end = RowRunsEnd(field, r);
        for (const AreaRun* run = FirstRunReaching(field, r, firstColumn);
             run != end && run->first < endColumn; ++run) {
            const int32_t first = std::max(run->first, firstColumn);
            const int32_t last = std::min(run->last, endColumn - 1);
            const int16_t k = static_cast<int16_t>(run->area);
            if (straight_[static_cast<size_t>(k)])
                RippleStraightRun(field, source, output, r, first, last, k, rowV[k], rowH[k]);
            else
                RippleJitteredRun(field, source, output, r, first, last, k, rowV[k], rowH[k]);
        }
    }
}

// An area without column offsets: the target row is the row itself and the source row is one
// row for the whole run, so the pixels whose tests pass form stretches that are copied whole.
void RippleKernel::RippleStraightRun(const WaveField& field, const Bitmap32& source,
                                     Bitmap32& output, int32_t row, int32_t first, int32_t last,
                                     int16_t area, int64_t v, int64_t h) const {
    const int64_t width = field.Width;
    const auto sourceRow = static_cast<int32_t>(Clamp(row + v, 0, field.Height - 1));
    const int16_t* targetAreas = field.AreaRow(row);
    const int16_t* sourceAreas = field.AreaRow(sourceRow);
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

// An area with column offsets: every column reads and writes its own rows.
void RippleKernel::RippleJitteredRun(const WaveField& field, const Bitmap32& source,
                                     Bitmap32& output, int32_t row, int32_t first, int32_t last,
                                     int16_t area, int64_t v, int64_t h) const {
    const int64_t width = field.Width;
    const int64_t height = field.Height;
    const int8_t* areas = areas_.data();
    const uint32_t* from = source.Data();
    uint32_t* to = output.Data();
    const int32_t* shifts = field.ColumnShift[static_cast<size_t>(area)].data();

    auto clampedPixels = [&](int64_t lo, int64_t hi) {
        for (int64_t x = lo; x <= hi; ++x) {
            const int64_t j = shifts[x];
            const int64_t sr = Clamp(row - j + v, 0, height - 1);
            const int64_t tr = Clamp(row - j, 0, height - 1);
            const int64_t sc = Clamp(x + h, 0, width - 1);
            if (areas[tr * width + sc] == area && areas[sr * width + sc] == area &&
                areas[tr * width + x] == area)
                to[tr * width + x] = from[sr * width + sc];
        }
    };

    const int64_t minShift = field.MinShift[static_cast<size_t>(area)];
    const int64_t maxShift = field.MaxShift[static_cast<size_t>(area)];
    const bool rowsInside = row - maxShift >= 0 && row - minShift <= height - 1 &&
                            row - maxShift + v >= 0 && row - minShift + v <= height - 1;
    const int64_t lo = std::max<int64_t>(first, -h);
    const int64_t hi = std::min<int64_t>(last, width - 1 - h);
    if (!rowsInside || lo > hi) {
        clampedPixels(first, last);
        return;
    }
    clampedPixels(first, lo - 1);
    // No clamp can apply: target index = row start + column + the column's row offset, and
    // the source lies v rows and h columns away from it.
    const int32_t* offsets = columnOffset_[static_cast<size_t>(area)].data();
    const int64_t rowStart = row * width;
    const int64_t sourceDelta = v * width + h;
    for (int64_t x = lo; x <= hi; ++x) {
        const int64_t target = rowStart + offsets[x];
        const int64_t from_at = target + sourceDelta;
        if (areas[target + h] == area && areas[from_at] == area && areas[target] == area)
            to[target] = from[from_at];
    }
    clampedPixels(hi + 1, last);
}

}  // namespace lv
