#pragma once

#include <functional>
#include <string>

namespace lv {

// Paths in project data may come from Windows ("C:\Music\a.mid"), so both separators count.
bool HasFolderPart(const std::string& path);
std::string FileNamePart(const std::string& path);
std::string FolderPart(const std::string& path);  // up to and including the last separator
// `folder` followed by `name`, with a "/" between them unless the folder already ends in a
// separator; an empty folder gives `name`.
std::string JoinPath(const std::string& folder, const std::string& name);

using FileExistsFunction = std::function<bool(const std::string& path)>;

// True for an existing regular file (a folder is not a sound or music file); never raises.
bool RegularFileExists(const std::string& path);

// The folders searched for a picture's sound.
struct SoundFolders {
    std::string WorkingFolder;  // where the project's files were unpacked
    std::string CreatorFolder;  // the creator tool's installation folder
    std::string ProgramFolder;  // the folder of the saver's own program file
};

inline constexpr const char* SoundsSubfolder = "sounds/";

// Finds the file of a picture sound named `soundFile` in an image package, f being its file
// name part: `soundFile` itself if it exists, else the working folder's f (or, when there is
// none, its file of that name in another letter case), else the creator folder's "sounds/" f,
// else the program folder's "sounds/" f whether it exists or not (it then plays nothing). An
// empty name and the creator's "<No Sound>" match no file.
std::string FindPictureSound(const std::string& soundFile, const SoundFolders& folders,
                             const FileExistsFunction& exists);

// The picture sound last requested, kept for the whole program run so the same sound is not
// restarted from one image package to the next. Cleared after a plain picture and when a show
// ends, so the next package starts its sound again even when it is the same file.
class LastSoundRule {
public:
    // Records `path` as requested; true when it differs from the previous one and must start.
    bool Request(const std::string& path);
    void Clear() { lastSound_.clear(); }
    const std::string& LastSound() const { return lastSound_; }

private:
    std::string lastSound_;
};

LastSoundRule& ProgramLastSound();

}  // namespace lv
