#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lv {

// The project's own texts (form texts, captions, binding parameters, picture names, the product
// name) are 8-bit Windows-1252 text. The front end, the terminal and JSON want UTF-8; these
// convert between the two.

// The Unicode character of a Windows-1252 byte. The five bytes that code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control characters of the same number, as the
// system's own conversion does, so no byte is ever lost.
uint32_t Windows1252CodePoint(unsigned char byte);

// Appends the UTF-8 form of a Unicode character.
void AppendUtf8(std::string& out, uint32_t codePoint);

// Every byte becomes its Windows-1252 character.
std::string Windows1252ToUtf8(std::string_view text);

// The Windows-1252 byte of a Unicode character, or '?' when the code page has none (the
// system's default character for unmappable text).
char UnicodeToWindows1252(uint32_t codePoint);

// The Windows-1252 bytes of a UTF-8 text, or nothing when a character has no such byte. A text
// that is not valid UTF-8 is taken to be 8-bit text already and kept as it is.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

}  // namespace lv
