#include "common/random.h"

#include <chrono>

namespace lv {
namespace {

uint32_t g_seed = 0;
bool g_fixed = false;
uint32_t g_fixed_seed = 0;

uint32_t Advance() {
    g_seed = g_seed * 134775813u + 1u;
    return g_seed;
}

}  // namespace

int32_t Random(int32_t n) {
    const uint64_t seed = Advance();
    return static_cast<int32_t>((seed * static_cast<uint32_t>(n)) >> 32);
}

void Randomize() {
    if (g_fixed) {
        g_seed = g_fixed_seed;
        return;
    }
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    const auto ms_of_day = duration_cast<milliseconds>(now).count() % (24LL * 60 * 60 * 1000);
    g_seed = static_cast<uint32_t>(ms_of_day);
}

void SetRandomSeed(uint32_t seed) { g_seed = seed; }

void SetFixedRandomize(bool fixed, uint32_t seed) {
    g_fixed = fixed;
    g_fixed_seed = seed;
}

uint32_t RandomSeed() { return g_seed; }

}  // namespace lv
