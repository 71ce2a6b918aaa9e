#pragma once

#include <windows.h>

#include "common/bitmap32.h"
#include "gui/win32/controls/drawn_control.h"

namespace lv {

// Paints one owner-drawn control into `dc` over `area` (its client rectangle).
void PaintDrawnControl(HDC dc, const RECT& area, const DrawnControl& control, bool enabled);

// Draws a 32-bit picture (0x00RRGGBB, row 0 at the top) into `target`, stretched when the sizes
// differ.
void DrawBitmap32(HDC dc, const Bitmap32& picture, const RECT& target);

// The same, leaving out the pixels of `transparent`.
void DrawBitmap32Transparent(HDC dc, const Bitmap32& picture, const RECT& target,
                             COLORREF transparent);

// A Bitmap32 pixel as a COLORREF and back.
COLORREF ColorRefOf(uint32_t pixel);
uint32_t PixelOf(COLORREF color);

}  // namespace lv
