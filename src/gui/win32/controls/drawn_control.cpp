#include "gui/win32/controls/drawn_control.h"

#include <windowsx.h>

#include "gui/win32/controls/drawn_painting.h"

namespace lv {
namespace {

void Repaint(HWND window) { InvalidateRect(window, nullptr, FALSE); }

void ReportClick(HWND window) {
    SendMessageA(GetParent(window), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(window)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
}

void TrackLeave(HWND window) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    TrackMouseEvent(&track);
}

void Paint(HWND window, const DrawnControl& control) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    // Drawn off screen first, so hovering over a picture button does not flicker.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP canvas = CreateCompatibleBitmap(dc, area.right, area.bottom);
    HGDIOBJ old = SelectObject(memory, canvas);
    // Parts a control leaves unpainted show what its parent shows.
    HWND parent = GetParent(window);
    POINT origin{0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    SetWindowOrgEx(memory, origin.x, origin.y, nullptr);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    SetWindowOrgEx(memory, 0, 0, nullptr);
    PaintDrawnControl(memory, area, control, IsWindowEnabled(window) != FALSE);
    BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

bool IsButtonClass(ComponentClass c) {
    return c == ComponentClass::JetButton || c == ComponentClass::PictureButton;
}

LRESULT CALLBACK DrawnControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    DrawnControl* control = DrawnControlOf(window);
    if (!control) return DefWindowProcA(window, message, wParam, lParam);
    if (IsForwardedToTopLevel(message)) {
        HWND top = GetAncestor(window, GA_ROOT);
        if (top && top != window) return SendMessageA(top, message, wParam, lParam);
    }
    switch (message) {
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete control;
            return 0;
        case WM_ERASEBKGND: {
            // Children that paint through their parent's background (see Paint) ask here.
            if (control->Color || control->Class == ComponentClass::Panel ||
                control->Class == ComponentClass::TabSheet ||
                control->Class == ComponentClass::Form ||
                control->Class == ComponentClass::ConfigWindow) {
                RECT area;
                GetClientRect(window, &area);
                HBRUSH brush = CreateSolidBrush(control->Color.value_or(GetSysColor(COLOR_BTNFACE)));
                FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
                DeleteObject(brush);
                return 1;
            }
            return SendMessageA(GetParent(window), WM_ERASEBKGND, wParam, 0);
        }
        case WM_PAINT:
            Paint(window, *control);
            return 0;
        case WM_SETCURSOR:
            if (control->Cursor && LOWORD(lParam) == HTCLIENT) {
                SetCursor(control->Cursor);
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            if (!IsOnDrawnControl(*control, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) return 0;
            control->Pressed = true;
            SetCapture(window);
            Repaint(window);
            return 0;
        case WM_MOUSEMOVE: {
            const bool over =
                IsOnDrawnControl(*control, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            if (over != control->Hover) {
                control->Hover = over;
                if (over) TrackLeave(window);
                if (IsButtonClass(control->Class)) Repaint(window);
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            control->Hover = false;
            if (IsButtonClass(control->Class)) Repaint(window);
            return 0;
        case WM_LBUTTONUP: {
            if (!control->Pressed) return 0;
            control->Pressed = false;
            ReleaseCapture();
            RECT area;
            GetClientRect(window, &area);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const bool inside = PtInRect(&area, at) && IsOnDrawnControl(*control, at.x, at.y);
            if (inside && control->AllowDown) control->Down = !control->Down;
            Repaint(window);
            if (inside) ReportClick(window);
            return 0;
        }
        case WM_CAPTURECHANGED:
            control->Pressed = false;
            Repaint(window);
            return 0;
        case WM_ENABLE:
            Repaint(window);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool IsForwardedToTopLevel(UINT message) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_HSCROLL:
            return true;
        default:
            return false;
    }
}

void RegisterDrawnControlClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = DrawnControlProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = DrawnControlClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

HWND CreateDrawnControl(HWND parent, int id, DrawnControl* control) {
    RegisterDrawnControlClass();
    HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, DrawnControlClassName, "",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0,
                                  0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), control);
    if (!window) delete control;
    return window;
}

DrawnControl* DrawnControlOf(HWND window) {
    char name[32] = {};
    if (!window || !GetClassNameA(window, name, sizeof(name)) ||
        lstrcmpA(name, DrawnControlClassName) != 0)
        return nullptr;
    return reinterpret_cast<DrawnControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool IsOnDrawnControl(const DrawnControl& control, int x, int y) {
    if (control.Class != ComponentClass::JetButton) return true;
    const Bitmap32& up = control.Faces.Up;
    if (up.Empty() || x < 0 || y < 0 || x >= up.Width() || y >= up.Height()) return up.Empty();
    const COLORREF transparent =
        control.TransparentColor.value_or(ColorRefOf(up.Pixel(0, up.Height() - 1)));
    return ColorRefOf(up.Pixel(x, y)) != transparent;
}

}  // namespace lv
