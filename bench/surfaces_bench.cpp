// Pixel surfaces and filters on full-screen pictures, one thread.
//
// Yardsticks in the same run: memcpy of the bytes one surface holds (for the cross-fade's
// blend), pixman's bilinear scaling of 32-bit pictures of the same sizes, and stb_image_resize
// (its default filters, 3 channels) for the resize. Every kernel set of this processor runs, so
// the plain per-pixel reference shows what the vector kernels gain.
//   lv_bench --benchmark_filter='Surface|Picture|Pixman|Stb|Memcpy'
#include <stb/stb_image_resize.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "effects/filters/pixel_filters.h"
#include "effects/surface/pixel_kernels.h"
#include "effects/surface/pixel_surface.h"
#include "effects/surface/smooth_resize.h"
#include "median_report.h"

#if defined(LV_HAVE_PIXMAN)
#include <pixman.h>
#endif

namespace {

using lv::PixelSurface;
using lv::kernels::KernelSet;

PixelSurface NoiseSurface(int width, int height, uint32_t seed) {
    PixelSurface surface(width, height);
    std::mt19937 generator(seed);
    // Smooth-ish content rather than pure noise, like a photograph.
    for (int y = 0; y < height; ++y) {
        uint8_t* row = surface.Row(y);
        for (int i = 0; i < width * 3; ++i)
            row[i] = static_cast<uint8_t>((i / 3 + y) / 8 + (generator() & 15));
    }
    return surface;
}

bool SkipUnavailable(benchmark::State& state, KernelSet set) {
    const auto& sets = lv::kernels::AvailableKernelSets();
    if (std::find(sets.begin(), sets.end(), set) != sets.end()) return false;
    state.SkipWithError("this processor lacks the kernel set");
    return true;
}

void BM_Memcpy1080p(benchmark::State& state) {
    const PixelSurface source = NoiseSurface(1920, 1080, 1);
    PixelSurface target(1920, 1080);
    for (auto _ : state) {
        std::memcpy(target.PixelData(), source.PixelData(),
                    static_cast<size_t>(source.PixelBytes()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * source.PixelBytes());
}
BENCHMARK(BM_Memcpy1080p);

void BM_SurfaceBlend1080p(benchmark::State& state, KernelSet set) {
    if (SkipUnavailable(state, set)) return;
    const PixelSurface first = NoiseSurface(1920, 1080, 1);
    const PixelSurface second = NoiseSurface(1920, 1080, 2);
    PixelSurface target(1920, 1080);
    int amount = 10;
    for (auto _ : state) {
        lv::kernels::BlendSurfacesWith(set, target, first, second, amount);
        amount = amount == 255 ? 10 : amount + 1;
        benchmark::ClobberMemory();
    }
    lv::bench::CompareWith(state, "BM_Memcpy1080p");
    state.SetBytesProcessed(state.iterations() * target.PixelBytes());
}
BENCHMARK_CAPTURE(BM_SurfaceBlend1080p, plain, KernelSet::Plain);
BENCHMARK_CAPTURE(BM_SurfaceBlend1080p, scalar, KernelSet::Scalar);
BENCHMARK_CAPTURE(BM_SurfaceBlend1080p, sse2, KernelSet::Sse2);
BENCHMARK_CAPTURE(BM_SurfaceBlend1080p, avx2, KernelSet::Avx2);

// The cross-fade turns two 32-bit screens into surfaces on every picture change.
void BM_SurfaceFromBitmap32(benchmark::State& state) {
    lv::Bitmap32 screen(1920, 1080);
    screen.Fill(0x123456);
    PixelSurface surface;
    for (auto _ : state) {
        surface.LoadFromBitmap32(screen);
        benchmark::ClobberMemory();
    }
    lv::bench::CompareWith(state, "BM_Memcpy1080p");
    state.SetBytesProcessed(state.iterations() * surface.PixelBytes());
}
BENCHMARK(BM_SurfaceFromBitmap32);

void BM_SurfaceToBitmap32(benchmark::State& state) {
    const PixelSurface surface = NoiseSurface(1920, 1080, 4);
    lv::Bitmap32 screen(1920, 1080);
    for (auto _ : state) {
        surface.DrawToBitmap32(screen, 0, 0);
        benchmark::ClobberMemory();
    }
    lv::bench::CompareWith(state, "BM_Memcpy1080p");
    state.SetBytesProcessed(state.iterations() * surface.PixelBytes());
}
BENCHMARK(BM_SurfaceToBitmap32);

constexpr int Sizes[2][4] = {{3840, 2160, 1920, 1080}, {1920, 1080, 3840, 2160}};

void BM_SurfaceResizeSmooth(benchmark::State& state, KernelSet set) {
    if (SkipUnavailable(state, set)) return;
    const int* s = Sizes[state.range(0)];
    const PixelSurface source = NoiseSurface(s[0], s[1], 3);
    PixelSurface target(s[2], s[3]);
    for (auto _ : state) {
        lv::kernels::ResizeSmoothWith(set, source, target);
        benchmark::ClobberMemory();
    }
    lv::bench::CompareWith(state, "BM_StbResize/" + std::to_string(state.range(0)));
    state.SetItemsProcessed(state.iterations() * s[2] * s[3]);
}
// Argument 0: 3840 x 2160 -> 1920 x 1080, argument 1: back up.
BENCHMARK_CAPTURE(BM_SurfaceResizeSmooth, plain, KernelSet::Plain)->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(BM_SurfaceResizeSmooth, scalar, KernelSet::Scalar)->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(BM_SurfaceResizeSmooth, sse2, KernelSet::Sse2)->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(BM_SurfaceResizeSmooth, avx2, KernelSet::Avx2)->Arg(0)->Arg(1);

// A still picture's fit to a 1920 x 1080 screen, new buffers every time as at a picture
// change: the 32-bit resize against the way through 24-bit surfaces it replaced (converting
// the picture, resizing, converting back), which gives the same pixels.
constexpr int StillFit[4] = {3000, 2000, 1620, 1080};

lv::Bitmap32 NoisePicture(int width, int height, uint32_t seed) {
    return NoiseSurface(width, height, seed).ToBitmap32();
}

void BM_PictureResizeThroughSurfaces(benchmark::State& state) {
    const lv::Bitmap32 picture = NoisePicture(StillFit[0], StillFit[1], 3);
    for (auto _ : state) {
        PixelSurface source, target(StillFit[2], StillFit[3]);
        source.LoadFromBitmap32(picture);
        source.ResizeSmoothInto(target);
        source = PixelSurface();
        benchmark::DoNotOptimize(target.ToBitmap32());
    }
    state.SetItemsProcessed(state.iterations() * StillFit[2] * StillFit[3]);
}
BENCHMARK(BM_PictureResizeThroughSurfaces);

void BM_PictureResizeSmooth(benchmark::State& state) {
    const lv::Bitmap32 picture = NoisePicture(StillFit[0], StillFit[1], 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(lv::ResizeSmooth(picture, StillFit[2], StillFit[3]));
    lv::bench::CompareWith(state, "BM_PictureResizeThroughSurfaces");
    state.SetItemsProcessed(state.iterations() * StillFit[2] * StillFit[3]);
}
BENCHMARK(BM_PictureResizeSmooth);

void BM_SurfaceResizeNearest(benchmark::State& state) {
    const int* s = Sizes[state.range(0)];
    const PixelSurface source = NoiseSurface(s[0], s[1], 3);
    PixelSurface target(s[2], s[3]);
    for (auto _ : state) {
        source.ResizeNearestInto(target);
        benchmark::ClobberMemory();
    }
    lv::bench::CompareWith(state, "BM_StbResize/" + std::to_string(state.range(0)));
    state.SetItemsProcessed(state.iterations() * s[2] * s[3]);
}
BENCHMARK(BM_SurfaceResizeNearest)->Arg(0)->Arg(1);

void BM_StbResize(benchmark::State& state) {
    const int* s = Sizes[state.range(0)];
    const PixelSurface source = NoiseSurface(s[0], s[1], 3);
    PixelSurface target(s[2], s[3]);
    for (auto _ : state) {
        stbir_resize_uint8(source.PixelData(), s[0], s[1], source.RowStride(), target.PixelData(),
                           s[2], s[3], target.RowStride(), 3);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * s[2] * s[3]);
}
BENCHMARK(BM_StbResize)->Arg(0)->Arg(1);

#if defined(LV_HAVE_PIXMAN)
void BM_PixmanBilinear(benchmark::State& state) {
    const int* s = Sizes[state.range(0)];
    std::vector<uint32_t> sourcePixels(static_cast<size_t>(s[0]) * s[1]);
    std::vector<uint32_t> targetPixels(static_cast<size_t>(s[2]) * s[3]);
    std::mt19937 generator(3);
    for (size_t i = 0; i < sourcePixels.size(); ++i)
        sourcePixels[i] = static_cast<uint32_t>(i * 0x010101u / 8) + (generator() & 0x0F0F0F);
    pixman_image_t* source =
        pixman_image_create_bits(PIXMAN_x8r8g8b8, s[0], s[1], sourcePixels.data(), s[0] * 4);
    pixman_image_t* target =
        pixman_image_create_bits(PIXMAN_x8r8g8b8, s[2], s[3], targetPixels.data(), s[2] * 4);
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_double_to_fixed(double(s[0]) / s[2]),
                                pixman_double_to_fixed(double(s[1]) / s[3]));
    pixman_image_set_transform(source, &transform);
    pixman_image_set_filter(source, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    pixman_image_set_repeat(source, PIXMAN_REPEAT_PAD);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, target, 0, 0, 0, 0, 0, 0, s[2],
                                 s[3]);
        benchmark::ClobberMemory();
    }
    lv::bench::CompareWith(state, "BM_StbResize/" + std::to_string(state.range(0)));
    pixman_image_unref(source);
    pixman_image_unref(target);
    state.SetItemsProcessed(state.iterations() * s[2] * s[3]);
}
BENCHMARK(BM_PixmanBilinear)->Arg(0)->Arg(1);
#endif

}  // namespace
