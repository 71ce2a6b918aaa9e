// The yardstick of the per-frame benchmarks: one memcpy of a whole 32-bit frame into another
// buffer, as large as the frames the show draws.
#include <cstdint>
#include <cstring>
#include <vector>

#include "median_report.h"

namespace {

void BM_FrameMemcpy(benchmark::State& state) {
    const auto pixels = static_cast<size_t>(state.range(0) * state.range(1));
    std::vector<uint32_t> from(pixels, 0x123456u), to(pixels, 0);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), pixels * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(pixels * sizeof(uint32_t)));
}
BENCHMARK(BM_FrameMemcpy)
    ->ArgNames({"w", "h"})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
