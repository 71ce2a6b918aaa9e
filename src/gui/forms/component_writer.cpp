#include "gui/forms/component_writer.h"

#include <charconv>

namespace lv {
namespace {

constexpr const char* LineEnd = "\r\n";
constexpr size_t PieceLength = 64;  // characters of string text per line
constexpr size_t BytesPerLine = 32;

std::string Indent(int level) { return std::string(static_cast<size_t>(level) * 2, ' '); }

// The pieces of a string: quoted runs of printable characters and #nnn for the rest, cut into
// lines of about PieceLength characters.
std::vector<std::string> StringPieces(const std::string& text) {
    std::vector<std::string> lines(1);
    bool quoted = false;
    for (const char c : text) {
        if (lines.back().size() >= PieceLength) {
            if (quoted) lines.back() += '\'';
            quoted = false;
            lines.emplace_back();
        }
        std::string& line = lines.back();
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= ' ' && byte < 0x7F) {
            if (!quoted) line += '\'';
            quoted = true;
            line += c;
            if (c == '\'') line += '\'';
        } else {
            if (quoted) line += '\'';
            quoted = false;
            line += '#' + std::to_string(byte);
        }
    }
    if (quoted) lines.back() += '\'';
    if (lines.back().empty()) lines.back() = "''";
    return lines;
}

std::string RealText(double value, char type) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    // Without a point or an exponent the number would read back as an integer.
    if (text.find_first_of(".eE") == std::string::npos) text += ".0";
    if (type) text += type;
    return text;
}

void WriteValue(std::string& out, const PropertyValue& value, int level);

void WriteProperties(std::string& out, const std::vector<ComponentProperty>& properties,
                     int level) {
    for (const auto& property : properties) {
        out += Indent(level) + property.Path + " =";
        WriteValue(out, property.Value, level);
        out += LineEnd;
    }
}

// Writes the value after "=" (or inside a list), starting with its separating blank or line
// break; the caller ends the line.
void WriteValue(std::string& out, const PropertyValue& value, int level) {
    switch (value.Kind) {
        case ValueKind::Integer:
            out += ' ' + std::to_string(value.Integer);
            break;
        case ValueKind::Real:
            out += ' ' + RealText(value.Real, value.RealType);
            break;
        case ValueKind::Identifier:
            out += ' ' + value.Text;
            break;
        case ValueKind::String: {
            const auto pieces = StringPieces(value.Text);
            if (pieces.size() == 1) {
                out += ' ' + pieces[0];
                break;
            }
            for (size_t i = 0; i < pieces.size(); ++i)
                out +=
                    LineEnd + Indent(level + 1) + pieces[i] + (i + 1 < pieces.size() ? " +" : "");
            break;
        }
        case ValueKind::Set: {
            out += " [";
            for (size_t i = 0; i < value.Set.size(); ++i) out += (i ? ", " : "") + value.Set[i];
            out += ']';
            break;
        }
        case ValueKind::Binary: {
            constexpr char Digits[] = "0123456789ABCDEF";
            out += " {";
            for (size_t i = 0; i < value.Text.size(); ++i) {
                if (i % BytesPerLine == 0) out += LineEnd + Indent(level + 1);
                const auto byte = static_cast<unsigned char>(value.Text[i]);
                out += Digits[byte >> 4];
                out += Digits[byte & 15];
            }
            out += '}';
            break;
        }
        case ValueKind::List:
            out += " (";
            for (const auto& element : value.List) {
                out += LineEnd + Indent(level + 1);
                std::string inner;
                WriteValue(inner, element, level + 1);
                // A list element stands on its own line, without the blank after "=".
                out += inner[0] == ' ' ? inner.substr(1) : inner.substr(2);
            }
            out += ')';
            break;
        case ValueKind::Collection:
            out += " <";
            for (const auto& item : value.Items) {
                out += LineEnd + Indent(level + 1) + "item";
                if (item.Index) out += " [" + std::to_string(*item.Index) + "]";
                out += LineEnd;
                WriteProperties(out, item.Properties, level + 2);
                out += Indent(level + 1) + "end";
            }
            out += '>';
            break;
    }
}

void WriteBlock(std::string& out, const ComponentNode& node, int level) {
    static constexpr const char* Keywords[] = {"object", "inherited", "inline"};
    out += Indent(level) + Keywords[static_cast<int>(node.Kind)] + ' ';
    out += node.Name.empty() ? node.ClassName : node.Name + ": " + node.ClassName;
    if (node.Index) out += " [" + std::to_string(*node.Index) + "]";
    out += LineEnd;
    WriteProperties(out, node.Properties, level + 1);
    for (const auto& child : node.Children) WriteBlock(out, child, level + 1);
    out += Indent(level) + "end" + LineEnd;
}

}  // namespace

std::string WriteComponentText(const ComponentNode& root) {
    std::string out;
    WriteBlock(out, root, 0);
    return out;
}

}  // namespace lv
