#include "project/saver_builder.h"

#include <string_view>

#include "common/error.h"
#include "common/file_util.h"
#include "common/name_case.h"
#include "project/atomic_output.h"
#include "project/container.h"
#include "project/saver_package.h"

namespace lv {

namespace {

void CheckNames(const std::vector<SaverFile>& files) {
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string& name = files[i].Name;
        if (const std::string_view problem = PackedNameProblem(name); !problem.empty())
            throw Error("cannot pack a file named \"" + name + "\": it " + std::string(problem));
        // The engine finds the files of a list without regard to case, so names may not differ
        // by case only.
        for (size_t k = 0; k < i; ++k)
            if (SameNameIgnoringCase(files[k].Name, name))
                throw Error(files[k].Name == name
                                ? "two packed files are named " + name
                                : "two packed files are named " + files[k].Name + " and " + name +
                                      ", which differ only in letter case");
    }
}

}  // namespace

std::string BuildFileListText(const std::vector<SaverFile>& files) {
    std::string text = "[FileListHeader]\r\nHeader=1\r\n[FileList]\r\n";
    for (const auto& f : files)
        if (f.Listed) text += f.Name + (f.Enabled ? "=1\r\n" : "=0\r\n");
    return text;
}

std::string BuildUIText(const std::string& uiFile) { return "[UI]\r\nUIFile=" + uiFile + "\r\n"; }

std::string BuildFileNamesText(const std::vector<SaverFile>& files) {
    std::string text;
    for (const auto& f : files) text += f.Name + "\r\n";
    return text;
}

std::string BuildSettingsContainer(const SaverContents& contents) {
    const std::string fileList = BuildFileListText(contents.Files);
    const std::string ui = BuildUIText(contents.UIFile);
    return BuildContainer({fileList, contents.SettingsText, ui});
}

std::string BuildPackage(const SaverContents& contents) {
    CheckNames(contents.Files);
    if (contents.UIFile.find_first_of("\r\n") != std::string::npos)
        throw Error("the UI file name cannot hold a line break");
    std::vector<std::string_view> packed;
    packed.reserve(contents.Files.size());
    for (const auto& f : contents.Files) packed.emplace_back(f.Bytes);
    const std::string files = BuildContainer(packed);
    const std::string settings = BuildSettingsContainer(contents);
    const std::string names = BuildFileNamesText(contents.Files);
    return BuildContainer({settings, names, files, contents.Forms});
}

void BuildSaver(const std::filesystem::path& output, const std::filesystem::path& engine,
                const SaverContents& contents) {
    const std::string package = BuildPackage(contents);
    // The engine finds the first marker in its file; one already there would hide the package.
    if (FindMarker(engine).Found)
        throw Error("the engine already carries a package; build from the bare engine",
                    engine.string());
    const std::string program = ReadFileBytes(engine);
    AtomicOutputFile out(output, 0755);
    out.Write(program);
    out.Write(package);
    out.Commit();
}

}  // namespace lv
