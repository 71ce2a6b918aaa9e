#include "gui/qt/forms/component_properties.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>
#include <functional>

#include "common/ascii_case.h"
#include "common/error.h"
#include "gui/forms/picture_data.h"
#include "gui/qt/controls/image_control.h"
#include "gui/qt/controls/memo_control.h"
#include "gui/qt/controls/qt_bitmap.h"
#include "gui/qt/forms/align_layout.h"
#include "gui/qt/forms/component_class_table.h"
#include "gui/qt/forms/form_values.h"
#include "gui/qt/forms/form_window.h"
#include "gui/qt/forms/property_table.h"

// The lines every component has, the class tables applied through them, and what a component
// settles after its last line.
namespace lv {

void SetShownText(QWidget* widget, const QString& text) { widget->setProperty(TextKey, text); }

// The source named in errors is the property; the builder adds the file and line.
QImage StoredPictureValue(const PropertyValue& value) {
    if (value.Kind != ValueKind::Binary) Unfit("picture data in braces");
    return ToQImage(DecodeStoredPicture(DecodePictureData(value.Text, "picture"), "picture"));
}

QImage StoredBitmapValue(const PropertyValue& value) {
    if (value.Kind != ValueKind::Binary) Unfit("bitmap data in braces");
    return ToQImage(DecodeBitmapProperty(value.Text, "bitmap"));
}

void SetPaletteColor(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
                     QColor color) {
    if (!color.isValid()) return;
    QPalette palette = widget->palette();
    for (const auto role : roles) palette.setColor(role, color);
    widget->setPalette(palette);
}

Setter FindSetter(std::span<const PropertyEntry> table, std::string_view path) {
    for (const auto& entry : table)
        if (EqualsIgnoreCase(entry.Path, path)) return entry.Apply;
    return nullptr;
}

namespace {

void ChangeFont(ComponentState& state, const std::function<void(QFont&)>& change) {
    QFont font = state.Widget->font();
    change(font);
    state.Widget->setFont(font);
}

// Lines every component has.
const PropertyEntry CommonProperties[] = {
    {"Tag",
     [](ComponentState& s, const PropertyValue& v) {
         s.Widget->setProperty(TagKey, QVariant::fromValue<qlonglong>(IntegerValue(v)));
     }},
    {"Left",
     [](ComponentState& s, const PropertyValue& v) {
         s.Widget->move(IntValue(v, -MaxCoordinate, MaxCoordinate), s.Widget->y());
     }},
    {"Top",
     [](ComponentState& s, const PropertyValue& v) {
         s.Widget->move(s.Widget->x(), IntValue(v, -MaxCoordinate, MaxCoordinate));
     }},
    {"Width",
     [](ComponentState& s, const PropertyValue& v) {
         s.Widget->resize(IntValue(v, 0, MaxCoordinate), s.Widget->height());
     }},
    {"Height",
     [](ComponentState& s, const PropertyValue& v) {
         s.Widget->resize(s.Widget->width(), IntValue(v, 0, MaxCoordinate));
     }},
    {"Visible",
     [](ComponentState& s, const PropertyValue& v) { s.Widget->setVisible(BoolValue(v)); }},
    {"Enabled",
     [](ComponentState& s, const PropertyValue& v) { s.Widget->setEnabled(BoolValue(v)); }},
    {"Hint", [](ComponentState& s, const PropertyValue& v) { s.Hint = TextValue(v); }},
    {"ShowHint", [](ComponentState& s, const PropertyValue& v) { s.ShowHint = BoolValue(v); }},
    {"Cursor",
     [](ComponentState& s, const PropertyValue& v) { s.Widget->setCursor(CursorValue(v)); }},
    {"Align", [](ComponentState& s, const PropertyValue& v) { SetAlign(s.Widget, AlignValue(v)); }},
    {"Color",
     [](ComponentState& s, const PropertyValue& v) {
         s.HasColor = true;
         // Text boxes colour their text area; every other control its background, which its
         // children without a colour of their own show too.
         const bool textBox =
             qobject_cast<QLineEdit*>(s.Widget) || qobject_cast<QPlainTextEdit*>(s.Widget);
         SetPaletteColor(s.Widget, {textBox ? QPalette::Base : QPalette::Window}, ColorValue(v));
     }},
    {"ParentColor",
     [](ComponentState& s, const PropertyValue& v) {
         if (BoolValue(v) && s.Widget->parentWidget())
             SetPaletteColor(s.Widget, {QPalette::Window},
                             s.Widget->parentWidget()->palette().color(QPalette::Window));
     }},
    {"Font.Name",
     [](ComponentState& s, const PropertyValue& v) {
         const QString family = TextValue(v);
         ChangeFont(s, [&](QFont& f) { f.setFamily(family); });
     }},
    {"Font.Height",
     [](ComponentState& s, const PropertyValue& v) {
         ChangeFont(s, [&](QFont& f) { ApplyFontHeight(f, v); });
     }},
    {"Font.Size",
     [](ComponentState& s, const PropertyValue& v) {
         const int size = IntValue(v, -1000, 1000);
         ChangeFont(s, [&](QFont& f) {
             if (size > 0) f.setPointSize(size);
             if (size < 0) f.setPixelSize(-size);
         });
     }},
    {"Font.Style",
     [](ComponentState& s, const PropertyValue& v) {
         ChangeFont(s, [&](QFont& f) { ApplyFontStyle(f, v); });
     }},
    {"Font.Color",
     [](ComponentState& s, const PropertyValue& v) {
         SetPaletteColor(s.Widget, {QPalette::WindowText, QPalette::Text, QPalette::ButtonText},
                         ColorValue(v));
     }},
};

bool IsTagColorOrFontLine(std::string_view path) {
    return EqualsIgnoreCase(path, "Tag") || EqualsIgnoreCase(path, "Color") ||
           (path.size() > 5 && EqualsIgnoreCase(path.substr(0, 5), "Font."));
}

}  // namespace

void ApplyComponentProperty(ComponentState& state, const ComponentProperty& property) {
    const QtComponentClass& qtClass = QtClassOf(state.Class);
    Setter setter = FindSetter(qtClass.Properties, property.Path);
    if (!setter && (qtClass.Common == CommonLines::All || IsTagColorOrFontLine(property.Path)))
        setter = FindSetter(CommonProperties, property.Path);
    if (setter) setter(state, property.Value);
}

void ApplyWindowProperty(FormWindow& window, const ComponentProperty& property,
                         std::string& activeControl) {
    const std::string& path = property.Path;
    const PropertyValue& v = property.Value;
    if (EqualsIgnoreCase(path, "Caption")) {
        window.setWindowTitle(TextValue(v));
    } else if (EqualsIgnoreCase(path, "ClientWidth") || EqualsIgnoreCase(path, "Width")) {
        window.resize(IntValue(v, 0, MaxCoordinate), window.height());
    } else if (EqualsIgnoreCase(path, "ClientHeight") || EqualsIgnoreCase(path, "Height")) {
        window.resize(window.width(), IntValue(v, 0, MaxCoordinate));
    } else if (EqualsIgnoreCase(path, "Left")) {
        window.move(IntValue(v, -MaxCoordinate, MaxCoordinate), window.y());
    } else if (EqualsIgnoreCase(path, "Top")) {
        window.move(window.x(), IntValue(v, -MaxCoordinate, MaxCoordinate));
    } else if (EqualsIgnoreCase(path, "ActiveControl")) {
        activeControl = IdentifierValue(v, "the name of a component");
    } else if (EqualsIgnoreCase(path, "Visible")) {
        BoolValue(v);  // the window is shown by its owner, never by its description
    } else {
        // Tag, Color and Font lines as on any component; the rest is skipped.
        if (IsTagColorOrFontLine(path)) {
            ComponentState state;
            state.Widget = &window;
            state.Class = ComponentClass::Form;
            if (Setter setter = FindSetter(CommonProperties, path)) setter(state, v);
        }
    }
}

void FinishComponent(ComponentState& state) {
    QWidget* widget = state.Widget;
    if (state.ShowHint && !state.Hint.isEmpty()) widget->setToolTip(state.Hint);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        // A coloured label fills its background unless it is transparent.
        label->setAutoFillBackground(state.HasColor && !state.Transparent);
        if (state.AutoSize.value_or(true) && !label->text().isEmpty()) {
            const int oldRight = label->x() + label->width();
            if (state.WordWrap) {
                label->resize(label->width(), label->heightForWidth(label->width()));
            } else {
                const QSize hint = label->sizeHint();
                label->resize(hint);
                // A right-aligned label grows to the left, keeping its right edge.
                if (label->alignment() & Qt::AlignRight)
                    label->move(oldRight - hint.width(), label->y());
            }
        }
    } else if (auto* image = qobject_cast<ImageControl*>(widget)) {
        // A picture box sizes itself to its picture only when asked to.
        if (state.AutoSize.value_or(false) && !image->Picture().isNull())
            image->resize(image->Picture().size());
    } else if (state.HasColor &&
               (!qobject_cast<QAbstractButton*>(widget) || qobject_cast<QCheckBox*>(widget))) {
        widget->setAutoFillBackground(true);
    }
}

QString ShownText(const QWidget* widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    if (const auto* memo = qobject_cast<const MemoControl*>(widget)) return memo->Text();
    if (const auto* window = qobject_cast<const FormWindow*>(widget)) return window->windowTitle();
    return widget->property(TextKey).toString();
}

}  // namespace lv
