#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gui/forms/action_bindings.h"
#include "gui/forms/form_definitions.h"
#include "gui/forms/form_prepare.h"

namespace lv {

// What a click on a component of a built window runs, decided before anything is done.
struct ClickAction {
    ActionKind Kind = ActionKind::None;
    std::string Param1;  // placeholders replaced
    std::string Param2;
    std::string Param3;
};

// Finds the window's own definition by the window's name and, in its bindings, the first one
// of the clicked component (letter case ignored), then replaces the placeholders in copies of
// its parameters. nullopt: the component has no binding, the click does nothing. A window name
// that is not among the definitions raises lv::Error naming the definition file.
std::optional<ClickAction> ResolveClick(const FormDefinitions& forms, std::string_view windowName,
                                        std::string_view componentName,
                                        const FormPlaceholders& placeholders);

}  // namespace lv
