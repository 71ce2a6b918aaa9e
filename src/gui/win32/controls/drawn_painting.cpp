#include "gui/win32/controls/drawn_painting.h"

#include <algorithm>
#include <string>

#include "gui/win32/forms/win32_form_values.h"

namespace lv {
namespace {

class SolidBrush {
public:
    explicit SolidBrush(COLORREF color) : brush_(CreateSolidBrush(color)) {}
    ~SolidBrush() { DeleteObject(brush_); }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    HBRUSH Get() const { return brush_; }

private:
    HBRUSH brush_;
};

void FillArea(HDC dc, const RECT& area, COLORREF color) {
    SolidBrush brush(color);
    FillRect(dc, &area, brush.Get());
}

void FillLine(HDC dc, int left, int top, int width, int height, COLORREF color) {
    const RECT line{left, top, left + width, top + height};
    FillArea(dc, line, color);
}

// A one-pixel frame, light on the top and left, dark on the bottom and right.
void FrameBox(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    FillLine(dc, r.left, r.top, w, 1, topLeft);
    FillLine(dc, r.left, r.top, 1, h, topLeft);
    FillLine(dc, r.left, r.bottom - 1, w, 1, bottomRight);
    FillLine(dc, r.right - 1, r.top, 1, h, bottomRight);
}

void DrawCaption(HDC dc, const DrawnControl& control, RECT area, UINT format) {
    if (control.Caption.empty()) return;
    HGDIOBJ oldFont = control.Font ? SelectObject(dc, control.Font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, control.TextColor);
    const std::string text = WithoutAcceleratorMarks(control.Caption);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
              format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (oldFont) SelectObject(dc, oldFont);
}

void PaintPanel(HDC dc, RECT area, const DrawnControl& c) {
    FillArea(dc, area, c.Color.value_or(GetSysColor(COLOR_BTNFACE)));
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    auto bevel = [&](PanelBevel cut) {
        if (cut == PanelBevel::None) return;
        for (int i = 0; i < c.BevelWidth && area.right > area.left; ++i) {
            if (cut == PanelBevel::Raised) FrameBox(dc, area, light, dark);
            if (cut == PanelBevel::Lowered) FrameBox(dc, area, dark, light);
            InflateRect(&area, -1, -1);
        }
    };
    bevel(c.BevelOuter);
    InflateRect(&area, -c.BorderWidth, -c.BorderWidth);
    bevel(c.BevelInner);
    DrawCaption(dc, c, area, c.CaptionAlignment);
}

void PaintBevel(HDC dc, const RECT& area, const DrawnControl& c) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF first = c.Raised ? light : dark;
    const COLORREF second = c.Raised ? dark : light;
    const int w = area.right;
    const int h = area.bottom;
    switch (c.Bevel) {
        case BevelLine::Box:
            FrameBox(dc, area, first, second);
            break;
        case BevelLine::Frame:
            FrameBox(dc, RECT{0, 0, w - 1, h - 1}, first, first);
            FrameBox(dc, RECT{1, 1, w, h}, second, second);
            break;
        case BevelLine::TopLine:
            FillLine(dc, 0, 0, w, 1, first);
            FillLine(dc, 0, 1, w, 1, second);
            break;
        case BevelLine::BottomLine:
            FillLine(dc, 0, h - 2, w, 1, first);
            FillLine(dc, 0, h - 1, w, 1, second);
            break;
        case BevelLine::LeftLine:
            FillLine(dc, 0, 0, 1, h, first);
            FillLine(dc, 1, 0, 1, h, second);
            break;
        case BevelLine::RightLine:
            FillLine(dc, w - 2, 0, 1, h, first);
            FillLine(dc, w - 1, 0, 1, h, second);
            break;
        case BevelLine::Spacer:
            break;
    }
}

void PaintShape(HDC dc, const RECT& area, const DrawnControl& c) {
    int left = area.left;
    int top = area.top;
    int w = area.right - area.left;
    int h = area.bottom - area.top;
    const bool square = c.Shape == ShapeOutline::Square || c.Shape == ShapeOutline::RoundSquare ||
                        c.Shape == ShapeOutline::Circle;
    if (square) {
        const int side = std::min(w, h);
        left += (w - side) / 2;
        top += (h - side) / 2;
        w = h = side;
    }
    // The pen is drawn inside the shape's rectangle, as wide as it is set.
    const int inset = c.PenClear ? 0 : c.PenWidth / 2;
    HPEN pen = c.PenClear ? static_cast<HPEN>(GetStockObject(NULL_PEN))
                          : CreatePen(PS_INSIDEFRAME, std::max(c.PenWidth, 1), c.PenColor);
    HBRUSH brush = c.BrushClear ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                : CreateSolidBrush(c.BrushColor);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    const int right = left + w - inset + (c.PenClear ? 1 : 0);
    const int bottom = top + h - inset + (c.PenClear ? 1 : 0);
    switch (c.Shape) {
        case ShapeOutline::Rectangle:
        case ShapeOutline::Square:
            Rectangle(dc, left + inset, top + inset, right, bottom);
            break;
        case ShapeOutline::RoundRect:
        case ShapeOutline::RoundSquare:
            RoundRect(dc, left + inset, top + inset, right, bottom, std::min(w, h) / 4,
                      std::min(w, h) / 4);
            break;
        case ShapeOutline::Ellipse:
        case ShapeOutline::Circle:
            Ellipse(dc, left + inset, top + inset, right, bottom);
            break;
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    if (!c.PenClear) DeleteObject(pen);
    if (!c.BrushClear) DeleteObject(brush);
}

// Where a picture box draws its picture: stretched (keeping proportions when asked), centred
// or at the top left.
RECT PictureTarget(const RECT& area, const DrawnControl& c) {
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    int pw = c.Picture.Width();
    int ph = c.Picture.Height();
    if (c.Stretch && !c.Proportional) return area;
    if (c.Stretch || (c.Proportional && (pw > w || ph > h))) {
        // The largest size of the picture's proportions that fits.
        if (static_cast<int64_t>(w) * ph <= static_cast<int64_t>(h) * pw) {
            ph = static_cast<int>(static_cast<int64_t>(ph) * w / std::max(pw, 1));
            pw = w;
        } else {
            pw = static_cast<int>(static_cast<int64_t>(pw) * h / std::max(ph, 1));
            ph = h;
        }
    }
    const int left = c.Center ? (w - pw) / 2 : 0;
    const int top = c.Center ? (h - ph) / 2 : 0;
    return RECT{area.left + left, area.top + top, area.left + left + pw, area.top + top + ph};
}

void PaintPicture(HDC dc, const RECT& area, const DrawnControl& c) {
    if (c.Color) FillArea(dc, area, *c.Color);
    if (!c.Picture.Empty()) DrawBitmap32(dc, c.Picture, PictureTarget(area, c));
}

const Bitmap32& FaceOf(const DrawnControl& c, bool enabled) {
    const ButtonFaces& faces = c.Faces;
    if (!enabled && !faces.Disabled.Empty()) return faces.Disabled;
    if ((c.Pressed || c.Down) && !faces.Down.Empty()) return faces.Down;
    if (c.Hover && !faces.Over.Empty()) return faces.Over;
    return faces.Up;
}

void PaintJetButton(HDC dc, const RECT& area, const DrawnControl& c, bool enabled) {
    const Bitmap32& face = FaceOf(c, enabled);
    if (!face.Empty()) {
        const COLORREF transparent = c.TransparentColor.value_or(
            ColorRefOf(c.Faces.Up.Empty() ? face.Pixel(0, face.Height() - 1)
                                          : c.Faces.Up.Pixel(0, c.Faces.Up.Height() - 1)));
        DrawBitmap32Transparent(dc, face, RECT{0, 0, face.Width(), face.Height()}, transparent);
    }
    DrawCaption(dc, c, area, DT_CENTER);
}

void PaintPictureButton(HDC dc, const RECT& area, const DrawnControl& c, bool enabled) {
    const Bitmap32& face = FaceOf(c, enabled);
    if (face.Empty()) {
        RECT frame = area;
        UINT state = DFCS_BUTTONPUSH;
        if (c.Pressed || c.Down) state |= DFCS_PUSHED;
        if (!enabled) state |= DFCS_INACTIVE;
        DrawFrameControl(dc, &frame, DFC_BUTTON, state);
        DrawCaption(dc, c, area, DT_CENTER);
        return;
    }
    DrawBitmap32(dc, face, area);
    if (c.ShowCaption) DrawCaption(dc, c, area, DT_CENTER);
}

}  // namespace

COLORREF ColorRefOf(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

uint32_t PixelOf(COLORREF color) {
    return (static_cast<uint32_t>(GetRValue(color)) << 16) |
           (static_cast<uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
}

void DrawBitmap32(HDC dc, const Bitmap32& picture, const RECT& target) {
    if (picture.Empty()) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = -picture.Height();  // row 0 at the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int w = target.right - target.left;
    const int h = target.bottom - target.top;
    if (w == picture.Width() && h == picture.Height()) {
        SetDIBitsToDevice(dc, target.left, target.top, static_cast<DWORD>(w),
                          static_cast<DWORD>(h), 0, 0, 0, static_cast<UINT>(h), picture.Data(),
                          &info, DIB_RGB_COLORS);
        return;
    }
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, target.left, target.top, w, h, 0, 0, picture.Width(), picture.Height(),
                  picture.Data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

void DrawBitmap32Transparent(HDC dc, const Bitmap32& picture, const RECT& target,
                             COLORREF transparent) {
    if (picture.Empty()) return;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, picture.Width(), picture.Height());
    HGDIOBJ old = SelectObject(memory, bitmap);
    DrawBitmap32(memory, picture, RECT{0, 0, picture.Width(), picture.Height()});
    GdiTransparentBlt(dc, target.left, target.top, target.right - target.left,
                      target.bottom - target.top, memory, 0, 0, picture.Width(),
                      picture.Height(), transparent);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void PaintDrawnControl(HDC dc, const RECT& area, const DrawnControl& control, bool enabled) {
    switch (control.Class) {
        case ComponentClass::Bevel:
            return PaintBevel(dc, area, control);
        case ComponentClass::Shape:
        case ComponentClass::ClickableShape:
            return PaintShape(dc, area, control);
        case ComponentClass::Image:
        case ComponentClass::Preview:
            return PaintPicture(dc, area, control);
        case ComponentClass::JetButton:
            return PaintJetButton(dc, area, control, enabled);
        case ComponentClass::PictureButton:
            return PaintPictureButton(dc, area, control, enabled);
        case ComponentClass::Panel:
            return PaintPanel(dc, area, control);
        default:
            // Pages and nested windows are bare containers in their colour.
            return FillArea(dc, area, control.Color.value_or(GetSysColor(COLOR_BTNFACE)));
    }
}

}  // namespace lv
