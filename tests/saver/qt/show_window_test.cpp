// The show window on the offscreen screen: what it draws and which input closes it.
#include "saver/qt/show_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>

#include "effects/filters/pixel_filters.h"
#include "effects/water/wave_generator.h"
#include "project/image_package.h"
#include "project/project.h"
#include "saver/qt/show_test_support.h"
#include "saver/show_clock.h"
#include "saver/show_scene.h"
#include "support/fake_clock.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

using test::NearColour;
using test::ProcessEventsUntil;

constexpr uint32_t Red = 0xD02020;

// The tests run on the small offscreen screen of the test main, or on a real X server.
QSize ScreenSize() { return QGuiApplication::primaryScreen()->geometry().size(); }

class SaverWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    // A window showing one still picture, opened and with its first frame drawn.
    std::unique_ptr<ShowWindow> OpenShow(const Bitmap32& picture, bool stretch) {
        project_.FileList.Files = {test::WriteJpegFile(folder_, "picture.jpg", picture)};
        project_.FileList.Enabled = {"TRUE"};
        project_.Setting.Stretch = stretch;
        project_.Setting.Proportional = false;
        project_.Setting.Music = false;
        ShowWindowSetup setup;
        setup.MessageBox = [this](MessageKind, const std::string& text) {
            messages_.push_back(text);
        };
        auto window = std::make_unique<ShowWindow>(project_, audio_, clock_, setup);
        window->Open();
        EXPECT_TRUE(ProcessEventsUntil(
            [&] { return window->Started() && window->Scene()->FramePicture() != nullptr; }));
        return window;
    }

    // Mouse moves at one place use up the moves the show ignores and never close it.
    static void SettleMouse(QWidget& window, QPoint at) {
        for (int i = 0; i <= MouseMovesIgnoredAfterClose; ++i) {
            MoveMouse(window, at);
        }
    }

    static void MoveMouse(QWidget& window, QPoint to) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), window.mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &move);
    }

    static void PressKey(QWidget& window, Qt::Key key, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&window, &press);
    }

    QTemporaryDir folder_;
    Project project_;
    test::SilentAudio audio_;
    SystemClock clock_;
    std::vector<std::string> messages_;
};

TEST_F(SaverWindowTest, CoversThePrimaryScreenWithTheStretchedPicture) {
    const auto window = OpenShow(test::SolidPicture(40, 30, Red), true);
    const QSize screen = ScreenSize();
    EXPECT_EQ(window->geometry(), QRect(QPoint(0, 0), screen));
    EXPECT_EQ(window->cursor().shape(), Qt::BlankCursor);
    const QImage shot = window->grab().toImage();
    ASSERT_EQ(shot.size(), screen);
    for (const QPoint at : {QPoint(0, 0), QPoint(screen.width() / 2, screen.height() / 2),
                            QPoint(screen.width() - 1, screen.height() - 1)}) {
        EXPECT_TRUE(NearColour(shot.pixel(at), Red)) << at.x() << "," << at.y();
    }
    EXPECT_EQ(window->Loop().DroppedErrors(), 0);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SaverWindowTest, OriginalSizeIsCentredOnBlack) {
    const auto window = OpenShow(test::SolidPicture(100, 50, Red), false);
    const QImage shot = window->grab().toImage();
    // Centred: (W - 100) div 2, (H - 50) div 2; on the 320 x 240 test screen (110, 95).
    const int left = (ScreenSize().width() - 100) / 2;
    const int top = (ScreenSize().height() - 50) / 2;
    EXPECT_TRUE(NearColour(shot.pixel(left, top), Red));
    EXPECT_TRUE(NearColour(shot.pixel(left + 99, top + 49), Red));
    EXPECT_EQ(shot.pixel(left - 1, top) & 0xFFFFFF, 0u);
    EXPECT_EQ(shot.pixel(left, top - 1) & 0xFFFFFF, 0u);
    EXPECT_EQ(shot.pixel(left + 100, top + 49) & 0xFFFFFF, 0u);
    EXPECT_EQ(shot.pixel(0, 0) & 0xFFFFFF, 0u);
}

TEST_F(SaverWindowTest, KeysThatTypeNothingAndTheWheelDoNotClose) {
    const auto window = OpenShow(test::SolidPicture(8, 8, Red), true);
    PressKey(*window, Qt::Key_F2);
    PressKey(*window, Qt::Key_Left);
    PressKey(*window, Qt::Key_Shift);
    PressKey(*window, Qt::Key_F1);
    PressKey(*window, Qt::Key_F1);
    QWheelEvent wheel(QPointF(10, 10), window->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.get(), &wheel);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->Closed());
    EXPECT_TRUE(window->isVisible());

    PressKey(*window, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_TRUE(window->Closed());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(SaverWindowTest, SmallMouseMovesDoNotCloseButAJumpDoes) {
    const auto window = OpenShow(test::SolidPicture(8, 8, Red), true);
    SettleMouse(*window, QPoint(50, 50));
    MoveMouse(*window, QPoint(52, 52));
    MoveMouse(*window, QPoint(54, 53));
    MoveMouse(*window, QPoint(55, 55));
    EXPECT_FALSE(window->Closed());
    MoveMouse(*window, QPoint(58, 55));
    EXPECT_TRUE(window->Closed());
}

TEST_F(SaverWindowTest, AMouseButtonCloses) {
    const auto window = OpenShow(test::SolidPicture(8, 8, Red), true);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), window->mapToGlobal(QPointF(5, 5)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &press);
    EXPECT_TRUE(window->Closed());
    // Closing stopped the picture sound and the show's passes.
    EXPECT_GE(audio_.soundStops, 1);
    EXPECT_FALSE(window->Loop().Running());
}

TEST_F(SaverWindowTest, ActivatedAgainAfterAWindowManagerMovedItTheShowCoversTheScreen) {
    const auto window = OpenShow(test::SolidPicture(8, 8, Red), true);
    const QRect screen(QPoint(0, 0), ScreenSize());
    ASSERT_EQ(window->geometry(), screen);
    // Another window takes the focus, and a window manager moves and shrinks the show.
    QWidget other;
    other.setGeometry(0, 0, 40, 30);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(ProcessEventsUntil([&] { return other.isActiveWindow(); }));
    window->setWindowState(Qt::WindowNoState);
    window->setGeometry(60, 50, 100, 80);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window->geometry() == QRect(60, 50, 100, 80); }));

    window->activateWindow();
    ASSERT_TRUE(ProcessEventsUntil([&] { return window->isActiveWindow(); }));
    EXPECT_EQ(window->geometry(), screen);
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_FALSE(window->Closed());
    const QImage shot = window->grab().toImage();
    EXPECT_TRUE(NearColour(shot.pixel(screen.width() - 1, screen.height() - 1), Red));
}

TEST_F(SaverWindowTest, AnImagePackageRipplesUnderRainAndF1PutsTheWaterBack) {
    const Bitmap32 picture = test::SolidPicture(32, 24, 0x3060A0);
    project_.FileList.Files = {test::WriteShowPackage(folder_.filePath("water.lvp").toStdString(),
                                                      picture, test::PackageWeather::Rain)};
    project_.FileList.Enabled = {"TRUE"};
    project_.Setting.Music = false;
    project_.Setting.Stretch = true;
    project_.Setting.Proportional = true;
    ShowWindow window(project_, audio_, clock_, ShowWindowSetup{});
    window.Open();
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return window.Scene() != nullptr && window.Scene()->FramePicture() != nullptr; }));
    // 32 x 24 fitted proportionally into a 4:3 screen fills it; what is shown is the weather
    // layer.
    EXPECT_EQ(window.Scene()->FramePicture(), window.Scene()->Generator().WeatherLayer());
    EXPECT_EQ(window.Scene()->FramePicture()->Width(), ScreenSize().width());
    const QImage shot = window.grab().toImage();
    int pictureColoured = 0;
    for (int y = 0; y < shot.height(); y += 4)
        for (int x = 0; x < shot.width(); x += 4)
            pictureColoured += NearColour(shot.pixel(x, y), 0x3060A0) ? 1 : 0;
    EXPECT_GT(pictureColoured, (shot.width() / 4) * (shot.height() / 4) / 2);

    // Every second F1 draws the still picture over the ripples until the next step. Under rain
    // the frame shown stays until then; without the rain the restored water is plain to see.
    PressKey(window, Qt::Key_F1);
    PressKey(window, Qt::Key_F1);
    window.Scene()->Generator().SetWeather(false);
    EXPECT_EQ(window.Scene()->Generator().Output(), window.Scene()->ShownWater()->Picture());
    EXPECT_FALSE(window.Closed());
    EXPECT_EQ(window.Loop().DroppedErrors(), 0);
}

// The pixels a window shows, as 0x00RRGGBB words.
Bitmap32 ShownPixels(const QImage& shot) {
    Bitmap32 pixels(shot.width(), shot.height());
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) pixels.SetPixel(x, y, shot.pixel(x, y) & 0xFFFFFF);
    return pixels;
}

TEST_F(SaverWindowTest, TheWindowShowsExactlyTheScenesFrameOverItsScreenCopy) {
    // Smaller than the screen and not stretched: the frame lies on the screen copy's black.
    project_.FileList.Files = {test::WriteShowPackage(folder_.filePath("water.lvp").toStdString(),
                                                      test::GradientPicture(120, 90),
                                                      test::PackageWeather::Rain)};
    project_.FileList.Enabled = {"TRUE"};
    project_.Setting.Music = false;
    project_.Setting.Stretch = false;
    ShowWindowSetup setup;
    setup.ManualPasses = true;
    ShowWindow window(project_, audio_, clock_, setup);
    window.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Started(); }));
    for (int pass = 0; pass < 6; ++pass) {
        window.RunPass();
        const ShowScene& scene = *window.Scene();
        ASSERT_NE(scene.FramePicture(), nullptr);
        Bitmap32 expected = scene.Screen();
        const Bitmap32& frame = *scene.FramePicture();
        const PixelPoint at = scene.FramePosition();
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x) expected.SetPixel(x + at.X, y + at.Y, frame.Pixel(x, y));
        const QImage onScreen =
            QGuiApplication::primaryScreen()->grabWindow(window.winId()).toImage();
        ASSERT_EQ(ShownPixels(onScreen), expected) << "pass " << pass;
    }
}

TEST_F(SaverWindowTest, FadeStepsAreBlendedIntoTheWindowAndTheLastStaysInTheScreenCopy) {
    // Not stretched: the picture lies on black, and so does the one that fades in.
    const auto window = OpenShow(test::GradientPicture(90, 70), false);
    const std::string next = test::WriteJpegFile(folder_, "next.jpg", test::GradientPicture(50, 120));
    ShowWindow& host = *window;
    host.SetPlainPicture(host.DecodePlainPicture(next));
    const PixelPoint at{-7, 11};
    host.BeginCrossFade(FrameSource::PlainPicture, at);
    const Bitmap32 before = window->Scene()->Screen();
    const Bitmap32& incoming = window->Scene()->PlainPicture();
    for (const int alpha : {10, 140}) {
        host.DrawCrossFadeStep(alpha);
        Bitmap32 expected(before.Width(), before.Height());
        BlendPlacedBitmap(expected, incoming, at.X, at.Y, before, alpha);
        const QImage onScreen =
            QGuiApplication::primaryScreen()->grabWindow(window->winId()).toImage();
        EXPECT_EQ(ShownPixels(onScreen), expected) << "alpha " << alpha;
        EXPECT_EQ(ShownPixels(window->grab().toImage()), expected) << "alpha " << alpha;
        // Painted into the window's own pixels, which leaves the screen copy alone.
        EXPECT_EQ(window->Scene()->Screen(), before);
        if (alpha == 140) {
            host.EndCrossFade();
            EXPECT_EQ(window->Scene()->Screen(), expected);
        }
    }
}

// Counts the fade steps and black fills the show asks for.
class CountingWindow : public ShowWindow {
public:
    using ShowWindow::ShowWindow;
    void DrawCrossFadeStep(int alpha) override {
        alphas.push_back(alpha);
        ShowWindow::DrawCrossFadeStep(alpha);
    }
    void FillBlack() override {
        ++blackFills;
        ShowWindow::FillBlack();
    }
    std::vector<int> alphas;
    int blackFills = 0;
};

TEST_F(SaverWindowTest, PicturesChangeThroughACrossFadeOrABlackScreen) {
    constexpr uint32_t Blue = 0x2040D0;
    project_.FileList.Files = {
        test::WriteJpegFile(folder_, "red.jpg", test::SolidPicture(16, 12, Red)),
        test::WriteJpegFile(folder_, "blue.jpg", test::SolidPicture(16, 12, Blue))};
    project_.FileList.Enabled = {"TRUE", "TRUE"};
    project_.Setting.Music = false;
    project_.Setting.ShowImageMode = 1;  // list order
    project_.Setting.Duration = 1;
    // Every reading of the clock takes half a second, so each pass changes the picture and the
    // first fade step "takes" 500 ms: four more steps follow.
    test::FakeClock clock;
    clock.SetCostPerReading(500);
    ShowWindowSetup setup;
    setup.ManualPasses = true;
    for (const bool transition : {true, false}) {
        project_.Setting.Transition = transition;
        CountingWindow window(project_, audio_, clock, setup);
        window.Open();
        ASSERT_TRUE(ProcessEventsUntil([&] { return window.Started(); }));
        for (const uint32_t expected : {Blue, Red, Blue}) {
            window.RunPass();
            const QImage shot = window.grab().toImage();
            EXPECT_TRUE(NearColour(shot.pixel(shot.width() / 2, shot.height() / 2), expected))
                << "transition " << transition;
            EXPECT_TRUE(NearColour(shot.pixel(0, 0), expected)) << "transition " << transition;
        }
        EXPECT_EQ(window.Loop().DroppedErrors(), 0);
        EXPECT_EQ(window.Loop().LoadedFile(), project_.FileList.Files[1]);
        if (transition) {
            const std::vector<int> oneFade = {10, 71, 132, 194, 255};
            std::vector<int> threeFades;
            for (int i = 0; i < 3; ++i)
                threeFades.insert(threeFades.end(), oneFade.begin(), oneFade.end());
            EXPECT_EQ(window.alphas, threeFades);
            EXPECT_EQ(window.blackFills, 0);
        } else {
            EXPECT_TRUE(window.alphas.empty());
            EXPECT_EQ(window.blackFills, 3);
        }
    }
}

TEST_F(SaverWindowTest, APictureThatCannotBeDecodedLeavesTheScreenBlackAndTheShowRunning) {
    project_.FileList.Files = {folder_.filePath("missing.jpg").toStdString()};
    project_.FileList.Enabled = {"TRUE"};
    project_.Setting.Music = false;
    ShowWindowSetup setup;
    setup.MessageBox = [this](MessageKind, const std::string& text) { messages_.push_back(text); };
    ShowWindow window(project_, audio_, clock_, setup);
    window.Open();
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Loop().DroppedErrors() >= 3; }));
    EXPECT_FALSE(window.Closed());
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixel(shot.width() / 2, shot.height() / 2) & 0xFFFFFF, 0u);
    EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace lv
