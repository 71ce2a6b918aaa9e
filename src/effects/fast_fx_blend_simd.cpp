// Vector versions of the blend's byte loop. Each byte becomes a 16-bit word, and
// (256 - a) x second + a x first, at most 255 x 256, fits a word without sign: its high byte is
// the blended byte, identical to the table lookup for every amount from 0 to 256.
#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include "effects/pixel_kernels.h"

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

#pragma GCC push_options
#pragma GCC target("avx2")

namespace {
inline __m256i Widen(const uint8_t* p) {
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}
}  // namespace

void BlendBytesAvx2(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
                    int amount) {
    const __m256i take = _mm256_set1_epi16(static_cast<short>(amount));
    const __m256i keep = _mm256_set1_epi16(static_cast<short>(256 - amount));
    int64_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i low = _mm256_add_epi16(_mm256_mullo_epi16(Widen(first + i), take),
                                             _mm256_mullo_epi16(Widen(second + i), keep));
        const __m256i high = _mm256_add_epi16(_mm256_mullo_epi16(Widen(first + i + 16), take),
                                              _mm256_mullo_epi16(Widen(second + i + 16), keep));
        // packus works per 128-bit lane; the permute puts the four quarters back in order.
        const __m256i packed =
            _mm256_packus_epi16(_mm256_srli_epi16(low, 8), _mm256_srli_epi16(high, 8));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i),
                            _mm256_permute4x64_epi64(packed, _MM_SHUFFLE(3, 1, 2, 0)));
    }
    if (i < count) BlendBytesSse2(out + i, first + i, second + i, count - i, amount);
}

#pragma GCC pop_options

}  // namespace lv::kernels

#endif
