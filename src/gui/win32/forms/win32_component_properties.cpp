#include "gui/win32/forms/win32_component_properties.h"

#include <algorithm>

#include "common/ascii_case.h"
#include "common/error.h"
#include "gui/forms/named_constants.h"
#include "gui/win32/controls/drawn_control.h"
#include "gui/win32/controls/thumbnail_grid.h"
#include "gui/win32/forms/win32_class_table.h"
#include "gui/win32/forms/win32_form_values.h"

// The lines every component has, the class tables applied through them, and what a component
// settles after its last line.
namespace lv {

DrawnControl& Win32ComponentState::Drawn() {
    if (DrawnControl* control = DrawnControlOf(Window)) return *control;
    throw Error("the control is not drawn by the front end");
}

ThumbnailGrid& Win32ComponentState::Grid() {
    if (ThumbnailGrid* grid = ThumbnailGridOf(Window)) return *grid;
    throw Error("the control is not a thumbnail list");
}

RECT PlaceOf(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::string WindowTextOf(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

namespace {

void Move(HWND window, int left, int top, int width, int height) {
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetLeft(Win32ComponentState& s, const PropertyValue& v) {
    const RECT r = PlaceOf(s.Window);
    Move(s.Window, Win32IntValue(v, -MaxWin32Coordinate, MaxWin32Coordinate), r.top,
         r.right - r.left, r.bottom - r.top);
}

void SetTop(Win32ComponentState& s, const PropertyValue& v) {
    const RECT r = PlaceOf(s.Window);
    Move(s.Window, r.left, Win32IntValue(v, -MaxWin32Coordinate, MaxWin32Coordinate),
         r.right - r.left, r.bottom - r.top);
}

void SetWidth(Win32ComponentState& s, const PropertyValue& v) {
    const RECT r = PlaceOf(s.Window);
    Move(s.Window, r.left, r.top, Win32IntValue(v, 0, MaxWin32Coordinate), r.bottom - r.top);
}

void SetHeight(Win32ComponentState& s, const PropertyValue& v) {
    const RECT r = PlaceOf(s.Window);
    Move(s.Window, r.left, r.top, r.right - r.left, Win32IntValue(v, 0, MaxWin32Coordinate));
}

constexpr NamedConstant<Win32Align> AlignModes[] = {
    {"alNone", Win32Align::None},  {"alTop", Win32Align::Top},     {"alBottom", Win32Align::Bottom},
    {"alLeft", Win32Align::Left},  {"alRight", Win32Align::Right}, {"alClient", Win32Align::Client},
    {"alCustom", Win32Align::None}};

// The form text's cursors that have a system cursor; the others leave the arrow.
const NamedConstant<LPCSTR> Cursors[] = {
    {"crDefault", IDC_ARROW},   {"crArrow", IDC_ARROW},     {"crCross", IDC_CROSS},
    {"crIBeam", IDC_IBEAM},     {"crSizeNESW", IDC_SIZENESW}, {"crSizeNS", IDC_SIZENS},
    {"crSizeNWSE", IDC_SIZENWSE}, {"crSizeWE", IDC_SIZEWE}, {"crUpArrow", IDC_UPARROW},
    {"crHourGlass", IDC_WAIT},  {"crNo", IDC_NO},           {"crAppStart", IDC_APPSTARTING},
    {"crHelp", IDC_HELP},       {"crHandPoint", IDC_HAND},  {"crSizeAll", IDC_SIZEALL}};

void SetCursor(Win32ComponentState& s, const PropertyValue& v) {
    LPCSTR shape = IDC_ARROW;
    if (v.Kind == ValueKind::Identifier) {
        if (const auto found = FindNamedConstant(Cursors, v.Text)) shape = *found;
    } else if (v.Kind == ValueKind::Integer && v.Integer == -21) {
        shape = IDC_HAND;
    }
    // Only the front end's own controls set their cursor; standard ones keep the system's.
    if (DrawnControl* drawn = DrawnControlOf(s.Window)) drawn->Cursor = LoadCursorA(nullptr, shape);
}

void SetColor(Win32ComponentState& s, const PropertyValue& v) {
    const auto color = Win32ColorValue(v);
    s.Colors.Background = color;
    if (DrawnControl* drawn = DrawnControlOf(s.Window)) drawn->Color = color;
    if (ThumbnailGrid* grid = ThumbnailGridOf(s.Window); grid && color) grid->Color = *color;
}

constexpr NamedConstant<int> FontStyles[] = {
    {"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}};

void SetFontStyle(Win32ComponentState& s, const PropertyValue& v) {
    if (v.Kind != ValueKind::Set) throw Error("expected a set of font styles");
    LOGFONTA& font = s.Font;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = font.lfUnderline = font.lfStrikeOut = FALSE;
    for (const auto& style : v.Set) {
        switch (NamedConstantOf(FontStyles, style)) {
            case 0:
                font.lfWeight = FW_BOLD;
                break;
            case 1:
                font.lfItalic = TRUE;
                break;
            case 2:
                font.lfUnderline = TRUE;
                break;
            default:
                font.lfStrikeOut = TRUE;
                break;
        }
    }
    s.FontChanged = true;
}

const Win32PropertyEntry CommonLines[] = {
    {"Tag", [](Win32ComponentState& s, const PropertyValue& v) {
         s.Component->Tag = Win32IntegerValue(v);
     }},
    {"Left", SetLeft},
    {"Top", SetTop},
    {"Width", SetWidth},
    {"Height", SetHeight},
    {"Visible", [](Win32ComponentState& s, const PropertyValue& v) {
         ShowWindow(s.Window, Win32BoolValue(v) ? SW_SHOWNA : SW_HIDE);
     }},
    {"Enabled", [](Win32ComponentState& s, const PropertyValue& v) {
         EnableWindow(s.Window, Win32BoolValue(v));
     }},
    {"Cursor", SetCursor},
    {"Align", [](Win32ComponentState& s, const PropertyValue& v) {
         s.Component->Align = NamedConstantValue(v, AlignModes);
     }},
    {"Color", SetColor},
    {"ParentColor", [](Win32ComponentState& s, const PropertyValue& v) {
         if (!Win32BoolValue(v)) return;
         s.Colors.Background.reset();
         if (DrawnControl* drawn = DrawnControlOf(s.Window)) drawn->Color.reset();
     }},
    {"Font.Name", [](Win32ComponentState& s, const PropertyValue& v) {
         const std::string& name = Win32TextValue(v);
         lstrcpynA(s.Font.lfFaceName, name.c_str(), LF_FACESIZE);
         s.FontChanged = true;
     }},
    {"Font.Height", [](Win32ComponentState& s, const PropertyValue& v) {
         const int height = Win32IntValue(v, -1000, 1000);
         if (height != 0) s.Font.lfHeight = height;
         s.FontChanged = true;
     }},
    {"Font.Size", [](Win32ComponentState& s, const PropertyValue& v) {
         const int size = Win32IntValue(v, -1000, 1000);
         // Points at the 96 pixels per inch the forms were laid out for.
         if (size > 0) s.Font.lfHeight = -MulDiv(size, 96, 72);
         if (size < 0) s.Font.lfHeight = size;
         s.FontChanged = true;
     }},
    {"Font.Style", SetFontStyle},
    {"Font.Color", [](Win32ComponentState& s, const PropertyValue& v) {
         s.Colors.Text = Win32ColorValue(v);
         if (!s.Colors.Text) return;
         if (DrawnControl* drawn = DrawnControlOf(s.Window)) drawn->TextColor = *s.Colors.Text;
         if (ThumbnailGrid* grid = ThumbnailGridOf(s.Window)) grid->TextColor = *s.Colors.Text;
     }},
};

bool IsTagColorOrFontLine(std::string_view path) {
    return EqualsIgnoreCase(path, "Tag") || EqualsIgnoreCase(path, "Color") ||
           (path.size() > 5 && EqualsIgnoreCase(path.substr(0, 5), "Font."));
}

Win32Setter FindSetter(std::span<const Win32PropertyEntry> table, std::string_view path) {
    for (const auto& entry : table)
        if (EqualsIgnoreCase(entry.Path, path)) return entry.Apply;
    return nullptr;
}

void FitLabel(Win32ComponentState& s, HFONT font) {
    if (!s.AutoSize.value_or(true) || s.Caption.empty()) return;
    const std::string text = WithoutAcceleratorMarks(s.Caption);
    RECT place = PlaceOf(s.Window);
    RECT measured{0, 0, place.right - place.left, 0};
    HDC dc = GetDC(s.Window);
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured,
              DT_CALCRECT | DT_NOPREFIX | (s.WordWrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(s.Window, dc);
    if (s.WordWrap) {
        Move(s.Window, place.left, place.top, place.right - place.left, measured.bottom);
        return;
    }
    // A right-aligned label grows to the left, keeping its right edge.
    const int left = s.TextAlignment == SS_RIGHT ? place.right - measured.right : place.left;
    Move(s.Window, left, place.top, measured.right, measured.bottom);
}

void FitPictureButton(Win32ComponentState& s) {
    const Bitmap32& up = s.Drawn().Faces.Up;
    if (!s.AutoSize.value_or(true) || up.Empty()) return;
    const RECT place = PlaceOf(s.Window);
    Move(s.Window, place.left, place.top, up.Width(), up.Height());
}

}  // namespace

std::span<const Win32PropertyEntry> Win32CommonProperties() { return CommonLines; }

void ApplyWin32ComponentProperty(Win32ComponentState& state, const ComponentProperty& property) {
    const Win32ComponentClass& win32Class = Win32ClassOf(state.Class);
    Win32Setter setter = FindSetter(win32Class.Properties, property.Path);
    const bool page = state.Class == ComponentClass::TabSheet;
    if (!setter && (!page || IsTagColorOrFontLine(property.Path)))
        setter = FindSetter(CommonLines, property.Path);
    if (setter) setter(state, property.Value);
}

void FinishWin32Component(Win32ComponentState& state) {
    HFONT font = state.Form->KeepFont(CreateFontIndirectA(&state.Font));
    SendMessageA(state.Window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (DrawnControl* drawn = DrawnControlOf(state.Window)) drawn->Font = font;
    if (ThumbnailGrid* grid = ThumbnailGridOf(state.Window)) grid->Font = font;

    ControlColors colors = state.Colors;
    if (state.Class == ComponentClass::Label) {
        // A coloured label fills its background unless it is transparent.
        if (state.Transparent) colors.Background.reset();
        LONG style = GetWindowLongA(state.Window, GWL_STYLE) & ~0x3FL;
        style |= state.WordWrap || state.TextAlignment != SS_LEFT ? state.TextAlignment
                                                                  : SS_LEFTNOWORDWRAP;
        SetWindowLongA(state.Window, GWL_STYLE, style);
        FitLabel(state, font);
    }
    if (state.Class == ComponentClass::PictureButton) FitPictureButton(state);
    state.Form->SetControlColors(state.Window, colors);
}

void ApplyWin32WindowProperty(Win32ComponentState& window, const ComponentProperty& property,
                              std::string& activeControl) {
    const std::string& path = property.Path;
    const PropertyValue& v = property.Value;
    HWND handle = window.Window;
    RECT client;
    GetClientRect(handle, &client);
    auto resizeClient = [&](int width, int height) {
        RECT frame{0, 0, width, height};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(handle, GWL_EXSTYLE)));
        SetWindowPos(handle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    if (EqualsIgnoreCase(path, "Caption")) {
        SetWindowTextA(handle, Win32TextValue(v).c_str());
    } else if (EqualsIgnoreCase(path, "ClientWidth") || EqualsIgnoreCase(path, "Width")) {
        resizeClient(Win32IntValue(v, 0, MaxWin32Coordinate), client.bottom);
    } else if (EqualsIgnoreCase(path, "ClientHeight") || EqualsIgnoreCase(path, "Height")) {
        resizeClient(client.right, Win32IntValue(v, 0, MaxWin32Coordinate));
    } else if (EqualsIgnoreCase(path, "ActiveControl")) {
        activeControl = Win32IdentifierValue(v, "the name of a component");
    } else if (EqualsIgnoreCase(path, "Visible")) {
        Win32BoolValue(v);  // the window is shown by its owner, never by its description
    } else if (EqualsIgnoreCase(path, "Color")) {
        window.Form->Color = Win32ColorValue(v);
    } else if (IsTagColorOrFontLine(path) && !EqualsIgnoreCase(path, "Tag")) {
        if (Win32Setter setter = FindSetter(CommonLines, path)) {
            // Font lines only change the window's font, which its components start from.
            Win32ComponentState fontOnly = window;
            fontOnly.Window = nullptr;
            setter(fontOnly, v);
            window.Font = fontOnly.Font;
            window.Colors = fontOnly.Colors;
        }
    }
}

}  // namespace lv
