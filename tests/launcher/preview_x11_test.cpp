// The still preview against a real X server (Xvfb in the test command); skipped without one.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "common/file_util.h"
#include "launcher/preview.h"

namespace lv {
namespace {
namespace fs = std::filesystem;

class HostWindow {
public:
    HostWindow(int width, int height) : connection_(xcb_connect(nullptr, nullptr)) {
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        const uint32_t black = screen_->black_pixel;
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen_->root, 0, 0,
                          static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual, XCB_CW_BACK_PIXEL,
                          &black);
        xcb_flush(connection_);
    }
    ~HostWindow() { xcb_disconnect(connection_); }

    void Map() {
        xcb_map_window(connection_, window_);
        xcb_flush(connection_);
    }
    uint64_t Id() const { return window_; }

    uint32_t PixelAt(int x, int y) {
        auto* reply = xcb_get_image_reply(
            connection_,
            xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, static_cast<int16_t>(x),
                          static_cast<int16_t>(y), 1, 1, ~0u),
            nullptr);
        if (!reply) return 0xDEADBEEF;
        uint32_t pixel = 0;
        std::memcpy(&pixel, xcb_get_image_data(reply), 4);
        std::free(reply);
        return pixel & 0x00FFFFFFu;
    }

private:
    xcb_connection_t* connection_;
    xcb_screen_t* screen_;
    xcb_window_t window_;
};

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        folder_ = fs::temp_directory_path() / ("lv-preview-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // A picture whose left half is red and right half blue, as a BMP (exact colours).
    std::string WritePicture() {
        Bitmap32 picture(8, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) picture.SetPixel(x, y, x < 4 ? 0x00FF0000u : 0x000000FFu);
        const std::string path = (folder_ / "preview.bmp").string();
        WriteFileAtomically(path, EncodeBmp24(picture));
        return path;
    }

    fs::path folder_;
};

TEST_F(PreviewTest, StretchesThePictureOntoTheHostWindowOnceItIsShown) {
    HostWindow host(160, 100);
    Project project;
    project.Setting.PreviewFile = WritePicture();
    // The host shows its window only a little later; the preview waits for it.
    std::thread shower([&host] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        host.Map();
    });
    EXPECT_TRUE(DrawPreview(project, std::to_string(host.Id())));
    shower.join();
    EXPECT_EQ(host.PixelAt(5, 5), 0x00FF0000u);
    EXPECT_EQ(host.PixelAt(150, 90), 0x000000FFu);
}

TEST_F(PreviewTest, ProjectWithoutPreviewPictureDrawsNothing) {
    Project project;
    EXPECT_FALSE(DrawPreview(project, "not even a number"));
}

TEST_F(PreviewTest, BadHandlesAreErrors) {
    Project project;
    project.Setting.PreviewFile = WritePicture();
    EXPECT_THROW(DrawPreview(project, "12AB"), Error);
    EXPECT_THROW(DrawPreview(project, "4194303"), Error);  // no such window
}

}  // namespace
}  // namespace lv
