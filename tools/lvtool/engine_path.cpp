#include "engine_path.h"

#include <filesystem>

#include "common/error.h"
#include "platform/user_folders.h"

namespace lvtool {

std::string DefaultEngine() {
    const std::string self = lv::OwnExecutablePath();
    if (self.empty()) throw lv::Error("cannot find lvtool's own folder; give --engine");
    return (std::filesystem::path(self).parent_path() / "lvcsaver").string();
}

}  // namespace lvtool
