#include "gui/forms/named_constants.h"

#include <string>

#include "common/error.h"

namespace lv {

void ThrowNotANamedConstant(const std::vector<std::string_view>& names,
                            std::optional<std::string_view> found) {
    std::string message = "expected ";
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) message += i + 1 == names.size() ? " or " : ", ";
        message += names[i];
    }
    if (found) message += ", found '" + std::string(*found) + "'";
    throw Error(message);
}

}  // namespace lv
