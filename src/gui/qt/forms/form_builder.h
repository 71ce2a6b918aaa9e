#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

#include "gui/forms/form_definitions.h"
#include "gui/qt/forms/form_window.h"
#include "project/project.h"

namespace lv {

// Builds the definition `name` (blanks trimmed, letter case ignored) into `window`: its own
// properties, then every component block as a child widget of the block that contains it, each
// property line applied in order, ActiveControl and ActivePage resolved last; then the window's
// frame from its six flags, centred on the screen, maximised on show when asked.
//
// Every component is registered with window.AddComponent in creation order, and a completed
// click on a component of a class that takes click bindings emits window.ComponentClicked.
//
// A missing definition, an unknown class or a value that does not fit its property raises
// lv::Error naming the definition file and the line; `window` must then be thrown away
// unshown. Remembers `forms` and `project` for the action handlers (BuiltForms, BuiltProject).
void BuildInto(FormWindow& window, const FormDefinitions& forms, const Project& project,
               const std::string& name);

// The definitions and the project of the last build, for the click handlers; nullptr before.
const FormDefinitions* BuiltForms();
const Project* BuiltProject();

// Shows every component whose Tag has bit 0 set and hides the others (a TTabSheet keeps its
// own visibility), then places the aligned components again. The configuration window runs it
// whenever it opens.
void ApplyTagVisibility(FormWindow& window);

// The Tag a component's definition gave it (0 when none).
int64_t ComponentTagOf(const QWidget* widget);

// The component (or the window) a widget belongs to in the definition: the nearest ancestor
// that is a registered component of `window`, or the window itself.
QWidget* ParentComponentOf(const FormWindow& window, const QWidget* widget);

}  // namespace lv
