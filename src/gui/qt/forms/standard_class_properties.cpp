#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVariant>

#include "gui/forms/named_constants.h"
#include "gui/qt/controls/bevel_control.h"
#include "gui/qt/controls/panel_control.h"
#include "gui/qt/controls/qt_bitmap.h"
#include "gui/qt/controls/shape_control.h"
#include "gui/qt/forms/form_values.h"
#include "gui/qt/forms/property_table.h"

// Property tables of the standard classes: text, buttons, containers and shapes.
namespace lv {
namespace {

void SetLabelCaption(ComponentState& s, const PropertyValue& v) {
    const QString caption = TextValue(v);
    SetShownText(s.Widget, caption);
    As<QLabel>(s)->setText(WithoutAccelerator(caption));
}

constexpr NamedConstant<Qt::Alignment> LabelLayouts[] = {
    {"tlTop", Qt::AlignTop}, {"tlCenter", Qt::AlignVCenter}, {"tlBottom", Qt::AlignBottom}};

const PropertyEntry LabelLines[] = {
    {"Caption", SetLabelCaption},
    {"Alignment",
     [](ComponentState& s, const PropertyValue& v) {
         auto* label = As<QLabel>(s);
         label->setAlignment(TextAlignmentValue(v) | (label->alignment() & Qt::AlignVertical_Mask));
     }},
    {"Layout",
     [](ComponentState& s, const PropertyValue& v) {
         auto* label = As<QLabel>(s);
         label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) |
                             NamedConstantValue(v, LabelLayouts));
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

const PropertyEntry EditLines[] = {
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
    As<QAbstractButton>(s)->setText(caption);
}

void SetButtonDefault(ComponentState& s, const PropertyValue& v) {
    As<QPushButton>(s)->setDefault(BoolValue(v));
}

const PropertyEntry ButtonLines[] = {
    {"Caption", SetButtonCaption},
    {"Default", SetButtonDefault},
};

const PropertyEntry GlyphButtonLines[] = {
    {"Caption", SetButtonCaption},
    {"Default", SetButtonDefault},
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

constexpr NamedConstant<Qt::CheckState> CheckStates[] = {
    {"cbUnchecked", Qt::Unchecked}, {"cbChecked", Qt::Checked}, {"cbGrayed", Qt::PartiallyChecked}};

const PropertyEntry CheckBoxLines[] = {
    {"Caption", SetButtonCaption},
    {"Checked",
     [](ComponentState& s, const PropertyValue& v) { As<QCheckBox>(s)->setChecked(BoolValue(v)); }},
    {"AllowGrayed", [](ComponentState& s,
                       const PropertyValue& v) { As<QCheckBox>(s)->setTristate(BoolValue(v)); }},
    {"State",
     [](ComponentState& s, const PropertyValue& v) {
         As<QCheckBox>(s)->setCheckState(NamedConstantValue(v, CheckStates));
     }},
};

constexpr NamedConstant<BevelCut> BevelCuts[] = {{"bvNone", BevelCut::None},
                                                 {"bvLowered", BevelCut::Lowered},
                                                 {"bvRaised", BevelCut::Raised},
                                                 {"bvSpace", BevelCut::Space}};

const PropertyEntry PanelLines[] = {
    {"Caption",
     [](ComponentState& s, const PropertyValue& v) {
         const QString caption = TextValue(v);
         SetShownText(s.Widget, caption);
         As<PanelControl>(s)->SetCaption(caption);
     }},
    {"BevelOuter",
     [](ComponentState& s, const PropertyValue& v) {
         As<PanelControl>(s)->BevelOuter = NamedConstantValue(v, BevelCuts);
     }},
    {"BevelInner",
     [](ComponentState& s, const PropertyValue& v) {
         As<PanelControl>(s)->BevelInner = NamedConstantValue(v, BevelCuts);
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

constexpr NamedConstant<ShapeKind> ShapeKinds[] = {
    {"stRectangle", ShapeKind::Rectangle}, {"stSquare", ShapeKind::Square},
    {"stRoundRect", ShapeKind::RoundRect}, {"stRoundSquare", ShapeKind::RoundSquare},
    {"stEllipse", ShapeKind::Ellipse},     {"stCircle", ShapeKind::Circle}};

const PropertyEntry ShapeLines[] = {
    {"Shape",
     [](ComponentState& s, const PropertyValue& v) {
         As<ShapeControl>(s)->Shape = NamedConstantValue(v, ShapeKinds);
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

constexpr NamedConstant<BevelShape> BevelShapes[] = {
    {"bsBox", BevelShape::Box},           {"bsFrame", BevelShape::Frame},
    {"bsTopLine", BevelShape::TopLine},   {"bsBottomLine", BevelShape::BottomLine},
    {"bsLeftLine", BevelShape::LeftLine}, {"bsRightLine", BevelShape::RightLine},
    {"bsSpacer", BevelShape::Spacer}};

// Raised or not.
constexpr NamedConstant<bool> BevelStyles[] = {{"bsLowered", false}, {"bsRaised", true}};

const PropertyEntry BevelLines[] = {
    {"Shape",
     [](ComponentState& s, const PropertyValue& v) {
         As<BevelControl>(s)->Shape = NamedConstantValue(v, BevelShapes);
     }},
    {"Style",
     [](ComponentState& s, const PropertyValue& v) {
         As<BevelControl>(s)->Raised = NamedConstantValue(v, BevelStyles);
     }},
};

const PropertyEntry PageControlLines[] = {
    {"ActivePage",
     [](ComponentState& s, const PropertyValue& v) {
         s.ActivePage = IdentifierValue(v, "the name of a page");
         s.ActivePageLine = v.Line;
     }},
};

QTabWidget* TabsOf(const QWidget* page) {
    return qobject_cast<QTabWidget*>(page->property(TabsKey).value<QObject*>());
}

const PropertyEntry TabSheetLines[] = {
    {"Caption",
     [](ComponentState& s, const PropertyValue& v) {
         const QString caption = TextValue(v);
         SetShownText(s.Widget, caption);
         if (auto* tabs = TabsOf(s.Widget)) tabs->setTabText(tabs->indexOf(s.Widget), caption);
     }},
    {"TabVisible",
     [](ComponentState& s, const PropertyValue& v) {
         if (auto* tabs = TabsOf(s.Widget))
             tabs->setTabVisible(tabs->indexOf(s.Widget), BoolValue(v));
     }},
};

}  // namespace

std::span<const PropertyEntry> LabelProperties() { return LabelLines; }
std::span<const PropertyEntry> EditProperties() { return EditLines; }
std::span<const PropertyEntry> ButtonProperties() { return ButtonLines; }
std::span<const PropertyEntry> GlyphButtonProperties() { return GlyphButtonLines; }
std::span<const PropertyEntry> CheckBoxProperties() { return CheckBoxLines; }
std::span<const PropertyEntry> PanelProperties() { return PanelLines; }
std::span<const PropertyEntry> ShapeProperties() { return ShapeLines; }
std::span<const PropertyEntry> BevelProperties() { return BevelLines; }
std::span<const PropertyEntry> PageControlProperties() { return PageControlLines; }
std::span<const PropertyEntry> TabSheetProperties() { return TabSheetLines; }

}  // namespace lv
