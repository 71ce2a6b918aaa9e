#pragma once

#include <cstdint>

namespace lv {

// The one program-wide linear congruential generator. Picture order, music order, column
// offsets, rain and snow all draw from this sequence, so its arithmetic is fixed:
// seed := seed * 134775813 + 1 (mod 2^32), then the high 32 bits of seed * n.
// A negative n is taken as its unsigned 32-bit pattern, as the product is unsigned.
int32_t Random(int32_t n);

// Seeds with the current UTC time of day in milliseconds.
void Randomize();

// Tests and tools pin the sequence; `Randomize` ignores the clock while a fixed seed is set.
void SetRandomSeed(uint32_t seed);
void SetFixedRandomize(bool fixed, uint32_t seed = 0);
uint32_t RandomSeed();

}  // namespace lv
