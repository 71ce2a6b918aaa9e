#include "saver/win32/bitmap_drawing.h"

namespace lv::win32 {
namespace {

BITMAPINFO TopDownInfo(const Bitmap32& bitmap) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bitmap.Width();
    info.bmiHeader.biHeight = -bitmap.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

void DrawBitmap(HDC dc, const Bitmap32& bitmap, int x, int y) {
    if (bitmap.Empty()) return;
    const BITMAPINFO info = TopDownInfo(bitmap);
    ::SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(bitmap.Width()),
                        static_cast<DWORD>(bitmap.Height()), 0, 0, 0,
                        static_cast<UINT>(bitmap.Height()), bitmap.Data(), &info, DIB_RGB_COLORS);
}

}  // namespace lv::win32
