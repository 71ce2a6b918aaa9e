#include "project/project.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/user_folders.h"
#include "project/container.h"
#include "project/profile_file.h"

namespace lv {
namespace fs = std::filesystem;

namespace {

// The settings text's keys in field order.
const std::vector<SettingKey> g_settingKeys = {
    {"General", "ProductName", &ProjectSettings::ProductName},
    {"General", "Publisher", &ProjectSettings::Publisher},
    {"General", "Website", &ProjectSettings::Website},
    {"Default", "Stretch", &ProjectSettings::Stretch},
    {"Default", "Proportional", &ProjectSettings::Proportional},
    {"Default", "Sound", &ProjectSettings::Sound},
    {"Default", "Music", &ProjectSettings::Music},
    {"Default", "Animation", &ProjectSettings::Animation},
    {"Default", "Random", &ProjectSettings::Random},
    {"Default", "Duration", &ProjectSettings::Duration},
    {"Default", "Transition", &ProjectSettings::Transition},
    {"Default", "Zoom", &ProjectSettings::Zoom},
    {"Default", "LivingZoom", &ProjectSettings::LivingZoom},
    {"Default", "ZoomDuration", &ProjectSettings::ZoomDuration},
    {"Default", "AutoWallpaper", &ProjectSettings::AutoWallpaper},
    {"Default", "Speed", &ProjectSettings::Speed},
    {"Advance", "PreviewFile", &ProjectSettings::PreviewFile},
    {"Default", "ShowImageMode", &ProjectSettings::ShowImageMode},
    {"Advance", "MusicFile", &ProjectSettings::MusicFile},
    {"Advance", "MusicMode", &ProjectSettings::MusicMode},
    {"Build", "BuildMethod", &ProjectSettings::BuildMethod},
    {"Build", "BuildSmallThumbs", &ProjectSettings::BuildSmallThumbs},
    {"Build", "BuildFileName", &ProjectSettings::BuildFileName},
    {"Build", "BuildInstall", &ProjectSettings::BuildInstall},
    {"Build", "BuildIcon", &ProjectSettings::BuildIcon},
};

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// Deletes the loader's short-lived files however loading ends.
class TempFiles {
public:
    explicit TempFiles(std::vector<fs::path> paths) : paths_(std::move(paths)) {}
    ~TempFiles() {
        for (const auto& p : paths_) ::unlink(p.string().c_str());
    }
    TempFiles(const TempFiles&) = delete;
    TempFiles& operator=(const TempFiles&) = delete;
    const std::vector<fs::path>& Paths() const { return paths_; }

private:
    std::vector<fs::path> paths_;
};

// Every instance of every saver of one user puts its loader files under the same three names:
// an exclusive lock on the folder keeps one instance from deleting them while another still
// reads them. The lock goes with the descriptor.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

}  // namespace

const std::vector<SettingKey>& SettingKeys() { return g_settingKeys; }

void ProjectFileList::Load(const std::string& iniPath) {
    Files.clear();
    Enabled.clear();
    const ProfileFile ini = ProfileFile::Load(iniPath);
    for (auto& name : ini.ReadSectionKeys("FileList")) {
        Enabled.push_back(ini.ReadBool("FileList", name, false) ? "TRUE" : "FALSE");
        Files.push_back(std::move(name));
    }
}

void ProjectSettings::Load(const std::string& iniPath) {
    const ProfileFile ini = ProfileFile::Load(iniPath);
    for (const auto& key : g_settingKeys) {
        std::visit(Overloaded{
                       [&](std::string ProjectSettings::*field) {
                           this->*field = ini.ReadString(key.Section, key.Key, this->*field);
                       },
                       [&](int ProjectSettings::*field) {
                           this->*field = ini.ReadInteger(key.Section, key.Key, this->*field);
                       },
                       [&](bool ProjectSettings::*field) {
                           // BuildSmallThumbs has always been read with a fixed default.
                           const bool fallback =
                               field == &ProjectSettings::BuildSmallThumbs ? true : this->*field;
                           this->*field = ini.ReadBool(key.Section, key.Key, fallback);
                       },
                   },
                   key.Field);
    }
}

void ProjectUiSettings::Load(const std::string& iniPath) {
    UIFile = ProfileFile::Load(iniPath).ReadString("UI", "UIFile", "");
}

void Project::Load(const std::string& lvcResPath) {
    const std::string folder = PrivateTempFolder();
    const std::string name = fs::path(lvcResPath).filename().string();
    const size_t dot = name.rfind('.');
    const std::string stem =
        "LV" + (dot == std::string::npos ? std::string() : name.substr(0, dot + 1));
    const FolderLock lock(folder);
    const TempFiles temp(
        {folder + stem + "~1.tmp", folder + stem + "~2.tmp", folder + stem + "~3.tmp"});
    SplitContainer(lvcResPath, temp.Paths());
    FileList.Load(temp.Paths()[0].string());
    Setting.Load(temp.Paths()[1].string());
    UISetting.Load(temp.Paths()[2].string());
}

}  // namespace lv
