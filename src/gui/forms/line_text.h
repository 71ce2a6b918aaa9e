#pragma once

#include <cstdint>
#include <string_view>

namespace lv {

// Helpers for the line-based 8-bit text of form definition files and binding tables.

// The text without leading and trailing blanks, where every control character counts as a
// blank too (a stray CR or tab around a name or a count carries no meaning).
std::string_view TrimBlanks(std::string_view text);

// Reads a whole line as a decimal integer: optional blanks around, optional sign, digits, within
// 32 bits. Hexadecimal and other forms are refused.
bool ParseDecimalInteger(std::string_view text, int32_t& value);

}  // namespace lv
