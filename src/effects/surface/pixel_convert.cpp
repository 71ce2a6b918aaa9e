// Conversion of pixel rows between 32-bit pictures and 24-bit surfaces, for loading screens
// into surfaces and drawing surfaces back (the cross-fade does both on whole screens).
#include <cstring>

#include "effects/surface/pixel_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace lv::kernels {
namespace {

void Row24To32Scalar(const uint8_t* in, uint32_t* out, int64_t pixels) {
    for (int64_t x = 0; x < pixels; ++x, in += 3)
        out[x] = static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
                 static_cast<uint32_t>(in[2]) << 16;
}

void Row32To24Scalar(const uint32_t* in, uint8_t* out, int64_t pixels) {
    for (int64_t x = 0; x < pixels; ++x, out += 3) {
        out[0] = static_cast<uint8_t>(in[x]);
        out[1] = static_cast<uint8_t>(in[x] >> 8);
        out[2] = static_cast<uint8_t>(in[x] >> 16);
    }
}

#if defined(__x86_64__) || defined(__i386__)
// clang ignores GCC's target pragmas; its own attribute pragma gives the same per-function target.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

// 8 pixels per step. 24 -> 32: the permute puts pixels 0-3 (12 bytes) in the low lane and
// pixels 4-7 in the high lane, the in-lane shuffle spreads each lane's 12 bytes to 4 words
// with a zero top byte. 32 -> 24 runs the same steps backwards.
void Row24To32Avx2(const uint8_t* in, uint32_t* out, int64_t pixels) {
    const __m256i spread = _mm256_setr_epi32(0, 1, 2, 0, 3, 4, 5, 0);
    const __m256i expand = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0,
                                            1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    int64_t x = 0;
    for (; x + 8 <= pixels; x += 8) {
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x * 3));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(out + x),
            _mm256_shuffle_epi8(_mm256_permutevar8x32_epi32(bytes, spread), expand));
    }
    Row24To32Scalar(in + x * 3, out + x, pixels - x);
}

void Row32To24Avx2(const uint32_t* in, uint8_t* out, int64_t pixels) {
    const __m256i compact =
        _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6,
                         8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i gather = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    int64_t x = 0;
    for (; x + 8 <= pixels; x += 8) {
        const __m256i words = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
        const __m256i bytes =
            _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(words, compact), gather);
        // 24 bytes: 16 and then 8, nothing past the eighth pixel.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x * 3), _mm256_castsi256_si128(bytes));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x * 3 + 16),
                         _mm256_extracti128_si256(bytes, 1));
    }
    Row32To24Scalar(in + x, out + x * 3, pixels - x);
}

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif

}  // namespace

Row24To32Kernel Row24To32(KernelSet set) {
#if defined(__x86_64__) || defined(__i386__)
    if (set == KernelSet::Avx2) return Row24To32Avx2;
#endif
    (void)set;
    return Row24To32Scalar;
}

Row32To24Kernel Row32To24(KernelSet set) {
#if defined(__x86_64__) || defined(__i386__)
    if (set == KernelSet::Avx2) return Row32To24Avx2;
#endif
    (void)set;
    return Row32To24Scalar;
}

}  // namespace lv::kernels
