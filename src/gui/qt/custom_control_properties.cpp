#include <QVariant>

#include "gui/qt/form_values.h"
#include "gui/qt/image_control.h"
#include "gui/qt/jet_button.h"
#include "gui/qt/my_button.h"
#include "gui/qt/my_memo.h"
#include "gui/qt/preview_control.h"
#include "gui/qt/property_table.h"
#include "gui/qt/thumbnail_list.h"
#include "gui/text_encoding.h"

// Property tables of the picture box and of the system's own controls.
namespace lv {
namespace {

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

}  // namespace

std::span<const PropertyEntry> CustomControlProperties(std::string_view className) {
    static constexpr std::pair<std::string_view, std::span<const PropertyEntry>> tables[] = {
        {"TImage", ImageProperties},       {"TLVPreview", ImageProperties},
        {"TMyButton", MyButtonProperties}, {"TJetButton", JetButtonProperties},
        {"TMyMemo", MemoProperties},       {"TLVThumbnail2", ThumbnailProperties},
    };
    for (const auto& [name, table] : tables)
        if (EqualsIgnoreCase(name, className)) return table;
    return {};
}

}  // namespace lv
