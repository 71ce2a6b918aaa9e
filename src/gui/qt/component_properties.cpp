#include "gui/qt/component_properties.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVariant>
#include <functional>
#include <span>

#include "common/error.h"
#include "gui/picture_data.h"
#include "gui/qt/align_layout.h"
#include "gui/qt/decorations.h"
#include "gui/qt/form_parent.h"
#include "gui/qt/form_values.h"
#include "gui/qt/image_control.h"
#include "gui/qt/jet_button.h"
#include "gui/qt/my_button.h"
#include "gui/qt/my_memo.h"
#include "gui/qt/preview_control.h"
#include "gui/qt/qt_bitmap.h"
#include "gui/qt/thumbnail_list.h"
#include "gui/text_encoding.h"

namespace lv {
namespace {

constexpr const char* TextKey = "lvText";
constexpr const char* TagKey = "lvTag";

using Setter = void (*)(ComponentState&, const TPropertyValue&);
struct PropertyEntry {
    std::string_view Path;
    Setter Apply;
};

template <class T>
T* As(ComponentState& state) {
    return static_cast<T*>(state.Widget);
}

[[noreturn]] void Unfit(const std::string& expected) { throw Error("expected " + expected); }

void SetShownText(QWidget* widget, const QString& text) { widget->setProperty(TextKey, text); }

// Pictures and bitmaps stored in the text. The source named in errors is the property.
QImage StoredPictureValue(const TPropertyValue& value) {
    if (value.Kind != ValueKind::Binary) Unfit("picture data in braces");
    return ToQImage(DecodeStoredPicture(DecodePictureData(value.Text, "picture"), "picture"));
}

QImage StoredBitmapValue(const TPropertyValue& value) {
    if (value.Kind != ValueKind::Binary) Unfit("bitmap data in braces");
    return ToQImage(DecodeBitmapProperty(value.Text, "bitmap"));
}

void SetPaletteColor(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
                     QColor color) {
    if (!color.isValid()) return;  // clDefault keeps what the widget has
    QPalette palette = widget->palette();
    for (const auto role : roles) palette.setColor(role, color);
    widget->setPalette(palette);
}

void ChangeFont(ComponentState& state, const std::function<void(QFont&)>& change) {
    QFont font = state.Widget->font();
    change(font);
    state.Widget->setFont(font);
}

// Lines every component has.
const PropertyEntry CommonProperties[] = {
    {"Tag",
     [](ComponentState& s, const TPropertyValue& v) {
         s.Widget->setProperty(TagKey, QVariant::fromValue<qlonglong>(IntegerValue(v)));
     }},
    {"Left",
     [](ComponentState& s, const TPropertyValue& v) {
         s.Widget->move(IntValue(v, -100000, 100000), s.Widget->y());
     }},
    {"Top",
     [](ComponentState& s, const TPropertyValue& v) {
         s.Widget->move(s.Widget->x(), IntValue(v, -100000, 100000));
     }},
    {"Width",
     [](ComponentState& s, const TPropertyValue& v) {
         s.Widget->resize(IntValue(v, 0, 100000), s.Widget->height());
     }},
    {"Height",
     [](ComponentState& s, const TPropertyValue& v) {
         s.Widget->resize(s.Widget->width(), IntValue(v, 0, 100000));
     }},
    {"Visible",
     [](ComponentState& s, const TPropertyValue& v) { s.Widget->setVisible(BoolValue(v)); }},
    {"Enabled",
     [](ComponentState& s, const TPropertyValue& v) { s.Widget->setEnabled(BoolValue(v)); }},
    {"Hint", [](ComponentState& s, const TPropertyValue& v) { s.Hint = TextValue(v); }},
    {"ShowHint", [](ComponentState& s, const TPropertyValue& v) { s.ShowHint = BoolValue(v); }},
    {"Cursor",
     [](ComponentState& s, const TPropertyValue& v) { s.Widget->setCursor(CursorValue(v)); }},
    {"Align",
     [](ComponentState& s, const TPropertyValue& v) { SetAlign(s.Widget, AlignValue(v)); }},
    {"Color",
     [](ComponentState& s, const TPropertyValue& v) {
         s.HasColor = true;
         // Text boxes colour their text area; every other control its background, which its
         // children without a colour of their own show too.
         const bool textBox =
             qobject_cast<QLineEdit*>(s.Widget) || qobject_cast<QPlainTextEdit*>(s.Widget);
         SetPaletteColor(s.Widget, {textBox ? QPalette::Base : QPalette::Window}, ColorValue(v));
     }},
    {"ParentColor",
     [](ComponentState& s, const TPropertyValue& v) {
         if (BoolValue(v) && s.Widget->parentWidget())
             SetPaletteColor(s.Widget, {QPalette::Window},
                             s.Widget->parentWidget()->palette().color(QPalette::Window));
     }},
    {"Font.Name",
     [](ComponentState& s, const TPropertyValue& v) {
         const QString family = TextValue(v);
         ChangeFont(s, [&](QFont& f) { f.setFamily(family); });
     }},
    {"Font.Height",
     [](ComponentState& s, const TPropertyValue& v) {
         ChangeFont(s, [&](QFont& f) { ApplyFontHeight(f, v); });
     }},
    {"Font.Size",
     [](ComponentState& s, const TPropertyValue& v) {
         const int size = IntValue(v, -1000, 1000);
         ChangeFont(s, [&](QFont& f) {
             if (size > 0) f.setPointSize(size);
             if (size < 0) f.setPixelSize(-size);
         });
     }},
    {"Font.Style",
     [](ComponentState& s, const TPropertyValue& v) {
         ChangeFont(s, [&](QFont& f) { ApplyFontStyle(f, v); });
     }},
    {"Font.Color",
     [](ComponentState& s, const TPropertyValue& v) {
         SetPaletteColor(s.Widget, {QPalette::WindowText, QPalette::Text, QPalette::ButtonText},
                         ColorValue(v));
     }},
};

void SetLabelCaption(ComponentState& s, const TPropertyValue& v) {
    const QString caption = TextValue(v);
    SetShownText(s.Widget, caption);
    As<QLabel>(s)->setText(WithoutAccelerator(caption));
}

const PropertyEntry LabelProperties[] = {
    {"Caption", SetLabelCaption},
    {"Alignment",
     [](ComponentState& s, const TPropertyValue& v) {
         auto* label = As<QLabel>(s);
         label->setAlignment(TextAlignmentValue(v) | (label->alignment() & Qt::AlignVertical_Mask));
     }},
    {"Layout",
     [](ComponentState& s, const TPropertyValue& v) {
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
    {"AutoSize", [](ComponentState& s, const TPropertyValue& v) { s.AutoSize = BoolValue(v); }},
    {"WordWrap",
     [](ComponentState& s, const TPropertyValue& v) {
         s.WordWrap = BoolValue(v);
         As<QLabel>(s)->setWordWrap(s.WordWrap);
     }},
    {"Transparent",
     [](ComponentState& s, const TPropertyValue& v) { s.Transparent = BoolValue(v); }},
};

const PropertyEntry EditProperties[] = {
    {"Text",
     [](ComponentState& s, const TPropertyValue& v) { As<QLineEdit>(s)->setText(TextValue(v)); }},
    {"ReadOnly", [](ComponentState& s,
                    const TPropertyValue& v) { As<QLineEdit>(s)->setReadOnly(BoolValue(v)); }},
    {"MaxLength",
     [](ComponentState& s, const TPropertyValue& v) {
         const int length = IntValue(v, 0, 1 << 30);
         As<QLineEdit>(s)->setMaxLength(length == 0 ? 32767 : length);
     }},
    {"PasswordChar",
     [](ComponentState& s, const TPropertyValue& v) {
         const QString c = TextValue(v);
         As<QLineEdit>(s)->setEchoMode(c.isEmpty() || c == QString(QChar(0)) ? QLineEdit::Normal
                                                                             : QLineEdit::Password);
     }},
};

void SetButtonCaption(ComponentState& s, const TPropertyValue& v) {
    const QString caption = TextValue(v);
    SetShownText(s.Widget, caption);
    static_cast<QAbstractButton*>(s.Widget)->setText(caption);
}

const PropertyEntry ButtonProperties[] = {
    {"Caption", SetButtonCaption},
    {"Default", [](ComponentState& s,
                   const TPropertyValue& v) { As<QPushButton>(s)->setDefault(BoolValue(v)); }},
};

const PropertyEntry BitBtnProperties[] = {
    {"Caption", SetButtonCaption},
    {"Default", [](ComponentState& s,
                   const TPropertyValue& v) { As<QPushButton>(s)->setDefault(BoolValue(v)); }},
    {"Glyph.Data",
     [](ComponentState& s, const TPropertyValue& v) {
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
    {"Checked", [](ComponentState& s,
                   const TPropertyValue& v) { As<QCheckBox>(s)->setChecked(BoolValue(v)); }},
    {"AllowGrayed", [](ComponentState& s,
                       const TPropertyValue& v) { As<QCheckBox>(s)->setTristate(BoolValue(v)); }},
    {"State",
     [](ComponentState& s, const TPropertyValue& v) {
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

BevelCut BevelCutValue(const TPropertyValue& v) {
    const std::string& name = IdentifierValue(v, "bvNone, bvLowered, bvRaised or bvSpace");
    if (EqualsIgnoreCase(name, "bvNone")) return BevelCut::None;
    if (EqualsIgnoreCase(name, "bvLowered")) return BevelCut::Lowered;
    if (EqualsIgnoreCase(name, "bvRaised")) return BevelCut::Raised;
    if (EqualsIgnoreCase(name, "bvSpace")) return BevelCut::Space;
    Unfit("bvNone, bvLowered, bvRaised or bvSpace");
}

const PropertyEntry PanelProperties[] = {
    {"Caption",
     [](ComponentState& s, const TPropertyValue& v) {
         const QString caption = TextValue(v);
         SetShownText(s.Widget, caption);
         As<PanelControl>(s)->SetCaption(caption);
     }},
    {"BevelOuter",
     [](ComponentState& s, const TPropertyValue& v) {
         As<PanelControl>(s)->BevelOuter = BevelCutValue(v);
     }},
    {"BevelInner",
     [](ComponentState& s, const TPropertyValue& v) {
         As<PanelControl>(s)->BevelInner = BevelCutValue(v);
     }},
    {"BevelWidth",
     [](ComponentState& s, const TPropertyValue& v) {
         As<PanelControl>(s)->BevelWidth = IntValue(v, 1, 1000);
     }},
    {"BorderWidth",
     [](ComponentState& s, const TPropertyValue& v) {
         As<PanelControl>(s)->BorderWidth = IntValue(v, 0, 1000);
     }},
    {"Alignment",
     [](ComponentState& s, const TPropertyValue& v) {
         As<PanelControl>(s)->CaptionAlignment = TextAlignmentValue(v);
     }},
};

const PropertyEntry ShapeProperties[] = {
    {"Shape",
     [](ComponentState& s, const TPropertyValue& v) {
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
     [](ComponentState& s, const TPropertyValue& v) {
         As<ShapeControl>(s)->BrushColor = ColorValue(v);
     }},
    {"Brush.Style",
     [](ComponentState& s, const TPropertyValue& v) {
         As<ShapeControl>(s)->BrushClear =
             EqualsIgnoreCase(IdentifierValue(v, "a brush style"), "bsClear");
     }},
    {"Pen.Color", [](ComponentState& s,
                     const TPropertyValue& v) { As<ShapeControl>(s)->PenColor = ColorValue(v); }},
    {"Pen.Width",
     [](ComponentState& s, const TPropertyValue& v) {
         As<ShapeControl>(s)->PenWidth = IntValue(v, 0, 1000);
     }},
    {"Pen.Style",
     [](ComponentState& s, const TPropertyValue& v) {
         As<ShapeControl>(s)->PenClear =
             EqualsIgnoreCase(IdentifierValue(v, "a pen style"), "psClear");
     }},
};

const PropertyEntry BevelProperties[] = {
    {"Shape",
     [](ComponentState& s, const TPropertyValue& v) {
         static constexpr std::pair<std::string_view, BevelShape> names[] = {
             {"bsBox", BevelShape::Box},           {"bsFrame", BevelShape::Frame},
             {"bsTopLine", BevelShape::TopLine},   {"bsBottomLine", BevelShape::BottomLine},
             {"bsLeftLine", BevelShape::LeftLine}, {"bsRightLine", BevelShape::RightLine},
             {"bsSpacer", BevelShape::Spacer}};
         const std::string& name = IdentifierValue(v, "a bevel shape such as bsFrame");
         for (const auto& [n, shape] : names)
             if (EqualsIgnoreCase(n, name)) {
                 As<TMyBevel>(s)->Shape = shape;
                 return;
             }
         Unfit("a bevel shape such as bsFrame");
     }},
    {"Style",
     [](ComponentState& s, const TPropertyValue& v) {
         const std::string& name = IdentifierValue(v, "bsLowered or bsRaised");
         if (!EqualsIgnoreCase(name, "bsLowered") && !EqualsIgnoreCase(name, "bsRaised"))
             Unfit("bsLowered or bsRaised");
         As<TMyBevel>(s)->Raised = EqualsIgnoreCase(name, "bsRaised");
     }},
};

const PropertyEntry PageControlProperties[] = {
    {"ActivePage",
     [](ComponentState& s, const TPropertyValue& v) {
         s.ActivePage = IdentifierValue(v, "the name of a page");
         s.ActivePageLine = v.Line;
     }},
};

const PropertyEntry TabSheetProperties[] = {
    {"Caption",
     [](ComponentState& s, const TPropertyValue& v) {
         const QString caption = TextValue(v);
         SetShownText(s.Widget, caption);
         if (auto* tabs = qobject_cast<QTabWidget*>(s.Widget->property("lvTabs").value<QObject*>()))
             tabs->setTabText(tabs->indexOf(s.Widget), caption);
     }},
    {"TabVisible",
     [](ComponentState& s, const TPropertyValue& v) {
         if (auto* tabs = qobject_cast<QTabWidget*>(s.Widget->property("lvTabs").value<QObject*>()))
             tabs->setTabVisible(tabs->indexOf(s.Widget), BoolValue(v));
     }},
};

const PropertyEntry ImageProperties[] = {
    {"Picture.Data",
     [](ComponentState& s, const TPropertyValue& v) {
         As<ImageControl>(s)->SetPicture(StoredPictureValue(v));
     }},
    {"Stretch", [](ComponentState& s,
                   const TPropertyValue& v) { As<ImageControl>(s)->SetStretch(BoolValue(v)); }},
    {"Center", [](ComponentState& s,
                  const TPropertyValue& v) { As<ImageControl>(s)->Center = BoolValue(v); }},
    {"Proportional",
     [](ComponentState& s, const TPropertyValue& v) {
         As<ImageControl>(s)->Proportional = BoolValue(v);
     }},
    {"Transparent",
     [](ComponentState& s, const TPropertyValue& v) {
         As<ImageControl>(s)->Transparent = BoolValue(v);
     }},
    {"AutoSize", [](ComponentState& s, const TPropertyValue& v) { s.AutoSize = BoolValue(v); }},
};

const PropertyEntry MyButtonProperties[] = {
    {"Caption",
     [](ComponentState& s, const TPropertyValue& v) {
         const QString caption = TextValue(v);
         SetShownText(s.Widget, caption);
         As<TMyButton>(s)->SetCaption(caption);
     }},
    {"ShowCaption", [](ComponentState& s,
                       const TPropertyValue& v) { As<TMyButton>(s)->ShowCaption = BoolValue(v); }},
    {"Transparent", [](ComponentState& s,
                       const TPropertyValue& v) { As<TMyButton>(s)->Transparent = BoolValue(v); }},
    {"AutoSize", [](ComponentState& s,
                    const TPropertyValue& v) { As<TMyButton>(s)->SetAutoSize(BoolValue(v)); }},
    {"AllowDown", [](ComponentState& s,
                     const TPropertyValue& v) { As<TMyButton>(s)->SetAllowDown(BoolValue(v)); }},
    {"Down",
     [](ComponentState& s, const TPropertyValue& v) { As<TMyButton>(s)->SetDown(BoolValue(v)); }},
    {"ButtonUp.Data",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TMyButton>(s)->SetButtonUp(StoredPictureValue(v));
     }},
    {"ButtonDown.Data",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TMyButton>(s)->SetButtonDown(StoredPictureValue(v));
     }},
    {"ButtonOver.Data",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TMyButton>(s)->SetButtonOver(StoredPictureValue(v));
     }},
    {"ButtonDisable.Data",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TMyButton>(s)->SetButtonDisable(StoredPictureValue(v));
     }},
};

const PropertyEntry JetButtonProperties[] = {
    {"Caption",
     [](ComponentState& s, const TPropertyValue& v) {
         const QString caption = TextValue(v);
         SetShownText(s.Widget, caption);
         As<TJetButton>(s)->SetCaption(caption);
     }},
    {"BitmapUp.Data",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TJetButton>(s)->SetBitmapUp(StoredBitmapValue(v));
     }},
    {"BitmapDown.Data",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TJetButton>(s)->SetBitmapDown(StoredBitmapValue(v));
     }},
    {"BitmapOver.Data",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TJetButton>(s)->SetBitmapOver(StoredBitmapValue(v));
     }},
    {"BitmapDisabled.Data",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TJetButton>(s)->SetBitmapDisabled(StoredBitmapValue(v));
     }},
    {"TransparentColor",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TJetButton>(s)->SetTransparentColor(ColorValue(v));
     }},
    {"PicSeries", [](ComponentState& s,
                     const TPropertyValue& v) { As<TJetButton>(s)->SetPicSeries(TextValue(v)); }},
};

const PropertyEntry MemoProperties[] = {
    {"Text",
     [](ComponentState& s, const TPropertyValue& v) { As<TMyMemo>(s)->SetText(TextValue(v)); }},
    {"Lines.Strings",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TMyMemo>(s)->SetText(StringListValue(v).join("\r\n"));
     }},
    {"ReadOnly",
     [](ComponentState& s, const TPropertyValue& v) { As<TMyMemo>(s)->setReadOnly(BoolValue(v)); }},
    {"WordWrap",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TMyMemo>(s)->setLineWrapMode(BoolValue(v) ? QPlainTextEdit::WidgetWidth
                                                      : QPlainTextEdit::NoWrap);
     }},
    {"ScrollBars",
     [](ComponentState& s, const TPropertyValue& v) {
         const std::string& name = IdentifierValue(v, "ssNone, ssHorizontal, ssVertical or ssBoth");
         const bool vertical =
             EqualsIgnoreCase(name, "ssVertical") || EqualsIgnoreCase(name, "ssBoth");
         const bool horizontal =
             EqualsIgnoreCase(name, "ssHorizontal") || EqualsIgnoreCase(name, "ssBoth");
         if (!vertical && !horizontal && !EqualsIgnoreCase(name, "ssNone"))
             Unfit("ssNone, ssHorizontal, ssVertical or ssBoth");
         auto* memo = As<TMyMemo>(s);
         memo->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
         memo->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
     }},
};

const PropertyEntry ThumbnailProperties[] = {
    {"PictureWidth",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TLVThumbnail2>(s)->SetPictureWidth(IntValue(v, 1, 4096));
     }},
    {"PictureHeight",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TLVThumbnail2>(s)->SetPictureHeight(IntValue(v, 1, 4096));
     }},
    {"ShowCheckBox",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TLVThumbnail2>(s)->SetShowCheckBox(BoolValue(v));
     }},
    {"ShowTitle",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TLVThumbnail2>(s)->SetShowTitle(BoolValue(v));
     }},
    {"MultiRows",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TLVThumbnail2>(s)->SetMultiRows(BoolValue(v));
     }},
    {"ColCount",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TLVThumbnail2>(s)->SetColCount(IntValue(v, 1, 100000));
     }},
    {"RowCount",
     [](ComponentState& s, const TPropertyValue& v) {
         As<TLVThumbnail2>(s)->SetRowCount(IntValue(v, 1, 100000));
     }},
    {"Color",
     [](ComponentState& s, const TPropertyValue& v) {
         const QColor color = ColorValue(v);
         if (color.isValid()) As<TLVThumbnail2>(s)->SetColor(color);
     }},
};

struct ClassEntry {
    std::string_view Name;
    std::span<const PropertyEntry> Properties;
};

const ClassEntry ClassTables[] = {
    {"TLabel", LabelProperties},
    {"TEdit", EditProperties},
    {"TButton", ButtonProperties},
    {"TBitBtn", BitBtnProperties},
    {"TCheckBox", CheckBoxProperties},
    {"TPanel", PanelProperties},
    {"TShape", ShapeProperties},
    {"TMyShape", ShapeProperties},
    {"TMyBevel", BevelProperties},
    {"TPageControl", PageControlProperties},
    {"TTabSheet", TabSheetProperties},
    {"TImage", ImageProperties},
    {"TLVPreview", ImageProperties},
    {"TMyButton", MyButtonProperties},
    {"TJetButton", JetButtonProperties},
    {"TMyMemo", MemoProperties},
    {"TLVThumbnail2", ThumbnailProperties},
};

Setter FindSetter(std::span<const PropertyEntry> table, std::string_view path) {
    for (const auto& entry : table)
        if (EqualsIgnoreCase(entry.Path, path)) return entry.Apply;
    return nullptr;
}

bool IsClass(std::string_view className, std::string_view name) {
    return EqualsIgnoreCase(className, name);
}

}  // namespace

QWidget* CreateComponentWidget(std::string_view cls, QWidget* parent) {
    QWidget* widget = nullptr;
    if (IsClass(cls, "TEdit")) {
        widget = new QLineEdit(parent);
        widget->resize(121, 21);
    } else if (IsClass(cls, "TLabel")) {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(false);
        widget = label;
    } else if (IsClass(cls, "TButton") || IsClass(cls, "TBitBtn")) {
        widget = new QPushButton(parent);
        widget->resize(75, 25);
    } else if (IsClass(cls, "TCheckBox")) {
        widget = new QCheckBox(parent);
        widget->resize(97, 17);
    } else if (IsClass(cls, "TPanel")) {
        widget = new PanelControl(parent);
        widget->resize(185, 41);
    } else if (IsClass(cls, "TShape")) {
        widget = new ShapeControl(parent);
        widget->resize(65, 65);
    } else if (IsClass(cls, "TMyShape")) {
        widget = new TMyShape(parent);
        widget->resize(65, 65);
    } else if (IsClass(cls, "TMyBevel")) {
        widget = new TMyBevel(parent);
        widget->resize(50, 50);
    } else if (IsClass(cls, "TPageControl")) {
        widget = new QTabWidget(parent);
        widget->resize(289, 193);
    } else if (IsClass(cls, "TTabSheet")) {
        auto* tabs = qobject_cast<QTabWidget*>(parent);
        widget = new QWidget(tabs ? nullptr : parent);
        if (tabs) {
            tabs->addTab(widget, QString());
            widget->setProperty("lvTabs", QVariant::fromValue<QObject*>(tabs));
        }
    } else if (IsClass(cls, "TImage")) {
        widget = new ImageControl(parent);
        widget->resize(105, 105);
    } else if (IsClass(cls, "TLVPreview")) {
        widget = new TLVPreview(parent);
        widget->resize(105, 105);
    } else if (IsClass(cls, "TMyButton")) {
        widget = new TMyButton(parent);
        widget->resize(75, 25);
    } else if (IsClass(cls, "TJetButton")) {
        widget = new TJetButton(parent);
    } else if (IsClass(cls, "TMyMemo")) {
        widget = new TMyMemo(parent);
        widget->resize(185, 89);
    } else if (IsClass(cls, "TLVThumbnail2")) {
        widget = new TLVThumbnail2(parent);
    } else {
        // A plain window placed inside another: a bare container.
        widget = new QWidget(parent);
    }
    return widget;
}

void ApplyComponentProperty(ComponentState& state, const TProperty& property) {
    // A tab page takes the place its control gives it.
    const bool isTabSheet = IsClass(state.ClassName, "TTabSheet");
    Setter setter = nullptr;
    for (const auto& entry : ClassTables)
        if (IsClass(state.ClassName, entry.Name))
            setter = FindSetter(entry.Properties, property.Path);
    if (!setter) {
        setter = FindSetter(CommonProperties, property.Path);
        if (isTabSheet && setter && !EqualsIgnoreCase(property.Path, "Tag") &&
            !property.Path.starts_with("Font") && !EqualsIgnoreCase(property.Path, "Color"))
            return;
    }
    if (setter) setter(state, property.Value);
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

void ApplyWindowProperty(TfmLVFormParent& window, const TProperty& property,
                         std::string& activeControl) {
    const std::string& path = property.Path;
    const TPropertyValue& v = property.Value;
    if (EqualsIgnoreCase(path, "Caption")) {
        window.setWindowTitle(TextValue(v));
    } else if (EqualsIgnoreCase(path, "ClientWidth") || EqualsIgnoreCase(path, "Width")) {
        window.resize(IntValue(v, 0, 100000), window.height());
    } else if (EqualsIgnoreCase(path, "ClientHeight") || EqualsIgnoreCase(path, "Height")) {
        window.resize(window.width(), IntValue(v, 0, 100000));
    } else if (EqualsIgnoreCase(path, "Left")) {
        window.move(IntValue(v, -100000, 100000), window.y());
    } else if (EqualsIgnoreCase(path, "Top")) {
        window.move(window.x(), IntValue(v, -100000, 100000));
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

QString ShownText(const QWidget* widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    if (const auto* memo = qobject_cast<const TMyMemo*>(widget)) return memo->Text();
    if (const auto* window = qobject_cast<const TfmLVFormParent*>(widget))
        return window->windowTitle();
    return widget->property(TextKey).toString();
}

}  // namespace lv
