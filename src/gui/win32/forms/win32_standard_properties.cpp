#include <windows.h>

#include <commctrl.h>

#include "common/ascii_case.h"
#include "gui/forms/named_constants.h"
#include "gui/win32/controls/drawn_control.h"
#include "gui/win32/forms/win32_class_table.h"
#include "gui/win32/forms/win32_component_state.h"
#include "gui/win32/forms/win32_form_values.h"

// Property tables of the standard classes: text, buttons, containers and shapes.
namespace lv {
namespace {

using State = Win32ComponentState;
using Value = PropertyValue;

void ChangeStyle(HWND window, LONG remove, LONG add) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, (style & ~remove) | add);
    InvalidateRect(window, nullptr, TRUE);
}

void SetCaption(State& s, const Value& v) {
    s.Caption = Win32TextValue(v);
    SetWindowTextA(s.Window, s.Caption.c_str());
}

constexpr NamedConstant<UINT> StaticAlignments[] = {
    {"taLeftJustify", SS_LEFT}, {"taRightJustify", SS_RIGHT}, {"taCenter", SS_CENTER}};

constexpr NamedConstant<UINT> DrawAlignments[] = {
    {"taLeftJustify", DT_LEFT}, {"taRightJustify", DT_RIGHT}, {"taCenter", DT_CENTER}};

const Win32PropertyEntry LabelLines[] = {
    {"Caption", SetCaption},
    {"Alignment", [](State& s, const Value& v) {
         s.TextAlignment = NamedConstantValue(v, StaticAlignments);
     }},
    {"AutoSize", [](State& s, const Value& v) { s.AutoSize = Win32BoolValue(v); }},
    {"WordWrap", [](State& s, const Value& v) { s.WordWrap = Win32BoolValue(v); }},
    {"Transparent", [](State& s, const Value& v) { s.Transparent = Win32BoolValue(v); }},
};

const Win32PropertyEntry EditLines[] = {
    {"Text", [](State& s, const Value& v) { SetWindowTextA(s.Window, Win32TextValue(v).c_str()); }},
    {"ReadOnly", [](State& s, const Value& v) {
         SendMessageA(s.Window, EM_SETREADONLY, Win32BoolValue(v), 0);
     }},
    {"MaxLength", [](State& s, const Value& v) {
         SendMessageA(s.Window, EM_LIMITTEXT, static_cast<WPARAM>(Win32IntValue(v, 0, 1 << 30)), 0);
     }},
    {"PasswordChar", [](State& s, const Value& v) {
         const std::string& c = Win32TextValue(v);
         SendMessageA(s.Window, EM_SETPASSWORDCHAR, c.empty() || c[0] == '\0' ? 0 : '*', 0);
     }},
};

const Win32PropertyEntry ButtonLines[] = {
    {"Caption", SetCaption},
    {"Default", [](State& s, const Value& v) {
         if (Win32BoolValue(v)) ChangeStyle(s.Window, BS_PUSHBUTTON, BS_DEFPUSHBUTTON);
     }},
};

constexpr NamedConstant<WPARAM> CheckStates[] = {
    {"cbUnchecked", BST_UNCHECKED}, {"cbChecked", BST_CHECKED}, {"cbGrayed", BST_INDETERMINATE}};

const Win32PropertyEntry CheckBoxLines[] = {
    {"Caption", SetCaption},
    {"Checked", [](State& s, const Value& v) {
         SendMessageA(s.Window, BM_SETCHECK, Win32BoolValue(v) ? BST_CHECKED : BST_UNCHECKED, 0);
     }},
    {"AllowGrayed", [](State& s, const Value& v) {
         if (Win32BoolValue(v)) ChangeStyle(s.Window, BS_AUTOCHECKBOX, BS_AUTO3STATE);
     }},
    {"State", [](State& s, const Value& v) {
         const WPARAM state = NamedConstantValue(v, CheckStates);
         if (state == BST_INDETERMINATE) ChangeStyle(s.Window, BS_AUTOCHECKBOX, BS_AUTO3STATE);
         SendMessageA(s.Window, BM_SETCHECK, state, 0);
     }},
};

constexpr NamedConstant<PanelBevel> PanelBevels[] = {{"bvNone", PanelBevel::None},
                                                     {"bvLowered", PanelBevel::Lowered},
                                                     {"bvRaised", PanelBevel::Raised},
                                                     {"bvSpace", PanelBevel::Space}};

const Win32PropertyEntry PanelLines[] = {
    {"Caption", [](State& s, const Value& v) { s.Drawn().Caption = Win32TextValue(v); }},
    {"BevelOuter", [](State& s, const Value& v) {
         s.Drawn().BevelOuter = NamedConstantValue(v, PanelBevels);
     }},
    {"BevelInner", [](State& s, const Value& v) {
         s.Drawn().BevelInner = NamedConstantValue(v, PanelBevels);
     }},
    {"BevelWidth", [](State& s, const Value& v) { s.Drawn().BevelWidth = Win32IntValue(v, 1, 1000); }},
    {"BorderWidth", [](State& s, const Value& v) {
         s.Drawn().BorderWidth = Win32IntValue(v, 0, 1000);
     }},
    {"Alignment", [](State& s, const Value& v) {
         s.Drawn().CaptionAlignment = NamedConstantValue(v, DrawAlignments);
     }},
};

constexpr NamedConstant<ShapeOutline> ShapeOutlines[] = {
    {"stRectangle", ShapeOutline::Rectangle}, {"stSquare", ShapeOutline::Square},
    {"stRoundRect", ShapeOutline::RoundRect}, {"stRoundSquare", ShapeOutline::RoundSquare},
    {"stEllipse", ShapeOutline::Ellipse},     {"stCircle", ShapeOutline::Circle}};

const Win32PropertyEntry ShapeLines[] = {
    {"Shape", [](State& s, const Value& v) { s.Drawn().Shape = NamedConstantValue(v, ShapeOutlines); }},
    {"Brush.Color", [](State& s, const Value& v) {
         const auto color = Win32ColorValue(v);
         s.Drawn().BrushClear = !color;
         if (color) s.Drawn().BrushColor = *color;
     }},
    {"Brush.Style", [](State& s, const Value& v) {
         s.Drawn().BrushClear = EqualsIgnoreCase(Win32IdentifierValue(v, "a brush style"), "bsClear");
     }},
    {"Pen.Color", [](State& s, const Value& v) {
         if (const auto color = Win32ColorValue(v)) s.Drawn().PenColor = *color;
     }},
    {"Pen.Width", [](State& s, const Value& v) { s.Drawn().PenWidth = Win32IntValue(v, 0, 1000); }},
    {"Pen.Style", [](State& s, const Value& v) {
         s.Drawn().PenClear = EqualsIgnoreCase(Win32IdentifierValue(v, "a pen style"), "psClear");
     }},
};

constexpr NamedConstant<BevelLine> BevelLines[] = {
    {"bsBox", BevelLine::Box},           {"bsFrame", BevelLine::Frame},
    {"bsTopLine", BevelLine::TopLine},   {"bsBottomLine", BevelLine::BottomLine},
    {"bsLeftLine", BevelLine::LeftLine}, {"bsRightLine", BevelLine::RightLine},
    {"bsSpacer", BevelLine::Spacer}};

constexpr NamedConstant<bool> BevelStyles[] = {{"bsLowered", false}, {"bsRaised", true}};

const Win32PropertyEntry BevelTable[] = {
    {"Shape", [](State& s, const Value& v) { s.Drawn().Bevel = NamedConstantValue(v, BevelLines); }},
    {"Style", [](State& s, const Value& v) { s.Drawn().Raised = NamedConstantValue(v, BevelStyles); }},
};

const Win32PropertyEntry PageControlLines[] = {
    {"ActivePage", [](State& s, const Value& v) {
         s.ActivePage = Win32IdentifierValue(v, "the name of a page");
         s.ActivePageLine = v.Line;
     }},
};

// A page's tab is the item at the page's place among its control's pages.
const Win32PropertyEntry TabSheetLines[] = {
    {"Caption", [](State& s, const Value& v) {
         s.Caption = Win32TextValue(v);
         s.Drawn().Caption = s.Caption;
         HWND tabs = GetParent(s.Window);
         const int index = s.Form->PageIndexOf(tabs, s.Window);
         if (index < 0) return;
         TCITEMA item{};
         item.mask = TCIF_TEXT;
         item.pszText = s.Caption.data();
         SendMessageA(tabs, TCM_SETITEMA, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item));
     }},
};

}  // namespace

std::span<const Win32PropertyEntry> Win32LabelProperties() { return LabelLines; }
std::span<const Win32PropertyEntry> Win32EditProperties() { return EditLines; }
std::span<const Win32PropertyEntry> Win32ButtonProperties() { return ButtonLines; }
std::span<const Win32PropertyEntry> Win32CheckBoxProperties() { return CheckBoxLines; }
std::span<const Win32PropertyEntry> Win32PanelProperties() { return PanelLines; }
std::span<const Win32PropertyEntry> Win32ShapeProperties() { return ShapeLines; }
std::span<const Win32PropertyEntry> Win32BevelProperties() { return BevelTable; }
std::span<const Win32PropertyEntry> Win32PageControlProperties() { return PageControlLines; }
std::span<const Win32PropertyEntry> Win32TabSheetProperties() { return TabSheetLines; }

}  // namespace lv
