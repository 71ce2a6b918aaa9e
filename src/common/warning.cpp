#include "common/warning.h"

#include <iostream>

namespace lv {

void WarnOnStandardError(const std::string& message) {
    std::cerr << "warning: " << message << '\n';
}

}  // namespace lv
