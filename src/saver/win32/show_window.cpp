#include "saver/win32/show_window.h"

#include <windowsx.h>

#include "common/bitmap32.h"
#include "common/error.h"
#include "common/warning.h"
#include "platform/system_services.h"
#include "project/project.h"
#include "saver/picture_order.h"
#include "saver/show_input.h"
#include "saver/show_scene.h"
#include "saver/show_settings.h"
#include "saver/win32/bitmap_drawing.h"

namespace lv::win32 {
namespace {

constexpr const char* ShowWindowClass = "TLVfmScrSvr";
// How often the empty state looks at the music while no message comes.
constexpr DWORD MusicPollMilliseconds = 100;

void RegisterShowWindowClass(WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = ShowWindowClass;
    ::RegisterClassA(&windowClass);  // fails harmlessly when a show of this run registered it
}

RECT PrimaryScreenRect() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

// The show's key code for a Windows virtual key: F1 and F2 keep theirs, every other key is
// OtherKey (what it types arrives as WM_CHAR).
int ShowKeyOf(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_F1:
            return VirtualKeyF1;
        case VK_F2:
            return VirtualKeyF2;
        default:
            return OtherKey;
    }
}

}  // namespace

ShowWindow::ShowWindow(Project& project, ShowAudio& audio, Clock& clock, ShowWindowSetup setup)
    : project_(project),
      setup_(std::move(setup)),
      placed_(IsEmpty(setup_.Geometry) ? PrimaryScreenRect() : setup_.Geometry),
      scene_(std::make_unique<ShowScene>(
          PixelSize{placed_.right - placed_.left, placed_.bottom - placed_.top})),
      loop_(std::make_unique<ShowLoop>(
          ShowServices{*this, audio, clock, ProgramInputRules(), ProgramLastSound(), setup_.Folders,
                       RegularFileExists, WarnOnStandardError, ShowStatsFileFromEnvironment()})) {
    if (!setup_.ShowMessage) setup_.ShowMessage = StandardMessageBox;
    RegisterShowWindowClass(&ShowWindow::WindowProcedure);
}

ShowWindow::~ShowWindow() {
    if (!closed_) FormClose();
    if (window_ != nullptr) ::DestroyWindow(window_);
}

void ShowWindow::Open() {
    window_ = ::CreateWindowExA(WS_EX_TOPMOST, ShowWindowClass, "fmLVScrSvr", WS_POPUP,
                                placed_.left, placed_.top, placed_.right - placed_.left,
                                placed_.bottom - placed_.top, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), this);
    if (window_ == nullptr) throw lv::Error("cannot create the show's window");
    ::ShowWindow(window_, SW_SHOW);
    ::UpdateWindow(window_);
    ::SetForegroundWindow(window_);
    ::SetFocus(window_);
    StartShowLoop();
}

void ShowWindow::StartShowLoop() {
    running_ =
        loop_->Start(EnabledPictures(project_.FileList), ShowSettingsFromProject(project_.Setting));
    if (closed_ || !running_) return;  // the empty state keeps the cursor
    platform::SetScreenSaverRunning(true);
    screenSaverRunningSet_ = true;
    ::ShowCursor(FALSE);
    cursorHidden_ = true;
}

void ShowWindow::RunUntilClosed() {
    while (RunOnce()) {
        if (!running_) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, MusicPollMilliseconds, QS_ALLINPUT);
            loop_->PollMusic();
        }
    }
}

bool ShowWindow::RunOnce() {
    MSG message;
    while (!closed_ && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            if (!closed_) FormClose();
            break;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    if (closed_) return false;
    if (running_) loop_->Tick();
    return !closed_;
}

LRESULT CALLBACK ShowWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        // Messages arrive before CreateWindowExA returns the handle.
        auto* show =
            static_cast<ShowWindow*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        show->window_ = window;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(show));
    }
    auto* show = reinterpret_cast<ShowWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (show == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
    return show->HandleMessage(message, wParam, lParam);
}

LRESULT ShowWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = ::BeginPaint(window_, &paint);
            Paint(dc);
            ::EndPaint(window_, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // every paint covers its whole area from the show's own pictures
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
            break;
        case WM_MOUSEMOVE:
            if (!closed_ && loop_->MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
                RequestClose();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            if (!closed_ && loop_->MouseDown()) RequestClose();
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Only F1 and F2 matter here; a key that types closes through its WM_CHAR.
            if (!closed_ && ShowKeyOf(wParam) != OtherKey &&
                loop_->KeyDown(ShowKeyOf(wParam), {}))
                RequestClose();
            return 0;
        case WM_CHAR: {
            const char typed = static_cast<char>(wParam);
            if (!closed_ && loop_->KeyDown(OtherKey, std::string_view(&typed, 1))) RequestClose();
            return 0;
        }
        case WM_CLOSE:
            RequestClose();
            return 0;
        case WM_DESTROY:
            if (!closed_) FormClose();
            ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(window_, message, wParam, lParam);
}

void ShowWindow::FormActivate() {
    // Activated again after another window took the screen: cover it again, on top.
    if (closed_) return;
    ::SetWindowPos(window_, HWND_TOPMOST, placed_.left, placed_.top, placed_.right - placed_.left,
                   placed_.bottom - placed_.top, SWP_NOACTIVATE);
}

void ShowWindow::RequestClose() {
    if (closed_) return;
    loop_->CloseQuery();
    if (!platform::MayCloseScreenSaver(reinterpret_cast<uintptr_t>(window_)))
        return;  // the password was not given: the show goes on
    FormClose();
    ::DestroyWindow(window_);
}

void ShowWindow::FormClose() {
    closed_ = true;
    running_ = false;
    if (screenSaverRunningSet_) {
        platform::SetScreenSaverRunning(false);
        screenSaverRunningSet_ = false;
    }
    if (cursorHidden_) {
        ::ShowCursor(TRUE);
        cursorHidden_ = false;
    }
    // Sounds and music stop, the last picture sound is forgotten.
    loop_->Close();
    // The package objects, the generator and every picture go with the scene; a paint before
    // the window disappears paints black.
    scene_.reset();
}

void ShowWindow::Paint(HDC dc) {
    if (!scene_) {
        RECT client;
        ::GetClientRect(window_, &client);
        ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return;
    }
    DrawBitmap(dc, scene_->Screen(), 0, 0);
    if (const Bitmap32* frame = scene_->FramePicture())
        DrawBitmap(dc, *frame, scene_->FramePosition().X, scene_->FramePosition().Y);
}

void ShowWindow::PaintScreen(std::optional<PixelRect> area) {
    // Drawn before the pass goes on: a fade step must be seen when it is made.
    if (window_ == nullptr || !scene_) return;
    if (area && area->Empty()) return;
    const HDC dc = ::GetDC(window_);
    // The clip goes with the saved state, so a device context the class keeps is left as found.
    const int saved = ::SaveDC(dc);
    if (area) ::IntersectClipRect(dc, area->Left, area->Top, area->Right, area->Bottom);
    DrawBitmap(dc, scene_->Screen(), 0, 0);
    ::RestoreDC(dc, saved);
    ::ReleaseDC(window_, dc);
}

void ShowWindow::PaintFrame() {
    if (window_ == nullptr || !scene_) return;
    const Bitmap32* frame = scene_->FramePicture();
    if (frame == nullptr) return;
    const HDC dc = ::GetDC(window_);
    DrawBitmap(dc, *frame, scene_->FramePosition().X, scene_->FramePosition().Y);
    ::ReleaseDC(window_, dc);
}

PixelSize ShowWindow::ScreenSize() { return scene_->ScreenSize(); }

void ShowWindow::ShowErrorMessage(const std::string& text) {
    setup_.ShowMessage(MessageKind::Error, text);
}

PixelSize ShowWindow::DecodePlainPicture(const std::string& path) {
    return scene_->DecodePlainPicture(path);
}

void ShowWindow::SetPlainPicture(PixelSize drawSize) { scene_->SetPlainPicture(drawSize); }

PackageLoadResult ShowWindow::LoadPackage(const std::string& path, int speedPercent,
                                          DisplayRule rule, PixelSize screen) {
    return scene_->LoadPackage(path, speedPercent, rule, screen);
}

void ShowWindow::BeginCrossFade(FrameSource source, PixelPoint position) {
    scene_->BeginCrossFade(source, position);
}

void ShowWindow::DrawCrossFadeStep(int alpha) {
    scene_->ComposeCrossFadeStep(alpha);
    PaintScreen(scene_->CrossFadeArea());
}

void ShowWindow::EndCrossFade() { scene_->EndCrossFade(); }

void ShowWindow::FillBlack() {
    scene_->FillBlack();
    PaintScreen();
}

void ShowWindow::StepGenerator() { scene_->StepGenerator(); }

void ShowWindow::RestoreGenerator() { scene_->RestoreGenerator(); }

void ShowWindow::DrawFrame(FrameSource source, PixelPoint position) {
    scene_->SetFrame(source, position);
    PaintFrame();
}

}  // namespace lv::win32
