#include "saver/win32/preview_window.h"

#include "common/error.h"
#include "effects/surface/smooth_resize.h"
#include "saver/win32/bitmap_drawing.h"

namespace lv::win32 {
namespace {

constexpr const char* PreviewWindowClass = "LorvanePreview";

// The picture at the child's size, made again when the host resizes it.
struct PreviewState {
    const Bitmap32& Picture;
    Bitmap32 Fitted;
};

void FitToClient(HWND window, PreviewState& state) {
    RECT client;
    ::GetClientRect(window, &client);
    if (client.right > 0 && client.bottom > 0)
        state.Fitted = ResizeSmooth(state.Picture, client.right, client.bottom);
}

LRESULT CALLBACK PreviewProcedure(HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) noexcept {
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* state = reinterpret_cast<PreviewState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_SIZE:
            if (state != nullptr) FitToClient(window, *state);
            return 0;
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

}  // namespace

void RunPreviewWindow(HWND host, const Bitmap32& picture) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &PreviewProcedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = PreviewWindowClass;
    ::RegisterClassA(&windowClass);

    PreviewState state{picture, {}};
    RECT client;
    ::GetClientRect(host, &client);
    const HWND window = ::CreateWindowExA(0, PreviewWindowClass, "", WS_CHILD | WS_VISIBLE, 0, 0,
                                          client.right, client.bottom, host, nullptr,
                                          ::GetModuleHandleA(nullptr), &state);
    if (window == nullptr) throw Error("cannot create the preview inside the host's window");
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace lv::win32
