#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/forms/component_classes.h"
#include "gui/forms/component_text.h"

namespace lv {

class FormWindow;

// What the builder remembers about one component while its properties are applied; some
// properties only take effect once all of a block's lines are read (AutoSize, ShowHint), and
// references to other components once the whole window is built.
struct ComponentState {
    QWidget* Widget = nullptr;
    ComponentClass Class = ComponentClass::Form;
    std::optional<bool> AutoSize;  // as set; each class has its own default
    bool WordWrap = false;
    bool Transparent = false;
    QString Hint;
    bool ShowHint = false;
    bool HasColor = false;
    std::string ActivePage;  // a page control's page to show, resolved at the end
    int ActivePageLine = 0;
};

// Applies one property line to a component through its class's table, then the lines every
// component has (those its class takes). Names the class does not have are skipped. A value that
// does not fit raises lv::Error with the property's name and the reason; the builder adds the file
// and line.
void ApplyComponentProperty(ComponentState& state, const ComponentProperty& property);
// Settles what needs all of a block's lines: a label's automatic size, hints.
void FinishComponent(ComponentState& state);

// The window's own lines. ActiveControl is returned through `activeControl` for the builder
// to resolve once every component exists.
void ApplyWindowProperty(FormWindow& window, const ComponentProperty& property,
                         std::string& activeControl);

// The caption or text a component shows (the window's title for the window), for dumps and
// tests; empty for components without one.
QString ShownText(const QWidget* widget);

}  // namespace lv
