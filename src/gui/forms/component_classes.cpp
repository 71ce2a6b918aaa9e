#include "gui/forms/component_classes.h"

#include <array>

#include "common/ascii_case.h"

namespace lv {
namespace {

using C = ComponentClass;
constexpr bool Clickable = true;
constexpr bool NotClickable = false;
constexpr std::nullopt_t SizesItself = std::nullopt;

// The default sizes are those of the authoring tool's controls, so a block that sets no Width
// or Height looks as it did there. A picture box and the preview of the current picture take a
// click binding; so does the push button with a picture, while the plain one does not.
constexpr std::array<ComponentClassTraits, 19> Classes = {{
    {C::Form, "TForm", NotClickable, SizesItself},
    {C::ConfigWindow, "TfmLVConfigWindow", NotClickable, SizesItself},
    {C::Edit, "TEdit", NotClickable, ComponentSize{121, 21}},
    {C::Label, "TLabel", Clickable, SizesItself},
    {C::Button, "TButton", NotClickable, ComponentSize{75, 25}},
    {C::GlyphButton, "TBitBtn", Clickable, ComponentSize{75, 25}},
    {C::CheckBox, "TCheckBox", NotClickable, ComponentSize{97, 17}},
    {C::Panel, "TPanel", Clickable, ComponentSize{185, 41}},
    {C::Shape, "TShape", NotClickable, ComponentSize{65, 65}},
    {C::ClickableShape, "TMyShape", Clickable, ComponentSize{65, 65}},
    {C::Bevel, "TMyBevel", Clickable, ComponentSize{50, 50}},
    {C::PageControl, "TPageControl", NotClickable, ComponentSize{289, 193}},
    {C::TabSheet, "TTabSheet", NotClickable, SizesItself},
    {C::Image, "TImage", Clickable, ComponentSize{105, 105}},
    {C::PictureButton, "TMyButton", Clickable, ComponentSize{75, 25}},
    {C::JetButton, "TJetButton", Clickable, SizesItself},
    {C::Memo, "TMyMemo", NotClickable, ComponentSize{185, 89}},
    {C::Preview, "TLVPreview", Clickable, ComponentSize{105, 105}},
    {C::ThumbnailList, "TLVThumbnail2", NotClickable, SizesItself},
}};

// TraitsOf indexes the table by the enumeration's value, and the last value ends the table.
constexpr bool InEnumerationOrder() {
    for (size_t i = 0; i < Classes.size(); ++i)
        if (static_cast<size_t>(Classes[i].Class) != i) return false;
    return true;
}
static_assert(InEnumerationOrder() && Classes.back().Class == C::ThumbnailList);

}  // namespace

std::span<const ComponentClassTraits> ComponentClasses() { return Classes; }

const ComponentClassTraits* FindComponentClass(std::string_view name) {
    for (const auto& traits : Classes)
        if (EqualsIgnoreCase(traits.Name, name)) return &traits;
    return nullptr;
}

const ComponentClassTraits& TraitsOf(ComponentClass componentClass) {
    return Classes[static_cast<size_t>(componentClass)];
}

}  // namespace lv
