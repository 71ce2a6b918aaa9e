// The still preview inside a host's window, both ways it can sit there: what the host's area
// shows, and that the preview ends with the host's window.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/bitmap32.h"
#include "effects/surface/smooth_resize.h"
#include "saver/win32/preview_window.h"

namespace lv::win32 {
namespace {

constexpr int HostWidth = 120;
constexpr int HostHeight = 90;

// What the test sees of the host while the preview runs, read by a timer of the host.
struct Observation {
    HWND Host = nullptr;
    int Ticks = 0;
    uint32_t Centre = 0;
    uint32_t Corner = 0;
};
Observation observed;

uint32_t ScreenColour(int x, int y) {
    const HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return static_cast<uint32_t>(GetRValue(colour)) << 16 |
           static_cast<uint32_t>(GetGValue(colour)) << 8 | GetBValue(colour);
}

// Reads the host's area a few ticks after the preview started, then closes the host.
void CALLBACK ObserveThenClose(HWND, UINT, UINT_PTR, DWORD) {
    if (++observed.Ticks < 5) return;
    POINT origin{0, 0};
    ::ClientToScreen(observed.Host, &origin);
    observed.Centre = ScreenColour(origin.x + HostWidth / 2, origin.y + HostHeight / 2);
    observed.Corner = ScreenColour(origin.x + HostWidth - 1, origin.y + HostHeight - 1);
    ::DestroyWindow(observed.Host);
}

HWND MakeHost() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "PreviewTestHost";
    ::RegisterClassA(&windowClass);
    const HWND host = ::CreateWindowExA(0, "PreviewTestHost", "", WS_POPUP | WS_VISIBLE, 20, 20,
                                        HostWidth, HostHeight, nullptr, nullptr,
                                        windowClass.hInstance, nullptr);
    ::UpdateWindow(host);
    return host;
}

// Left half green, right half blue, so a stretch shows both at their places.
Bitmap32 TwoHalves() {
    Bitmap32 picture(40, 30);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            picture.SetPixel(x, y, x < picture.Width() / 2 ? 0x00FF00 : 0x0000FF);
    return picture;
}

class PreviewWindowTest : public ::testing::TestWithParam<PreviewPlacement> {};

TEST_P(PreviewWindowTest, CoversTheHostsAreaWithTheStretchedPictureAndEndsWithTheHost) {
    observed = {};
    observed.Host = MakeHost();
    const Bitmap32 picture = TwoHalves();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &ObserveThenClose);
    RunPreviewWindow(observed.Host, picture, GetParam());
    ::KillTimer(nullptr, timer);

    const Bitmap32 expected = ResizeSmooth(picture, HostWidth, HostHeight);
    EXPECT_EQ(observed.Centre, expected.Pixel(HostWidth / 2, HostHeight / 2));
    EXPECT_EQ(observed.Corner, 0x0000FFu);
    EXPECT_FALSE(::IsWindow(observed.Host));
}

INSTANTIATE_TEST_SUITE_P(BothPlacements, PreviewWindowTest,
                         ::testing::Values(PreviewPlacement::ChildWindow,
                                           PreviewPlacement::OwnedPopup));

}  // namespace
}  // namespace lv::win32
