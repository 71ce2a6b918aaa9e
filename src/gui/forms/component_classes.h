#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace lv {

// The component classes a form description may use. Each front end keeps one table keyed by
// these, holding its widget's constructor and its property table.
enum class ComponentClass {
    Form,
    ConfigWindow,
    Edit,
    Label,
    Button,
    GlyphButton,
    CheckBox,
    Panel,
    Shape,
    ClickableShape,
    Bevel,
    PageControl,
    TabSheet,
    Image,
    PictureButton,
    JetButton,
    Memo,
    Preview,
    ThumbnailList,
};

struct ComponentSize {
    int Width = 0;
    int Height = 0;
};

struct ComponentClassTraits {
    ComponentClass Class;
    std::string_view Name;  // as form descriptions spell it
    // A click on the component runs its binding; on the others (a push button without a
    // picture, a check box, a text box, ...) a binding never runs.
    bool TakesClickBinding;
    // The size a component gets when its block sets none; nullopt where the control sizes
    // itself (to its text, its picture or its page) or keeps the toolkit's own.
    std::optional<ComponentSize> DefaultSize;
};

// Every class once, in the order the enumeration lists them.
std::span<const ComponentClassTraits> ComponentClasses();

// The class of that name, letter case ignored; nullptr when a description may not use it.
const ComponentClassTraits* FindComponentClass(std::string_view name);

const ComponentClassTraits& TraitsOf(ComponentClass componentClass);

}  // namespace lv
