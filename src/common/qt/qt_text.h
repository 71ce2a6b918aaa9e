#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace lv {

// The one place where text crosses between the core and Qt. The core's 8-bit text is of two
// kinds: the project's own texts (form texts, captions, picture names, the product name) are
// Windows-1252; everything else (file paths, messages, typed text) is UTF-8.
QString Windows1252ToQString(std::string_view text);
// Characters the code page lacks become '?'.
std::string QStringToWindows1252(const QString& text);
QString ToQString(std::string_view utf8);
std::string FromQString(const QString& text);

}  // namespace lv
