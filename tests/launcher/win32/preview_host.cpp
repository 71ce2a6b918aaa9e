// A small stand-in for the display settings' preview: a window filled with a colour no picture
// has, into which the saver given on the command line draws its preview (`SAVER /p HWND`).
//
//   preview_host SAVER OUT.bmp
//
// Waits until the saver has covered the whole client area, writes what the screen shows there
// to OUT.bmp, prints "ready" and holds the window a few seconds for a screenshot, then destroys
// it, which must end the saver with exit code 0. Exit code 0 when all of that happened.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int ClientWidth = 320;
constexpr int ClientHeight = 240;
constexpr COLORREF HostColour = RGB(255, 0, 255);
constexpr DWORD PreviewWaitMilliseconds = 60000;
constexpr DWORD HoldMilliseconds = 3000;
constexpr DWORD SaverEndMilliseconds = 10000;

void PumpFor(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::Sleep(20);
    } while (::GetTickCount() - start < milliseconds);
}

// The client area as the screen shows it, 0x00RRGGBB top-down rows.
std::vector<DWORD> ScreenPixels(HWND window) {
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = ClientWidth;
    info.bmiHeader.biHeight = -ClientHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, ClientWidth, ClientHeight, screen, origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + ClientWidth * ClientHeight);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

int CountHostPixels(const std::vector<DWORD>& pixels) {
    int count = 0;
    for (const DWORD pixel : pixels) count += pixel == 0xFF00FF;
    return count;
}

void WriteBmp(const std::string& path, const std::vector<DWORD>& pixels) {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = ClientWidth;
    header.biHeight = -ClientHeight;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()),
              static_cast<std::streamsize>(pixels.size() * 4));
}

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT client;
        ::GetClientRect(window, &client);
        const HBRUSH brush = ::CreateSolidBrush(HostColour);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        ::DeleteObject(brush);
        return 1;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: preview_host SAVER OUT.bmp\n");
        return 2;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &HostProcedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PreviewHost";
    ::RegisterClassA(&windowClass);
    RECT frame{0, 0, ClientWidth, ClientHeight};
    ::AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    const HWND host = ::CreateWindowExA(0, "PreviewHost", "Preview host", WS_OVERLAPPEDWINDOW,
                                        40, 40, frame.right - frame.left,
                                        frame.bottom - frame.top, nullptr, nullptr,
                                        windowClass.hInstance, nullptr);
    ::ShowWindow(host, SW_SHOW);
    PumpFor(500);

    std::string command = "\"" + std::string(argv[1]) + "\" /p " +
                          std::to_string(reinterpret_cast<uintptr_t>(host));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION saver{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &saver)) {
        std::fprintf(stderr, "cannot start %s\n", command.c_str());
        return 1;
    }

    std::vector<DWORD> pixels;
    const DWORD start = ::GetTickCount();
    do {
        PumpFor(200);
        pixels = ScreenPixels(host);
    } while (CountHostPixels(pixels) > 0 && ::GetTickCount() - start < PreviewWaitMilliseconds);
    WriteBmp(argv[2], pixels);
    const int uncovered = CountHostPixels(pixels);
    std::printf("ready: %d of %d pixels still the host's own\n", uncovered,
                ClientWidth * ClientHeight);
    std::fflush(stdout);
    PumpFor(HoldMilliseconds);

    ::DestroyWindow(host);
    DWORD exitCode = 1;
    const bool ended = ::WaitForSingleObject(saver.hProcess, SaverEndMilliseconds) == WAIT_OBJECT_0;
    if (ended) ::GetExitCodeProcess(saver.hProcess, &exitCode);
    else ::TerminateProcess(saver.hProcess, 1);
    ::CloseHandle(saver.hProcess);
    ::CloseHandle(saver.hThread);
    std::printf("saver %s with exit code %lu\n", ended ? "ended" : "did not end", exitCode);
    return uncovered == 0 && ended && exitCode == 0 ? 0 : 1;
}
