#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lv {

// Tokens of the declarative component text. Whitespace, line breaks included, only separates
// tokens, which is what lets a value start on the line after its "=".
enum class TokenKind {
    EndOfFile,
    Identifier,  // letters, digits and '_', not starting with a digit
    Integer,     // decimal or '$' hexadecimal digits; the sign is a separate '-' symbol
    Real,        // digits with '.' and/or an exponent, optional type letter (s, c, d, f)
    String,      // quoted and #nnn pieces written back to back, already joined (8-bit text)
    Binary,      // '{' hexadecimal digits '}', already decoded to bytes
    Symbol,      // any other single character: = : . , + - [ ] ( ) < > ...
};

struct Token {
    TokenKind kind = TokenKind::EndOfFile;
    int line = 1;            // line the token starts on, counted from 1
    std::string text;        // identifier, symbol or number as written; string or binary bytes
    uint64_t magnitude = 0;  // Integer: the unsigned value of the digits
    bool hexadecimal = false;
    double real = 0;
    char realType = 0;  // Real: 0 or the lower-case type letter written after the digits
};

// Reads one token ahead. Errors name the file and the line: "line N: expected X, found Y".
class ComponentLexer {
public:
    // `firstLine` is the number of the text's first line in its file.
    ComponentLexer(std::string_view text, std::string fileName, int firstLine = 1);

    const Token& Current() const { return current_; }
    void Advance();

    // Raises lv::Error "line N: expected <expected>, found <current token>".
    [[noreturn]] void Fail(std::string_view expected) const;
    [[noreturn]] void FailAt(int line, const std::string& message) const;
    const std::string& FileName() const { return fileName_; }

    // How a token is named in "found ..." (quoted and shortened, or "end of file").
    static std::string Describe(const Token& token);

private:
    char Peek(size_t ahead = 0) const;
    void SkipBlanks();
    void ReadIdentifier();
    void ReadNumber();
    void ReadHexInteger();
    void ReadString();
    uint32_t ReadCharacterCode();
    void ReadBinary();
    [[noreturn]] void FailHere(std::string_view expected, std::string_view found) const;

    std::string_view text_;
    std::string fileName_;
    size_t pos_ = 0;
    int line_ = 1;
    Token current_;
};

}  // namespace lv
