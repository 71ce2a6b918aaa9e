// lvtool forms: lists the form definitions of a definition file (.lvu) as JSON: each
// definition's name, its bindings and its components (the window first, then every block in
// text order with the name of the block that contains it).
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "gui/forms/component_text.h"
#include "gui/forms/form_definitions.h"
#include "json_writer.h"

namespace lvtool {
namespace {

// A JSON string of 8-bit Windows-1252 text.
std::string JsonString(std::string_view text) { return "\"" + JsonEscape(text) + "\""; }

void AppendComponents(const lv::ComponentNode& node, const std::string* parent,
                      std::vector<std::string>& entries) {
    entries.push_back("{\"name\": " + JsonString(node.Name) +
                      ", \"class\": " + JsonString(node.ClassName) +
                      ", \"parent\": " + (parent ? JsonString(*parent) : "null") + "}");
    for (const auto& child : node.Children) AppendComponents(child, &node.Name, entries);
}

std::string JoinList(const std::vector<std::string>& entries, const char* indent) {
    if (entries.empty()) return "[]";
    std::string out = "[\n";
    for (size_t i = 0; i < entries.size(); ++i)
        out += indent + entries[i] + (i + 1 < entries.size() ? ",\n" : "\n");
    return out + std::string(indent, std::char_traits<char>::length(indent) - 2) + "]";
}

int RunForms(const std::vector<std::string>& words) {
    const Arguments arguments(words, {}, {});
    arguments.ExpectPositionalCount(1);
    const std::string& path = arguments.Required(0, "FILE.lvu");
    lv::FormDefinitions forms;
    forms.LoadFromFile(path);

    std::vector<std::string> formEntries;
    for (const auto& form : forms.Forms()) {
        std::vector<std::string> bindings;
        for (const auto& action : form.Actions.Actions())
            bindings.push_back("{\"component\": " + JsonString(action.ComponentName) +
                               ", \"kind\": " + std::to_string(action.Kind) + ", \"params\": [" +
                               JsonString(action.Param1) + ", " + JsonString(action.Param2) + ", " +
                               JsonString(action.Param3) + "]}");
        std::vector<std::string> components;
        AppendComponents(lv::ParseComponentText(form.Description(), path, form.FirstLine), nullptr, components);
        formEntries.push_back("{\n      \"name\": " + JsonString(form.Name) +
                              ",\n      \"bindings\": " + JoinList(bindings, "        ") +
                              ",\n      \"components\": " + JoinList(components, "        ") +
                              "\n    }");
    }
    std::printf("{\"forms\": %s}\n", JoinList(formEntries, "    ").c_str());
    return 0;
}

const CommandRegistration registration({
    "forms",
    "FILE.lvu",
    "List the form definitions of a definition file as JSON",
    "Prints {\"forms\": [{\"name\", \"bindings\": [{\"component\", \"kind\", \"params\"}],\n"
    "\"components\": [{\"name\", \"class\", \"parent\"}]}]}: every definition in file order,\n"
    "its binding table, and its components with the window first (parent null).\n"
    "Texts are decoded from Windows-1252. A file or description the engine cannot read\n"
    "fails with its error and exit status 1.",
    RunForms,
});

}  // namespace
}  // namespace lvtool
