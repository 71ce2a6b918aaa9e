#pragma once

#include <string_view>

namespace lvtool {

// The form definitions (a main window and an About window) that build-saver and make-demo pack
// when no --forms file is given: data/default_forms.lvu, compiled in at build time.
std::string_view DefaultFormsText();

}  // namespace lvtool
