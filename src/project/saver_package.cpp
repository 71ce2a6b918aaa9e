#include "project/saver_package.h"

#include "common/error.h"
#include "common/file_util.h"
#include "common/name_case.h"

namespace lv {

namespace {

constexpr const char* FixedNames[] = {SettingsContainerName, FileNamesName, FileContainerName,
                                      FormsFileName,         FinalFileName, InstancesLockName};

// Leaves room for the temporary name a file is unpacked under (the name + ".tmp" + process id +
// "." + counter) within the 255 bytes a file name may have, and for the path limits of Windows.
constexpr size_t MaxPackedNameBytes = 200;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::filesystem::path> OuterEntryPaths(const std::string& folder) {
    return {folder + SettingsContainerName, folder + FileNamesName, folder + FileContainerName,
            folder + FormsFileName};
}

std::string_view LastComponent(std::string_view line) {
    const size_t slash = line.find_last_of("\\/");
    return slash == std::string_view::npos ? line : line.substr(slash + 1);
}

std::string_view UnpackedNameProblem(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return "names no file";
    if (name.find('\0') != std::string_view::npos) return "holds a zero byte";
    for (const char* fixed : FixedNames)
        if (SameNameIgnoringCase(name, fixed)) return "clashes with a file of the package itself";
    return {};
}

std::string_view PackedNameProblem(std::string_view name) {
    if (const std::string_view problem = UnpackedNameProblem(name); !problem.empty())
        return problem;
    if (name.find_first_of("\r\n") != std::string_view::npos) return "holds a line break";
    if (name.find_first_of("\\/") != std::string_view::npos) return "holds a folder separator";
    if (name.find('=') != std::string_view::npos) return "holds a \"=\"";
    if (name.front() == '[' || name.front() == ';') return "starts like a section or a comment";
    if (IsBlank(name.front()) || IsBlank(name.back())) return "starts or ends with a blank";
    if (name.size() > MaxPackedNameBytes) return "is longer than 200 bytes";
    return {};
}

std::vector<std::string> ReadLines(const std::string& path) {
    const std::string text = ReadFileBytes(path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start =
            end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string ProjectFileName(std::string_view line, size_t lineNumber, const std::string& listPath) {
    const std::string_view name = LastComponent(line);
    const std::string_view problem = UnpackedNameProblem(name);
    if (!problem.empty())
        throw FormatError("line " + std::to_string(lineNumber) + " (\"" +
                              std::string(line.substr(0, 200)) + "\") " + std::string(problem),
                          listPath);
    return std::string(name);
}

std::vector<std::string> ReadProjectFileNames(const std::string& listPath) {
    const std::vector<std::string> lines = ReadLines(listPath);
    std::vector<std::string> names;
    names.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        names.push_back(ProjectFileName(lines[i], i + 1, listPath));
    return names;
}

}  // namespace lv
