#include "gui/qt/forms/component_properties.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVariant>
#include <functional>

#include "common/ascii_case.h"
#include "common/error.h"
#include "gui/forms/picture_data.h"
#include "gui/qt/controls/decorations.h"
#include "gui/qt/controls/qt_bitmap.h"
#include "gui/qt/forms/align_layout.h"
#include "gui/qt/forms/form_values.h"
#include "gui/qt/forms/form_window.h"
#include "gui/qt/forms/property_table.h"

// Property tables of the standard classes and of the lines every component has.
namespace lv {

void Unfit(const std::string& expected) { throw Error("expected " + expected); }

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

bool IsClass(std::string_view className, std::string_view name) {
    return EqualsIgnoreCase(className, name);
}

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

void SetLabelCaption(ComponentState& s, const PropertyValue& v) {
    const QString caption = TextValue(v);
    SetShownText(s.Widget, caption);
    As<QLabel>(s)->setText(WithoutAccelerator(caption));
}

const PropertyEntry LabelProperties[] = {
    {"Caption", SetLabelCaption},
    {"Alignment",
     [](ComponentState& s, const PropertyValue& v) {
         auto* label = As<QLabel>(s);
         label->setAlignment(TextAlignmentValue(v) | (label->alignment() & Qt::AlignVertical_Mask));
     }},
    {"Layout",
     [](ComponentState& s, const PropertyValue& v) {
         auto* label = As<QLabel>(s);
         const std::string& name = IdentifierValue(v, "tlTop, tlCenter or tlBottom");
         Qt::Alignment vertical = Qt::AlignTop;
         if (EqualsIgnoreCase(name, "tlCenter"))
             vertical = Qt::AlignVCenter;
         else if (EqualsIgnoreCase(name, "tlBottom"))
             vertical = Qt::AlignBottom;
         else if (!EqualsIgnoreCase(name, "tlTop"))
             Unfit("tlTop, tlCenter or tlBottom");
         label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | vertical);
     }},
    {"AutoSize", [](ComponentState& s, const PropertyValue& v) { s.AutoSize = BoolValue(v); }},
    {"WordWrap",
     [](ComponentState& s, const PropertyValue& v) {
         s.WordWrap = BoolValue(v);
         As<QLabel>(s)->setWordWrap(s.WordWrap);
     }},
    {"Transparent",
     [](ComponentState& s, const PropertyValue& v) { s.Transparent = BoolValue(v); }},
};

const PropertyEntry EditProperties[] = {
    {"Text",
     [](ComponentState& s, const PropertyValue& v) { As<QLineEdit>(s)->setText(TextValue(v)); }},
    {"ReadOnly", [](ComponentState& s,
                    const PropertyValue& v) { As<QLineEdit>(s)->setReadOnly(BoolValue(v)); }},
    {"MaxLength",
     [](ComponentState& s, const PropertyValue& v) {
         const int length = IntValue(v, 0, 1 << 30);
         As<QLineEdit>(s)->setMaxLength(length == 0 ? 32767 : length);
     }},
    {"PasswordChar",
     [](ComponentState& s, const PropertyValue& v) {
         const QString c = TextValue(v);
         As<QLineEdit>(s)->setEchoMode(c.isEmpty() || c == QString(QChar(0)) ? QLineEdit::Normal
                                                                             : QLineEdit::Password);
     }},
};

void SetButtonCaption(ComponentState& s, const PropertyValue& v) {
    const QString caption = TextValue(v);
    SetShownText(s.Widget, caption);
    static_cast<QAbstractButton*>(s.Widget)->setText(caption);
}

const PropertyEntry ButtonProperties[] = {
    {"Caption", SetButtonCaption},
    {"Default", [](ComponentState& s,
                   const PropertyValue& v) { As<QPushButton>(s)->setDefault(BoolValue(v)); }},
};

const PropertyEntry BitBtnProperties[] = {
    {"Caption", SetButtonCaption},
    {"Default", [](ComponentState& s,
                   const PropertyValue& v) { As<QPushButton>(s)->setDefault(BoolValue(v)); }},
    {"Glyph.Data",
     [](ComponentState& s, const PropertyValue& v) {
         QImage glyph = StoredBitmapValue(v);
         // A glyph strip holds up to four faces side by side, each as high as the strip.
         if (!glyph.isNull() && glyph.width() > glyph.height() &&
             glyph.width() % glyph.height() == 0)
             glyph = glyph.copy(0, 0, glyph.height(), glyph.height());
         auto* button = As<QPushButton>(s);
         button->setIcon(
             QIcon(QPixmap::fromImage(WithTransparentColor(glyph, BottomLeftColor(glyph)))));
         button->setIconSize(glyph.size());
     }},
};

const PropertyEntry CheckBoxProperties[] = {
    {"Caption", SetButtonCaption},
    {"Checked",
     [](ComponentState& s, const PropertyValue& v) { As<QCheckBox>(s)->setChecked(BoolValue(v)); }},
    {"AllowGrayed", [](ComponentState& s,
                       const PropertyValue& v) { As<QCheckBox>(s)->setTristate(BoolValue(v)); }},
    {"State",
     [](ComponentState& s, const PropertyValue& v) {
         const std::string& name = IdentifierValue(v, "cbUnchecked, cbChecked or cbGrayed");
         auto* box = As<QCheckBox>(s);
         if (EqualsIgnoreCase(name, "cbUnchecked"))
             box->setCheckState(Qt::Unchecked);
         else if (EqualsIgnoreCase(name, "cbChecked"))
             box->setCheckState(Qt::Checked);
         else if (EqualsIgnoreCase(name, "cbGrayed"))
             box->setCheckState(Qt::PartiallyChecked);
         else
             Unfit("cbUnchecked, cbChecked or cbGrayed");
     }},
};

BevelCut BevelCutValue(const PropertyValue& v) {
    const std::string& name = IdentifierValue(v, "bvNone, bvLowered, bvRaised or bvSpace");
    if (EqualsIgnoreCase(name, "bvNone")) return BevelCut::None;
    if (EqualsIgnoreCase(name, "bvLowered")) return BevelCut::Lowered;
    if (EqualsIgnoreCase(name, "bvRaised")) return BevelCut::Raised;
    if (EqualsIgnoreCase(name, "bvSpace")) return BevelCut::Space;
    Unfit("bvNone, bvLowered, bvRaised or bvSpace");
}

const PropertyEntry PanelProperties[] = {
    {"Caption",
     [](ComponentState& s, const PropertyValue& v) {
         const QString caption = TextValue(v);
         SetShownText(s.Widget, caption);
         As<PanelControl>(s)->SetCaption(caption);
     }},
    {"BevelOuter",
     [](ComponentState& s, const PropertyValue& v) {
         As<PanelControl>(s)->BevelOuter = BevelCutValue(v);
     }},
    {"BevelInner",
     [](ComponentState& s, const PropertyValue& v) {
         As<PanelControl>(s)->BevelInner = BevelCutValue(v);
     }},
    {"BevelWidth",
     [](ComponentState& s, const PropertyValue& v) {
         As<PanelControl>(s)->BevelWidth = IntValue(v, 1, 1000);
     }},
    {"BorderWidth",
     [](ComponentState& s, const PropertyValue& v) {
         As<PanelControl>(s)->BorderWidth = IntValue(v, 0, 1000);
     }},
    {"Alignment",
     [](ComponentState& s, const PropertyValue& v) {
         As<PanelControl>(s)->CaptionAlignment = TextAlignmentValue(v);
     }},
};

const PropertyEntry ShapeProperties[] = {
    {"Shape",
     [](ComponentState& s, const PropertyValue& v) {
         static constexpr std::pair<std::string_view, ShapeKind> names[] = {
             {"stRectangle", ShapeKind::Rectangle}, {"stSquare", ShapeKind::Square},
             {"stRoundRect", ShapeKind::RoundRect}, {"stRoundSquare", ShapeKind::RoundSquare},
             {"stEllipse", ShapeKind::Ellipse},     {"stCircle", ShapeKind::Circle}};
         const std::string& name = IdentifierValue(v, "a shape such as stRectangle");
         for (const auto& [n, kind] : names)
             if (EqualsIgnoreCase(n, name)) {
                 As<ShapeControl>(s)->Shape = kind;
                 return;
             }
         Unfit("a shape such as stRectangle");
     }},
    {"Brush.Color",
     [](ComponentState& s, const PropertyValue& v) {
         As<ShapeControl>(s)->BrushColor = ColorValue(v);
     }},
    {"Brush.Style",
     [](ComponentState& s, const PropertyValue& v) {
         As<ShapeControl>(s)->BrushClear =
             EqualsIgnoreCase(IdentifierValue(v, "a brush style"), "bsClear");
     }},
    {"Pen.Color", [](ComponentState& s,
                     const PropertyValue& v) { As<ShapeControl>(s)->PenColor = ColorValue(v); }},
    {"Pen.Width",
     [](ComponentState& s, const PropertyValue& v) {
         As<ShapeControl>(s)->PenWidth = IntValue(v, 0, 1000);
     }},
    {"Pen.Style",
     [](ComponentState& s, const PropertyValue& v) {
         As<ShapeControl>(s)->PenClear =
             EqualsIgnoreCase(IdentifierValue(v, "a pen style"), "psClear");
     }},
};

const PropertyEntry BevelProperties[] = {
    {"Shape",
     [](ComponentState& s, const PropertyValue& v) {
         static constexpr std::pair<std::string_view, BevelShape> names[] = {
             {"bsBox", BevelShape::Box},           {"bsFrame", BevelShape::Frame},
             {"bsTopLine", BevelShape::TopLine},   {"bsBottomLine", BevelShape::BottomLine},
             {"bsLeftLine", BevelShape::LeftLine}, {"bsRightLine", BevelShape::RightLine},
             {"bsSpacer", BevelShape::Spacer}};
         const std::string& name = IdentifierValue(v, "a bevel shape such as bsFrame");
         for (const auto& [n, shape] : names)
             if (EqualsIgnoreCase(n, name)) {
                 As<BevelControl>(s)->Shape = shape;
                 return;
             }
         Unfit("a bevel shape such as bsFrame");
     }},
    {"Style",
     [](ComponentState& s, const PropertyValue& v) {
         const std::string& name = IdentifierValue(v, "bsLowered or bsRaised");
         if (!EqualsIgnoreCase(name, "bsLowered") && !EqualsIgnoreCase(name, "bsRaised"))
             Unfit("bsLowered or bsRaised");
         As<BevelControl>(s)->Raised = EqualsIgnoreCase(name, "bsRaised");
     }},
};

const PropertyEntry PageControlProperties[] = {
    {"ActivePage",
     [](ComponentState& s, const PropertyValue& v) {
         s.ActivePage = IdentifierValue(v, "the name of a page");
         s.ActivePageLine = v.Line;
     }},
};

const PropertyEntry TabSheetProperties[] = {
    {"Caption",
     [](ComponentState& s, const PropertyValue& v) {
         const QString caption = TextValue(v);
         SetShownText(s.Widget, caption);
         if (auto* tabs = qobject_cast<QTabWidget*>(s.Widget->property("lvTabs").value<QObject*>()))
             tabs->setTabText(tabs->indexOf(s.Widget), caption);
     }},
    {"TabVisible",
     [](ComponentState& s, const PropertyValue& v) {
         if (auto* tabs = qobject_cast<QTabWidget*>(s.Widget->property("lvTabs").value<QObject*>()))
             tabs->setTabVisible(tabs->indexOf(s.Widget), BoolValue(v));
     }},
};

struct ClassEntry {
    std::string_view Name;
    std::span<const PropertyEntry> Properties;
};

const ClassEntry StandardClassTables[] = {
    {"TLabel", LabelProperties},       {"TEdit", EditProperties},
    {"TButton", ButtonProperties},     {"TBitBtn", BitBtnProperties},
    {"TCheckBox", CheckBoxProperties}, {"TPanel", PanelProperties},
    {"TShape", ShapeProperties},       {"TMyShape", ShapeProperties},
    {"TMyBevel", BevelProperties},     {"TPageControl", PageControlProperties},
    {"TTabSheet", TabSheetProperties},
};

std::span<const PropertyEntry> ClassProperties(std::string_view className) {
    for (const auto& entry : StandardClassTables)
        if (IsClass(className, entry.Name)) return entry.Properties;
    return CustomControlProperties(className);
}

}  // namespace

void ApplyComponentProperty(ComponentState& state, const ComponentProperty& property) {
    // A tab page takes the place its control gives it.
    const bool isTabSheet = IsClass(state.ClassName, "TTabSheet");
    Setter setter = FindSetter(ClassProperties(state.ClassName), property.Path);
    if (!setter) {
        setter = FindSetter(CommonProperties, property.Path);
        if (isTabSheet && setter && !EqualsIgnoreCase(property.Path, "Tag") &&
            !property.Path.starts_with("Font") && !EqualsIgnoreCase(property.Path, "Color"))
            return;
    }
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
        ComponentState state;
        state.Widget = &window;
        state.ClassName = "TForm";
        // Tag, Color and Font lines as on any component; the rest is skipped.
        if (EqualsIgnoreCase(path, "Tag") || EqualsIgnoreCase(path, "Color") ||
            (path.size() > 5 && EqualsIgnoreCase(std::string_view(path).substr(0, 5), "Font."))) {
            if (Setter setter = FindSetter(CommonProperties, path)) setter(state, v);
        }
    }
}

}  // namespace lv
