#pragma once

#include <functional>
#include <string>

namespace lv {

// Problems the program goes on after: reported as one line, never raised.
using WarningFunction = std::function<void(const std::string& message)>;

// Prints "warning: <message>" on the standard error stream.
void WarnOnStandardError(const std::string& message);

}  // namespace lv
