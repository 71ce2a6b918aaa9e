#include "gui/action_dispatch.h"

namespace lv {

std::optional<ClickAction> ResolveClick(const TLVForms& forms, std::string_view windowName,
                                        std::string_view componentName,
                                        const FormPlaceholders& placeholders) {
    const TLVForm& form = forms.RequireForm(windowName);
    const TAction* binding = form.Actions.FindAction(componentName);
    if (!binding) return std::nullopt;
    ClickAction action;
    action.Kind = ActionKindOf(binding->Kind);
    action.Param1 = ReplacePlaceholders(binding->Param1, placeholders);
    action.Param2 = ReplacePlaceholders(binding->Param2, placeholders);
    action.Param3 = ReplacePlaceholders(binding->Param3, placeholders);
    return action;
}

}  // namespace lv
