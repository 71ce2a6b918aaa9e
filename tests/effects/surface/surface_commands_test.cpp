// lvtool resize, blend and saturate, run as a user runs them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "codecs/picture_codecs.h"
#include "common/file_util.h"
#include "effects/filters/pixel_filters.h"
#include "effects/surface/pixel_surface.h"

namespace lv {
namespace {

namespace fs = std::filesystem;

class SurfaceCommands : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("lv_surface_commands_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    void WriteBmp(const std::string& name, const Bitmap32& picture) const {
        WriteFileAtomically(Path(name), EncodeBmp24(picture));
    }
    Bitmap32 ReadBmp(const std::string& name) const {
        return DecodeBmp(ReadFileBytes(Path(name)), name);
    }

    // Runs lvtool in the test folder; returns its exit code and keeps what it printed.
    int Lvtool(const std::string& arguments) {
        const std::string command = "cd '" + folder_.string() + "' && '" LV_LVTOOL_PATH "' " +
                                    arguments + " > output.txt 2>&1";
        const int status = std::system(command.c_str());
        output_ = ReadFileBytes(Path("output.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Top half red, bottom half blue, with a little texture.
    static Bitmap32 TwoColourPicture(int width, int height) {
        Bitmap32 picture(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.SetPixel(x, y, (y < height / 2 ? 0xF00000u : 0x0000F0u) + x % 7 * 0x20202u);
        return picture;
    }

    fs::path folder_;
    std::string output_;
};

TEST_F(SurfaceCommands, ResizeWritesWhatTheSurfacesComputeTheRightWayUp) {
    const Bitmap32 picture = TwoColourPicture(23, 10);
    WriteBmp("in.bmp", picture);
    PixelSurface source;
    source.LoadFromBitmap32(picture);

    ASSERT_EQ(Lvtool("resize in.bmp 9x31 smooth.bmp"), 0) << output_;
    PixelSurface smooth(9, 31);
    source.ResizeSmoothInto(smooth);
    const Bitmap32 written = ReadBmp("smooth.bmp");
    EXPECT_EQ(written, smooth.ToBitmap32());
    EXPECT_EQ(written.Pixel(0, 0) & 0xFF0000u, 0xF00000u);  // red stays on top
    EXPECT_EQ(written.Pixel(0, 30) & 0xFFu, 0xF0u);

    ASSERT_EQ(Lvtool("resize in.bmp 50x3 nearest.bmp --nearest"), 0) << output_;
    PixelSurface nearest(50, 3);
    source.ResizeNearestInto(nearest);
    EXPECT_EQ(ReadBmp("nearest.bmp"), nearest.ToBitmap32());
}

TEST_F(SurfaceCommands, BlendAndSaturateWriteWhatTheFiltersCompute) {
    const Bitmap32 first = TwoColourPicture(13, 6);
    Bitmap32 second(13, 6);
    second.Fill(0x336699);
    WriteBmp("first.bmp", first);
    WriteBmp("second.bmp", second);
    PixelSurface a, b, expected(13, 6);
    a.LoadFromBitmap32(first);
    b.LoadFromBitmap32(second);

    ASSERT_EQ(Lvtool("blend first.bmp second.bmp 77 out.bmp"), 0) << output_;
    BlendSurfaces(expected, a, b, 77);
    EXPECT_EQ(ReadBmp("out.bmp"), expected.ToBitmap32());

    ASSERT_EQ(Lvtool("saturate first.bmp 1 grey.bmp"), 0) << output_;
    AdjustSaturation(a, 1);
    EXPECT_EQ(ReadBmp("grey.bmp"), a.ToBitmap32());
}

TEST_F(SurfaceCommands, RefuseBadSizesAmountsAndFilesWithAMessage) {
    WriteBmp("small.bmp", TwoColourPicture(4, 4));
    WriteBmp("wide.bmp", TwoColourPicture(5, 4));
    WriteFileAtomically(Path("junk.bmp"), "BM not really a picture");

    EXPECT_NE(Lvtool("resize small.bmp 0x5 out.bmp"), 0);
    EXPECT_NE(output_.find("width"), std::string::npos) << output_;
    EXPECT_NE(Lvtool("resize small.bmp 5x16385 out.bmp"), 0);
    EXPECT_NE(output_.find("16385"), std::string::npos) << output_;
    EXPECT_NE(Lvtool("resize junk.bmp 5x5 out.bmp"), 0);
    EXPECT_NE(output_.find("junk.bmp"), std::string::npos) << output_;
    EXPECT_NE(Lvtool("resize missing.bmp 5x5 out.bmp"), 0);
    EXPECT_NE(output_.find("missing.bmp"), std::string::npos) << output_;
    EXPECT_NE(Lvtool("blend small.bmp wide.bmp 10 out.bmp"), 0);
    EXPECT_NE(output_.find("differ in size"), std::string::npos) << output_;
    EXPECT_NE(Lvtool("blend small.bmp small.bmp 257 out.bmp"), 0);
    EXPECT_NE(Lvtool("saturate small.bmp -1 out.bmp"), 0);
    EXPECT_FALSE(fs::exists(Path("out.bmp")));
}

}  // namespace
}  // namespace lv
