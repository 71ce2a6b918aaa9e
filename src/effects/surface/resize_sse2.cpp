// Bilinear resize row kernel on 128-bit vectors (SSE2, present on every x86-64 processor).
//
// Per target pixel the kernel loads 8 bytes at its left source pixel from the upper and from
// the lower row (blue, green, red of the left and of the right pixel, plus 2 bytes it ignores)
// and interleaves them into 16-bit pairs (upper, lower) per channel and side. One multiply-add
// against (wTL, wBL) and (wTR, wBR) pairs then gives each channel's left and right halves of
// the weighted sum in 32 bits, exactly as the scalar formula adds them.
//
// The multiply-add takes signed 16-bit weights, and wTL reaches 32768 only when both fractions
// are 0. Rows with fy = 0 therefore get the upper row as their lower row too and split wTL
// between the two copies of the same pixel, which leaves the sum unchanged.
#if defined(__x86_64__) || defined(__i386__)

#include <emmintrin.h>

#include <cstring>

#include "effects/surface/pixel_kernels.h"

namespace lv::kernels {
namespace {

// Weighted sum of one target pixel: dwords [blue, green, red, unused] shifted down by 15.
inline __m128i BlendPixel(const uint8_t* upper, const uint8_t* lower, __m128i leftWeights,
                          __m128i rightWeights) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i top = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(upper));
    const __m128i bottom = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lower));
    const __m128i pairs = _mm_unpacklo_epi8(top, bottom);    // B0 b0 G0 g0 R0 r0 B1 b1 G1 g1 R1 r1
    const __m128i first = _mm_unpacklo_epi8(pairs, zero);    // B0 b0 G0 g0 R0 r0 B1 b1
    const __m128i second = _mm_unpackhi_epi8(pairs, zero);   // G1 g1 R1 r1 (ignored bytes)
    const __m128i a = _mm_madd_epi16(first, leftWeights);    // Bleft Gleft Rleft Bright
    const __m128i b = _mm_madd_epi16(second, rightWeights);  // Gright Rright - -
    const __m128i right = _mm_or_si128(_mm_srli_si128(a, 12), _mm_slli_si128(b, 4));
    return _mm_srli_epi32(_mm_add_epi32(a, right), 15);
}

// The weights of 8 target pixels as dwords (wTL, wBL) and (wTR, wBR): left[0] and right[0]
// for the first 4, left[1] and right[1] for the next 4.
struct PixelWeights {
    __m128i left[2];
    __m128i right[2];
};

template <bool ZeroFraction>
inline PixelWeights WeightsAt(const uint16_t* fx2, __m128i top, __m128i bottom) {
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fx2));
    const __m128i wTR = _mm_mulhi_epu16(f, top);  // (fx x (32768 - fy)) shr 15
    const __m128i wBR = _mm_mulhi_epu16(f, bottom);
    __m128i wTL = _mm_sub_epi16(top, wTR);
    __m128i wBL = _mm_sub_epi16(bottom, wBR);
    if constexpr (ZeroFraction) {
        wBL = _mm_srli_epi16(wTL, 1);
        wTL = _mm_sub_epi16(wTL, wBL);
    }
    return {{_mm_unpacklo_epi16(wTL, wBL), _mm_unpackhi_epi16(wTL, wBL)},
            {_mm_unpacklo_epi16(wTR, wBR), _mm_unpackhi_epi16(wTR, wBR)}};
}

template <bool ZeroFraction>
void RowKernel(const uint8_t* upper, const uint8_t* lower, uint8_t* out, const uint32_t* offsets,
               const uint16_t* fx2, int width, int fy) {
    const __m128i top = _mm_set1_epi16(static_cast<short>(32768 - fy));
    const __m128i bottom = _mm_set1_epi16(static_cast<short>(fy));
    int j = 0;
    // Each pixel is stored as 4 bytes whose last one the next pixel overwrites, so the loop
    // leaves at least one pixel to the scalar tail.
    for (; j + 8 < width; j += 8) {
        const PixelWeights w = WeightsAt<ZeroFraction>(fx2 + j, top, bottom);
        const __m128i left03 = w.left[0], left47 = w.left[1];
        const __m128i right03 = w.right[0], right47 = w.right[1];
        // [L R L R] for two pixels: the left pair thrice plus the right pair for the first
        // multiply-add, the right pair for the second.
        const __m128i pairs[4] = {
            _mm_unpacklo_epi32(left03, right03), _mm_unpackhi_epi32(left03, right03),
            _mm_unpacklo_epi32(left47, right47), _mm_unpackhi_epi32(left47, right47)};
        __m128i sums[8];
        for (int k = 0; k < 4; ++k) {
            const uint32_t o0 = offsets[j + 2 * k], o1 = offsets[j + 2 * k + 1];
            sums[2 * k] = BlendPixel(upper + o0, lower + o0,
                                     _mm_shuffle_epi32(pairs[k], _MM_SHUFFLE(1, 0, 0, 0)),
                                     _mm_shuffle_epi32(pairs[k], _MM_SHUFFLE(1, 1, 1, 1)));
            sums[2 * k + 1] = BlendPixel(upper + o1, lower + o1,
                                         _mm_shuffle_epi32(pairs[k], _MM_SHUFFLE(3, 2, 2, 2)),
                                         _mm_shuffle_epi32(pairs[k], _MM_SHUFFLE(3, 3, 3, 3)));
        }
        uint8_t* o = out + j * 3;
        for (int half = 0; half < 2; ++half) {
            const __m128i* s = sums + 4 * half;
            __m128i bytes =
                _mm_packus_epi16(_mm_packs_epi32(s[0], s[1]), _mm_packs_epi32(s[2], s[3]));
            for (int k = 0; k < 4; ++k, o += 3) {
                const int32_t pixel = _mm_cvtsi128_si32(bytes);
                std::memcpy(o, &pixel, 4);
                bytes = _mm_srli_si128(bytes, 4);
            }
        }
    }
    ResizeSmoothColumnsScalar(upper, lower, out, offsets, fx2, j, width, fy);
}

// The same for 32-bit pixels, whose four bytes line up with the four dwords of a sum: one
// multiply-add of the left pixels' (upper, lower) pairs against (wTL, wBL), one of the right
// pixels' against (wTR, wBR).
inline __m128i BlendPixel32(const uint8_t* upper, const uint8_t* lower, __m128i leftWeights,
                            __m128i rightWeights) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i top = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(upper));
    const __m128i bottom = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lower));
    const __m128i pairs = _mm_unpacklo_epi8(top, bottom);  // B0 b0 G0 g0 R0 r0 X0 x0 B1 b1 ...
    const __m128i left = _mm_madd_epi16(_mm_unpacklo_epi8(pairs, zero), leftWeights);
    const __m128i right = _mm_madd_epi16(_mm_unpackhi_epi8(pairs, zero), rightWeights);
    return _mm_srli_epi32(_mm_add_epi32(left, right), 15);
}

template <bool ZeroFraction>
void RowKernel32(const uint8_t* upper, const uint8_t* lower, uint8_t* out, const uint32_t* offsets,
                 const uint16_t* fx2, int width, int fy) {
    const __m128i top = _mm_set1_epi16(static_cast<short>(32768 - fy));
    const __m128i bottom = _mm_set1_epi16(static_cast<short>(fy));
    const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
    int j = 0;
    for (; j + 8 <= width; j += 8) {
        const PixelWeights w = WeightsAt<ZeroFraction>(fx2 + j, top, bottom);
        const __m128i* left = w.left;
        const __m128i* right = w.right;
        for (int half = 0; half < 2; ++half) {
            __m128i sums[4];
            const auto sum = [&](int k, __m128i l, __m128i r) {
                const uint32_t o = offsets[j + 4 * half + k];
                sums[k] = BlendPixel32(upper + o, lower + o, l, r);
            };
            sum(0, _mm_shuffle_epi32(left[half], 0x00), _mm_shuffle_epi32(right[half], 0x00));
            sum(1, _mm_shuffle_epi32(left[half], 0x55), _mm_shuffle_epi32(right[half], 0x55));
            sum(2, _mm_shuffle_epi32(left[half], 0xAA), _mm_shuffle_epi32(right[half], 0xAA));
            sum(3, _mm_shuffle_epi32(left[half], 0xFF), _mm_shuffle_epi32(right[half], 0xFF));
            const __m128i pixels = _mm_packus_epi16(_mm_packs_epi32(sums[0], sums[1]),
                                                    _mm_packs_epi32(sums[2], sums[3]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + (j + 4 * half) * 4),
                             _mm_and_si128(pixels, colours));
        }
    }
    ResizeSmoothColumns32Scalar(upper, lower, out, offsets, fx2, j, width, fy);
}

}  // namespace

void ResizeSmoothRowSse2(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                         const uint32_t* offsets, const uint16_t* fx2, int width, int fy) {
    if (fy == 0)
        RowKernel<true>(upper, upper, out, offsets, fx2, width, fy);
    else
        RowKernel<false>(upper, lower, out, offsets, fx2, width, fy);
}

void ResizeSmoothRow32Sse2(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                           const uint32_t* offsets, const uint16_t* fx2, int width, int fy) {
    if (fy == 0)
        RowKernel32<true>(upper, upper, out, offsets, fx2, width, fy);
    else
        RowKernel32<false>(upper, lower, out, offsets, fx2, width, fy);
}

}  // namespace lv::kernels

#endif
