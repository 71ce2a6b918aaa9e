#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "gui/forms/component_text.h"
#include "common/ascii_case.h"

namespace lv {

// One of the named constants a property takes ("alClient", "bvLowered", "ssBoth") and what it
// stands for.
template <class T>
struct NamedConstant {
    std::string_view Name;
    T Value;
};

// Raises lv::Error "expected A, B or C" and, when `found` is given, ", found 'X'". The builder
// adds the file, line and property.
[[noreturn]] void ThrowNotANamedConstant(const std::vector<std::string_view>& names,
                                         std::optional<std::string_view> found);

// The value `name` stands for, letter case ignored, first match; nullopt when it names none.
template <class T, size_t N>
std::optional<T> FindNamedConstant(const NamedConstant<T> (&constants)[N], std::string_view name) {
    for (const auto& constant : constants)
        if (EqualsIgnoreCase(constant.Name, name)) return constant.Value;
    return std::nullopt;
}

// The value `name` stands for; a name that is not among `constants` raises lv::Error listing
// them. For the elements of a set.
template <class T, size_t N>
T NamedConstantOf(const NamedConstant<T> (&constants)[N], std::string_view name) {
    if (const auto value = FindNamedConstant(constants, name)) return *value;
    std::vector<std::string_view> names;
    for (const auto& constant : constants) names.push_back(constant.Name);
    ThrowNotANamedConstant(names, name);
}

// The value an identifier property names. Any other kind of value, or an identifier that is not
// among `constants`, raises lv::Error listing them.
template <class T, size_t N>
T NamedConstantValue(const PropertyValue& value, const NamedConstant<T> (&constants)[N]) {
    if (value.Kind == ValueKind::Identifier) return NamedConstantOf(constants, value.Text);
    std::vector<std::string_view> names;
    for (const auto& constant : constants) names.push_back(constant.Name);
    ThrowNotANamedConstant(names, std::nullopt);
}

}  // namespace lv
