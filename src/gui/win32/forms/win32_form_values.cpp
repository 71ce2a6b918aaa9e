#include "gui/win32/forms/win32_form_values.h"

#include <array>
#include <limits>
#include <string_view>

#include "common/ascii_case.h"
#include "common/error.h"

namespace lv {
namespace {

[[noreturn]] void Unfit(const std::string& expected) { throw Error("expected " + expected); }

struct NamedRgb {
    std::string_view Name;
    COLORREF Value;
};

// The system colours in the order of their indexes; GetSysColor gives their values.
constexpr std::array<std::string_view, 31> SystemColorNames = {
    "clScrollBar",          "clBackground",     "clActiveCaption",   "clInactiveCaption",
    "clMenu",               "clWindow",         "clWindowFrame",     "clMenuText",
    "clWindowText",         "clCaptionText",    "clActiveBorder",    "clInactiveBorder",
    "clAppWorkSpace",       "clHighlight",      "clHighlightText",   "clBtnFace",
    "clBtnShadow",          "clGrayText",       "clBtnText",         "clInactiveCaptionText",
    "clBtnHighlight",       "cl3DDkShadow",     "cl3DLight",         "clInfoText",
    "clInfoBk",             "",                 "clHotLight",        "clGradientActiveCaption",
    "clGradientInactiveCaption", "clMenuHighlight", "clMenuBar"};

constexpr std::array<NamedRgb, 22> PlainColors = {{
    {"clBlack", RGB(0, 0, 0)},         {"clMaroon", RGB(128, 0, 0)},
    {"clGreen", RGB(0, 128, 0)},       {"clOlive", RGB(128, 128, 0)},
    {"clNavy", RGB(0, 0, 128)},        {"clPurple", RGB(128, 0, 128)},
    {"clTeal", RGB(0, 128, 128)},      {"clGray", RGB(128, 128, 128)},
    {"clSilver", RGB(192, 192, 192)},  {"clRed", RGB(255, 0, 0)},
    {"clLime", RGB(0, 255, 0)},        {"clYellow", RGB(255, 255, 0)},
    {"clBlue", RGB(0, 0, 255)},        {"clFuchsia", RGB(255, 0, 255)},
    {"clAqua", RGB(0, 255, 255)},      {"clWhite", RGB(255, 255, 255)},
    {"clLtGray", RGB(192, 192, 192)},  {"clDkGray", RGB(128, 128, 128)},
    {"clMoneyGreen", RGB(192, 220, 192)}, {"clSkyBlue", RGB(166, 202, 240)},
    {"clCream", RGB(255, 251, 240)},   {"clMedGray", RGB(160, 160, 164)},
}};

constexpr int64_t ColorNone = 0x1FFFFFFF;
constexpr int64_t ColorDefault = 0x20000000;

std::optional<COLORREF> ColorFromNumber(int64_t number) {
    if (number == ColorNone || number == ColorDefault) return std::nullopt;
    if (number < std::numeric_limits<int32_t>::min() || number > 0xFFFFFFFFLL) Unfit("a colour");
    const auto bits = static_cast<uint32_t>(number);
    if ((bits & 0xFF000000u) == 0x80000000u) {
        const uint32_t index = bits & 0xFFu;
        if (index >= SystemColorNames.size() || SystemColorNames[index].empty()) Unfit("a colour");
        return GetSysColor(static_cast<int>(index));
    }
    // The high byte (palette selection) has no meaning here.
    return bits & 0x00FFFFFFu;
}

std::optional<COLORREF> NamedColor(std::string_view name) {
    for (const auto& c : PlainColors)
        if (EqualsIgnoreCase(c.Name, name)) return c.Value;
    for (size_t index = 0; index < SystemColorNames.size(); ++index)
        if (!SystemColorNames[index].empty() && EqualsIgnoreCase(SystemColorNames[index], name))
            return GetSysColor(static_cast<int>(index));
    if (EqualsIgnoreCase(name, "clNone") || EqualsIgnoreCase(name, "clDefault"))
        return std::nullopt;
    Unfit("a colour");
}

}  // namespace

int64_t Win32IntegerValue(const PropertyValue& value) {
    if (value.Kind != ValueKind::Integer) Unfit("an integer");
    return value.Integer;
}

int Win32IntValue(const PropertyValue& value, int min, int max) {
    const int64_t number = Win32IntegerValue(value);
    if (number < min || number > max)
        Unfit("an integer from " + std::to_string(min) + " to " + std::to_string(max));
    return static_cast<int>(number);
}

bool Win32BoolValue(const PropertyValue& value) {
    if (value.IsTrue()) return true;
    if (value.IsFalse()) return false;
    Unfit("True or False");
}

const std::string& Win32TextValue(const PropertyValue& value) {
    if (value.Kind != ValueKind::String) Unfit("a string");
    return value.Text;
}

const std::string& Win32IdentifierValue(const PropertyValue& value, const char* what) {
    if (value.Kind != ValueKind::Identifier) Unfit(what);
    return value.Text;
}

std::string Win32StringListValue(const PropertyValue& value) {
    if (value.Kind != ValueKind::List) Unfit("a list of strings");
    std::string lines;
    for (const auto& element : value.List) {
        if (!lines.empty()) lines += "\r\n";
        lines += Win32TextValue(element);
    }
    return lines;
}

std::optional<COLORREF> Win32ColorValue(const PropertyValue& value) {
    if (value.Kind == ValueKind::Integer) return ColorFromNumber(value.Integer);
    if (value.Kind == ValueKind::Identifier) return NamedColor(value.Text);
    Unfit("a colour");
}

std::string WithoutAcceleratorMarks(const std::string& caption) {
    std::string out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

}  // namespace lv
