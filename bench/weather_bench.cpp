// One frame of rain or snow on a full-HD weather layer: the movement of every drop or flake
// plus its drawing. The layer copy the generator does before each step is measured alongside
// as the yardstick the weather cost is compared with.
//   lv_bench --benchmark_filter='RainStep|SnowStep|LayerCopy'

#include <algorithm>

#include "common/bitmap32.h"
#include "common/random.h"
#include "effects/weather/rain.h"
#include "effects/weather/snow.h"
#include "median_report.h"

namespace {

constexpr int LayerWidth = 1920;
constexpr int LayerHeight = 1080;

void BM_RainStep(benchmark::State& state) {
    lv::Bitmap32 layer(LayerWidth, LayerHeight);
    lv::Rain rain;
    rain.SetTarget(&layer);
    rain.SetCount(static_cast<int32_t>(state.range(0)));
    rain.SetSpeedLevel(10);
    rain.SetSpeedPercent(100);
    rain.SetLengthFactor(10);
    rain.SetAngleTerm(180 - 80);
    lv::SetRandomSeed(12345);
    rain.Place();
    for (auto _ : state) {
        rain.Step();
        benchmark::DoNotOptimize(layer.Data());
    }
    lv::bench::CompareWith(state, "BM_LayerCopy");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RainStep)->Arg(100)->Arg(300)->Arg(1000);

void BM_SnowStep(benchmark::State& state) {
    lv::Bitmap32 layer(LayerWidth, LayerHeight);
    lv::Snow snow;
    snow.SetTarget(&layer);
    snow.SetCount(static_cast<int32_t>(state.range(0)));
    snow.SetSpeedLevel(2);
    snow.SetSpeedPercent(100);
    lv::SetRandomSeed(12345);
    snow.Place();
    for (auto _ : state) {
        snow.Step();
        benchmark::DoNotOptimize(layer.Data());
    }
    lv::bench::CompareWith(state, "BM_LayerCopy");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SnowStep)->Arg(100)->Arg(300)->Arg(1000);

void BM_LayerCopy(benchmark::State& state) {
    lv::Bitmap32 output(LayerWidth, LayerHeight), layer(LayerWidth, LayerHeight);
    output.Fill(0x00336699u);
    for (auto _ : state) {
        std::copy(output.Data(), output.Data() + output.PixelCount(), layer.Data());
        benchmark::DoNotOptimize(layer.Data());
    }
}
BENCHMARK(BM_LayerCopy);

}  // namespace
