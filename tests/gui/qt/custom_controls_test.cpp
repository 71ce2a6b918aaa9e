#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "gui/qt/controls/image_control.h"
#include "gui/qt/controls/jet_button.h"
#include "gui/qt/controls/memo_control.h"
#include "gui/qt/controls/picture_button.h"
#include "gui/qt/controls/preview_control.h"
#include "gui/qt/controls/qt_bitmap.h"
#include "project/package_fixtures.h"
#include "project/package_writer.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Red = 0xFF0000;

// A red disc on a white square: the white corners are not part of the button.
QImage DiscOnWhite(int side) {
    Bitmap32 picture(side, side);
    const int r = side / 2;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            picture.SetPixel(
                x, y, (x - r) * (x - r) + (y - r) * (y - r) < (r - 1) * (r - 1) ? Red : White);
    return ToQImage(picture);
}

TEST(JetButton, ClicksOnTransparentCornersAreIgnored) {
    QWidget host;
    auto* button = new JetButton(&host);
    button->SetBitmapUp(DiscOnWhite(20));
    host.show();
    EXPECT_EQ(button->size(), QSize(20, 20));
    EXPECT_EQ(button->TransparentColor(), QColor(Qt::white));
    EXPECT_FALSE(button->IsOnButton(QPoint(1, 1)));
    EXPECT_TRUE(button->IsOnButton(QPoint(10, 10)));

    QSignalSpy clicks(button, &JetButton::Clicked);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(18, 1));
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1);

    // Pressed on the disc, released on a corner: no click, and the face is up again.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(button->ButtonState(), JetButton::State::Pressed);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->ButtonState(), JetButton::State::Normal);

    button->setEnabled(false);
    EXPECT_EQ(button->ButtonState(), JetButton::State::Disabled);
}

TEST(JetButton, HoverNeedsAnOverFace) {
    QWidget host;
    auto* button = new JetButton(&host);
    button->SetBitmapUp(DiscOnWhite(20));
    host.show();
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), button->mapToGlobal(QPointF(10, 10)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &move);
    EXPECT_FALSE(button->Hovering());

    button->SetBitmapOver(DiscOnWhite(20));
    QApplication::sendEvent(button, &move);
    EXPECT_TRUE(button->Hovering());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->Hovering());
}

TEST(JetButton, PicSeriesAcceptsTheFourNamesOnly) {
    JetButton button(nullptr);
    button.SetPicSeries(" Up; down ;Over;DISABLED ");
    EXPECT_EQ(button.PicSeries(), "Up; down ;Over;DISABLED");
    try {
        button.SetPicSeries("Up;Left");
        FAIL() << "Left was accepted";
    } catch (const Error& error) {
        EXPECT_EQ(
            error.Message(),
            "\"LEFT\" is not a valid PicSeries value. Available values: Up;Down;Disabled;Over");
    }
    EXPECT_EQ(button.PicSeries(), "Up; down ;Over;DISABLED");
    button.SetPicSeries("  ");
    EXPECT_TRUE(button.PicSeries().isEmpty());
}

// A repeat timer driven by a test clock in milliseconds.
class FakeRepeatTimer : public RepeatTimer {
public:
    explicit FakeRepeatTimer(const int& now) : now_(now) {}
    void Start(int intervalMs) override {
        interval_ = intervalMs;
        active_ = true;
        due_ = now_ + interval_;
    }
    void SetInterval(int intervalMs) override {
        interval_ = intervalMs;
        if (active_) due_ = now_ + interval_;
    }
    void Stop() override { active_ = false; }
    void Pause() override { active_ = false; }
    void Resume() override { Start(interval_); }
    bool Active() const override { return active_; }
    int Due() const { return due_; }

private:
    const int& now_;
    int interval_ = 0;
    int due_ = 0;
    bool active_ = false;
};

struct RepeatClock {
    int Now = 0;
    FakeRepeatTimer* Timer = nullptr;

    void AdvanceTo(int target) {
        while (Timer && Timer->Active() && Timer->Due() <= target) {
            Now = Timer->Due();
            Timer->OnTimeout();
        }
        Now = target;
    }
};

TEST(MyButton, HeldDownRepeatsAtOnceAfter500AndEvery50Milliseconds) {
    QWidget host;
    auto* button = new PictureButton(&host);
    RepeatClock clock;
    button->SetRepeatTimerFactory([&clock] {
        auto timer = std::make_unique<FakeRepeatTimer>(clock.Now);
        clock.Timer = timer.get();
        return timer;
    });
    host.show();
    std::vector<int> presses;
    QObject::connect(button, &PictureButton::MousePressed, [&] { presses.push_back(clock.Now); });
    QSignalSpy clicks(button, &PictureButton::Clicked);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    clock.AdvanceTo(1000);
    const std::vector<int> expected = {0, 500, 550, 600, 650, 700, 750, 800, 850, 900, 950, 1000};
    EXPECT_EQ(presses, expected);

    // Leaving the button pauses the repeat; coming back resumes it.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    clock.AdvanceTo(2000);
    EXPECT_EQ(presses.size(), expected.size());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
    clock.AdvanceTo(2050);
    EXPECT_EQ(presses.back(), 2050);

    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    const size_t count = presses.size();
    clock.AdvanceTo(3000);
    EXPECT_EQ(presses.size(), count);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(MyButton, DownOnlyWhileAllowed) {
    PictureButton button(nullptr);
    button.SetDown(true);
    EXPECT_FALSE(button.Down());
    button.SetAllowDown(true);
    button.SetDown(true);
    EXPECT_TRUE(button.Down());
    button.SetAllowDown(false);
    EXPECT_FALSE(button.Down());
}

TEST(MyMemo, TextHoldsAllLines) {
    MemoControl memo(nullptr);
    memo.SetText("First\r\nSecond\rThird");
    EXPECT_EQ(memo.document()->blockCount(), 3);
    EXPECT_EQ(memo.Text(), "First\r\nSecond\r\nThird");
}

TEST(Preview, ScalesPicturesKeepsThePreviousOneOnErrorsAndBlanksOtherFiles) {
    test::TempDir folder;
    Bitmap32 red(8, 8);
    red.Fill(Red);
    const std::string bmp = folder.Write("red.bmp", EncodeBmp24(red));
    const std::string png = folder.Write("photo.png", "\x89PNG\r\n\x1a\n");
    const std::string broken = folder.Write("broken.jpg", "\xFF\xD8\xFF garbage");

    PreviewControl preview(nullptr);
    preview.resize(40, 30);
    preview.ShowPicture(bmp);
    const Bitmap32 shown = FromQImage(preview.Picture());
    ASSERT_EQ(shown.Width(), 40);
    ASSERT_EQ(shown.Height(), 30);
    EXPECT_EQ(shown.Pixel(0, 0), Red);
    EXPECT_EQ(shown.Pixel(39, 29), Red);
    EXPECT_TRUE(preview.Stretch());

    EXPECT_THROW(preview.ShowPicture(broken), Error);
    EXPECT_EQ(preview.FileName(), bmp);
    EXPECT_EQ(FromQImage(preview.Picture()), shown);

    preview.ShowPicture(png);
    const Bitmap32 blank = FromQImage(preview.Picture());
    EXPECT_EQ(blank.Width(), 40);
    EXPECT_EQ(blank.Height(), 30);
    EXPECT_EQ(blank.Pixel(20, 15), White);
    EXPECT_EQ(preview.FileName(), png);
}

}  // namespace
}  // namespace lv

namespace lv {
namespace {

TEST(Preview, ShowsAnImagePackagesPictureScaledToTheControl) {
    test::TempDir folder;
    const std::string package =
        folder.Write("harbour.lvp", BuildImagePackage(test::SampleContents()));
    PreviewControl preview(nullptr);
    preview.resize(48, 32);
    preview.ShowPicture(package);
    const Bitmap32 shown = FromQImage(preview.Picture());
    ASSERT_EQ(shown.Width(), 48);
    ASSERT_EQ(shown.Height(), 32);
    // The sample picture is a ramp from dark red on the left to bright red on the right.
    EXPECT_LT((shown.Pixel(0, 16) >> 16) & 0xFF, 60u);
    EXPECT_GT((shown.Pixel(47, 16) >> 16) & 0xFF, 200u);
}

}  // namespace
}  // namespace lv

namespace lv {
namespace {

TEST(ImageControl, DrawsItsPictureAtItsOwnSizeStretchedOrFittedKeepingItsProportions) {
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(QColor(0xD0, 0x20, 0x20));
    ImageControl image(nullptr);
    image.resize(100, 60);
    image.SetPicture(picture);
    const auto covered = [&image](QPoint at) {
        return image.grab().toImage().pixel(at) == QColor(0xD0, 0x20, 0x20).rgb();
    };
    EXPECT_TRUE(covered({19, 9}));
    EXPECT_FALSE(covered({20, 9}));
    EXPECT_FALSE(covered({19, 10}));

    image.SetStretch(true);
    EXPECT_TRUE(covered({99, 59}));

    // 20 x 10 fitted into 100 x 60 is 100 x 50.
    image.Proportional = true;
    EXPECT_TRUE(covered({99, 49}));
    EXPECT_FALSE(covered({99, 50}));
}

}  // namespace
}  // namespace lv
