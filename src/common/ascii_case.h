#pragma once

#include <string>
#include <string_view>

namespace lv {

// Letter case of the ASCII letters only, the same in every locale: std::toupper follows the
// locale the front end sets, where "i" need not become "I". Names the system matches without
// regard to case (switches, extensions, INI sections and keys, form names, classes and
// properties) go through these.
char AsciiUpper(char c);
char AsciiLower(char c);
std::string AsciiUpperCase(std::string_view text);
std::string AsciiLowerCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace lv
