#include "saver/win32/preview_window.h"

#include "common/error.h"
#include "effects/surface/smooth_resize.h"
#include "saver/win32/bitmap_drawing.h"

namespace lv::win32 {
namespace {

constexpr const char* PreviewWindowClass = "LorvanePreview";
constexpr UINT_PTR FollowTimer = 1;
// How often a preview of its own follows the host's area.
constexpr UINT FollowMilliseconds = 100;

struct PreviewState {
    HWND Host;
    PreviewPlacement Placement;
    const Bitmap32& Picture;
    Bitmap32 Fitted;  // the picture at the window's size, made again when that changes
};

void FitToClient(HWND window, PreviewState& state) {
    RECT client;
    ::GetClientRect(window, &client);
    if (client.right > 0 && client.bottom > 0 &&
        (client.right != state.Fitted.Width() || client.bottom != state.Fitted.Height()))
        state.Fitted = ResizeSmooth(state.Picture, client.right, client.bottom);
}

// The host's client area in screen coordinates.
RECT HostArea(HWND host) {
    RECT area;
    ::GetClientRect(host, &area);
    ::MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void FollowHost(HWND window, const PreviewState& state) {
    if (!::IsWindow(state.Host)) {
        ::DestroyWindow(window);
        return;
    }
    const RECT area = HostArea(state.Host);
    RECT now;
    ::GetWindowRect(window, &now);
    const bool visible = ::IsWindowVisible(state.Host) != 0;
    UINT flags = SWP_NOACTIVATE | SWP_NOZORDER | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (::EqualRect(&area, &now) && visible == (::IsWindowVisible(window) != 0)) return;
    ::SetWindowPos(window, nullptr, area.left, area.top, area.right - area.left,
                   area.bottom - area.top, flags);
}

LRESULT CALLBACK PreviewProcedure(HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) noexcept {
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrA(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(
                                reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* state = reinterpret_cast<PreviewState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_SIZE:
            if (state != nullptr) FitToClient(window, *state);
            return 0;
        case WM_TIMER:
            if (state != nullptr && wParam == FollowTimer) FollowHost(window, *state);
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // the host keeps the focus, as with a child of its own
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = ::BeginPaint(window, &paint);
            if (state != nullptr) DrawBitmap(dc, state->Fitted, 0, 0);
            ::EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreatePreviewWindow(PreviewState& state) {
    if (state.Placement == PreviewPlacement::ChildWindow) {
        RECT client;
        ::GetClientRect(state.Host, &client);
        return ::CreateWindowExA(0, PreviewWindowClass, "", WS_CHILD | WS_VISIBLE, 0, 0,
                                 client.right, client.bottom, state.Host, nullptr,
                                 ::GetModuleHandleA(nullptr), &state);
    }
    const RECT area = HostArea(state.Host);
    const HWND window = ::CreateWindowExA(
        WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, PreviewWindowClass, "", WS_POPUP, area.left,
        area.top, area.right - area.left, area.bottom - area.top,
        ::GetAncestor(state.Host, GA_ROOT), nullptr, ::GetModuleHandleA(nullptr), &state);
    if (window != nullptr) {
        ::ShowWindow(window, ::IsWindowVisible(state.Host) ? SW_SHOWNOACTIVATE : SW_HIDE);
        ::SetTimer(window, FollowTimer, FollowMilliseconds, nullptr);
    }
    return window;
}

}  // namespace

PreviewPlacement PreviewPlacementForThisSystem() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    const bool wine = ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    return wine ? PreviewPlacement::OwnedPopup : PreviewPlacement::ChildWindow;
}

void RunPreviewWindow(HWND host, const Bitmap32& picture, PreviewPlacement placement) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &PreviewProcedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = PreviewWindowClass;
    ::RegisterClassA(&windowClass);

    PreviewState state{host, placement, picture, {}};
    if (CreatePreviewWindow(state) == nullptr)
        throw Error("cannot create the preview in the host's window");
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace lv::win32
