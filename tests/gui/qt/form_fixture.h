#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/forms/form_definitions.h"
#include "gui/qt/forms/form_builder.h"
#include "project/project.h"

namespace lv::test {

// A definition file holding one form with the given description lines and no bindings.
// The description's first line is line 3 of the file.
inline std::string DefinitionFile(const std::vector<std::string>& lines) {
    std::string text = "1\r\n" + std::to_string(lines.size()) + "\r\n";
    for (const auto& line : lines) text += line + "\r\n";
    return text + "1\r\n0\r\n1\r\nDummy\r\n";
}

struct BuiltWindow {
    FormDefinitions Forms;
    Project Loaded;
    std::unique_ptr<FormWindow> Window;
};

inline std::unique_ptr<BuiltWindow> BuildFromLines(const std::vector<std::string>& lines,
                                                   const std::string& name = "MainWindow") {
    auto built = std::make_unique<BuiltWindow>();
    built->Loaded.Setting.ProductName = "Sky Saver";
    built->Loaded.Setting.Publisher = "Blue Works";
    built->Loaded.Setting.Website = "http://example.org/sky";
    built->Forms.LoadFromText(DefinitionFile(lines), "test.lvu");
    built->Window = std::make_unique<FormWindow>();
    BuildInto(*built->Window, built->Forms, built->Loaded, name);
    return built;
}

}  // namespace lv::test
