#include "gui/forms/component_lexer.h"

#include <charconv>
#include <limits>

#include "common/ascii_case.h"
#include "common/error.h"
#include "common/windows1252.h"

namespace lv {
namespace {

bool IsIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || IsDigit(c); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Unicode's largest code point; a #nnn piece beyond it is an error, not a wrapped value.
constexpr uint32_t MaxCharacterCode = 0x10FFFF;

// A single character as "found ..." names it.
std::string DescribeChar(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r' || c == '\n') return "end of line";
    if (byte > ' ' && byte < 0x7F) return std::string("'") + c + "'";
    return "character #" + std::to_string(byte);
}

}  // namespace

ComponentLexer::ComponentLexer(std::string_view text, std::string fileName, int firstLine)
    : text_(text), fileName_(std::move(fileName)), line_(firstLine) {
    Advance();
}

char ComponentLexer::Peek(size_t ahead) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
}

void ComponentLexer::FailAt(int line, const std::string& message) const {
    throw Error("line " + std::to_string(line) + ": " + message, fileName_);
}

void ComponentLexer::Fail(std::string_view expected) const {
    FailAt(current_.line, "expected " + std::string(expected) + ", found " + Describe(current_));
}

void ComponentLexer::FailHere(std::string_view expected, std::string_view found) const {
    FailAt(line_, "expected " + std::string(expected) + ", found " + std::string(found));
}

std::string ComponentLexer::Describe(const Token& token) {
    switch (token.kind) {
        case TokenKind::EndOfFile:
            return "end of file";
        case TokenKind::Binary:
            return "binary data";
        case TokenKind::Symbol:
            return DescribeChar(token.text[0]);
        case TokenKind::String: {
            constexpr size_t Shown = 24;
            std::string shown;
            for (size_t i = 0; i < token.text.size() && i < Shown; ++i) {
                const auto byte = static_cast<unsigned char>(token.text[i]);
                shown.push_back(byte >= ' ' && byte < 0x7F ? token.text[i] : '?');
            }
            if (token.text.size() > Shown) shown += "...";
            return "string '" + shown + "'";
        }
        default: {
            constexpr size_t Shown = 40;
            return "'" + token.text.substr(0, Shown) + (token.text.size() > Shown ? "...'" : "'");
        }
    }
}

// Blanks are every character up to the space, as the authoring tools treat them. CR LF, a lone
// CR and a lone LF each end one line.
void ComponentLexer::SkipBlanks() {
    while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ') {
        const char c = text_[pos_++];
        if (c == '\n') {
            ++line_;
        } else if (c == '\r') {
            ++line_;
            if (Peek() == '\n') ++pos_;
        }
    }
}

void ComponentLexer::Advance() {
    SkipBlanks();
    current_ = Token{};
    current_.line = line_;
    if (pos_ >= text_.size()) return;
    const char c = text_[pos_];
    if (IsIdentifierStart(c)) {
        ReadIdentifier();
    } else if (IsDigit(c)) {
        ReadNumber();
    } else if (c == '$') {
        ReadHexInteger();
    } else if (c == '\'' || c == '#') {
        ReadString();
    } else if (c == '{') {
        ReadBinary();
    } else {
        current_.kind = TokenKind::Symbol;
        current_.text.assign(1, c);
        ++pos_;
    }
}

void ComponentLexer::ReadIdentifier() {
    const size_t start = pos_;
    while (pos_ < text_.size() && IsIdentifierChar(text_[pos_])) ++pos_;
    current_.kind = TokenKind::Identifier;
    current_.text.assign(text_.substr(start, pos_ - start));
}

// Decimal digits make an integer; a '.' or an exponent makes a real number, read with '.' as the
// decimal point whatever the user's locale (std::from_chars never looks at the locale).
void ComponentLexer::ReadNumber() {
    const size_t start = pos_;
    while (IsDigit(Peek())) ++pos_;
    bool isReal = false;
    if (Peek() == '.') {
        isReal = true;
        ++pos_;
        while (IsDigit(Peek())) ++pos_;
    }
    if (Peek() == 'e' || Peek() == 'E') {
        const size_t signLength = (Peek(1) == '+' || Peek(1) == '-') ? 1 : 0;
        if (IsDigit(Peek(1 + signLength))) {
            isReal = true;
            pos_ += 1 + signLength;
            while (IsDigit(Peek())) ++pos_;
        }
    }
    const std::string_view digits = text_.substr(start, pos_ - start);
    current_.text.assign(digits);
    if (!isReal) {
        current_.kind = TokenKind::Integer;
        uint64_t value = 0;
        for (const char d : digits) {
            const auto digit = static_cast<uint64_t>(d - '0');
            if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10)
                FailAt(line_, "integer " + current_.text + " is out of range");
            value = value * 10 + digit;
        }
        current_.magnitude = value;
        return;
    }
    current_.kind = TokenKind::Real;
    const char* first = current_.text.data();
    const char* last = first + current_.text.size();
    const auto [end, ec] = std::from_chars(first, last, current_.real, std::chars_format::general);
    if (ec != std::errc() || end != last)
        FailAt(line_, "real number " + current_.text + " is out of range");
    // A type letter right after the digits says how the value was stored (single, currency,
    // date, float); it is kept but does not change the number.
    const char type = AsciiUpper(Peek());
    if ((type == 'S' || type == 'C' || type == 'D' || type == 'F') && !IsIdentifierChar(Peek(1))) {
        current_.realType = AsciiLower(type);
        current_.text.push_back(Peek());
        ++pos_;
    }
}

void ComponentLexer::ReadHexInteger() {
    ++pos_;  // '$'
    const size_t start = pos_;
    uint64_t value = 0;
    while (HexValue(Peek()) >= 0) {
        if (value >> 60 != 0) FailAt(line_, "hexadecimal integer is out of range");
        value = value << 4 | static_cast<uint64_t>(HexValue(Peek()));
        ++pos_;
    }
    if (pos_ == start)
        FailHere("hexadecimal digit after '$'",
                 pos_ < text_.size() ? DescribeChar(Peek()) : "end of file");
    current_.kind = TokenKind::Integer;
    current_.hexadecimal = true;
    current_.magnitude = value;
    current_.text = "$" + std::string(text_.substr(start, pos_ - start));
}

uint32_t ComponentLexer::ReadCharacterCode() {
    ++pos_;  // '#'
    const bool hex = Peek() == '$';
    if (hex) ++pos_;
    const size_t start = pos_;
    uint32_t code = 0;
    while (hex ? HexValue(Peek()) >= 0 : IsDigit(Peek())) {
        code = code * (hex ? 16 : 10) + static_cast<uint32_t>(HexValue(Peek()));
        if (code > MaxCharacterCode) FailAt(line_, "character code is out of range");
        ++pos_;
    }
    if (pos_ == start)
        FailHere("character code after '#'",
                 pos_ < text_.size() ? DescribeChar(Peek()) : "end of file");
    return code;
}

// Pieces follow each other without blanks: 'It''s'#13#10'done'. Codes up to 255 are bytes of
// the 8-bit text; larger ones (written for wide text) become their Windows-1252 byte or '?'.
void ComponentLexer::ReadString() {
    current_.kind = TokenKind::String;
    std::string& out = current_.text;
    for (;;) {
        const char c = Peek();
        if (c == '#') {
            const uint32_t code = ReadCharacterCode();
            out.push_back(code <= 0xFF ? static_cast<char>(code) : UnicodeToWindows1252(code));
        } else if (c == '\'') {
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size() || Peek() == '\r' || Peek() == '\n')
                    FailHere("closing quote", pos_ >= text_.size() ? "end of file" : "end of line");
                if (Peek() == '\'') {
                    if (Peek(1) != '\'') break;
                    ++pos_;
                }
                out.push_back(text_[pos_++]);
            }
            ++pos_;  // closing quote
        } else {
            return;
        }
    }
}

// Hexadecimal digits in pairs, one byte each; blanks and line breaks may stand anywhere inside.
void ComponentLexer::ReadBinary() {
    current_.kind = TokenKind::Binary;
    ++pos_;  // '{'
    int pending = -1;
    for (;;) {
        SkipBlanks();
        if (pos_ >= text_.size()) FailHere("'}'", "end of file");
        const char c = text_[pos_];
        if (c == '}') {
            if (pending >= 0) FailHere("second hexadecimal digit of a byte", "'}'");
            ++pos_;
            return;
        }
        const int nibble = HexValue(c);
        if (nibble < 0) FailHere("hexadecimal digit or '}'", DescribeChar(c));
        ++pos_;
        if (pending < 0) {
            pending = nibble;
        } else {
            current_.text.push_back(static_cast<char>(pending << 4 | nibble));
            pending = -1;
        }
    }
}

}  // namespace lv
