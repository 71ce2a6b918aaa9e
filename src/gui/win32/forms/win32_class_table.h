#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "gui/forms/component_classes.h"
#include "gui/forms/component_text.h"

namespace lv {

struct Win32ComponentState;

// One property line of one class: its path and what it does to the component.
using Win32Setter = void (*)(Win32ComponentState&, const PropertyValue&);
struct Win32PropertyEntry {
    std::string_view Path;
    Win32Setter Apply;
};

// What the Win32 front end makes of one component class: the window class it is made from (a
// standard control or one of the front end's own), how it is made, and the property lines it
// has beyond the ones every component has.
struct Win32ComponentClass {
    ComponentClass Class;
    const char* WindowClass;
    HWND (*Create)(HWND parent, int id);
    std::span<const Win32PropertyEntry> Properties;
};

// One entry for each class of ComponentClasses().
std::span<const Win32ComponentClass> Win32ComponentClasses();

// The entry of a class; nullptr when the table lacks it.
const Win32ComponentClass* FindWin32ComponentClass(ComponentClass componentClass);
// The entry of a class; raises lv::Error naming the class when the table lacks it.
const Win32ComponentClass& Win32ClassOf(ComponentClass componentClass);

// The property tables (win32_class_properties.cpp).
std::span<const Win32PropertyEntry> Win32LabelProperties();
std::span<const Win32PropertyEntry> Win32EditProperties();
std::span<const Win32PropertyEntry> Win32ButtonProperties();
std::span<const Win32PropertyEntry> Win32CheckBoxProperties();
std::span<const Win32PropertyEntry> Win32PanelProperties();
std::span<const Win32PropertyEntry> Win32ShapeProperties();
std::span<const Win32PropertyEntry> Win32BevelProperties();
std::span<const Win32PropertyEntry> Win32PageControlProperties();
std::span<const Win32PropertyEntry> Win32TabSheetProperties();
std::span<const Win32PropertyEntry> Win32ImageProperties();
std::span<const Win32PropertyEntry> Win32PictureButtonProperties();
std::span<const Win32PropertyEntry> Win32JetButtonProperties();
std::span<const Win32PropertyEntry> Win32MemoProperties();
std::span<const Win32PropertyEntry> Win32ThumbnailGridProperties();
// The lines every component has.
std::span<const Win32PropertyEntry> Win32CommonProperties();

}  // namespace lv
