#include "engine_path.h"

#include <filesystem>
#include <vector>

#include "common/error.h"
#include "platform/user_folders.h"

namespace lvtool {
namespace {

namespace fs = std::filesystem;

// The folders searched for lvtool's companions, in order; empty when lvtool's own file is not
// known.
std::vector<fs::path> CompanionFolders() {
    const std::string self = lv::OwnExecutablePath();
    if (self.empty()) return {};
    const fs::path own = fs::path(self).parent_path();
    return {own, (own / LV_ENGINE_DIR_FROM_BIN).lexically_normal()};
}

}  // namespace

std::optional<std::string> FindCompanionProgram(const std::string& name) {
    for (const fs::path& folder : CompanionFolders()) {
        std::error_code error;
        if (fs::is_regular_file(folder / name, error)) return (folder / name).string();
    }
    return std::nullopt;
}

std::string DefaultEngine() {
    if (const auto engine = FindCompanionProgram("lvcsaver")) return *engine;
    std::string searched;
    for (const fs::path& folder : CompanionFolders())
        searched += (searched.empty() ? "" : " and ") + folder.string();
    if (searched.empty()) throw lv::Error("cannot find lvtool's own folder; give --engine");
    throw lv::Error("no engine lvcsaver in " + searched + "; give --engine");
}

}  // namespace lvtool
