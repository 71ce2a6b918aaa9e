#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/lv_forms.h"
#include "gui/qt/form_builder.h"
#include "project/lvc_project.h"

namespace lv::test {

// A definition file holding one form with the given description lines and no bindings.
// The description's first line is line 3 of the file.
inline std::string DefinitionFile(const std::vector<std::string>& lines) {
    std::string text = "1\r\n" + std::to_string(lines.size()) + "\r\n";
    for (const auto& line : lines) text += line + "\r\n";
    return text + "1\r\n0\r\n1\r\nDummy\r\n";
}

struct BuiltWindow {
    TLVForms Forms;
    TLVCProject Project;
    std::unique_ptr<TfmLVFormParent> Window;
};

inline std::unique_ptr<BuiltWindow> BuildFromLines(const std::vector<std::string>& lines,
                                                   const std::string& name = "MainWindow") {
    auto built = std::make_unique<BuiltWindow>();
    built->Project.Setting.ProductName = "Sky Saver";
    built->Project.Setting.Publisher = "Blue Works";
    built->Project.Setting.Website = "http://example.org/sky";
    built->Forms.LoadFromText(DefinitionFile(lines), "test.lvu");
    built->Window = std::make_unique<TfmLVFormParent>();
    BuildInto(*built->Window, built->Forms, built->Project, name);
    return built;
}

}  // namespace lv::test
