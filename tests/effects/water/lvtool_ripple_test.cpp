// The water commands of lvtool against the generator run in-process on the same package.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "codecs/picture_codecs.h"
#include "common/file_util.h"
#include "common/random.h"
#include "effects/water/wave_generator.h"
#include "effects/water/wave_test_support.h"
#include "effects/water/wave_util.h"
#include "effects/weather/rain.h"
#include "project/package_writer.h"
#include "project/scratch_environment.h"
#include "support/lvtool_runner.h"

namespace lv {
namespace {

using test::Lvtool;
using test::RunResult;

class LvtoolRippleTest : public ::testing::Test {
protected:
    void SetUp() override {
        const Bitmap32 picture = test::NumberedPicture(64, 48);
        const AreaMask mask =
            test::PaintedMask(64, 48, [](int x, int y) { return y > 20 ? 1 + (x / 16) : 0; });
        PackageContents contents;
        contents.PictureJpeg = EncodeJpeg(picture, 90);
        contents.ThumbnailJpeg = EncodeJpeg(picture, 50);
        contents.MaskWords = EncodeAreaMask(mask.ToColours());
        for (auto& w : contents.Waves) w = test::Wave(4, 6, 15, 360, 5, true, true, true);
        contents.Weather = {2, 40, 10, 80, 10, 0};
        package_ = env_.Folder("in") + "sea.lvp";
        WriteFileAtomically(package_, BuildImagePackage(contents));
    }

    // What the show would draw after `steps` steps, computed in this process.
    Bitmap32 Expected(uint32_t seed, int steps, int fitWidth = 0, int fitHeight = 0) {
        project_.Load(package_);
        if (fitWidth > 0)
            fitted_ = FitProjectToScreen(AspectRatio::Keep, project_, fitWidth, fitHeight);
        generator_.SetProject(fitWidth > 0 ? WaterSource(fitted_, project_)
                                           : WaterSource(project_));
        generator_.SetWeather(false);
        SetFixedRandomize(true, seed);
        generator_.Prepare();
        SetFixedRandomize(false);
        generator_.SetWeather(project_.Weather.Kind > 0);
        for (int i = 0; i < steps; ++i) generator_.Step();
        return generator_.ShownPicture();
    }

    test::ScratchEnvironment env_;
    std::string package_;
    std::string out_ = env_.Folder("out");
    ImagePackage project_;
    FittedWater fitted_;
    WaveGenerator generator_;
};

TEST_F(LvtoolRippleTest, RippleWritesTheFrameTheShowDraws) {
    const RunResult r =
        Lvtool("ripple " + package_ + " --seed 77 --steps 5 --out " + out_ + "f.bmp");
    ASSERT_EQ(r.status, 0) << r.output;
    const Bitmap32 written = DecodeBmp(ReadFileBytes(out_ + "f.bmp"), "f.bmp");
    EXPECT_EQ(written, Expected(77, 5));
}

TEST_F(LvtoolRippleTest, RippleFitsThePackageFirst) {
    const RunResult fitted =
        Lvtool("ripple " + package_ + " --seed 3 --steps 2 --fit 100x100 --keep-aspect --out " +
               out_ + "g.bmp");
    ASSERT_EQ(fitted.status, 0) << fitted.output;
    EXPECT_EQ(DecodeBmp(ReadFileBytes(out_ + "g.bmp"), "g.bmp"), Expected(3, 2, 100, 100));
}

TEST_F(LvtoolRippleTest, WeatherPrintsEveryDropExactly) {
    const RunResult r = Lvtool("weather " + package_ + " --seed 9 --steps 4");
    ASSERT_EQ(r.status, 0) << r.output;
    Expected(9, 4);
    std::ostringstream expected;
    char line[128];
    for (const RainDrop& d : generator_.ActiveRain()->Drops()) {
        std::snprintf(line, sizeof line, "%.17g %.17g %d %d\n", d.X, d.Y, d.Weight, d.Length);
        expected << line;
    }
    EXPECT_EQ(r.output, expected.str());
}

TEST_F(LvtoolRippleTest, RenderWritesThirtyFramesASecond) {
    const RunResult r =
        Lvtool("render " + package_ + " --seconds 1 --seed 1 --out " + out_ + "frames");
    ASSERT_EQ(r.status, 0) << r.output;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(out_ + "frames")) {
        (void)entry;
        ++count;
    }
    EXPECT_EQ(count, 30);
    EXPECT_EQ(DecodeBmp(ReadFileBytes(out_ + "frames/frame00029.bmp"), "last"), Expected(1, 30));
}

TEST_F(LvtoolRippleTest, BadSizesAndMissingOptionsAreUsageErrors) {
    RunResult r =
        Lvtool("ripple " + package_ + " --seed 1 --steps 1 --fit 0x100 --out " + out_ + "x.bmp");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("outside 1 .. 16384"), std::string::npos) << r.output;
    r = Lvtool("ripple " + package_ + " --seed 1 --steps 1 --fit 20000x100 --out " + out_ +
               "x.bmp");
    EXPECT_EQ(r.status, 2);
    r = Lvtool("ripple " + package_ + " --steps 1 --out " + out_ + "x.bmp");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("--seed"), std::string::npos);
    r = Lvtool("ripple " + out_ + "missing.lvp --seed 1 --steps 1 --out " + out_ + "x.bmp");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("missing.lvp"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(out_ + "x.bmp"));
}

}  // namespace
}  // namespace lv
