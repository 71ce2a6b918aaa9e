#include "gui/forms/form_prepare.h"

#include <array>

#include "common/ascii_case.h"
#include "common/error.h"
#include "gui/forms/line_text.h"

namespace lv {
namespace {

bool StartsWithIgnoreCase(std::string_view line, std::string_view upperPrefix) {
    return line.size() >= upperPrefix.size() &&
           EqualsIgnoreCase(line.substr(0, upperPrefix.size()), upperPrefix);
}

// "OnClick = Foo" names a handler of the authoring tool; "OnlineHelp = 1" is a property. The
// third character tells them apart: upper-casing leaves it unchanged in an event name.
bool IsEventLine(std::string_view line) {
    if (line.size() < 2 || line[0] != 'O' || line[1] != 'n') return false;
    return line.size() < 3 || AsciiUpper(line[2]) == line[2];
}

void ReplaceInValue(PropertyValue& value, const FormPlaceholders& placeholders);

void ReplaceInProperties(std::vector<ComponentProperty>& properties,
                         const FormPlaceholders& placeholders) {
    for (auto& property : properties) ReplaceInValue(property.Value, placeholders);
}

void ReplaceInValue(PropertyValue& value, const FormPlaceholders& placeholders) {
    switch (value.Kind) {
        case ValueKind::String:
            value.Text = ReplacePlaceholders(value.Text, placeholders);
            break;
        case ValueKind::List:
            for (auto& element : value.List) ReplaceInValue(element, placeholders);
            break;
        case ValueKind::Collection:
            for (auto& item : value.Items) ReplaceInProperties(item.Properties, placeholders);
            break;
        default:
            break;
    }
}

}  // namespace

std::string ReplacePlaceholders(std::string_view text, const FormPlaceholders& placeholders) {
    const std::array<std::pair<std::string_view, const std::string*>, 3> table = {{
        {"<ScreensaverName>", &placeholders.ScreensaverName},
        {"<CompanyName>", &placeholders.CompanyName},
        {"<Website>", &placeholders.Website},
    }};
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find('<', pos);
        if (open == std::string_view::npos) break;
        out.append(text.substr(pos, open - pos));
        pos = open;
        bool replaced = false;
        for (const auto& [placeholder, value] : table) {
            if (text.substr(open, placeholder.size()) == placeholder) {
                out += *value;
                pos = open + placeholder.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out.push_back(text[pos++]);
    }
    out.append(text.substr(pos));
    return out;
}

namespace {

// Which lines of the description the builder keeps, in order; a removed line keeps its place
// as an empty string when `removed` is Blank, so that line numbers stay those of the file.
enum class RemovedLines { Drop, Blank };

std::vector<std::string> FilterLines(const FormDefinition& form, RemovedLines removed) {
    // Whatever class the file names for the window, it is built as the configuration window.
    const ComponentClassTraits& windowClass = TraitsOf(ComponentClass::ConfigWindow);
    std::vector<std::string> lines;
    lines.reserve(form.Lines.size());
    bool visibleRemoved = false;
    for (size_t i = 0; i < form.Lines.size(); ++i) {
        std::string line = i == 0 ? "object " + form.Name + ": " + std::string(windowClass.Name)
                                  : std::string(TrimBlanks(form.Lines[i]));
        bool keep =
            !(IsEventLine(line) || StartsWithIgnoreCase(line, "BORDERICONS") ||
              StartsWithIgnoreCase(line, "BORDERSTYLE") || StartsWithIgnoreCase(line, "FORMSTYLE"));
        // The window's own "Visible = False" would show it during the build; only the first
        // Visible line of the text goes, whichever block it belongs to.
        if (keep && !visibleRemoved && StartsWithIgnoreCase(line, "VISIBLE")) {
            visibleRemoved = true;
            keep = false;
        }
        if (keep)
            lines.push_back(std::move(line));
        else if (removed == RemovedLines::Blank)
            lines.emplace_back();
    }
    return lines;
}

}  // namespace

std::vector<std::string> FilterDescriptionLines(const FormDefinition& form) {
    return FilterLines(form, RemovedLines::Drop);
}

void ReplacePlaceholdersInTree(ComponentNode& node, const FormPlaceholders& placeholders) {
    ReplaceInProperties(node.Properties, placeholders);
    for (auto& child : node.Children) ReplacePlaceholdersInTree(child, placeholders);
}

ComponentNode PrepareFormTree(const FormDefinition& form, const FormPlaceholders& placeholders,
                              const std::string& fileName) {
    std::string text;
    for (const auto& line : FilterLines(form, RemovedLines::Blank)) {
        text += line;
        text += "\r\n";
    }
    ComponentNode tree = ParseComponentText(text, fileName, form.FirstLine);
    CheckComponentClasses(tree, fileName);
    ReplacePlaceholdersInTree(tree, placeholders);
    return tree;
}

void CheckComponentClasses(const ComponentNode& node, const std::string& fileName) {
    if (!FindComponentClass(node.ClassName))
        throw Error("line " + std::to_string(node.Line) + ": unknown component class '" +
                        node.ClassName + "'",
                    fileName);
    for (const auto& child : node.Children) CheckComponentClasses(child, fileName);
}

std::optional<bool> VisibleByTag(ComponentClass componentClass, int64_t tag) {
    if (componentClass == ComponentClass::TabSheet) return std::nullopt;
    return (tag & 1) != 0;
}

int64_t ComponentTag(const ComponentNode& node) {
    // Applied in order when the component is built, so a later Tag line wins.
    int64_t tag = 0;
    for (const auto& property : node.Properties)
        if (EqualsIgnoreCase(property.Path, "Tag") && property.Value.Kind == ValueKind::Integer)
            tag = property.Value.Integer;
    return tag;
}

BaseFormFlags ReadBaseFormFlags(const ComponentNode& window, const std::string& fileName) {
    BaseFormFlags flags;
    const std::array<std::pair<std::string_view, bool*>, 6> table = {{
        {"NoFrame", &flags.NoFrame},
        {"Sizeable", &flags.Sizeable},
        {"ShowButtons", &flags.ShowButtons},
        {"MaximizeButton", &flags.MaximizeButton},
        {"MinimizeButton", &flags.MinimizeButton},
        {"MaximizeOnShow", &flags.MaximizeOnShow},
    }};
    // Every line is applied in order, so the last one of a name wins, as when the window is
    // streamed in.
    for (const auto& property : window.Properties) {
        for (const auto& [name, flag] : table) {
            if (!EqualsIgnoreCase(property.Path, name)) continue;
            if (!property.Value.IsTrue() && !property.Value.IsFalse())
                throw Error("line " + std::to_string(property.Line) +
                                ": expected True or False for " + std::string(name),
                            fileName);
            *flag = property.Value.IsTrue();
        }
    }
    return flags;
}

WindowFrame FrameOf(const BaseFormFlags& flags) {
    WindowFrame frame;
    frame.Border = flags.NoFrame    ? WindowBorder::None
                   : flags.Sizeable ? WindowBorder::Sizeable
                                    : WindowBorder::Single;
    frame.SystemMenu = flags.ShowButtons;
    frame.MaximizeBox = flags.MaximizeButton;
    frame.MinimizeBox = flags.MinimizeButton;
    frame.Maximized = flags.MaximizeOnShow;
    return frame;
}

}  // namespace lv
