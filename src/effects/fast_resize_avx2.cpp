// Bilinear resize row kernel on 256-bit vectors, compiled for AVX2 and chosen at run time.
//
// The arithmetic is that of the SSE2 kernel (fast_resize_sse2.cpp): 16-bit (upper, lower)
// pairs per channel and side, one multiply-add against (wTL, wBL) and (wTR, wBR). Here each
// 128-bit lane carries its own pixel, pixel k in the low lane and pixel k + 8 in the high lane,
// which is how the lane-wise unpacking of 16 weights per step lays them out anyway.
#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include "effects/pixel_kernels.h"

#pragma GCC push_options
#pragma GCC target("avx2")

namespace lv::kernels {
namespace {

inline __m256i LoadTwoPixels(const uint8_t* row, uint32_t low, uint32_t high) {
    const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + low));
    const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + high));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(a), b, 1);
}

// Weighted sums of target pixels k (low lane) and k + 8 (high lane), each lane holding dwords
// [blue, green, red, unused] shifted down by 15.
inline __m256i BlendTwoPixels(const uint8_t* upper, const uint8_t* lower, uint32_t low,
                              uint32_t high, __m256i leftWeights, __m256i rightWeights) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i pairs =
        _mm256_unpacklo_epi8(LoadTwoPixels(upper, low, high), LoadTwoPixels(lower, low, high));
    const __m256i a = _mm256_madd_epi16(_mm256_unpacklo_epi8(pairs, zero), leftWeights);
    const __m256i b = _mm256_madd_epi16(_mm256_unpackhi_epi8(pairs, zero), rightWeights);
    const __m256i right = _mm256_or_si256(_mm256_srli_si256(a, 12), _mm256_slli_si256(b, 4));
    return _mm256_srli_epi32(_mm256_add_epi32(a, right), 15);
}

template <bool ZeroFraction>
void RowKernel(const uint8_t* upper, const uint8_t* lower, uint8_t* out, const uint32_t* offsets,
               const uint16_t* fx2, int width, int fy) {
    const __m256i top = _mm256_set1_epi16(static_cast<short>(32768 - fy));
    const __m256i bottom = _mm256_set1_epi16(static_cast<short>(fy));
    // Drops the unused fourth byte of each pixel: 4 pixels become 12 bytes plus 4 zeros.
    const __m256i compact =
        _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6,
                         8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int j = 0;
    // Every 16-byte store ends with 4 bytes that a later store overwrites, the last one on
    // pixels j + 16 and j + 17, so the loop leaves at least two pixels to the scalar tail.
    for (; j + 18 <= width; j += 16) {
        const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(fx2 + j));
        const __m256i wTR = _mm256_mulhi_epu16(f, top);  // (fx x (32768 - fy)) shr 15
        const __m256i wBR = _mm256_mulhi_epu16(f, bottom);
        __m256i wTL = _mm256_sub_epi16(top, wTR);
        __m256i wBL = _mm256_sub_epi16(bottom, wBR);
        if constexpr (ZeroFraction) {
            wBL = _mm256_srli_epi16(wTL, 1);
            wTL = _mm256_sub_epi16(wTL, wBL);
        }
        const __m256i left03 = _mm256_unpacklo_epi16(wTL, wBL);  // pixels 0-3 | 8-11
        const __m256i left47 = _mm256_unpackhi_epi16(wTL, wBL);  // pixels 4-7 | 12-15
        const __m256i right03 = _mm256_unpacklo_epi16(wTR, wBR);
        const __m256i right47 = _mm256_unpackhi_epi16(wTR, wBR);
        const __m256i pairs[4] = {
            _mm256_unpacklo_epi32(left03, right03), _mm256_unpackhi_epi32(left03, right03),
            _mm256_unpacklo_epi32(left47, right47), _mm256_unpackhi_epi32(left47, right47)};
        __m256i sums[8];
        for (int k = 0; k < 4; ++k) {
            const int p = j + 2 * k;
            sums[2 * k] = BlendTwoPixels(upper, lower, offsets[p], offsets[p + 8],
                                         _mm256_shuffle_epi32(pairs[k], _MM_SHUFFLE(1, 0, 0, 0)),
                                         _mm256_shuffle_epi32(pairs[k], _MM_SHUFFLE(1, 1, 1, 1)));
            sums[2 * k + 1] =
                BlendTwoPixels(upper, lower, offsets[p + 1], offsets[p + 9],
                               _mm256_shuffle_epi32(pairs[k], _MM_SHUFFLE(3, 2, 2, 2)),
                               _mm256_shuffle_epi32(pairs[k], _MM_SHUFFLE(3, 3, 3, 3)));
        }
        // first: pixels 0-3 | 8-11, second: pixels 4-7 | 12-15, 12 bytes each lane.
        const __m256i first =
            _mm256_shuffle_epi8(_mm256_packus_epi16(_mm256_packs_epi32(sums[0], sums[1]),
                                                    _mm256_packs_epi32(sums[2], sums[3])),
                                compact);
        const __m256i second =
            _mm256_shuffle_epi8(_mm256_packus_epi16(_mm256_packs_epi32(sums[4], sums[5]),
                                                    _mm256_packs_epi32(sums[6], sums[7])),
                                compact);
        uint8_t* o = out + j * 3;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm256_castsi256_si128(first));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 12), _mm256_castsi256_si128(second));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 24), _mm256_extracti128_si256(first, 1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 36), _mm256_extracti128_si256(second, 1));
    }
    ResizeSmoothColumnsScalar(upper, lower, out, offsets, fx2, j, width, fy);
}

}  // namespace

void ResizeSmoothRowAvx2(const uint8_t* upper, const uint8_t* lower, uint8_t* out,
                         const uint32_t* offsets, const uint16_t* fx2, int width, int fy) {
    if (fy == 0)
        RowKernel<true>(upper, upper, out, offsets, fx2, width, fy);
    else
        RowKernel<false>(upper, lower, out, offsets, fx2, width, fy);
}

}  // namespace lv::kernels

#pragma GCC pop_options

#endif
