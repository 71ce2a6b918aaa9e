// Unpacking a saver with a 20 MB package against copying the same bytes with a plain
// read/write loop of 1 MiB blocks, in the same run: unpacking should cost less than 1.5 times
// the copy, although it searches the file and writes the project bytes twice (LVFiles.res,
// then the files split from it). A second instance unpacking beside a running one finds the
// same bytes in place and compares instead of writing.
//   lv_bench --benchmark_filter='Unpack|CopySaverBytes'
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "launcher/working_folder.h"
#include "median_report.h"
#include "project/saver_builder.h"

namespace {

namespace fs = std::filesystem;

struct Fixture {
    std::string root;
    std::string saver;

    Fixture() {
        std::string pattern = fs::temp_directory_path().string() + "/lvbench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        root = pattern + "/";
        fs::create_directory(root + "run");
        fs::permissions(root + "run", fs::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", (root + "run").c_str(), 1);

        // A program image of 2 MiB without a marker, then ten 2 MB project files.
        const std::string engine = root + "engine";
        std::string image(2 << 20, '\0');
        for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>((i * 7) & 0x7F);
        std::FILE* f = std::fopen(engine.c_str(), "wb");
        std::fwrite(image.data(), 1, image.size(), f);
        std::fclose(f);
        lv::SaverContents contents;
        for (int k = 0; k < 10; ++k) {
            std::string bytes(2'000'000, '\0');
            for (size_t i = 0; i < bytes.size(); ++i)
                bytes[i] = static_cast<char>(i * 131 + static_cast<size_t>(k));
            contents.Files.push_back({"picture" + std::to_string(k) + ".lvp", bytes, true, true});
        }
        saver = root + "Bench.scr";
        lv::BuildSaver(saver, engine, contents);
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_UnpackSaver(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        lv::Project project;
        lv::InstanceRegistration registration = lv::ExtractProject(project, f.saver);
        benchmark::DoNotOptimize(project.FileList.Files.data());
        state.PauseTiming();
        lv::RemoveProjectFiles(project, registration);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(f.saver)));
    lv::bench::CompareWith(state, "BM_CopySaverBytes");
}
BENCHMARK(BM_UnpackSaver)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UnpackBesideRunningInstance(benchmark::State& state) {
    Fixture& f = Shared();
    lv::Project running;
    lv::InstanceRegistration first = lv::ExtractProject(running, f.saver);
    for (auto _ : state) {
        lv::Project project;
        lv::InstanceRegistration registration = lv::ExtractProject(project, f.saver);
        benchmark::DoNotOptimize(project.FileList.Files.data());
        state.PauseTiming();
        lv::RemoveProjectFiles(project, registration);
        state.ResumeTiming();
    }
    lv::RemoveProjectFiles(running, first);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(f.saver)));
    lv::bench::CompareWith(state, "BM_CopySaverBytes");
}
BENCHMARK(BM_UnpackBesideRunningInstance)->Unit(benchmark::kMillisecond)->UseRealTime();

void CopyFile(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::unique_ptr<char[]> buffer(new char[1 << 20]);
    ssize_t n;
    while ((n = ::read(in, buffer.get(), 1 << 20)) > 0)
        if (::write(out, buffer.get(), static_cast<size_t>(n)) != n) std::abort();
    ::close(in);
    ::close(out);
}

void BM_CopySaverBytes(benchmark::State& state) {
    Fixture& f = Shared();
    const std::string copy = f.root + "copy.bin";
    for (auto _ : state) {
        CopyFile(f.saver, copy);
        state.PauseTiming();
        ::unlink(copy.c_str());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(f.saver)));
}
BENCHMARK(BM_CopySaverBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
