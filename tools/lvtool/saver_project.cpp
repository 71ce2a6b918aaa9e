#include "saver_project.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "common/error.h"
#include "platform/user_folders.h"
#include "project/container.h"
#include "project/saver_package.h"

namespace lvtool {
namespace {

namespace fs = std::filesystem;

// A folder of its own for the settings container of a saver, removed again afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = lv::PrivateTempFolder() + "lvtool-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw lv::Error("cannot create a scratch folder", pattern);
        path_ = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

void LoadSaverProject(lv::Project& project, const std::string& path) {
    // A settings container holds three entries, a saver's outer container four.
    const lv::MarkerPosition marker = lv::FindMarker(path);
    if (!marker.Found) throw lv::FormatError("no saver package found in " + path);
    if (marker.Value == 3) {
        project.Load(path);
        return;
    }
    const ScratchFolder scratch;
    lv::SplitContainer(path, lv::OuterEntryPaths(scratch.Path()));
    project.Load(scratch.Path() + lv::SettingsContainerName);
}

}  // namespace lvtool
