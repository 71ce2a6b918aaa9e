// The Win32 show window under a real window system: what it draws from the core's frames, which
// window messages end the show, the empty state and the start without pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "codecs/picture_codecs.h"
#include "project/project.h"
#include "saver/muted_show_audio.h"
#include "saver/picture_order.h"
#include "saver/show_input.h"
#include "saver/show_loop.h"
#include "saver/win32/show_window.h"
#include "saver/win32/start_show.h"
#include "support/fake_clock.h"
#include "support/picture_fixtures.h"

namespace lv::win32 {
namespace {

constexpr int Width = 64;
constexpr int Height = 48;
constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Blue = 0x0000FF;

struct Message {
    MessageKind Kind;
    std::string Text;
};

class Win32ShowWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Each test starts with the five moves a new window produces still to be ignored.
        ProgramInputRules().CloseQuery();
    }

    std::string Picture(const std::string& name, uint32_t colour) {
        Bitmap32 picture(Width, Height);
        picture.Fill(colour);
        return folder_.Write(name, EncodeBmp24(picture));
    }

    void UsePictures(const std::vector<std::string>& files, const char* enabled = "TRUE") {
        project_.FileList.Files = files;
        project_.FileList.Enabled.assign(files.size(), enabled);
        project_.Setting.Duration = 1;
        project_.Setting.ShowImageMode = AllImagesSequential;
    }

    ShowWindow& Open() {
        ShowWindowSetup setup;
        setup.ShowMessage = [this](MessageKind kind, const std::string& text) {
            messages_.push_back({kind, text});
        };
        setup.Geometry = {0, 0, Width, Height};
        window_ = std::make_unique<ShowWindow>(project_, audio_, clock_, setup);
        window_->Open();
        window_->RunOnce();
        return *window_;
    }

    // The colour the window shows at (x, y), as 0x00RRGGBB.
    uint32_t ShownColour(int x, int y) {
        const HDC dc = ::GetDC(window_->Handle());
        const COLORREF colour = ::GetPixel(dc, x, y);
        ::ReleaseDC(window_->Handle(), dc);
        return static_cast<uint32_t>(GetRValue(colour)) << 16 |
               static_cast<uint32_t>(GetGValue(colour)) << 8 | GetBValue(colour);
    }

    bool Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        ::SendMessageA(window_->Handle(), message, wParam, lParam);
        return window_->Closed();
    }

    test::TempDir folder_;
    Project project_;
    MutedShowAudio audio_;
    test::FakeClock clock_;
    std::vector<Message> messages_;
    std::unique_ptr<ShowWindow> window_;
};

TEST_F(Win32ShowWindowTest, DrawsTheFirstPictureAndTheNextAfterItsCrossFade) {
    UsePictures({Picture("red.bmp", Red), Picture("blue.bmp", Blue)});
    ShowWindow& window = Open();
    EXPECT_TRUE(window.Loop().Running());
    EXPECT_EQ(ShownColour(5, 5), Red);
    EXPECT_EQ(ShownColour(Width - 1, Height - 1), Red);

    clock_.Advance(1000);
    window.RunOnce();  // the change and its fade, on the fake clock at once
    EXPECT_EQ(window.Loop().CurrentIndex(), 1);
    EXPECT_EQ(ShownColour(Width / 2, Height / 2), Blue);
    // What the window shows survives a repaint the system asks for.
    ::InvalidateRect(window.Handle(), nullptr, FALSE);
    ::UpdateWindow(window.Handle());
    EXPECT_EQ(ShownColour(0, 0), Blue);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Win32ShowWindowTest, KeysThatTypeNothingAndTheWheelLeaveTheShowRunning) {
    UsePictures({Picture("red.bmp", Red)});
    Open();
    EXPECT_FALSE(Send(WM_KEYDOWN, VK_LEFT));
    EXPECT_FALSE(Send(WM_KEYDOWN, VK_SHIFT));
    EXPECT_FALSE(Send(WM_KEYDOWN, VK_F2));
    EXPECT_FALSE(Send(WM_KEYDOWN, VK_F1));
    EXPECT_FALSE(Send(WM_KEYDOWN, VK_F1));
    EXPECT_FALSE(Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA)));
    EXPECT_FALSE(window_->Closed());
}

TEST_F(Win32ShowWindowTest, ATypedCharacterEndsTheShow) {
    for (const WPARAM typed : {WPARAM{'a'}, WPARAM{VK_ESCAPE}, WPARAM{' '}, WPARAM{'\r'}}) {
        UsePictures({Picture("red.bmp", Red)});
        Open();
        EXPECT_TRUE(Send(WM_CHAR, typed)) << typed;
        EXPECT_FALSE(::IsWindow(window_->Handle()));
    }
}

TEST_F(Win32ShowWindowTest, AnyMouseButtonEndsTheShow) {
    for (const UINT button : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_XBUTTONDOWN}) {
        UsePictures({Picture("red.bmp", Red)});
        Open();
        EXPECT_TRUE(Send(button)) << button;
    }
}

TEST_F(Win32ShowWindowTest, TheMouseEndsTheShowOnlyByAJumpAfterTheIgnoredMoves) {
    UsePictures({Picture("red.bmp", Red)});
    Open();
    for (int move = 0; move < MouseMovesIgnoredAfterClose; ++move)
        EXPECT_FALSE(Send(WM_MOUSEMOVE, 0, MAKELPARAM(move * 20, move * 20)));
    EXPECT_FALSE(Send(WM_MOUSEMOVE, 0, MAKELPARAM(30, 30)));
    EXPECT_FALSE(Send(WM_MOUSEMOVE, 0, MAKELPARAM(32, 28)));
    EXPECT_TRUE(Send(WM_MOUSEMOVE, 0, MAKELPARAM(35, 28)));
}

TEST_F(Win32ShowWindowTest, ACloseRequestFromTheSystemEndsTheShow) {
    UsePictures({Picture("red.bmp", Red)});
    Open();
    EXPECT_TRUE(Send(WM_CLOSE));
}

TEST_F(Win32ShowWindowTest, WithoutAnEnabledPictureItSaysSoAndWaitsBlackForInput) {
    UsePictures({Picture("red.bmp", Red)}, "FALSE");
    ShowWindow& window = Open();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].Kind, MessageKind::Error);
    EXPECT_EQ(messages_[0].Text, NoEnabledPictureMessage);
    EXPECT_FALSE(window.Closed());
    EXPECT_FALSE(window.Loop().Running());
    EXPECT_EQ(ShownColour(5, 5), 0u);
    EXPECT_TRUE(Send(WM_CHAR, 'x'));
}

TEST_F(Win32ShowWindowTest, AProjectWithoutPicturesOpensNoWindow) {
    std::vector<Message> shown;
    ShowOptions options;
    options.ShowMessage = [&](MessageKind kind, const std::string& text) {
        shown.push_back({kind, text});
    };
    StartShow(project_, audio_, options);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Kind, MessageKind::Information);
    EXPECT_EQ(shown[0].Text, NoImageMessage);
    EXPECT_EQ(::FindWindowA("TLVfmScrSvr", nullptr), nullptr);
}

}  // namespace
}  // namespace lv::win32
