// Cost of one ripple step at full-screen sizes, reported as a multiple of copying the same
// 32-bit frame with memcpy, measured in the same run so the ratio does not depend on the
// machine's memory speed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

#include "common/random.h"
#include "effects/water/wave_generator.h"
#include "project/area_mask.h"

namespace {

// The machine may be shared: both sides of every ratio are the fastest of their runs, timed on
// the calling thread's own processor clock (so time spent preempted is not counted) when the
// step runs on one thread, and on the wall clock when a second thread does half the work.
double Now(bool threadClock) {
    timespec t{};
    clock_gettime(threadClock ? CLOCK_THREAD_CPUTIME_ID : CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

enum Layout { OneLargeArea = 0, FourBlobs = 1, ColumnPerArea = 2 };

// Half of the pixels in areas: either the lower half as one area, or four ellipses of an
// eighth of the picture each, one per quadrant, with wavy borders.
int AreaAt(int layout, int x, int y, int w, int h) {
    if (layout == OneLargeArea) return y >= h / 2 ? 1 : 0;
    if (layout == ColumnPerArea) return 1 + x % 4;
    const int qx = x * 2 / w, qy = y * 2 / h;
    const double cx = (qx + 0.5) * w / 2, cy = (qy + 0.5) * h / 2;
    const double rx = 0.798 * w / 4, ry = 0.798 * h / 4;
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    const double wobble = 1 + 0.04 * ((x / 37 + y / 23) % 3 - 1);
    return dx * dx + dy * dy < wobble ? 1 + qx + 2 * qy : 0;
}

int JitterOverride = -1;

struct Package {
    lv::ImagePackage project;
    explicit Package(int width, int height, int layout) {
        project.Picture.SetSize(width, height);
        project.Mask.SetSize(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                project.Picture.SetPixel(x, y, static_cast<uint32_t>(x * 2654435761u ^ y) & 0xFFFFFFu);
                project.Mask.SetPixel(x, y, lv::ColourOfArea(AreaAt(layout, x, y, width, height)));
            }
        const int jitter = JitterOverride >= 0 ? JitterOverride : 10 * height / 1080;
        for (int k = 0; k < 4; ++k) {
            lv::WaveParameters& p = project.Waves[static_cast<size_t>(k)];
            p.Amplitude = 6 + k;
            p.WaveCount = 17 - 2 * k;
            p.PhaseStep = 15 + 5 * k;
            p.Direction = k % 2;
            p.Horizontal = p.Vertical = p.Perspective = 1;
            p.Cycle = 360;
            p.Jitter = jitter;
        }
    }
};

// Fastest of several copies of one frame.
double MemcpySeconds(size_t pixels, bool threadClock) {
    std::vector<uint32_t> from(pixels, 0x123456u), to(pixels, 0);
    double best = 1e9;
    for (int i = 0; i < 40; ++i) {
        const double start = Now(threadClock);
        std::memcpy(to.data(), from.data(), pixels * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        best = std::min(best, Now(threadClock) - start);
    }
    return best;
}

void BM_WaveStep(benchmark::State& state, lv::RippleKernelKind kind) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    JitterOverride = state.range(5);
    Package package(width, height, static_cast<int>(state.range(2)));
    lv::WaveGenerator generator;
    generator.SetKernel(kind);
    generator.SetThreadCount(static_cast<int>(state.range(3)));
    if (state.range(4) > 0) generator.TunedKernel().SetStripWidth(static_cast<int32_t>(state.range(4)));
    lv::SetFixedRandomize(true, 1);
    generator.SetProject(package.project);
    generator.Prepare();
    lv::SetFixedRandomize(false);
    generator.Step();

    const bool threadClock = state.range(3) < 2;
    const double memcpySeconds = MemcpySeconds(static_cast<size_t>(width) * height, threadClock);
    double bestStep = 1e9;
    for (auto _ : state) {
        const double start = Now(threadClock);
        generator.Step();
        benchmark::ClobberMemory();
        bestStep = std::min(bestStep, Now(threadClock) - start);
    }
    state.counters["memcpy_ms"] = memcpySeconds * 1e3;
    state.counters["best_step_ms"] = bestStep * 1e3;
    state.counters["x_memcpy"] = bestStep / memcpySeconds;
}

void FrameArguments(benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "blobs", "threads", "strip", "jitter"});
    for (int threads : {1, 2})
        for (int layout : {OneLargeArea, FourBlobs}) {
            b->Args({1920, 1080, layout, threads, 0, -1});
            b->Args({3840, 2160, layout, threads, 0, -1});
        }
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

BENCHMARK_CAPTURE(BM_WaveStep, tuned, lv::RippleKernelKind::Tuned)->Apply(FrameArguments);
BENCHMARK_CAPTURE(BM_WaveStep, plain, lv::RippleKernelKind::Plain)
    ->ArgNames({"w", "h", "blobs", "threads", "strip", "jitter"})
    ->Args({1920, 1080, FourBlobs, 1, 0, -1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Strip widths side by side, for tuning.
BENCHMARK_CAPTURE(BM_WaveStep, strips, lv::RippleKernelKind::Tuned)
    ->ArgNames({"w", "h", "blobs", "threads", "strip", "jitter"})
    ->ArgsProduct({{3840}, {2160}, {FourBlobs}, {1}, {256, 512, 1024}, {-1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The per-row part alone: four areas over 1080 and 2160 rows of a picture four pixels wide.
BENCHMARK_CAPTURE(BM_WaveStep, rows_only, lv::RippleKernelKind::Tuned)
    ->ArgNames({"w", "h", "layout", "threads", "strip", "jitter"})
    ->Args({4, 1080, ColumnPerArea, 1, 0, -1})
    ->Args({4, 2160, ColumnPerArea, 1, 0, -1})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
