#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/bitmap32.h"
#include "gui/forms/component_classes.h"

namespace lv {

enum class PanelBevel { None, Lowered, Raised, Space };
enum class BevelLine { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
enum class ShapeOutline { Rectangle, Square, RoundRect, RoundSquare, Ellipse, Circle };

// The faces of a picture button: up, pressed, under the mouse, disabled. Empty faces fall back
// to the up face (or, for a TMyButton without any, to a system push button).
struct ButtonFaces {
    Bitmap32 Up;
    Bitmap32 Down;
    Bitmap32 Over;
    Bitmap32 Disabled;
};

// What one owner-drawn component shows: the panels, shapes, bevels, pictures, previews, tab
// pages and picture buttons. Each class reads the fields it has; the window procedure keeps the
// mouse state.
struct DrawnControl {
    ComponentClass Class = ComponentClass::Panel;
    std::string Caption;
    std::optional<COLORREF> Color;  // the background; none: the dialog face colour or nothing
    COLORREF TextColor = GetSysColor(COLOR_BTNTEXT);
    HFONT Font = nullptr;      // owned by the form window
    HCURSOR Cursor = nullptr;  // none: the arrow

    PanelBevel BevelOuter = PanelBevel::Raised;
    PanelBevel BevelInner = PanelBevel::None;
    int BevelWidth = 1;
    int BorderWidth = 0;
    UINT CaptionAlignment = DT_CENTER;

    ShapeOutline Shape = ShapeOutline::Rectangle;
    COLORREF BrushColor = RGB(255, 255, 255);
    bool BrushClear = false;
    COLORREF PenColor = RGB(0, 0, 0);
    int PenWidth = 1;
    bool PenClear = false;

    BevelLine Bevel = BevelLine::Box;
    bool Raised = false;

    Bitmap32 Picture;
    bool Stretch = false;
    bool Center = false;
    bool Proportional = false;

    ButtonFaces Faces;
    // A jet button's pixels of this colour are not part of it: they are not drawn, and a click
    // on them does nothing. nullopt: the bottom-left pixel of the up face.
    std::optional<COLORREF> TransparentColor;
    bool ShowCaption = false;
    bool AllowDown = false;
    bool Down = false;

    bool Hover = false;
    bool Pressed = false;
};

// The window class of every owner-drawn component. A completed left click reaches the parent as
// WM_COMMAND with BN_CLICKED and the control's id. Containers among them (panels, tab pages)
// pass the notifications of their children on to the top-level window.
inline constexpr const char* DrawnControlClassName = "LvDrawnControl";

// Registers the class once per process.
void RegisterDrawnControlClass();

// Makes the control; the window owns `control` from then on and frees it when destroyed.
HWND CreateDrawnControl(HWND parent, int id, DrawnControl* control);

// The state of a control made by CreateDrawnControl; nullptr for any other window.
DrawnControl* DrawnControlOf(HWND window);

// Whether the point (client coordinates) is on a jet button's shape: outside its transparent
// colour. Every point is on any other control.
bool IsOnDrawnControl(const DrawnControl& control, int x, int y);

// Messages a container forwards to the top-level window: commands, notifications, colour
// requests of standard controls.
bool IsForwardedToTopLevel(UINT message);

}  // namespace lv
