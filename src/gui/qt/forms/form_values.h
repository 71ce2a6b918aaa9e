#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <Qt>
#include <cstdint>
#include <string>
#include <string_view>

#include "gui/forms/component_text.h"

namespace lv {

// Turns the typed values of a form description into what the Qt widgets take. Each function
// raises lv::Error with a short text ("expected an integer") when the value does not fit; the
// builder adds the file, the line and the property.

// Raises lv::Error "expected " + `expected`.
[[noreturn]] void Unfit(const std::string& expected);

// Colours are stored as $00BBGGRR numbers or as named constants. Numbers with the high bit set
// ($80000000 + index) stand for the system's colours, which are given the usual desktop values
// here, so a window looks the same on every machine.
QColor ColorValue(const PropertyValue& value);
// A colour from its $00BBGGRR number (system colour indexes included).
QColor ColorFromNumber(int64_t number);
// The named colour ("clBtnFace", letter case ignored); clDefault gives an invalid QColor, which
// leaves a widget's colour as it is.
QColor NamedColor(std::string_view name);
// The system colours the thumbnail list and the buttons use.
QColor HighlightColor();
QColor HighlightTextColor();

// Places and sizes stay within what a window system's 16-bit coordinates can hold.
inline constexpr int MaxCoordinate = 32767;

int64_t IntegerValue(const PropertyValue& value);
int IntValue(const PropertyValue& value, int min, int max);
bool BoolValue(const PropertyValue& value);
// 8-bit string value decoded from Windows-1252.
QString TextValue(const PropertyValue& value);
// An identifier, with the allowed names listed in `what` for the message.
const std::string& IdentifierValue(const PropertyValue& value, const char* what);

// Lines of a string list ('a' 'b'), decoded.
QStringList StringListValue(const PropertyValue& value);

Qt::CursorShape CursorValue(const PropertyValue& value);

// Font.Style: [fsBold, fsItalic, fsUnderline, fsStrikeOut].
void ApplyFontStyle(QFont& font, const PropertyValue& value);
// Font.Height: negative values are pixel heights of the characters; positive ones cell heights,
// which are taken as pixel heights too.
void ApplyFontHeight(QFont& font, const PropertyValue& value);

enum class AlignMode { None, Top, Bottom, Left, Right, Client };
AlignMode AlignValue(const PropertyValue& value);

// taLeftJustify, taRightJustify, taCenter.
Qt::Alignment TextAlignmentValue(const PropertyValue& value);

// The caption with its accelerator marks resolved: "&&" shows one '&', a single '&' marks the
// next character and is not shown.
QString WithoutAccelerator(const QString& caption);

}  // namespace lv
