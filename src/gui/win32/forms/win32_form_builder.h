#pragma once

#include <string>

#include "gui/forms/form_definitions.h"
#include "gui/win32/forms/win32_form_window.h"
#include "project/project.h"

namespace lv {

// Builds the definition `name` (blanks trimmed, letter case ignored) into `window`: the frame
// from its six flags, its own properties, then every component block as a child window of the
// block that contains it, each property line applied in order, ActivePage and ActiveControl
// resolved last; the aligned components placed and the window centred on the primary screen's
// work area.
//
// A missing definition, an unknown class or a value that does not fit its property raises
// lv::Error naming the definition file and the line; `window` must then be thrown away unshown.
void BuildWin32Form(Win32FormWindow& window, const FormDefinitions& forms, const Project& project,
                    const std::string& name);

}  // namespace lv
