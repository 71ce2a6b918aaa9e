#include "project/saver_unpacker.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "common/error.h"
#include "common/name_case.h"
#include "project/atomic_output.h"
#include "project/container.h"
#include "project/saver_package.h"

namespace lv {
namespace fs = std::filesystem;

std::vector<std::string> UnpackPackage(const std::string& saverPath, const std::string& folder) {
    const std::vector<fs::path> fixed = OuterEntryPaths(folder);
    const auto fileContainer = static_cast<size_t>(
        std::find(fixed.begin(), fixed.end(), fs::path(folder + FileContainerName)) -
        fixed.begin());
    // The file container is split straight from the saver: written out first, its bytes would
    // go to the disk twice.
    std::vector<fs::path> outputs;
    SplitContainerWithNested(saverPath, fixed, fileContainer, [&] {
        for (const auto& name : ReadProjectFileNames(folder + FileNamesName))
            outputs.emplace_back(folder + name);
        return outputs;
    });

    std::vector<std::string> written;
    for (size_t k = 0; k < fixed.size(); ++k)
        if (k != fileContainer) written.push_back(fixed[k].string());
    for (const auto& p : outputs) written.push_back(p.string());
    return written;
}

void LoadUnpackedProject(Project& project, const std::string& folder) {
    const std::vector<std::string> unpacked = ReadProjectFileNames(folder + FileNamesName);
    project.Load(folder + SettingsContainerName);
    const auto unpackedName = [&](std::string_view name) {
        const std::string* found = FindNameIgnoringCase(unpacked, name);
        return found ? *found : std::string(name);
    };

    for (auto& name : project.FileList.Files) name = folder + unpackedName(name);
    if (!project.Setting.PreviewFile.empty()) {
        const std::string_view preview = LastComponent(project.Setting.PreviewFile);
        // A name that leads nowhere inside the folder means no preview picture.
        project.Setting.PreviewFile =
            UnpackedNameProblem(preview).empty() ? folder + unpackedName(preview) : std::string();
    }
    project.UISetting.UIFile = folder + FormsFileName;
}

void RemoveUnpackedFiles(const std::string& folder) {
    std::vector<std::string> names;
    try {
        for (const auto& line : ReadLines(folder + FileNamesName)) {
            const std::string_view name = LastComponent(line);
            if (UnpackedNameProblem(name).empty()) names.emplace_back(name);
        }
    } catch (const Error&) {
        // No name list: only the fixed files can be there.
    }
    for (const auto& name : names) ::unlink((folder + name).c_str());
    constexpr const char* fixedFiles[] = {SettingsContainerName, FileContainerName, FinalFileName,
                                          FileNamesName, FormsFileName};
    names.insert(names.end(), std::begin(fixedFiles), std::end(fixedFiles));

    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        for (const auto& name : names)
            if (IsTemporaryNameOf(entry, name)) ::unlink((folder + entry).c_str());
    }
    for (const char* name : fixedFiles) ::unlink((folder + name).c_str());
}

}  // namespace lv
