#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gui/forms/action_bindings.h"

namespace lv {

// One named form definition: the window's description text, line for line as stored, and the
// table binding its components to actions.
struct FormDefinition {
    std::string Name;
    std::vector<std::string> Lines;
    int FirstLine = 1;  // the line of Lines[0] in the definition file, counted from 1
    ActionBindings Actions;

    std::string Description() const;  // Lines joined with CR LF
};

// The form definitions of one definition file (.lvu). The file is 8-bit text, one item a line:
//
//   F                      number of form records
//   per record:  N, then N description lines
//                M, then M binding-table lines (B, then 5 lines per binding)
//                K, then K trailer lines (skipped; "Dummy" in the authoring tool's files)
//
// Nothing after the F-th record is read.
class FormDefinitions {
public:
    // Discards the loaded definitions, then reads the file. A count that is not a decimal
    // integer, is negative, or runs past the end of the file raises lv::Error naming the file
    // and line; the definitions completed before the bad record stay loaded.
    void LoadFromFile(const std::string& path);
    // The same for file content already in memory; `fileName` names it in errors.
    void LoadFromText(std::string_view content, const std::string& fileName);

    // The first definition of that name, letter case ignored; nullptr when there is none.
    const FormDefinition* FindForm(std::string_view name) const;
    // FindForm for callers that cannot go on without the definition: raises lv::Error naming
    // the file when it is missing.
    const FormDefinition& RequireForm(std::string_view name) const;

    const std::vector<FormDefinition>& Forms() const { return forms_; }
    const std::string& FileName() const { return fileName_; }
    void Clear() { forms_.clear(); }

private:
    std::vector<FormDefinition> forms_;
    std::string fileName_;
};

// A definition's name from the first line of its description, "object MainWindow: TfmForm":
// the text between the keyword and the first ':', blanks trimmed; empty without a ':'.
std::string FormNameFromHeader(std::string_view headerLine);

}  // namespace lv
