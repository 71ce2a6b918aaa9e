#include "project/lvc_project.h"

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
const std::vector<TSettingKey> g_settingKeys = {
    {"General", "ProductName", &TLVCSetting::ProductName},
    {"General", "Publisher", &TLVCSetting::Publisher},
    {"General", "Website", &TLVCSetting::Website},
    {"Default", "Stretch", &TLVCSetting::Stretch},
    {"Default", "Proportional", &TLVCSetting::Proportional},
    {"Default", "Sound", &TLVCSetting::Sound},
    {"Default", "Music", &TLVCSetting::Music},
    {"Default", "Animation", &TLVCSetting::Animation},
    {"Default", "Random", &TLVCSetting::Random},
    {"Default", "Duration", &TLVCSetting::Duration},
    {"Default", "Transition", &TLVCSetting::Transition},
    {"Default", "Zoom", &TLVCSetting::Zoom},
    {"Default", "LivingZoom", &TLVCSetting::LivingZoom},
    {"Default", "ZoomDuration", &TLVCSetting::ZoomDuration},
    {"Default", "AutoWallpaper", &TLVCSetting::AutoWallpaper},
    {"Default", "Speed", &TLVCSetting::Speed},
    {"Advance", "PreviewFile", &TLVCSetting::PreviewFile},
    {"Default", "ShowImageMode", &TLVCSetting::ShowImageMode},
    {"Advance", "MusicFile", &TLVCSetting::MusicFile},
    {"Advance", "MusicMode", &TLVCSetting::MusicMode},
    {"Build", "BuildMethod", &TLVCSetting::BuildMethod},
    {"Build", "BuildSmallThumbs", &TLVCSetting::BuildSmallThumbs},
    {"Build", "BuildFileName", &TLVCSetting::BuildFileName},
    {"Build", "BuildInstall", &TLVCSetting::BuildInstall},
    {"Build", "BuildIcon", &TLVCSetting::BuildIcon},
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
        for (const auto& p : paths_) ::unlink(p.c_str());
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

const std::vector<TSettingKey>& SettingKeys() { return g_settingKeys; }

void TLVCFileList::Load(const std::string& iniPath) {
    Files.clear();
    Enabled.clear();
    const ProfileFile ini = ProfileFile::Load(iniPath);
    for (auto& name : ini.ReadSectionKeys("FileList")) {
        Enabled.push_back(ini.ReadBool("FileList", name, false) ? "TRUE" : "FALSE");
        Files.push_back(std::move(name));
    }
}

void TLVCSetting::Load(const std::string& iniPath) {
    const ProfileFile ini = ProfileFile::Load(iniPath);
    for (const auto& key : g_settingKeys) {
        std::visit(Overloaded{
                       [&](std::string TLVCSetting::*field) {
                           this->*field = ini.ReadString(key.Section, key.Key, this->*field);
                       },
                       [&](int TLVCSetting::*field) {
                           this->*field = ini.ReadInteger(key.Section, key.Key, this->*field);
                       },
                       [&](bool TLVCSetting::*field) {
                           // BuildSmallThumbs has always been read with a fixed default.
                           const bool fallback =
                               field == &TLVCSetting::BuildSmallThumbs ? true : this->*field;
                           this->*field = ini.ReadBool(key.Section, key.Key, fallback);
                       },
                   },
                   key.Field);
    }
}

void TUISetting::Load(const std::string& iniPath) {
    UIFile = ProfileFile::Load(iniPath).ReadString("UI", "UIFile", "");
}

void TLVCProject::Load(const std::string& lvcResPath) {
    const std::string folder = PrivateTempFolder();
    const std::string name = fs::path(lvcResPath).filename().string();
    const size_t dot = name.rfind('.');
    const std::string stem = "LV" + (dot == std::string::npos ? std::string() : name.substr(0, dot + 1));
    const FolderLock lock(folder);
    const TempFiles temp({folder + stem + "~1.tmp", folder + stem + "~2.tmp",
                          folder + stem + "~3.tmp"});
    SplitContainer(lvcResPath, temp.Paths());
    FileList.Load(temp.Paths()[0].string());
    Setting.Load(temp.Paths()[1].string());
    UISetting.Load(temp.Paths()[2].string());
}

}  // namespace lv
