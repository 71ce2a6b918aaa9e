// Cost of one ripple step at full-screen sizes, compared with a memcpy of the same 32-bit frame
// (BM_FrameMemcpy) measured in the same run, so the ratio does not depend on the machine's
// memory speed. Steps are timed on the wall clock, median of the repeated runs.
//   lv_bench --benchmark_filter='WaveStep|FrameMemcpy'
#include <string>

#include "common/random.h"
#include "effects/water/wave_generator.h"
#include "median_report.h"
#include "project/area_mask.h"

namespace {

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

// Horizontal, Vertical and Perspective on in every area; `jitter` below 0 scales 10 rows of
// jitter with the height.
lv::ImagePackage MakePackage(int width, int height, int layout, int jitter) {
    lv::ImagePackage project;
    project.Picture.SetSize(width, height);
    project.Mask.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            project.Picture.SetPixel(x, y, static_cast<uint32_t>(x * 2654435761u ^ y) & 0xFFFFFFu);
            project.Mask.Set(x, y, static_cast<uint8_t>(AreaAt(layout, x, y, width, height)));
        }
    for (int k = 0; k < 4; ++k) {
        lv::WaveParameters& p = project.Waves[static_cast<size_t>(k)];
        p.Amplitude = 6 + k;
        p.WaveCount = 17 - 2 * k;
        p.PhaseStep = 15 + 5 * k;
        p.Direction = k % 2;
        p.Horizontal = p.Vertical = p.Perspective = 1;
        p.Cycle = 360;
        p.Jitter = jitter >= 0 ? jitter : 10 * height / 1080;
    }
    return project;
}

void BM_WaveStep(benchmark::State& state, lv::RippleKernelKind kind) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const lv::ImagePackage package = MakePackage(width, height, static_cast<int>(state.range(2)),
                                                 static_cast<int>(state.range(5)));
    lv::WaveGenerator generator;
    generator.SetKernel(kind);
    generator.SetThreadCount(static_cast<int>(state.range(3)));
    if (state.range(4) > 0)
        generator.TunedKernel().SetStripWidth(static_cast<int32_t>(state.range(4)));
    lv::SetFixedRandomize(true, 1);
    generator.SetProject(package);
    generator.Prepare();
    lv::SetFixedRandomize(false);
    generator.Step();
    for (auto _ : state) {
        generator.Step();
        benchmark::ClobberMemory();
    }
    if (width >= 1920)
        lv::bench::CompareWith(
            state, "BM_FrameMemcpy/w:" + std::to_string(width) + "/h:" + std::to_string(height));
}

void Frame(benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "layout", "threads", "strip", "jitter"})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

}  // namespace

// The layout the step is tuned for: four blob-shaped areas covering about half the picture,
// every flag on, jitter 8; on one thread and on two.
BENCHMARK_CAPTURE(BM_WaveStep, blobs_jitter8, lv::RippleKernelKind::Tuned)
    ->Apply(Frame)
    ->ArgsProduct({{1920}, {1080}, {FourBlobs}, {1, 2}, {0}, {8}})
    ->ArgsProduct({{3840}, {2160}, {FourBlobs}, {1, 2}, {0}, {8}});

// The lower half as one area, and the blobs with jitter growing with the height.
BENCHMARK_CAPTURE(BM_WaveStep, tuned, lv::RippleKernelKind::Tuned)
    ->Apply(Frame)
    ->ArgsProduct({{1920}, {1080}, {OneLargeArea, FourBlobs}, {1}, {0}, {-1}})
    ->ArgsProduct({{3840}, {2160}, {OneLargeArea, FourBlobs}, {1}, {0}, {-1}});

BENCHMARK_CAPTURE(BM_WaveStep, plain, lv::RippleKernelKind::Plain)
    ->Apply(Frame)
    ->Args({1920, 1080, FourBlobs, 1, 0, 8});

// Column strips against whole rows (strip 0), for tuning.
BENCHMARK_CAPTURE(BM_WaveStep, strips, lv::RippleKernelKind::Tuned)
    ->Apply(Frame)
    ->ArgsProduct({{3840}, {2160}, {FourBlobs}, {1}, {512, 1024, 0}, {8}});

// The per-row part alone: four areas over 1080 and 2160 rows of a picture four pixels wide.
BENCHMARK_CAPTURE(BM_WaveStep, rows_only, lv::RippleKernelKind::Tuned)
    ->Apply(Frame)
    ->Args({4, 1080, ColumnPerArea, 1, 0, -1})
    ->Args({4, 2160, ColumnPerArea, 1, 0, -1})
    ->Unit(benchmark::kMicrosecond);
