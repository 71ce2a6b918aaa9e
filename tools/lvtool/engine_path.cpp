#include "engine_path.h"

#include <filesystem>

#include "common/error.h"
#include "platform/user_folders.h"

namespace lvtool {

std::optional<std::string> ProgramBesideLvtool(const std::string& name) {
    const std::string self = lv::OwnExecutablePath();
    if (self.empty()) return std::nullopt;
    return (std::filesystem::path(self).parent_path() / name).string();
}

std::string DefaultEngine() {
    if (const auto engine = ProgramBesideLvtool("lvcsaver")) return *engine;
    throw lv::Error("cannot find lvtool's own folder; give --engine");
}

}  // namespace lvtool
