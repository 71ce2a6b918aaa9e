// Bilinear resize row kernel on 256-bit vectors, compiled for AVX2 and chosen at run time.
//
// Each 128-bit lane computes one target pixel: pixel k in the low lane, pixel k + 8 in the
// high lane, which is how the lane-wise unpacking of 16 weights per step lays them out. From
// the 8 bytes at the left source pixel of a row (blue, green, red of the left and the right
// pixel) one byte shuffle makes the 16-bit pairs (left, right) per channel, and one multiply-
// add against (wTL, wTR), or (wBL, wBR) for the lower row, gives the row's share of every
// channel in 32 bits. Adding both rows' shares is the scalar formula's sum, exactly.
//
// The multiply-add takes signed 16-bit weights, and wTL reaches 32768 only when both fractions
// are 0. Rows with fy = 0 therefore get the upper row as their lower row too and split wTL
// between the two copies of the same pixel, which leaves the sum unchanged.
#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include "effects/surface/pixel_kernels.h"

// clang ignores GCC's target pragmas; its own attribute pragma gives the same per-function target.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace lv::kernels {
namespace {

// Source pixels of target pixels k (low lane) and k + 8 (high lane) in one row, as words
// [B0 B1 G0 G1 R0 R1 0 0] per lane.
inline __m256i LoadPairs(const uint8_t* row, uint32_t low, uint32_t high, __m256i spread) {
    const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + low));
    const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + high));
    return _mm256_shuffle_epi8(_mm256_inserti128_si256(_mm256_castsi128_si256(a), b, 1), spread);
}

// PixelBytes 3 or 4. The 32-bit layout's spread takes the same bytes as the 24-bit one, 4 on
// instead of 3 for the right pixel, and leaves the fourth bytes out, so every sum has 0 in its
// fourth dword and the packed pixels are whole 0x00RRGGBB words.
template <int PixelBytes, bool ZeroFraction>
void RowKernel(const uint8_t* upper, const uint8_t* lower, uint8_t* out, const uint32_t* offsets,
               const uint16_t* fx2, int width, int fy) {
    constexpr char R = PixelBytes;  // where the right pixel's bytes start
    const __m256i top = _mm256_set1_epi16(static_cast<short>(32768 - fy));
    const __m256i bottom = _mm256_set1_epi16(static_cast<short>(fy));
    const __m256i spread =
        _mm256_setr_epi8(0, -1, R, -1, 1, -1, R + 1, -1, 2, -1, R + 2, -1, -1, -1, -1, -1, 0, -1, R,
                         -1, 1, -1, R + 1, -1, 2, -1, R + 2, -1, -1, -1, -1, -1);
    // Drops the unused fourth byte of each pixel: 4 pixels become 12 bytes plus 4 zeros.
    const __m256i compact =
        _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6,
                         8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    // A 24-bit 16-byte store ends with 4 bytes that a later store overwrites, the last one on
    // pixels j + 16 and j + 17, so that loop leaves at least two pixels to the scalar tail.
    constexpr int Reach = PixelBytes == 3 ? 18 : 16;
    int j = 0;
    for (; j + Reach <= width; j += 16) {
        const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(fx2 + j));
        const __m256i wTR = _mm256_mulhi_epu16(f, top);  // (fx x (32768 - fy)) shr 15
        const __m256i wBR = _mm256_mulhi_epu16(f, bottom);
        __m256i wTL = _mm256_sub_epi16(top, wTR);
        __m256i wBL = _mm256_sub_epi16(bottom, wBR);
        if constexpr (ZeroFraction) {
            wBL = _mm256_srli_epi16(wTL, 1);
            wTL = _mm256_sub_epi16(wTL, wBL);
        }
        // Weight pairs as dwords: pixels 0-3 | 8-11 and pixels 4-7 | 12-15.
        const __m256i upperPairs[2] = {_mm256_unpacklo_epi16(wTL, wTR),
                                       _mm256_unpackhi_epi16(wTL, wTR)};
        const __m256i lowerPairs[2] = {_mm256_unpacklo_epi16(wBL, wBR),
                                       _mm256_unpackhi_epi16(wBL, wBR)};
        __m256i sums[8];
        const auto sum = [&](int k, __m256i upperWeights, __m256i lowerWeights) {
            const uint32_t low = offsets[j + k], high = offsets[j + k + 8];
            const __m256i a = _mm256_madd_epi16(LoadPairs(upper, low, high, spread), upperWeights);
            const __m256i b = _mm256_madd_epi16(LoadPairs(lower, low, high, spread), lowerWeights);
            sums[k] = _mm256_srli_epi32(_mm256_add_epi32(a, b), 15);
        };
        for (int half = 0; half < 2; ++half) {
            const __m256i u = upperPairs[half], l = lowerPairs[half];
            sum(4 * half + 0, _mm256_shuffle_epi32(u, 0x00), _mm256_shuffle_epi32(l, 0x00));
            sum(4 * half + 1, _mm256_shuffle_epi32(u, 0x55), _mm256_shuffle_epi32(l, 0x55));
            sum(4 * half + 2, _mm256_shuffle_epi32(u, 0xAA), _mm256_shuffle_epi32(l, 0xAA));
            sum(4 * half + 3, _mm256_shuffle_epi32(u, 0xFF), _mm256_shuffle_epi32(l, 0xFF));
        }
        // first: pixels 0-3 | 8-11, second: pixels 4-7 | 12-15, as 0x00RRGGBB words.
        const __m256i first = _mm256_packus_epi16(_mm256_packs_epi32(sums[0], sums[1]),
                                                  _mm256_packs_epi32(sums[2], sums[3]));
        const __m256i second = _mm256_packus_epi16(_mm256_packs_epi32(sums[4], sums[5]),
                                                   _mm256_packs_epi32(sums[6], sums[7]));
        if constexpr (PixelBytes == 4) {
            __m256i* o = reinterpret_cast<__m256i*>(out + j * 4);
            _mm256_storeu_si256(o, _mm256_permute2x128_si256(first, second, 0x20));
            _mm256_storeu_si256(o + 1, _mm256_permute2x128_si256(first, second, 0x31));
        } else {
            const __m256i a = _mm256_shuffle_epi8(first, compact);  // 12 bytes each lane
            const __m256i b = _mm256_shuffle_epi8(second, compact);
            uint8_t* o = out + j * 3;
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm256_castsi256_si128(a));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 12), _mm256_castsi256_si128(b));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 24), _mm256_extracti128_si256(a, 1));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 36), _mm256_extracti128_si256(b, 1));
        }
    }
    if constexpr (PixelBytes == 4)
        ResizeSmoothColumns32Scalar(upper, lower, out, offsets, fx2, j, width, fy);
    else
        ResizeSmoothColumnsScalar(upper, lower, out, offsets, fx2, j, width, fy);
}

template <int PixelBytes>
void Row(const uint8_t* upper, const uint8_t* lower, uint8_t* out, const uint32_t* offsets,
         const uint16_t* fx2, int width, int fy) {
    if (fy == 0)
        RowKernel<PixelBytes, true>(upper, upper, out, offsets, fx2, width, fy);
    else
        RowKernel<PixelBytes, false>(upper, lower, out, offsets, fx2, width, fy);
}

}  // namespace

void ResizeSmoothRowAvx2(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                         const uint32_t* offsets, const uint16_t* fx2, int width, int fy) {
    Row<3>(upper, lower, out, offsets, fx2, width, fy);
}

void ResizeSmoothRow32Avx2(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                           const uint32_t* offsets, const uint16_t* fx2, int width, int fy) {
    Row<4>(upper, lower, out, offsets, fx2, width, fy);
}

}  // namespace lv::kernels

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#endif
