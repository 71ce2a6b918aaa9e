#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "gui/forms/component_classes.h"
#include "gui/win32/forms/win32_form_window.h"

namespace lv {

struct DrawnControl;
class ThumbnailGrid;

// What the builder keeps about one component while its property lines are applied. The font
// and colours are settled once the block's last line is read.
struct Win32ComponentState {
    Win32FormWindow* Form = nullptr;
    Win32FormWindow::Component* Component = nullptr;
    HWND Window = nullptr;
    ComponentClass Class = ComponentClass::Form;
    LOGFONTA Font{};  // starts as the parent's
    bool FontChanged = false;
    ControlColors Colors;
    std::optional<bool> AutoSize;  // as set; each class has its own default
    bool WordWrap = false;
    bool Transparent = false;
    UINT TextAlignment = SS_LEFT;
    std::string ActivePage;  // a page control's page to show, resolved at the end
    int ActivePageLine = 0;
    std::string Caption;

    // The component's own state when it is drawn by the front end; raise lv::Error when the
    // component is of another kind, instead of writing into the wrong object.
    DrawnControl& Drawn();
    ThumbnailGrid& Grid();
};

}  // namespace lv
