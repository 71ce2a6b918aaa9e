// Vector versions of the blend's byte loop. Each byte becomes a 16-bit word, and
// (256 - a) x second + a x first, at most 255 x 256, fits a word without sign: its high byte is
// the blended byte, identical to the table lookup for every amount from 0 to 256. The AVX2
// version forms the weighted pairs with byte multiply-adds.
#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include <cstring>

#include "effects/surface/pixel_kernels.h"

namespace lv::kernels {

void BlendBytesSse2(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
                    int amount) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i take = _mm_set1_epi16(static_cast<short>(amount));
    const __m128i keep = _mm_set1_epi16(static_cast<short>(256 - amount));
    int64_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + i));
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second + i));
        const __m128i low = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(f, zero), take),
                                          _mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), keep));
        const __m128i high = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(f, zero), take),
                                           _mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), keep));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_packus_epi16(_mm_srli_epi16(low, 8), _mm_srli_epi16(high, 8)));
    }
    BlendBytesScalar(out + i, first + i, second + i, count - i, amount);
}

// clang ignores GCC's target pragmas; its own attribute pragma gives the same per-function target.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

// Amounts 1 .. 255 with one byte multiply-add per 16 results. The weights (256 - a, a) fit
// unsigned bytes; the pixel bytes become signed by subtracting 128 (flipping the top bit), so
// the multiply-add yields (256 - a) x s + a x f - 32768, which lies in -32768 .. 32512 and
// never saturates. Its high byte with the top bit flipped back is the blended byte.
void BlendBytesAvx2(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
                    int amount) {
    if (amount <= 0 || amount >= 256) {
        std::memmove(out, amount <= 0 ? second : first, static_cast<size_t>(count));
        return;
    }
    const __m256i weights = _mm256_set1_epi16(static_cast<short>((256 - amount) | amount << 8));
    const __m256i flip = _mm256_set1_epi8(static_cast<char>(0x80));
    int64_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i s = _mm256_xor_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(second + i)), flip);
        const __m256i f =
            _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(first + i)), flip);
        // Unpacking pairs byte k of both inputs; packing restores the order lane by lane.
        const __m256i low = _mm256_maddubs_epi16(weights, _mm256_unpacklo_epi8(s, f));
        const __m256i high = _mm256_maddubs_epi16(weights, _mm256_unpackhi_epi8(s, f));
        const __m256i blended =
            _mm256_packs_epi16(_mm256_srai_epi16(low, 8), _mm256_srai_epi16(high, 8));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_xor_si256(blended, flip));
    }
    if (i < count) BlendBytesSse2(out + i, first + i, second + i, count - i, amount);
}

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

}  // namespace lv::kernels

#endif
