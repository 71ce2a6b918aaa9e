#pragma once

#include <string>

namespace lvtool {

// The engine a saver is built from when none is given: lvcsaver beside the running lvtool.
std::string DefaultEngine();

}  // namespace lvtool
