#include <windows.h>

#include "common/ascii_case.h"
#include "common/error.h"
#include "gui/forms/named_constants.h"
#include "gui/forms/picture_data.h"
#include "gui/win32/controls/drawn_control.h"
#include "gui/win32/controls/thumbnail_grid.h"
#include "gui/win32/forms/win32_class_table.h"
#include "gui/win32/forms/win32_component_properties.h"
#include "gui/win32/forms/win32_component_state.h"
#include "gui/win32/forms/win32_form_values.h"

// Property tables of the picture box (and the preview, which is one) and of the system's own
// controls.
namespace lv {
namespace {

using State = Win32ComponentState;
using Value = PropertyValue;

// The source named in errors is the property; the builder adds the file and line.
Bitmap32 StoredPicture(const Value& v) {
    if (v.Kind != ValueKind::Binary) throw Error("expected picture data in braces");
    return DecodeStoredPicture(DecodePictureData(v.Text, "picture"), "picture");
}

Bitmap32 StoredBitmap(const Value& v) {
    if (v.Kind != ValueKind::Binary) throw Error("expected bitmap data in braces");
    return DecodeBitmapProperty(v.Text, "bitmap");
}

void Resize(HWND window, int width, int height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const Win32PropertyEntry ImageLines[] = {
    {"Picture.Data", [](State& s, const Value& v) { s.Drawn().Picture = StoredPicture(v); }},
    {"Stretch", [](State& s, const Value& v) { s.Drawn().Stretch = Win32BoolValue(v); }},
    {"Center", [](State& s, const Value& v) { s.Drawn().Center = Win32BoolValue(v); }},
    {"Proportional", [](State& s, const Value& v) { s.Drawn().Proportional = Win32BoolValue(v); }},
    {"AutoSize", [](State& s, const Value& v) {
         // A picture box sizes itself to its picture only when asked to.
         const Bitmap32& picture = s.Drawn().Picture;
         if (Win32BoolValue(v) && !picture.Empty())
             Resize(s.Window, picture.Width(), picture.Height());
     }},
};

const Win32PropertyEntry PictureButtonLines[] = {
    {"Caption", [](State& s, const Value& v) { s.Drawn().Caption = Win32TextValue(v); }},
    {"ShowCaption", [](State& s, const Value& v) { s.Drawn().ShowCaption = Win32BoolValue(v); }},
    {"AutoSize", [](State& s, const Value& v) { s.AutoSize = Win32BoolValue(v); }},
    {"AllowDown", [](State& s, const Value& v) {
         DrawnControl& button = s.Drawn();
         button.AllowDown = Win32BoolValue(v);
         if (!button.AllowDown) button.Down = false;
     }},
    {"Down", [](State& s, const Value& v) {
         // Down can only be set while AllowDown is on.
         DrawnControl& button = s.Drawn();
         button.Down = button.AllowDown && Win32BoolValue(v);
     }},
    {"ButtonUp.Data", [](State& s, const Value& v) { s.Drawn().Faces.Up = StoredPicture(v); }},
    {"ButtonDown.Data", [](State& s, const Value& v) { s.Drawn().Faces.Down = StoredPicture(v); }},
    {"ButtonOver.Data", [](State& s, const Value& v) { s.Drawn().Faces.Over = StoredPicture(v); }},
    {"ButtonDisable.Data",
     [](State& s, const Value& v) { s.Drawn().Faces.Disabled = StoredPicture(v); }},
};

constexpr std::string_view PicSeriesEntries[] = {"Up", "Down", "Disabled", "Over"};

// Entries separated by ';', each one of PicSeriesEntries (blanks and letter case ignored).
void CheckPicSeries(const std::string& series) {
    size_t start = 0;
    while (start <= series.size()) {
        const size_t end = std::min(series.find(';', start), series.size());
        std::string entry = series.substr(start, end - start);
        const auto first = entry.find_first_not_of(" \t");
        const auto last = entry.find_last_not_of(" \t");
        entry = first == std::string::npos ? "" : entry.substr(first, last - first + 1);
        bool known = entry.empty() && series.empty();
        for (const auto name : PicSeriesEntries) known = known || EqualsIgnoreCase(entry, name);
        if (!known) throw Error("expected Up, Down, Disabled or Over, found '" + entry + "'");
        start = end + 1;
    }
}

const Win32PropertyEntry JetButtonLines[] = {
    {"Caption", [](State& s, const Value& v) { s.Drawn().Caption = Win32TextValue(v); }},
    {"BitmapUp.Data", [](State& s, const Value& v) {
         // The up face gives the button its size.
         DrawnControl& button = s.Drawn();
         button.Faces.Up = StoredBitmap(v);
         if (!button.Faces.Up.Empty())
             Resize(s.Window, button.Faces.Up.Width(), button.Faces.Up.Height());
     }},
    {"BitmapDown.Data", [](State& s, const Value& v) { s.Drawn().Faces.Down = StoredBitmap(v); }},
    {"BitmapOver.Data", [](State& s, const Value& v) { s.Drawn().Faces.Over = StoredBitmap(v); }},
    {"BitmapDisabled.Data",
     [](State& s, const Value& v) { s.Drawn().Faces.Disabled = StoredBitmap(v); }},
    {"TransparentColor",
     [](State& s, const Value& v) { s.Drawn().TransparentColor = Win32ColorValue(v); }},
    {"PicSeries", [](State&, const Value& v) { CheckPicSeries(Win32TextValue(v)); }},
};

struct ScrollBars {
    bool Horizontal;
    bool Vertical;
};

constexpr NamedConstant<ScrollBars> ScrollBarNames[] = {{"ssNone", {false, false}},
                                                        {"ssHorizontal", {true, false}},
                                                        {"ssVertical", {false, true}},
                                                        {"ssBoth", {true, true}}};

// CR LF, a lone CR and a lone LF each end a line; a text box wants CR LF.
std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

const Win32PropertyEntry MemoLines[] = {
    {"Text", [](State& s, const Value& v) {
         SetWindowTextA(s.Window, WithCrLf(Win32TextValue(v)).c_str());
     }},
    {"Lines.Strings", [](State& s, const Value& v) {
         SetWindowTextA(s.Window, WithCrLf(Win32StringListValue(v)).c_str());
     }},
    {"ReadOnly", [](State& s, const Value& v) {
         SendMessageA(s.Window, EM_SETREADONLY, Win32BoolValue(v), 0);
     }},
    {"ScrollBars", [](State& s, const Value& v) {
         const ScrollBars bars = NamedConstantValue(v, ScrollBarNames);
         ShowScrollBar(s.Window, SB_HORZ, bars.Horizontal);
         ShowScrollBar(s.Window, SB_VERT, bars.Vertical);
     }},
};

const Win32PropertyEntry ThumbnailGridLines[] = {
    {"PictureWidth", [](State& s, const Value& v) { s.Grid().PictureWidth = Win32IntValue(v, 1, 4096); }},
    {"PictureHeight",
     [](State& s, const Value& v) { s.Grid().PictureHeight = Win32IntValue(v, 1, 4096); }},
    {"ShowCheckBox", [](State& s, const Value& v) { s.Grid().ShowCheckBox = Win32BoolValue(v); }},
    {"ShowTitle", [](State& s, const Value& v) { s.Grid().ShowTitle = Win32BoolValue(v); }},
    {"MultiRows", [](State& s, const Value& v) { s.Grid().MultiRows = Win32BoolValue(v); }},
};

}  // namespace

std::span<const Win32PropertyEntry> Win32ImageProperties() { return ImageLines; }
std::span<const Win32PropertyEntry> Win32PictureButtonProperties() { return PictureButtonLines; }
std::span<const Win32PropertyEntry> Win32JetButtonProperties() { return JetButtonLines; }
std::span<const Win32PropertyEntry> Win32MemoProperties() { return MemoLines; }
std::span<const Win32PropertyEntry> Win32ThumbnailGridProperties() { return ThumbnailGridLines; }

}  // namespace lv
