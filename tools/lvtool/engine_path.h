#pragma once

#include <optional>
#include <string>

namespace lvtool {

// The program `name` that comes with lvtool: in lvtool's own folder, where a build tree puts
// it, else in the engine folder of an installed lvtool (bin/../libexec/lorvane). Nothing when
// neither holds it or lvtool's own file cannot be found.
std::optional<std::string> FindCompanionProgram(const std::string& name);

// The engine a saver is built from when none is given: the slim lvcsaver found as above.
// Raises lv::Error naming the folders searched when there is none.
std::string DefaultEngine();

}  // namespace lvtool
