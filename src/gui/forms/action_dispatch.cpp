#include "gui/forms/action_dispatch.h"

namespace lv {

std::optional<ClickAction> ResolveClick(const FormDefinitions& forms, std::string_view windowName,
                                        std::string_view componentName,
                                        const FormPlaceholders& placeholders) {
    const FormDefinition& form = forms.RequireForm(windowName);
    const ActionBinding* binding = form.Actions.FindAction(componentName);
    if (!binding) return std::nullopt;
    ClickAction action;
    action.Kind = ActionKindOf(binding->Kind);
    action.Param1 = ReplacePlaceholders(binding->Param1, placeholders);
    action.Param2 = ReplacePlaceholders(binding->Param2, placeholders);
    action.Param3 = ReplacePlaceholders(binding->Param3, placeholders);
    return action;
}

}  // namespace lv
