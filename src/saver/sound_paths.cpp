#include "saver/sound_paths.h"

#include <filesystem>
#include <system_error>

#include "common/name_case.h"

namespace lv {

namespace {

constexpr const char* Separators = "/\\";

}  // namespace

bool HasFolderPart(const std::string& path) {
    // A drive letter ("C:a.mid") is a folder part too.
    return path.find_first_of("/\\:") != std::string::npos;
}

std::string FileNamePart(const std::string& path) {
    const size_t separator = path.find_last_of(Separators);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string FolderPart(const std::string& path) {
    const size_t separator = path.find_last_of(Separators);
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    const char last = folder.back();
    if (last == '/' || last == '\\') {
        return folder + name;
    }
    return folder + "/" + name;
}

bool RegularFileExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string FindPictureSound(const std::string& soundFile, const SoundFolders& folders,
                             const FileExistsFunction& exists) {
    if (!soundFile.empty() && exists(soundFile)) {
        return soundFile;
    }
    const std::string name = FileNamePart(soundFile);
    if (!name.empty()) {
        const std::string inWorkingFolder = FindFileIgnoringCase(folders.WorkingFolder, name);
        if (exists(inWorkingFolder)) {
            return inWorkingFolder;
        }
        const std::string inCreatorFolder =
            JoinPath(JoinPath(folders.CreatorFolder, SoundsSubfolder), name);
        if (exists(inCreatorFolder)) {
            return inCreatorFolder;
        }
    }
    return JoinPath(JoinPath(folders.ProgramFolder, SoundsSubfolder), name);
}

bool LastSoundRule::Request(const std::string& path) {
    const bool changed = path != lastSound_;
    lastSound_ = path;
    return changed;
}

LastSoundRule& ProgramLastSound() {
    static LastSoundRule rule;
    return rule;
}

}  // namespace lv
