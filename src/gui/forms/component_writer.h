#pragma once

#include <string>

#include "gui/forms/component_text.h"

namespace lv {

// Writes a component tree back as component text in the authoring tool's layout: two blanks of
// indentation a level, CR LF line ends, long strings split into '+' pieces, binary data in
// lines of 32 bytes. Characters outside printable ASCII are written as #nnn pieces, so the text
// is plain ASCII. Parsing the result gives the same tree (lines aside). For tools and tests.
std::string WriteComponentText(const ComponentNode& root);

}  // namespace lv
