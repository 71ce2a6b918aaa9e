#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/error.h"
#include "common/rounding.h"
#include "project/image_package.h"

// Arithmetic the ripple step is built from. Stored results (the rows' shifts, the phases) depend
// on the last bits of these expressions, so every intermediate value is kept in long double (the
// x87 extended format on x86-64) and only `amp` and `freq` are narrowed to double, as they are
// kept between rows.
namespace lv::wave {

inline constexpr long double Pi = 3.141592653589793238462643383279502884L;

// cos of `degrees` degrees, as cos(a * pi / 180) evaluated left to right in extended precision.
inline long double CosDegrees(int64_t degrees) {
    return std::cos(static_cast<long double>(degrees) * Pi / 180);
}

// Round to nearest, ties to even. A value outside the 64-bit range gives the smallest 64-bit
// integer, as the processor's own conversion does, instead of undefined behaviour. On x86-64 the
// x87 store-integer instruction does exactly this in the default rounding mode, without the
// library call, which matters as the step rounds three times per area and row.
inline int64_t RoundToInt64(long double value) {
#if defined(__x86_64__) && defined(__GNUC__)
    int64_t result;
    __asm__("fistpll %0" : "=m"(result) : "t"(value) : "st");
    return result;
#else
    if (!(value >= -0x1p63L && value < 0x1p63L)) return std::numeric_limits<int64_t>::min();
    return Round(value);
#endif
}

// Remainder with the sign of the dividend. A divisor of 1 or -1 always leaves 0 (the processor
// would trap on the smallest integer divided by -1). The divisor is never 0 here: a zero `Cycle`
// is rejected before any angle is reduced.
inline int64_t AngleRemainder(int64_t angle, int64_t divisor) {
    if (divisor == 1 || divisor == -1) return 0;
    return angle % divisor;
}

// A phase is a 32-bit value that wraps like the processor's integer addition.
inline int32_t WrapToInt32(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// freq of an area before any perspective: WaveCount / (360 / Cycle), with a zero Cycle raised as
// a division by zero.
inline double WaveFrequency(const WaveParameters& p) {
    if (p.Cycle == 0) throw DivisionByZeroError();
    return static_cast<double>(p.WaveCount / (360.0L / p.Cycle));
}

// Any zero Cycle makes the whole step fail before it changes anything.
inline void CheckCycles(const WaveParameters* const params[4]) {
    for (int k = 0; k < 4; ++k)
        if (params[k]->Cycle == 0) throw DivisionByZeroError();
}
inline void CheckCycles(const std::array<WaveParameters, AreaCount>& waves) {
    for (const WaveParameters& p : waves)
        if (p.Cycle == 0) throw DivisionByZeroError();
}

// Degrees the phase moves in one step: Round(PhaseStep * (SpeedPercent / 100)).
inline int64_t PhaseIncrement(const WaveParameters& p, int32_t speedPercent) {
    return RoundToInt64(p.PhaseStep * (static_cast<long double>(speedPercent) / 100));
}

// The state of one area's wave while the rows are walked top to bottom.
struct AreaWave {
    double amp = 0;
    double freq = 0;
    double ampStep = 0;
    double freqStep = 0;
    bool perspective = false;

    void Start(const WaveParameters& p, int32_t firstRow, int32_t lastRow) {
        amp = p.Amplitude;
        freq = WaveFrequency(p);
        perspective = p.Perspective != 0;
        if (!perspective) return;
        amp = 0;
        const int64_t span = static_cast<int64_t>(lastRow) - firstRow;
        if (span != 0) {
            ampStep = static_cast<double>(static_cast<long double>(p.Amplitude) / span);
            freqStep = static_cast<double>(static_cast<long double>(freq) / span);
        } else {
            ampStep = p.Amplitude;
            freqStep = freq;
        }
    }

    // Moves to the next row of the area and returns its angle in whole degrees:
    // Round((height - row) * freq * 360 / height + phase), left to right.
    int64_t NextRowAngle(int32_t row, int32_t height, int32_t phase) {
        if (perspective) {
            amp = static_cast<double>(static_cast<long double>(amp) + ampStep);
            freq = static_cast<double>(static_cast<long double>(freq) -
                                       static_cast<long double>(freqStep) / 10);
        }
        const long double rowsFromBottom = static_cast<long double>(height) - row;
        return RoundToInt64(rowsFromBottom * freq * 360 / height + phase);
    }

    // Round(cosine * amp) for a cosine already computed.
    int64_t Shift(long double cosine) const { return RoundToInt64(cosine * amp); }
};

}  // namespace lv::wave
