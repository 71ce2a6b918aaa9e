#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "gui/forms/component_text.h"

namespace lv {

// Turns the typed values of a form description into what Win32 controls take. Each raises
// lv::Error with a short text ("expected an integer"); the builder adds the file, line and
// property.

// Places and sizes stay within the window system's 16-bit coordinates.
inline constexpr int MaxWin32Coordinate = 32767;

int64_t Win32IntegerValue(const PropertyValue& value);
int Win32IntValue(const PropertyValue& value, int min, int max);
bool Win32BoolValue(const PropertyValue& value);
// The 8-bit text as stored; the ANSI calls take it as it is.
const std::string& Win32TextValue(const PropertyValue& value);
const std::string& Win32IdentifierValue(const PropertyValue& value, const char* what);
// Lines of a string list ('a' 'b') joined by CR LF.
std::string Win32StringListValue(const PropertyValue& value);

// Colours are $00BBGGRR numbers, which is a COLORREF already, or named constants. The system
// colours ($80000000 + index, clBtnFace ...) come from GetSysColor, so a window follows the
// desktop's scheme. nullopt for clDefault and clNone: the control keeps its own colour.
std::optional<COLORREF> Win32ColorValue(const PropertyValue& value);

// The caption with its accelerator marks resolved, for controls that draw their own text.
std::string WithoutAcceleratorMarks(const std::string& caption);

}  // namespace lv
