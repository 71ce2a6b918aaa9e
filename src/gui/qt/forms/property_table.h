#pragma once

// The pieces the property tables of the component classes share. Internal to the builder.

#include <QImage>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "common/error.h"
#include "gui/forms/component_text.h"
#include "gui/qt/forms/component_properties.h"

namespace lv {

// Dynamic properties the builder leaves on each component's widget.
inline constexpr const char* TextKey = "lvText";  // the caption or text as the definition set it
inline constexpr const char* TagKey = "lvTag";
inline constexpr const char* TabsKey = "lvTabs";  // a tab page's tab control

// One property line of one class: its path and what it does to the component.
using Setter = void (*)(ComponentState&, const PropertyValue&);
struct PropertyEntry {
    std::string_view Path;
    Setter Apply;
};

// Which of the lines every component has a class takes.
enum class CommonLines {
    All,
    // Tag, Color and Font.* only: a tab page takes the place and visibility its control gives
    // it, and the window its own.
    TagColorAndFont,
};

// The component's widget as the class its table was written for. A table paired with another
// class's widget raises lv::Error instead of writing into the wrong object.
template <class T>
T* As(ComponentState& state) {
    if (auto* widget = qobject_cast<T*>(state.Widget)) return widget;
    throw Error(std::string("the control is not a ") + T::staticMetaObject.className());
}

Setter FindSetter(std::span<const PropertyEntry> table, std::string_view path);

// The lines of each class beyond those every component has: the standard classes'
// (standard_class_properties.cpp) and the system's own controls' (custom_control_properties.cpp).
std::span<const PropertyEntry> LabelProperties();
std::span<const PropertyEntry> EditProperties();
std::span<const PropertyEntry> ButtonProperties();
std::span<const PropertyEntry> GlyphButtonProperties();
std::span<const PropertyEntry> CheckBoxProperties();
std::span<const PropertyEntry> PanelProperties();
std::span<const PropertyEntry> ShapeProperties();
std::span<const PropertyEntry> BevelProperties();
std::span<const PropertyEntry> PageControlProperties();
std::span<const PropertyEntry> TabSheetProperties();
std::span<const PropertyEntry> ImageProperties();
std::span<const PropertyEntry> PictureButtonProperties();
std::span<const PropertyEntry> JetButtonProperties();
std::span<const PropertyEntry> MemoProperties();
std::span<const PropertyEntry> ThumbnailListProperties();

void SetShownText(QWidget* widget, const QString& text);
// Picture.Data-style pictures and BitmapUp.Data-style bitmaps stored in the text.
QImage StoredPictureValue(const PropertyValue& value);
QImage StoredBitmapValue(const PropertyValue& value);
// Sets the roles to `color`; an invalid colour (clDefault) leaves the widget as it is.
void SetPaletteColor(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
                     QColor color);

}  // namespace lv
