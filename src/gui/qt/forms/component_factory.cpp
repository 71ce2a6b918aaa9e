#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVariant>

#include "common/ascii_case.h"
#include "gui/qt/controls/decorations.h"
#include "gui/qt/controls/image_control.h"
#include "gui/qt/controls/jet_button.h"
#include "gui/qt/controls/memo_control.h"
#include "gui/qt/controls/picture_button.h"
#include "gui/qt/controls/preview_control.h"
#include "gui/qt/controls/thumbnail_list.h"
#include "gui/qt/forms/component_properties.h"
#include "gui/qt/forms/form_window.h"
#include "gui/qt/forms/property_table.h"

// The widget of each component class, and what a component settles after its last line.
namespace lv {
namespace {

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
        auto* button = new QPushButton(parent);
        // Only a button whose definition says Default answers the Enter key.
        button->setAutoDefault(false);
        button->resize(75, 25);
        widget = button;
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
        widget = new ClickableShape(parent);
        widget->resize(65, 65);
    } else if (IsClass(cls, "TMyBevel")) {
        widget = new BevelControl(parent);
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
        widget = new PreviewControl(parent);
        widget->resize(105, 105);
    } else if (IsClass(cls, "TMyButton")) {
        widget = new PictureButton(parent);
        widget->resize(75, 25);
    } else if (IsClass(cls, "TJetButton")) {
        widget = new JetButton(parent);
    } else if (IsClass(cls, "TMyMemo")) {
        widget = new MemoControl(parent);
        widget->resize(185, 89);
    } else if (IsClass(cls, "TLVThumbnail2")) {
        widget = new ThumbnailList(parent);
    } else {
        // A plain window placed inside another: a bare container.
        widget = new QWidget(parent);
    }
    return widget;
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
