#include "launcher/working_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "common/error.h"
#include "common/file_util.h"
#include "common/name_case.h"
#include "platform/user_folders.h"
#include "project/atomic_output.h"
#include "project/container.h"

namespace lv {
namespace fs = std::filesystem;

namespace {

constexpr const char* FixedNames[] = {SettingsContainerName, FileNamesName, FileContainerName,
                                      FormsFileName,         FinalFileName, InstancesLockName};

std::string_view LastComponent(std::string_view text) {
    const size_t slash = text.find_last_of("\\/");
    return slash == std::string_view::npos ? text : text.substr(slash + 1);
}

bool IsAcceptableName(std::string_view name, std::string* reason) {
    const char* why = nullptr;
    if (name.empty() || name == "." || name == "..")
        why = "names no file";
    else if (name.find('\0') != std::string_view::npos)
        why = "holds a zero byte";
    else
        for (const char* fixed : FixedNames)
            if (name == fixed) why = "clashes with a file of the package itself";
    if (why && reason) *reason = why;
    return why == nullptr;
}

}  // namespace

std::string ExpandLongPath(const std::string& path) {
    if (path.empty()) return {};
    std::error_code ec;
    const fs::path canonical = fs::canonical(path, ec);
    return ec ? std::string() : canonical.string();
}

std::string WorkingFolderBaseName(const std::string& longPath) {
    const std::string_view name = LastComponent(longPath);
    return std::string(name.substr(0, name.find('.')));
}

std::string WorkingFolderPath(const std::string& ownPath) {
    const std::string longPath = ExpandLongPath(ownPath);
    if (longPath.empty()) throw Error("cannot find the program's own file", ownPath);
    const std::string base = WorkingFolderBaseName(longPath);
    if (base.empty())
        throw Error("the program's file name gives no working folder name (it starts with a dot)",
                    longPath);
    return PrivateTempFolder() + base + "/";
}

std::string GetWorkingFolder(const std::string& ownPath) {
    const std::string folder = WorkingFolderPath(ownPath);
    const std::string bare = folder.substr(0, folder.size() - 1);
    if (::mkdir(bare.c_str(), 0700) != 0 && errno != EEXIST)
        throw Error(std::string("cannot create the working folder: ") + std::strerror(errno),
                    bare);
    // The folder may be left over from an earlier run; it is used only while it is still a
    // real folder of this user that nobody else can write into.
    struct stat st {};
    if (::lstat(bare.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw Error("the working folder is not a folder; refusing to use it", bare);
    if (st.st_uid != ::geteuid())
        throw Error("the working folder belongs to another user; refusing to use it", bare);
    if ((st.st_mode & 022) != 0)
        throw Error("the working folder is open to other users; refusing to use it", bare);
    return folder;
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
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string ProjectFileName(std::string_view line, size_t lineNumber,
                            const std::string& listPath) {
    const std::string_view name = LastComponent(line);
    std::string reason;
    if (!IsAcceptableName(name, &reason))
        throw FormatError("line " + std::to_string(lineNumber) + " (\"" +
                              std::string(line.substr(0, 200)) + "\") " + reason,
                          listPath);
    return std::string(name);
}

namespace {

// The file names LVFilenames.res lists, in its order; raises as ProjectFileName does.
std::vector<std::string> ProjectFileNames(const std::string& listPath) {
    const std::vector<std::string> lines = ReadLines(listPath);
    std::vector<std::string> names;
    names.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        names.push_back(ProjectFileName(lines[i], i + 1, listPath));
    return names;
}

// The unpacked files of the working folder `w`, the temporary files an unpacking cut short
// left of them, and the fixed files.
void RemoveUnpackedFiles(const std::string& w) {
    std::vector<std::string> names;
    try {
        for (const auto& line : ReadLines(w + FileNamesName)) {
            const std::string_view name = LastComponent(line);
            if (IsAcceptableName(name, nullptr)) names.emplace_back(name);
        }
    } catch (const Error&) {
        // No name list: only the fixed files can be there.
    }
    for (const auto& name : names) ::unlink((w + name).c_str());
    constexpr const char* fixedFiles[] = {SettingsContainerName, FileContainerName, FinalFileName,
                                          FileNamesName, FormsFileName};
    names.insert(names.end(), std::begin(fixedFiles), std::end(fixedFiles));

    std::error_code ec;
    for (fs::directory_iterator it(w, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        for (const auto& name : names)
            if (IsTemporaryNameOf(entry, name)) ::unlink((w + entry).c_str());
    }
    for (const char* name : fixedFiles) ::unlink((w + name).c_str());
}

}  // namespace

std::vector<std::string> UnpackPackage(const std::string& saverPath, const std::string& folder) {
    const std::vector<fs::path> fixed = {folder + SettingsContainerName, folder + FileNamesName,
                                         folder + FileContainerName, folder + FormsFileName};
    SplitContainer(saverPath, fixed);

    std::vector<fs::path> outputs;
    for (const auto& name : ProjectFileNames(folder + FileNamesName))
        outputs.emplace_back(folder + name);
    SplitContainer(folder + FileContainerName, outputs);

    std::vector<std::string> written;
    for (const auto& p : fixed) written.push_back(p.string());
    for (const auto& p : outputs) written.push_back(p.string());
    return written;
}

InstanceRegistration ExtractProject(Project& project, const std::string& ownPath) {
    InstanceRegistration registration(ownPath);
    const std::string& w = registration.Folder();
    std::vector<std::string> unpacked;
    try {
        UnpackPackage(ExpandLongPath(ownPath), w);
        unpacked = ProjectFileNames(w + FileNamesName);
        project.Load(w + SettingsContainerName);
    } catch (const Error&) {
        // Nothing of a package that cannot be read is of use to anyone.
        registration.Unregister(RemoveUnpackedFiles);
        throw;
    }
    const auto unpackedName = [&](std::string_view name) {
        const std::string* found = FindNameIgnoringCase(unpacked, name);
        return found ? *found : std::string(name);
    };

    for (auto& name : project.FileList.Files) name = w + unpackedName(name);
    if (!project.Setting.PreviewFile.empty()) {
        const std::string_view preview = LastComponent(project.Setting.PreviewFile);
        // A name that leads nowhere inside the folder means no preview picture.
        project.Setting.PreviewFile =
            IsAcceptableName(preview, nullptr) ? w + unpackedName(preview) : std::string();
    }
    project.UISetting.UIFile = w + FormsFileName;
    return registration;
}

void RemoveProjectFiles(const Project& /*project*/, InstanceRegistration& registration) {
    registration.Unregister(RemoveUnpackedFiles);
}

std::string UserSettingsPath(const std::string& ownPath) {
    const std::string longPath = ExpandLongPath(ownPath);
    if (longPath.empty()) return {};
    const size_t slash = longPath.rfind('/');
    const size_t dot = longPath.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return longPath + ".ini";
    return longPath.substr(0, dot) + ".ini";
}

}  // namespace lv
