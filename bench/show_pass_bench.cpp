// The show window's work at full-screen sizes on Qt's offscreen platform: a whole pass (ripple
// step with rain, then the frame painted into the window), one cross-fade step (blend, then the
// whole screen painted), and the change to a new image package (decode, fit, prepare). The
// pass runs with a clock that never moves, so the 33 ms frame pacing never sleeps. Each is
// compared with a memcpy of one frame of the window's size.
//   lv_bench --benchmark_filter='ShowPass|CrossFadeStep|PackageChange|FrameMemcpy'

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <string>

#include "codecs/picture_codecs.h"
#include "common/bitmap32.h"
#include "common/file_util.h"
#include "median_report.h"
#include "project/area_mask.h"
#include "project/package_writer.h"
#include "project/project.h"
#include "saver/qt/show_window.h"
#include "saver/show_audio.h"
#include "saver/show_clock.h"

namespace {

class StillClock final : public lv::Clock {
public:
    uint32_t GetTickCount() override { return 1000; }
    void Sleep(uint32_t) override {}
};

class NoAudio final : public lv::ShowAudio {
public:
    void PlayMusic(const std::string&) override {}
    void StopMusic() override {}
    bool TakeMusicTrackFinished() override { return false; }
    void PlayPictureSound(const std::string&) override {}
    void StopPictureSound() override {}
};

void CompareWithFrameCopy(benchmark::State& state, int width, int height) {
    lv::bench::CompareWith(
        state, "BM_FrameMemcpy/w:" + std::to_string(width) + "/h:" + std::to_string(height));
}

QApplication& Application() {
    // Never destroyed: the application object must outlive everything Qt keeps until exit.
    static QApplication* application = [] {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "lv_bench";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

lv::Bitmap32 Landscape(int width, int height) {
    lv::Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = picture.Row(y);
        for (int x = 0; x < width; ++x) {
            row[x] = static_cast<uint32_t>((x * 255 / width) << 16 | (y * 255 / height) << 8 |
                                           ((x + y) & 0xFF));
        }
    }
    return picture;
}

// A package of width x height whose lower half is water, with rain over all of it.
std::string WritePackage(const QTemporaryDir& folder, int width, int height) {
    lv::PackageContents contents;
    contents.PictureJpeg = lv::EncodeJpeg(Landscape(width, height), 90);
    contents.ThumbnailJpeg = lv::EncodeJpeg(lv::Bitmap32(8, 8), 90);
    lv::Bitmap32 mask(width, height);
    for (int y = height / 2; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            mask.SetPixel(x, y, lv::AreaColours[0]);
        }
    }
    contents.MaskWords = lv::EncodeAreaMask(mask);
    for (lv::WaveParameters& wave : contents.Waves) {
        wave = {.Amplitude = 4,
                .WaveCount = 6,
                .PhaseStep = 12,
                .Direction = 1,
                .Horizontal = 1,
                .Vertical = 1,
                .Cycle = 360,
                .Jitter = 8};
    }
    contents.Weather = {.Kind = 2, .Count = 1000, .SpeedLevel = 10, .Angle = 80, .Length = 3};
    const std::string path =
        folder.filePath(QStringLiteral("water%1.lvp").arg(width)).toStdString();
    lv::WriteFileAtomically(path, lv::BuildImagePackage(contents));
    return path;
}

// A show of one package in a window of width x height, started, passes run by hand.
struct Show {
    Show(int width, int height, const std::string& picture) {
        project.FileList.Files = {picture};
        project.FileList.Enabled = {"TRUE"};
        project.Setting.Stretch = true;
        project.Setting.Proportional = false;
        project.Setting.Music = false;
        project.Setting.Sound = false;
        project.Setting.Random = false;  // no picture changes by time
        lv::ShowWindowSetup setup;
        setup.Geometry = QRect(0, 0, width, height);
        setup.ManualPasses = true;
        setup.MessageBox = [](lv::MessageKind, const std::string&) {};
        window = std::make_unique<lv::ShowWindow>(project, audio, clock, setup);
        window->Open();
        QElapsedTimer waited;
        waited.start();
        while (!window->Started() && waited.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }

    lv::Project project;
    NoAudio audio;
    StillClock clock;
    std::unique_ptr<lv::ShowWindow> window;
};

void BM_ShowPass(benchmark::State& state) {
    Application();
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    QTemporaryDir folder;
    Show show(width, height, WritePackage(folder, width, height));
    if (show.window->Loop().DroppedErrors() != 0 || !show.window->Loop().Running()) {
        state.SkipWithError(show.window->Loop().LastDroppedError().c_str());
        return;
    }
    for (auto _ : state) {
        show.window->RunPass();
        QCoreApplication::processEvents();
    }
    state.counters["passes/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    CompareWithFrameCopy(state, width, height);
}
BENCHMARK(BM_ShowPass)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_CrossFadeStep(benchmark::State& state) {
    Application();
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    QTemporaryDir folder;
    const std::string jpeg = folder.filePath(QStringLiteral("still.jpg")).toStdString();
    lv::WriteFileAtomically(jpeg, lv::EncodeJpeg(Landscape(width, height), 90));
    Show show(width, height, jpeg);
    show.window->BeginCrossFade(lv::FrameSource::PlainPicture, {0, 0});
    int alpha = 10;
    for (auto _ : state) {
        show.window->DrawCrossFadeStep(alpha);
        alpha = alpha == 255 ? 10 : alpha + 1;
    }
    show.window->EndCrossFade();
    state.counters["steps in 2 s"] = benchmark::Counter(
        2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    CompareWithFrameCopy(state, width, height);
}
BENCHMARK(BM_CrossFadeStep)->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PackageChange(benchmark::State& state) {
    Application();
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    QTemporaryDir folder;
    const std::string package = WritePackage(folder, width, height);
    Show show(width, height, package);
    for (auto _ : state) {
        show.window->LoadPackage(package, 100, lv::DisplayRule{true, false}, {width, height});
    }
    CompareWithFrameCopy(state, width, height);
}
BENCHMARK(BM_PackageChange)->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
