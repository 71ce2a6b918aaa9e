#include "gui/qt/forms/component_class_table.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVariant>

#include "common/error.h"
#include "gui/qt/controls/bevel_control.h"
#include "gui/qt/controls/image_control.h"
#include "gui/qt/controls/jet_button.h"
#include "gui/qt/controls/memo_control.h"
#include "gui/qt/controls/panel_control.h"
#include "gui/qt/controls/picture_button.h"
#include "gui/qt/controls/preview_control.h"
#include "gui/qt/controls/shape_control.h"
#include "gui/qt/controls/thumbnail_list.h"

// The widget and the property table of each component class.
namespace lv {
namespace {

template <class Widget>
QWidget* Create(QWidget* parent) {
    return new Widget(parent);
}

QWidget* CreateLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(false);
    return label;
}

QWidget* CreatePushButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    // Only a button whose definition says Default answers the Enter key.
    button->setAutoDefault(false);
    return button;
}

// A page joins the tabs of the control it sits in.
QWidget* CreateTabSheet(QWidget* parent) {
    auto* tabs = qobject_cast<QTabWidget*>(parent);
    auto* page = new QWidget(tabs ? nullptr : parent);
    if (tabs) {
        tabs->addTab(page, QString());
        page->setProperty(TabsKey, QVariant::fromValue<QObject*>(tabs));
    }
    return page;
}

}  // namespace

// A window placed inside another is a bare container. The property tables come from other
// files, so the table is made on first use rather than at start-up.
std::span<const QtComponentClass> QtComponentClasses() {
    using C = ComponentClass;
    using L = CommonLines;
    static const QtComponentClass table[] = {
        {C::Form, Create<QWidget>, {}, L::All},
        {C::ConfigWindow, Create<QWidget>, {}, L::All},
        {C::Edit, Create<QLineEdit>, EditProperties(), L::All},
        {C::Label, CreateLabel, LabelProperties(), L::All},
        {C::Button, CreatePushButton, ButtonProperties(), L::All},
        {C::GlyphButton, CreatePushButton, GlyphButtonProperties(), L::All},
        {C::CheckBox, Create<QCheckBox>, CheckBoxProperties(), L::All},
        {C::Panel, Create<PanelControl>, PanelProperties(), L::All},
        {C::Shape, Create<ShapeControl>, ShapeProperties(), L::All},
        {C::ClickableShape, Create<ClickableShape>, ShapeProperties(), L::All},
        {C::Bevel, Create<BevelControl>, BevelProperties(), L::All},
        {C::PageControl, Create<QTabWidget>, PageControlProperties(), L::All},
        {C::TabSheet, CreateTabSheet, TabSheetProperties(), L::TagColorAndFont},
        {C::Image, Create<ImageControl>, ImageProperties(), L::All},
        {C::PictureButton, Create<PictureButton>, PictureButtonProperties(), L::All},
        {C::JetButton, Create<JetButton>, JetButtonProperties(), L::All},
        {C::Memo, Create<MemoControl>, MemoProperties(), L::All},
        {C::Preview, Create<PreviewControl>, ImageProperties(), L::All},
        {C::ThumbnailList, Create<ThumbnailList>, ThumbnailListProperties(), L::All},
    };
    return table;
}

const QtComponentClass* FindQtComponentClass(ComponentClass componentClass) {
    for (const auto& entry : QtComponentClasses())
        if (entry.Class == componentClass) return &entry;
    return nullptr;
}

const QtComponentClass& QtClassOf(ComponentClass componentClass) {
    if (const auto* entry = FindQtComponentClass(componentClass)) return *entry;
    throw Error("the front end cannot build a " + std::string(TraitsOf(componentClass).Name));
}

QWidget* CreateComponentWidget(ComponentClass componentClass, QWidget* parent) {
    QWidget* widget = QtClassOf(componentClass).Create(parent);
    if (const auto size = TraitsOf(componentClass).DefaultSize)
        widget->resize(size->Width, size->Height);
    return widget;
}

}  // namespace lv
