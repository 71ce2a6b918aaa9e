// The show on a 1280 x 720 screen scaled by 2: frames are computed and painted at the screen's
// device pixels, not at its logical 640 x 360 and scaled up.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "codecs/picture_codecs.h"
#include "common/file_util.h"
#include "effects/water/wave_generator.h"
#include "gui/qt/controls/qt_bitmap.h"
#include "project/project.h"
#include "saver/qt/host_embedding.h"
#include "saver/qt/show_test_support.h"
#include "saver/qt/show_window.h"
#include "saver/show_clock.h"
#include "saver/show_input.h"
#include "saver/show_scene.h"
#include "scaled/pixel_compare.h"
#include "scaled/scaled_screen.h"

namespace lv {
namespace {

using test::ProcessEventsUntil;

constexpr PixelSize DeviceScreen{test::ScaledScreenWidth, test::ScaledScreenHeight};

// One-pixel squares of two colours: any scaling, blur or shift by a pixel changes them.
Bitmap32 Checkerboard(int width, int height) {
    Bitmap32 board(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) board.SetPixel(x, y, (x + y) % 2 ? 0xE0C020u : 0x2040A0u);
    return board;
}

class ScaledShowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        // What the test main asked of Qt: the device screen, measured in logical pixels.
        const QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_EQ(screen->devicePixelRatio(), test::ScaleFactor);
        ASSERT_EQ(screen->geometry().size() * test::ScaleFactor,
                  QSize(DeviceScreen.Width, DeviceScreen.Height));
        project_.Setting.Music = false;
    }

    // Opens a show of `file` and waits for its first frame.
    std::unique_ptr<ShowWindow> OpenShow(const std::string& file, bool stretch) {
        project_.FileList.Files = {file};
        project_.FileList.Enabled = {"TRUE"};
        project_.Setting.Stretch = stretch;
        project_.Setting.Proportional = true;
        auto window = std::make_unique<ShowWindow>(project_, audio_, clock_, ShowWindowSetup{});
        window->Open();
        EXPECT_TRUE(ProcessEventsUntil([&] {
            return window->Scene() != nullptr && window->Scene()->FramePicture() != nullptr;
        }));
        return window;
    }

    std::string WriteBmp(const std::string& name, const Bitmap32& picture) {
        const std::string path = folder_.filePath(QString::fromStdString(name)).toStdString();
        WriteFileAtomically(path, EncodeBmp24(picture));
        return path;
    }

    QTemporaryDir folder_;
    Project project_;
    test::SilentAudio audio_;
    SystemClock clock_;
};

TEST_F(ScaledShowTest, PicturesAreShownPixelForPixelAtTheirDevicePosition) {
    // The screen's own size, stretched: nothing to resample, every pixel lands on its own.
    const Bitmap32 board = Checkerboard(DeviceScreen.Width, DeviceScreen.Height);
    auto window = OpenShow(WriteBmp("board.bmp", board), true);
    EXPECT_EQ(window->size(), QSize(640, 360));
    EXPECT_EQ(window->Scene()->ScreenSize(), DeviceScreen);
    EXPECT_EQ(window->Scene()->FramePicture(), &window->Scene()->PlainPicture());
    QImage shot = window->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(DeviceScreen.Width, DeviceScreen.Height));
    EXPECT_EQ(test::DifferingPixels(shot, {0, 0}, ToQImage(board)), 0);
    window.reset();

    // At its own size an odd-sized picture is centred on an odd device pixel, which no logical
    // position can name.
    const Bitmap32 odd = Checkerboard(641, 361);
    window = OpenShow(WriteBmp("odd.bmp", odd), false);
    shot = window->grab().toImage();
    const QPoint corner((DeviceScreen.Width - 641) / 2, (DeviceScreen.Height - 361) / 2);
    ASSERT_EQ(corner, QPoint(319, 179));
    EXPECT_EQ(test::DifferingPixels(shot, corner, ToQImage(odd)), 0);
    EXPECT_EQ(shot.pixel(corner.x() - 1, corner.y()) & 0xFFFFFF, 0u);
    EXPECT_EQ(shot.pixel(corner.x(), corner.y() + 361) & 0xFFFFFF, 0u);
}

TEST_F(ScaledShowTest, AnImagePackageAnimatesAtTheScreensDevicePixels) {
    const std::string package =
        test::WriteShowPackage(folder_.filePath("water.lvp").toStdString(),
                               test::SolidPicture(32, 18, 0x3060A0), test::PackageWeather::Rain);
    const auto window = OpenShow(package, true);
    // 32 x 18 fitted to the 16:9 screen fills all of its device pixels.
    const Bitmap32* frame = window->Scene()->FramePicture();
    ASSERT_EQ(frame, window->Scene()->Generator().WeatherLayer());
    EXPECT_EQ(frame->Width(), DeviceScreen.Width);
    EXPECT_EQ(frame->Height(), DeviceScreen.Height);
    // The rain's one-pixel streaks are painted as the generator drew them.
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(test::DifferingPixels(shot, {0, 0}, ToQImage(*frame)), 0);
    EXPECT_EQ(window->Loop().DroppedErrors(), 0);
}

TEST_F(ScaledShowTest, MouseMovesAreMeasuredInDevicePixels) {
    auto window = OpenShow(WriteBmp("small.bmp", Checkerboard(8, 8)), true);
    const auto move = [&](QPointF to) {
        QMouseEvent event(QEvent::MouseMove, to, window->mapToGlobal(to), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &event);
    };
    for (int i = 0; i <= MouseMovesIgnoredAfterClose; ++i) move({100, 100});
    // One logical pixel is two device pixels: within the tolerance of two.
    move({101, 100});
    move({101, 101});
    EXPECT_FALSE(window->Closed());
    // One and a half logical pixels are three device pixels: the show ends.
    move({102.5, 101});
    EXPECT_TRUE(window->Closed());
}

// An X11 window of another program, as a host creates it; only on the xcb platform.
class ForeignWindow {
public:
    ForeignWindow(int width, int height) : connection_(xcb_connect(nullptr, nullptr)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0,
                          static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(connection_, window_);
        xcb_flush(connection_);
    }
    ~ForeignWindow() { xcb_disconnect(connection_); }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    void Resize(int width, int height) {
        const uint32_t size[] = {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
        xcb_configure_window(connection_, window_,
                             XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
        xcb_flush(connection_);
    }
    platform::NativeWindow Id() const { return window_; }

private:
    xcb_connection_t* connection_;
    xcb_window_t window_ = 0;
};

TEST(ScaledHostWindowTest, TheShowTakesItsSizeFromTheHostWindowsOwnPixels) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        GTEST_SKIP() << "needs an X server (QT_QPA_PLATFORM=xcb)";
    }
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), test::ScaleFactor);
    QTemporaryDir folder;
    Project project;
    project.FileList.Files = {
        test::WriteJpegFile(folder, "green.jpg", test::SolidPicture(16, 16, 0x20C020))};
    project.FileList.Enabled = {"TRUE"};
    project.Setting.Music = false;
    test::SilentAudio audio;
    SystemClock clock;

    // Odd sizes, which no logical size gives exactly.
    ForeignWindow host(401, 301);
    ASSERT_TRUE(ProcessEventsUntil([&] { return ForeignWindowSize(host.Id()).has_value(); }));
    ShowWindowSetup setup;
    setup.Placement = ShowPlacement::HostWindow;
    setup.HostWindow = host.Id();
    ShowWindow window(project, audio, clock, setup);
    window.Open();
    EXPECT_EQ(window.Scene()->ScreenSize(), (PixelSize{401, 301}));
    EXPECT_EQ(window.size(), QSize(201, 151));  // covers the host, in logical pixels
    host.Resize(333, 211);
    EXPECT_TRUE(ProcessEventsUntil([&] {
        return window.Scene()->ScreenSize() == PixelSize{333, 211};
    }));
    EXPECT_EQ(window.size(), QSize(167, 106));

    ShowWindowSetup rootSetup;
    rootSetup.Placement = ShowPlacement::RootWindow;
    ShowWindow root(project, audio, clock, rootSetup);
    root.Open();
    const std::optional<QSize> rootSize = ForeignWindowSize(RootWindowId());
    ASSERT_TRUE(rootSize.has_value());
    EXPECT_EQ(root.Scene()->ScreenSize(), (PixelSize{rootSize->width(), rootSize->height()}));
}

}  // namespace
}  // namespace lv
