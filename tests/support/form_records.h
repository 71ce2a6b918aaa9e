#pragma once

// Form-definition texts for the configuration windows' tests of every front end: one record with
// its description lines and binding table, and a main window with a thumbnail list, a preview and
// labels to click.
#include <string>
#include <vector>

namespace lv::test {

struct Binding {
    std::string Component;
    int Kind;
    std::string Param1 = " ";
};

// One definition record: the description lines and the binding table.
inline std::string FormRecord(const std::vector<std::string>& lines,
                              const std::vector<Binding>& bindings) {
    std::string text = std::to_string(lines.size()) + "\r\n";
    for (const auto& line : lines) text += line + "\r\n";
    text +=
        std::to_string(1 + 5 * bindings.size()) + "\r\n" + std::to_string(bindings.size()) + "\r\n";
    for (const auto& b : bindings)
        text +=
            b.Component + "\r\n" + std::to_string(b.Kind) + "\r\n" + b.Param1 + "\r\n \r\n \r\n";
    return text + "1\r\nDummy\r\n";
}

// A main window with a thumbnail list, a preview and one label per bound component name.
inline std::vector<std::string> MainWindowLines(const std::vector<std::string>& labels,
                                                const std::string& name = "MainWindow") {
    std::vector<std::string> lines = {"object " + name + ": TfmForm",
                                      "  Left = 0",
                                      "  Top = 0",
                                      "  Caption = 'Test'",
                                      "  ClientHeight = 300",
                                      "  ClientWidth = 400",
                                      "  object Thumbs: TLVThumbnail2",
                                      "    Tag = 3",
                                      "    Left = 0",
                                      "    Top = 0",
                                      "    Width = 400",
                                      "    Height = 120",
                                      "    PictureWidth = 40",
                                      "    PictureHeight = 30",
                                      "    ShowCheckBox = True",
                                      "  end",
                                      "  object Preview: TLVPreview",
                                      "    Tag = 3",
                                      "    Left = 0",
                                      "    Top = 130",
                                      "    Width = 80",
                                      "    Height = 60",
                                      "  end"};
    int top = 200;
    for (const auto& label : labels) {
        lines.insert(lines.end(), {"  object " + label + ": TLabel", "    Tag = 3",
                                   "    Left = 100", "    Top = " + std::to_string(top),
                                   "    Caption = '" + label + "'", "  end"});
        top += 16;
    }
    lines.push_back("end");
    return lines;
}

}  // namespace lv::test
