#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lv {

// Form texts, captions and binding parameters are 8-bit Windows-1252 text. The front end and the
// JSON output want UTF-8; these convert between the two.

// Every byte becomes its Windows-1252 character. The five bytes that code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control characters of the same number, as the
// system's own conversion does, so no byte is ever lost.
std::string Windows1252ToUtf8(std::string_view text);

// The Windows-1252 byte of a Unicode character, or '?' when the code page has none (the
// system's default character for unmappable text).
char UnicodeToWindows1252(uint32_t codePoint);

// ASCII-only letter case, as the system's name look-ups use it.
char AsciiUpper(char c);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace lv
