#include "gui/win32/forms/win32_class_table.h"

#include <commctrl.h>

#include <string>

#include "common/error.h"
#include "gui/win32/controls/drawn_control.h"
#include "gui/win32/controls/thumbnail_grid.h"

// The window and the property table of each component class.
namespace lv {
namespace {

using C = ComponentClass;

HMENU IdOf(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

HWND CreateStandard(const char* windowClass, DWORD style, DWORD exStyle, HWND parent, int id) {
    return CreateWindowExA(exStyle, windowClass, "",
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                           IdOf(id), GetModuleHandleA(nullptr), nullptr);
}

HWND CreateEdit(HWND parent, int id) {
    return CreateStandard("EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent, id);
}

HWND CreateMemo(HWND parent, int id) {
    return CreateStandard("EDIT", WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                          WS_EX_CLIENTEDGE, parent, id);
}

// A label reports its clicks; its text does not wrap unless WordWrap asks.
HWND CreateLabel(HWND parent, int id) {
    return CreateStandard("STATIC", SS_NOTIFY | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, parent, id);
}

HWND CreatePushButton(HWND parent, int id) {
    return CreateStandard("BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, parent, id);
}

HWND CreateCheckBox(HWND parent, int id) {
    return CreateStandard("BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, parent, id);
}

HWND CreateTabs(HWND parent, int id) {
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)loaded;
    return CreateStandard(WC_TABCONTROLA, WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                          parent, id);
}

template <ComponentClass Class>
HWND CreateDrawn(HWND parent, int id) {
    auto* control = new DrawnControl;
    control->Class = Class;
    return CreateDrawnControl(parent, id, control);
}

HWND CreateGrid(HWND parent, int id) { return CreateThumbnailGrid(parent, id, new ThumbnailGrid); }

}  // namespace

// Nested windows and tab pages are bare containers drawn by the front end. The property tables
// come from another file, so the table is made on first use rather than at start-up.
std::span<const Win32ComponentClass> Win32ComponentClasses() {
    static const Win32ComponentClass table[] = {
        {C::Form, DrawnControlClassName, CreateDrawn<C::Form>, {}},
        {C::ConfigWindow, DrawnControlClassName, CreateDrawn<C::ConfigWindow>, {}},
        {C::Edit, "EDIT", CreateEdit, Win32EditProperties()},
        {C::Label, "STATIC", CreateLabel, Win32LabelProperties()},
        {C::Button, "BUTTON", CreatePushButton, Win32ButtonProperties()},
        {C::GlyphButton, "BUTTON", CreatePushButton, Win32ButtonProperties()},
        {C::CheckBox, "BUTTON", CreateCheckBox, Win32CheckBoxProperties()},
        {C::Panel, DrawnControlClassName, CreateDrawn<C::Panel>, Win32PanelProperties()},
        {C::Shape, DrawnControlClassName, CreateDrawn<C::Shape>, Win32ShapeProperties()},
        {C::ClickableShape, DrawnControlClassName, CreateDrawn<C::ClickableShape>,
         Win32ShapeProperties()},
        {C::Bevel, DrawnControlClassName, CreateDrawn<C::Bevel>, Win32BevelProperties()},
        {C::PageControl, WC_TABCONTROLA, CreateTabs, Win32PageControlProperties()},
        {C::TabSheet, DrawnControlClassName, CreateDrawn<C::TabSheet>, Win32TabSheetProperties()},
        {C::Image, DrawnControlClassName, CreateDrawn<C::Image>, Win32ImageProperties()},
        {C::PictureButton, DrawnControlClassName, CreateDrawn<C::PictureButton>,
         Win32PictureButtonProperties()},
        {C::JetButton, DrawnControlClassName, CreateDrawn<C::JetButton>,
         Win32JetButtonProperties()},
        {C::Memo, "EDIT", CreateMemo, Win32MemoProperties()},
        {C::Preview, DrawnControlClassName, CreateDrawn<C::Preview>, Win32ImageProperties()},
        {C::ThumbnailList, ThumbnailGridClassName, CreateGrid, Win32ThumbnailGridProperties()},
    };
    return table;
}

const Win32ComponentClass* FindWin32ComponentClass(ComponentClass componentClass) {
    for (const auto& entry : Win32ComponentClasses())
        if (entry.Class == componentClass) return &entry;
    return nullptr;
}

const Win32ComponentClass& Win32ClassOf(ComponentClass componentClass) {
    if (const auto* entry = FindWin32ComponentClass(componentClass)) return *entry;
    throw Error("the front end cannot build a " + std::string(TraitsOf(componentClass).Name));
}

}  // namespace lv
