#pragma once

#include <QWidget>
#include <span>

#include "gui/forms/component_classes.h"
#include "gui/qt/forms/property_table.h"

namespace lv {

// What the Qt front end makes of one component class: its widget and the property lines that
// class has beyond the ones every component has.
struct QtComponentClass {
    ComponentClass Class;
    QWidget* (*Create)(QWidget* parent);
    std::span<const PropertyEntry> Properties;
    CommonLines Common;
};

// One entry for each class of ComponentClasses().
std::span<const QtComponentClass> QtComponentClasses();

// The entry of a class; nullptr when the table lacks it.
const QtComponentClass* FindQtComponentClass(ComponentClass componentClass);
// The entry of a class; raises lv::Error naming the class when the table lacks it.
const QtComponentClass& QtClassOf(ComponentClass componentClass);

// Makes the widget of a class as a child of `parent`, with the class's default size.
QWidget* CreateComponentWidget(ComponentClass componentClass, QWidget* parent);

}  // namespace lv
