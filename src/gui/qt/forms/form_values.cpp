#include "gui/qt/forms/form_values.h"

#include <array>
#include <limits>

#include "common/ascii_case.h"
#include "common/error.h"
#include "common/qt/qt_text.h"
#include "gui/forms/named_constants.h"

namespace lv {
namespace {

struct NamedRgb {
    std::string_view Name;
    int Red, Green, Blue;
};

// The system colours by their index, with the values a current desktop uses by default.
constexpr std::array<NamedRgb, 31> SystemColors = {{
    {"clScrollBar", 200, 200, 200},
    {"clBackground", 0, 0, 0},
    {"clActiveCaption", 153, 180, 209},
    {"clInactiveCaption", 191, 205, 219},
    {"clMenu", 240, 240, 240},
    {"clWindow", 255, 255, 255},
    {"clWindowFrame", 100, 100, 100},
    {"clMenuText", 0, 0, 0},
    {"clWindowText", 0, 0, 0},
    {"clCaptionText", 0, 0, 0},
    {"clActiveBorder", 180, 180, 180},
    {"clInactiveBorder", 244, 247, 252},
    {"clAppWorkSpace", 171, 171, 171},
    {"clHighlight", 0, 120, 215},
    {"clHighlightText", 255, 255, 255},
    {"clBtnFace", 240, 240, 240},
    {"clBtnShadow", 160, 160, 160},
    {"clGrayText", 109, 109, 109},
    {"clBtnText", 0, 0, 0},
    {"clInactiveCaptionText", 0, 0, 0},
    {"clBtnHighlight", 255, 255, 255},
    {"cl3DDkShadow", 105, 105, 105},
    {"cl3DLight", 227, 227, 227},
    {"clInfoText", 0, 0, 0},
    {"clInfoBk", 255, 255, 225},
    {"", 0, 0, 0},
    {"clHotLight", 0, 102, 204},
    {"clGradientActiveCaption", 185, 209, 234},
    {"clGradientInactiveCaption", 215, 228, 242},
    {"clMenuHighlight", 0, 120, 215},
    {"clMenuBar", 240, 240, 240},
}};

constexpr std::array<NamedRgb, 22> PlainColors = {{
    {"clBlack", 0, 0, 0},
    {"clMaroon", 128, 0, 0},
    {"clGreen", 0, 128, 0},
    {"clOlive", 128, 128, 0},
    {"clNavy", 0, 0, 128},
    {"clPurple", 128, 0, 128},
    {"clTeal", 0, 128, 128},
    {"clGray", 128, 128, 128},
    {"clSilver", 192, 192, 192},
    {"clRed", 255, 0, 0},
    {"clLime", 0, 255, 0},
    {"clYellow", 255, 255, 0},
    {"clBlue", 0, 0, 255},
    {"clFuchsia", 255, 0, 255},
    {"clAqua", 0, 255, 255},
    {"clWhite", 255, 255, 255},
    {"clLtGray", 192, 192, 192},
    {"clDkGray", 128, 128, 128},
    {"clMoneyGreen", 192, 220, 192},
    {"clSkyBlue", 166, 202, 240},
    {"clCream", 255, 251, 240},
    {"clMedGray", 160, 160, 164},
}};

constexpr int64_t ColorNone = 0x1FFFFFFF;
constexpr int64_t ColorDefault = 0x20000000;

struct Cursor {
    int Number;  // what the form text may give instead of the name
    Qt::CursorShape Shape;
};

constexpr NamedConstant<Cursor> Cursors[] = {
    {"crDefault", {0, Qt::ArrowCursor}},
    {"crNone", {-1, Qt::BlankCursor}},
    {"crArrow", {-2, Qt::ArrowCursor}},
    {"crCross", {-3, Qt::CrossCursor}},
    {"crIBeam", {-4, Qt::IBeamCursor}},
    {"crSizeNESW", {-6, Qt::SizeBDiagCursor}},
    {"crSizeNS", {-7, Qt::SizeVerCursor}},
    {"crSizeNWSE", {-8, Qt::SizeFDiagCursor}},
    {"crSizeWE", {-9, Qt::SizeHorCursor}},
    {"crUpArrow", {-10, Qt::UpArrowCursor}},
    {"crHourGlass", {-11, Qt::WaitCursor}},
    {"crDrag", {-12, Qt::DragCopyCursor}},
    {"crNoDrop", {-13, Qt::ForbiddenCursor}},
    {"crHSplit", {-14, Qt::SplitHCursor}},
    {"crVSplit", {-15, Qt::SplitVCursor}},
    {"crMultiDrag", {-16, Qt::DragCopyCursor}},
    {"crSQLWait", {-17, Qt::WaitCursor}},
    {"crNo", {-18, Qt::ForbiddenCursor}},
    {"crAppStart", {-19, Qt::BusyCursor}},
    {"crHelp", {-20, Qt::WhatsThisCursor}},
    {"crHandPoint", {-21, Qt::PointingHandCursor}},
    {"crSizeAll", {-22, Qt::SizeAllCursor}},
    {"crSize", {-22, Qt::SizeAllCursor}},
};

constexpr NamedConstant<AlignMode> AlignModes[] = {
    {"alNone", AlignMode::None},  {"alTop", AlignMode::Top},     {"alBottom", AlignMode::Bottom},
    {"alLeft", AlignMode::Left},  {"alRight", AlignMode::Right}, {"alClient", AlignMode::Client},
    {"alCustom", AlignMode::None}};

constexpr NamedConstant<Qt::Alignment> TextAlignments[] = {{"taLeftJustify", Qt::AlignLeft},
                                                           {"taRightJustify", Qt::AlignRight},
                                                           {"taCenter", Qt::AlignHCenter}};

constexpr NamedConstant<void (QFont::*)(bool)> FontStyles[] = {
    {"fsBold", &QFont::setBold},
    {"fsItalic", &QFont::setItalic},
    {"fsUnderline", &QFont::setUnderline},
    {"fsStrikeOut", &QFont::setStrikeOut}};

}  // namespace

void Unfit(const std::string& expected) { throw Error("expected " + expected); }

QColor ColorFromNumber(int64_t number) {
    if (number == ColorNone) return QColor(Qt::transparent);
    if (number == ColorDefault) return QColor();
    const auto bits = static_cast<uint32_t>(number);
    if (number < std::numeric_limits<int32_t>::min() || number > 0xFFFFFFFFLL) Unfit("a colour");
    if ((bits & 0xFF000000u) == 0x80000000u) {
        const uint32_t index = bits & 0xFFu;
        if (index >= SystemColors.size() || SystemColors[index].Name.empty()) Unfit("a colour");
        const auto& c = SystemColors[index];
        return QColor(c.Red, c.Green, c.Blue);
    }
    // $00BBGGRR: red in the low byte. The high byte (palette selection) has no meaning here.
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

QColor NamedColor(std::string_view name) {
    for (const auto& c : PlainColors)
        if (EqualsIgnoreCase(c.Name, name)) return QColor(c.Red, c.Green, c.Blue);
    for (const auto& c : SystemColors)
        if (!c.Name.empty() && EqualsIgnoreCase(c.Name, name))
            return QColor(c.Red, c.Green, c.Blue);
    if (EqualsIgnoreCase(name, "clNone")) return QColor(Qt::transparent);
    if (EqualsIgnoreCase(name, "clDefault")) return QColor();
    Unfit("a colour");
}

QColor ColorValue(const PropertyValue& value) {
    if (value.Kind == ValueKind::Integer) return ColorFromNumber(value.Integer);
    if (value.Kind == ValueKind::Identifier) return NamedColor(value.Text);
    Unfit("a colour");
}

QColor HighlightColor() { return NamedColor("clHighlight"); }
QColor HighlightTextColor() { return NamedColor("clHighlightText"); }

int64_t IntegerValue(const PropertyValue& value) {
    if (value.Kind != ValueKind::Integer) Unfit("an integer");
    return value.Integer;
}

int IntValue(const PropertyValue& value, int min, int max) {
    const int64_t number = IntegerValue(value);
    if (number < min || number > max)
        Unfit("an integer from " + std::to_string(min) + " to " + std::to_string(max));
    return static_cast<int>(number);
}

bool BoolValue(const PropertyValue& value) {
    if (value.IsTrue()) return true;
    if (value.IsFalse()) return false;
    Unfit("True or False");
}

QString TextValue(const PropertyValue& value) {
    if (value.Kind != ValueKind::String) Unfit("a string");
    return Windows1252ToQString(value.Text);
}

const std::string& IdentifierValue(const PropertyValue& value, const char* what) {
    if (value.Kind != ValueKind::Identifier) Unfit(what);
    return value.Text;
}

QStringList StringListValue(const PropertyValue& value) {
    if (value.Kind != ValueKind::List) Unfit("a list of strings");
    QStringList lines;
    for (const auto& element : value.List) lines.push_back(TextValue(element));
    return lines;
}

Qt::CursorShape CursorValue(const PropertyValue& value) {
    if (value.Kind != ValueKind::Integer) return NamedConstantValue(value, Cursors).Shape;
    for (const auto& cursor : Cursors)
        if (cursor.Value.Number == value.Integer) return cursor.Value.Shape;
    // Cursors a program registers itself (positive numbers) do not exist here.
    return Qt::ArrowCursor;
}

void ApplyFontStyle(QFont& font, const PropertyValue& value) {
    if (value.Kind != ValueKind::Set) Unfit("a set of font styles");
    for (const auto& style : FontStyles) (font.*style.Value)(false);
    for (const auto& style : value.Set) (font.*NamedConstantOf(FontStyles, style))(true);
}

void ApplyFontHeight(QFont& font, const PropertyValue& value) {
    const int height = IntValue(value, -1000, 1000);
    if (height != 0) font.setPixelSize(height < 0 ? -height : height);
}

AlignMode AlignValue(const PropertyValue& value) { return NamedConstantValue(value, AlignModes); }

Qt::Alignment TextAlignmentValue(const PropertyValue& value) {
    return NamedConstantValue(value, TextAlignments);
}

QString WithoutAccelerator(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
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
