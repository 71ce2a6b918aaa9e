#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lvtool {

// The system stores 8-bit Windows-1252 text; the terminal speaks UTF-8.

// Appends the UTF-8 form of one Windows-1252 byte. The five bytes that code page leaves
// undefined are taken as the C1 control characters of the same number.
void AppendUtf8Of1252(std::string& out, unsigned char byte);
std::string Utf8From1252(std::string_view text);

// The Windows-1252 bytes of a UTF-8 text, or nothing when a character has no such byte.
// Bytes that are not valid UTF-8 are taken to be 8-bit text already and kept as they are.
std::optional<std::string> Windows1252FromUtf8(std::string_view text);

}  // namespace lvtool
