#pragma once

#include <optional>
#include <string>

namespace lvtool {

// The program `name` in the folder of the running lvtool, where the build puts its siblings;
// nothing when lvtool's own file cannot be found.
std::optional<std::string> ProgramBesideLvtool(const std::string& name);

// The engine a saver is built from when none is given: lvcsaver beside the running lvtool.
std::string DefaultEngine();

}  // namespace lvtool
