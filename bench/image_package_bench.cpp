// Cost of loading a full-screen image package, against decoding its picture alone, and of
// the area mask's encoder and decoder, against a memcpy of a frame of the mask's size.
//   lv_bench --benchmark_filter='ImagePackage|PictureJpeg|AreaMask|FrameMemcpy/w:1920'
#include <unistd.h>

#include <filesystem>

#include "codecs/picture_codecs.h"
#include "common/file_util.h"
#include "median_report.h"
#include "project/area_mask.h"
#include "project/image_package.h"
#include "project/package_writer.h"

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

lv::Bitmap32 Picture() {
    lv::Bitmap32 picture(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            picture.SetPixel(x, y,
                             static_cast<uint32_t>((x * 255 / Width) << 16 |
                                                   (y * 255 / Height) << 8 | ((x ^ y) & 63)));
    return picture;
}

// Water in the lower half, split into four areas by column, with ragged edges.
lv::Bitmap32 Mask() {
    lv::Bitmap32 mask(Width, Height);
    for (int y = Height / 2; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if ((x + y) % 97 != 0) mask.SetPixel(x, y, lv::ColourOfArea(1 + x * 4 / Width));
    return mask;
}

struct Fixture {
    Fixture() {
        contents.PictureJpeg = lv::EncodeJpeg(Picture(), 90);
        contents.ThumbnailJpeg = lv::EncodeJpeg(lv::Bitmap32(80, 60), 90);
        contents.MaskWords = lv::EncodeAreaMask(Mask());
        path = (std::filesystem::temp_directory_path() /
                ("lv_bench_" + std::to_string(::getpid()) + ".lvp"))
                   .string();
        lv::WriteFileAtomically(path, lv::BuildImagePackage(contents));
    }
    ~Fixture() { std::filesystem::remove(path); }
    lv::PackageContents contents;
    std::string path;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_DecodePictureJpegOnly(benchmark::State& state) {
    const std::string& jpeg = Shared().contents.PictureJpeg;
    for (auto _ : state) benchmark::DoNotOptimize(lv::DecodeJpeg(jpeg, "bench"));
}
BENCHMARK(BM_DecodePictureJpegOnly)->Unit(benchmark::kMillisecond);

void BM_LoadImagePackage(benchmark::State& state) {
    lv::ImagePackage project;
    for (auto _ : state) {
        project.Load(Shared().path);
        benchmark::DoNotOptimize(project.Picture.Data());
    }
    lv::bench::CompareWith(state, "BM_DecodePictureJpegOnly");
}
BENCHMARK(BM_LoadImagePackage)->Unit(benchmark::kMillisecond);

void BM_LoadImagePackageHeader(benchmark::State& state) {
    lv::ImagePackage project;
    for (auto _ : state) {
        project.LoadHeader(Shared().path);
        benchmark::DoNotOptimize(project.Thumbnail.Data());
    }
    lv::bench::CompareWith(state, "BM_DecodePictureJpegOnly");
}
BENCHMARK(BM_LoadImagePackageHeader)->Unit(benchmark::kMicrosecond);

void BM_DecodeAreaMask(benchmark::State& state) {
    const std::vector<int32_t>& words = Shared().contents.MaskWords;
    lv::AreaMask mask;
    for (auto _ : state) {
        mask.Clear();
        lv::DecodeAreaMask(words, mask);
        benchmark::DoNotOptimize(mask.Row(0));
    }
    lv::bench::CompareWith(state, "BM_FrameMemcpy/w:1920/h:1080");
}
BENCHMARK(BM_DecodeAreaMask)->Unit(benchmark::kMillisecond);

void BM_EncodeAreaMask(benchmark::State& state) {
    const lv::Bitmap32 mask = Mask();
    for (auto _ : state) benchmark::DoNotOptimize(lv::EncodeAreaMask(mask));
    lv::bench::CompareWith(state, "BM_FrameMemcpy/w:1920/h:1080");
}
BENCHMARK(BM_EncodeAreaMask)->Unit(benchmark::kMillisecond);

}  // namespace
