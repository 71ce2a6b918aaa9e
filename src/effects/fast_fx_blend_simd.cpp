// Vector versions of the blend's byte loop. Each byte becomes a 16-bit word, and
// (256 - a) x second + a x first, at most 255 x 256, fits a word without sign: its high byte is
// the blended byte, identical to the table lookup for every amount from 0 to 256. The AVX2
// version forms the weighted pairs with byte multiply-adds where the amount allows.
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

inline __m256i Load(const uint8_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// Two weights as the signed byte pair (second, first) of every 16-bit word.
inline __m256i WeightPairs(int forSecond, int forFirst) {
    return _mm256_set1_epi16(static_cast<short>((forSecond & 0xFF) | (forFirst << 8)));
}

// Even amounts 2 .. 254: the sum halves to (128 - a/2) x s + (a/2) x f, whose weights fit
// one multiply-add of unsigned bytes with signed bytes; the blended byte is that shr 7.
void BlendEven(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
               int amount) {
    const __m256i weights = WeightPairs(128 - amount / 2, amount / 2);
    for (int64_t i = 0; i < count; i += 32) {
        const __m256i s = Load(second + i), f = Load(first + i);
        const __m256i low = _mm256_maddubs_epi16(_mm256_unpacklo_epi8(s, f), weights);
        const __m256i high = _mm256_maddubs_epi16(_mm256_unpackhi_epi8(s, f), weights);
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(out + i),
            _mm256_packus_epi16(_mm256_srli_epi16(low, 7), _mm256_srli_epi16(high, 7)));
    }
}

// Odd amounts 3 .. 253: the weights (256 - a, a) split into two pairs that each add up to
// 128, so neither multiply-add can overflow; their sum is the full 16-bit value.
void BlendOdd(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
              int amount) {
    const int firstA = amount / 2, firstB = amount - firstA;
    const __m256i weightsA = WeightPairs(128 - firstA, firstA);
    const __m256i weightsB = WeightPairs(128 - firstB, firstB);
    for (int64_t i = 0; i < count; i += 32) {
        const __m256i s = Load(second + i), f = Load(first + i);
        const __m256i lowPairs = _mm256_unpacklo_epi8(s, f);
        const __m256i highPairs = _mm256_unpackhi_epi8(s, f);
        const __m256i low = _mm256_add_epi16(_mm256_maddubs_epi16(lowPairs, weightsA),
                                             _mm256_maddubs_epi16(lowPairs, weightsB));
        const __m256i high = _mm256_add_epi16(_mm256_maddubs_epi16(highPairs, weightsA),
                                              _mm256_maddubs_epi16(highPairs, weightsB));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(out + i),
            _mm256_packus_epi16(_mm256_srli_epi16(low, 8), _mm256_srli_epi16(high, 8)));
    }
}

// Any amount 0 .. 256 (used for 1 and 255, whose weights cannot be split that way).
void BlendAny(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
              int amount) {
    const __m256i take = _mm256_set1_epi16(static_cast<short>(amount));
    const __m256i keep = _mm256_set1_epi16(static_cast<short>(256 - amount));
    for (int64_t i = 0; i < count; i += 32) {
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
}

}  // namespace

void BlendBytesAvx2(uint8_t* out, const uint8_t* first, const uint8_t* second, int64_t count,
                    int amount) {
    // The unpacking pairs byte k of second with byte k of first and packing restores the
    // order lane by lane, so every variant handles whole 32-byte blocks.
    const int64_t whole = count & ~int64_t{31};
    if (amount % 2 == 0 && amount > 0 && amount < 256)
        BlendEven(out, first, second, whole, amount);
    else if (amount % 2 == 1 && amount > 1 && amount < 255)
        BlendOdd(out, first, second, whole, amount);
    else
        BlendAny(out, first, second, whole, amount);
    if (whole < count)
        BlendBytesSse2(out + whole, first + whole, second + whole, count - whole, amount);
}

#pragma GCC pop_options

}  // namespace lv::kernels

#endif
