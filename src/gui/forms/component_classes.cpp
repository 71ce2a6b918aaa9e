#include "gui/forms/component_classes.h"

#include <array>

#include "gui/forms/text_encoding.h"

namespace lv {
namespace {

using C = ComponentClass;
constexpr std::nullopt_t SizesItself = std::nullopt;

// The default sizes are those of the authoring tool's controls, so a block that sets no Width
// or Height looks as it did there. A picture box and the preview of the current picture take a
// click binding; so does the push button with a picture, while the plain one does not.
constexpr std::array<ComponentClassTraits, 19> Classes = {{
    {C::Form, "TForm", false, SizesItself},
    {C::ConfigWindow, "TfmLVConfigWindow", false, SizesItself},
    {C::Edit, "TEdit", false, ComponentSize{121, 21}},
    {C::Label, "TLabel", true, SizesItself},
    {C::Button, "TButton", false, ComponentSize{75, 25}},
    {C::GlyphButton, "TBitBtn", true, ComponentSize{75, 25}},
    {C::CheckBox, "TCheckBox", false, ComponentSize{97, 17}},
    {C::Panel, "TPanel", true, ComponentSize{185, 41}},
    {C::Shape, "TShape", false, ComponentSize{65, 65}},
    {C::ClickableShape, "TMyShape", true, ComponentSize{65, 65}},
    {C::Bevel, "TMyBevel", true, ComponentSize{50, 50}},
    {C::PageControl, "TPageControl", false, ComponentSize{289, 193}},
    {C::TabSheet, "TTabSheet", false, SizesItself},
    {C::Image, "TImage", true, ComponentSize{105, 105}},
    {C::PictureButton, "TMyButton", true, ComponentSize{75, 25}},
    {C::JetButton, "TJetButton", true, SizesItself},
    {C::Memo, "TMyMemo", false, ComponentSize{185, 89}},
    {C::Preview, "TLVPreview", true, ComponentSize{105, 105}},
    {C::ThumbnailList, "TLVThumbnail2", false, SizesItself},
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
