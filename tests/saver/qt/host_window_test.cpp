// The show inside another program's X11 window (xscreensaver's -window-id and -root). Runs only
// on the xcb platform (for example under Xvfb with QT_QPA_PLATFORM=xcb); skipped offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>

#include "project/project.h"
#include "saver/qt/host_embedding.h"
#include "saver/qt/show_test_support.h"
#include "saver/qt/show_window.h"
#include "saver/show_clock.h"
#include "saver/show_scene.h"

namespace lv {
namespace {

class HostWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            GTEST_SKIP() << "needs an X server (QT_QPA_PLATFORM=xcb)";
        }
        ASSERT_TRUE(folder_.isValid());
        project_.FileList.Files = {
            test::WriteJpegFile(folder_, "green.jpg", test::SolidPicture(16, 16, 0x20C020))};
        project_.FileList.Enabled = {"TRUE"};
        project_.Setting.Music = false;
    }

    QTemporaryDir folder_;
    Project project_;
    test::SilentAudio audio_;
    SystemClock clock_;
};

TEST_F(HostWindowTest, TheShowFollowsItsHostWindowAndEndsWithIt) {
    auto host = std::make_unique<QWidget>();
    host->setGeometry(10, 10, 200, 150);
    host->show();
    ASSERT_TRUE(test::ProcessEventsUntil([&] { return host->isVisible(); }));
    const auto hostId = static_cast<platform::NativeWindow>(host->winId());
    ASSERT_TRUE(test::ProcessEventsUntil([&] {
        const auto size = ForeignWindowSize(hostId);
        return size && *size == QSize(200, 150);
    }));

    ShowWindowSetup setup;
    setup.Placement = ShowPlacement::HostWindow;
    setup.HostWindow = hostId;
    ShowWindow window(project_, audio_, clock_, setup);
    window.Open();
    EXPECT_EQ(window.size(), QSize(200, 150));
    ASSERT_TRUE(test::ProcessEventsUntil(
        [&] { return window.Scene() != nullptr && window.Scene()->FramePicture() != nullptr; }));
    EXPECT_EQ(window.Scene()->ScreenSize(), (PixelSize{200, 150}));

    host->resize(240, 180);
    EXPECT_TRUE(test::ProcessEventsUntil([&] { return window.size() == QSize(240, 180); }));

    host.reset();
    EXPECT_TRUE(test::ProcessEventsUntil([&] { return window.Closed(); }));
}

TEST_F(HostWindowTest, TheRootWindowIsTheWholeScreen) {
    ASSERT_NE(RootWindowId(), 0u);
    ShowWindowSetup setup;
    setup.Placement = ShowPlacement::RootWindow;
    ShowWindow window(project_, audio_, clock_, setup);
    window.Open();
    const std::optional<QSize> root = ForeignWindowSize(RootWindowId());
    ASSERT_TRUE(root.has_value());
    EXPECT_EQ(window.size(), *root);
}

}  // namespace
}  // namespace lv
