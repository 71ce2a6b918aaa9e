#pragma once

#include <windows.h>

#include "common/bitmap32.h"

namespace lv::win32 {

// Draws `bitmap` 1:1 with its top-left corner at (x, y) of `dc`; what lies outside the device
// context's clipping is left out. Bitmap32 keeps top-down rows of 0x00RRGGBB words, which is a
// 32-bit BI_RGB device-independent bitmap with a negative height, so no copy is made.
void DrawBitmap(HDC dc, const Bitmap32& bitmap, int x, int y);

}  // namespace lv::win32
