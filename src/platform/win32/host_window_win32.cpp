// The host window on Windows: the handle is an HWND of the display settings dialog.
#include <windows.h>

#include <thread>

#include "common/error.h"
#include "platform/host_window.h"

namespace lv::platform {
namespace {

HWND ToWindow(NativeWindow window) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(window)); }

}  // namespace

WindowSize WaitForVisibleHostWindow(NativeWindow window, std::chrono::milliseconds timeout) {
    const HWND hwnd = ToWindow(window);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    if (!::IsWindow(hwnd)) throw MissingHostWindowError("the host window does not exist");
    while (!::IsWindowVisible(hwnd)) {
        if (!::IsWindow(hwnd)) throw Error("the host window went away");
        if (std::chrono::steady_clock::now() > deadline)
            throw Error("the host window was not shown in time");
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void PutPictureOnHostWindow(NativeWindow window, const Bitmap32& picture) {
    if (picture.Empty()) return;
    const HWND hwnd = ToWindow(window);
    const HDC dc = ::GetDC(hwnd);
    if (!dc) throw Error("cannot draw into the host window");
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = -picture.Height();  // top-down rows, as the bitmap keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(picture.Width()),
                        static_cast<DWORD>(picture.Height()), 0, 0, 0,
                        static_cast<UINT>(picture.Height()), picture.Data(), &info,
                        DIB_RGB_COLORS);
    ::ReleaseDC(hwnd, dc);
}

}  // namespace lv::platform
