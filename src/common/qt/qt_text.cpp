#include "common/qt/qt_text.h"

#include <QList>

#include "common/windows1252.h"

namespace lv {

QString Windows1252ToQString(std::string_view text) { return ToQString(Windows1252ToUtf8(text)); }

std::string QStringToWindows1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (const char32_t c : text.toUcs4()) out.push_back(UnicodeToWindows1252(c));
    return out;
}

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text) { return text.toStdString(); }

}  // namespace lv
