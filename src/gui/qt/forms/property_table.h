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

#include "gui/forms/component_text.h"
#include "gui/qt/forms/component_properties.h"

namespace lv {

// Dynamic properties the builder leaves on each component's widget.
inline constexpr const char* TextKey = "lvText";  // the caption or text as the definition set it
inline constexpr const char* TagKey = "lvTag";

// One property line of one class: its path and what it does to the component.
using Setter = void (*)(ComponentState&, const PropertyValue&);
struct PropertyEntry {
    std::string_view Path;
    Setter Apply;
};

template <class T>
T* As(ComponentState& state) {
    return static_cast<T*>(state.Widget);
}

Setter FindSetter(std::span<const PropertyEntry> table, std::string_view path);

// The table of one of the system's own controls (TImage and the classes after it in the
// class list); empty for the standard classes.
std::span<const PropertyEntry> CustomControlProperties(std::string_view className);

[[noreturn]] void Unfit(const std::string& expected);
void SetShownText(QWidget* widget, const QString& text);
// Picture.Data-style pictures and BitmapUp.Data-style bitmaps stored in the text.
QImage StoredPictureValue(const PropertyValue& value);
QImage StoredBitmapValue(const PropertyValue& value);
// Sets the roles to `color`; an invalid colour (clDefault) leaves the widget as it is.
void SetPaletteColor(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
                     QColor color);

}  // namespace lv
