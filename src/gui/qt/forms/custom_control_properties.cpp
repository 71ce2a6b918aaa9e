#include <QVariant>

#include "common/ascii_case.h"
#include "gui/forms/named_constants.h"
#include "gui/qt/controls/image_control.h"
#include "gui/qt/controls/jet_button.h"
#include "gui/qt/controls/memo_control.h"
#include "gui/qt/controls/picture_button.h"
#include "gui/qt/controls/preview_control.h"
#include "gui/qt/controls/thumbnail_list.h"
#include "gui/qt/forms/form_values.h"
#include "gui/qt/forms/property_table.h"

// Property tables of the picture box (and the preview, which is one) and of the system's own
// controls.
namespace lv {
namespace {

const PropertyEntry ImageLines[] = {
    {"Picture.Data",
     [](ComponentState& s, const PropertyValue& v) {
         As<ImageControl>(s)->SetPicture(StoredPictureValue(v));
     }},
    {"Stretch", [](ComponentState& s,
                   const PropertyValue& v) { As<ImageControl>(s)->SetStretch(BoolValue(v)); }},
    {"Center",
     [](ComponentState& s, const PropertyValue& v) { As<ImageControl>(s)->Center = BoolValue(v); }},
    {"Proportional",
     [](ComponentState& s, const PropertyValue& v) {
         As<ImageControl>(s)->Proportional = BoolValue(v);
     }},
    {"Transparent",
     [](ComponentState& s, const PropertyValue& v) {
         As<ImageControl>(s)->Transparent = BoolValue(v);
     }},
    {"AutoSize", [](ComponentState& s, const PropertyValue& v) { s.AutoSize = BoolValue(v); }},
};

const PropertyEntry PictureButtonLines[] = {
    {"Caption",
     [](ComponentState& s, const PropertyValue& v) {
         const QString caption = TextValue(v);
         SetShownText(s.Widget, caption);
         As<PictureButton>(s)->SetCaption(caption);
     }},
    {"ShowCaption",
     [](ComponentState& s, const PropertyValue& v) {
         As<PictureButton>(s)->ShowCaption = BoolValue(v);
     }},
    {"Transparent",
     [](ComponentState& s, const PropertyValue& v) {
         As<PictureButton>(s)->Transparent = BoolValue(v);
     }},
    {"AutoSize", [](ComponentState& s,
                    const PropertyValue& v) { As<PictureButton>(s)->SetAutoSize(BoolValue(v)); }},
    {"AllowDown", [](ComponentState& s,
                     const PropertyValue& v) { As<PictureButton>(s)->SetAllowDown(BoolValue(v)); }},
    {"Down", [](ComponentState& s,
                const PropertyValue& v) { As<PictureButton>(s)->SetDown(BoolValue(v)); }},
    {"ButtonUp.Data",
     [](ComponentState& s, const PropertyValue& v) {
         As<PictureButton>(s)->SetButtonUp(StoredPictureValue(v));
     }},
    {"ButtonDown.Data",
     [](ComponentState& s, const PropertyValue& v) {
         As<PictureButton>(s)->SetButtonDown(StoredPictureValue(v));
     }},
    {"ButtonOver.Data",
     [](ComponentState& s, const PropertyValue& v) {
         As<PictureButton>(s)->SetButtonOver(StoredPictureValue(v));
     }},
    {"ButtonDisable.Data",
     [](ComponentState& s, const PropertyValue& v) {
         As<PictureButton>(s)->SetButtonDisable(StoredPictureValue(v));
     }},
};

const PropertyEntry JetButtonLines[] = {
    {"Caption",
     [](ComponentState& s, const PropertyValue& v) {
         const QString caption = TextValue(v);
         SetShownText(s.Widget, caption);
         As<JetButton>(s)->SetCaption(caption);
     }},
    {"BitmapUp.Data",
     [](ComponentState& s, const PropertyValue& v) {
         As<JetButton>(s)->SetBitmapUp(StoredBitmapValue(v));
     }},
    {"BitmapDown.Data",
     [](ComponentState& s, const PropertyValue& v) {
         As<JetButton>(s)->SetBitmapDown(StoredBitmapValue(v));
     }},
    {"BitmapOver.Data",
     [](ComponentState& s, const PropertyValue& v) {
         As<JetButton>(s)->SetBitmapOver(StoredBitmapValue(v));
     }},
    {"BitmapDisabled.Data",
     [](ComponentState& s, const PropertyValue& v) {
         As<JetButton>(s)->SetBitmapDisabled(StoredBitmapValue(v));
     }},
    {"TransparentColor",
     [](ComponentState& s, const PropertyValue& v) {
         As<JetButton>(s)->SetTransparentColor(ColorValue(v));
     }},
    {"PicSeries", [](ComponentState& s,
                     const PropertyValue& v) { As<JetButton>(s)->SetPicSeries(TextValue(v)); }},
};

struct ScrollBars {
    bool Horizontal;
    bool Vertical;
};

constexpr NamedConstant<ScrollBars> ScrollBarNames[] = {{"ssNone", {false, false}},
                                                        {"ssHorizontal", {true, false}},
                                                        {"ssVertical", {false, true}},
                                                        {"ssBoth", {true, true}}};

const PropertyEntry MemoLines[] = {
    {"Text",
     [](ComponentState& s, const PropertyValue& v) { As<MemoControl>(s)->SetText(TextValue(v)); }},
    {"Lines.Strings",
     [](ComponentState& s, const PropertyValue& v) {
         As<MemoControl>(s)->SetText(StringListValue(v).join("\r\n"));
     }},
    {"ReadOnly", [](ComponentState& s,
                    const PropertyValue& v) { As<MemoControl>(s)->setReadOnly(BoolValue(v)); }},
    {"WordWrap",
     [](ComponentState& s, const PropertyValue& v) {
         As<MemoControl>(s)->setLineWrapMode(BoolValue(v) ? QPlainTextEdit::WidgetWidth
                                                          : QPlainTextEdit::NoWrap);
     }},
    {"ScrollBars",
     [](ComponentState& s, const PropertyValue& v) {
         const ScrollBars bars = NamedConstantValue(v, ScrollBarNames);
         auto* memo = As<MemoControl>(s);
         memo->setVerticalScrollBarPolicy(bars.Vertical ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAlwaysOff);
         memo->setHorizontalScrollBarPolicy(bars.Horizontal ? Qt::ScrollBarAlwaysOn
                                                            : Qt::ScrollBarAlwaysOff);
     }},
};

const PropertyEntry ThumbnailListLines[] = {
    {"PictureWidth",
     [](ComponentState& s, const PropertyValue& v) {
         As<ThumbnailList>(s)->SetPictureWidth(IntValue(v, 1, 4096));
     }},
    {"PictureHeight",
     [](ComponentState& s, const PropertyValue& v) {
         As<ThumbnailList>(s)->SetPictureHeight(IntValue(v, 1, 4096));
     }},
    {"ShowCheckBox",
     [](ComponentState& s, const PropertyValue& v) {
         As<ThumbnailList>(s)->SetShowCheckBox(BoolValue(v));
     }},
    {"ShowTitle", [](ComponentState& s,
                     const PropertyValue& v) { As<ThumbnailList>(s)->SetShowTitle(BoolValue(v)); }},
    {"MultiRows", [](ComponentState& s,
                     const PropertyValue& v) { As<ThumbnailList>(s)->SetMultiRows(BoolValue(v)); }},
    {"ColCount",
     [](ComponentState& s, const PropertyValue& v) {
         As<ThumbnailList>(s)->SetColCount(IntValue(v, 1, 100000));
     }},
    {"RowCount",
     [](ComponentState& s, const PropertyValue& v) {
         As<ThumbnailList>(s)->SetRowCount(IntValue(v, 1, 100000));
     }},
    {"Color",
     [](ComponentState& s, const PropertyValue& v) {
         const QColor color = ColorValue(v);
         if (color.isValid()) As<ThumbnailList>(s)->SetColor(color);
     }},
};

}  // namespace

std::span<const PropertyEntry> ImageProperties() { return ImageLines; }
std::span<const PropertyEntry> PictureButtonProperties() { return PictureButtonLines; }
std::span<const PropertyEntry> JetButtonProperties() { return JetButtonLines; }
std::span<const PropertyEntry> MemoProperties() { return MemoLines; }
std::span<const PropertyEntry> ThumbnailListProperties() { return ThumbnailListLines; }

}  // namespace lv
