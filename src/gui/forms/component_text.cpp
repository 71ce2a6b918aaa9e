#include "gui/forms/component_text.h"

#include <limits>

#include "common/ascii_case.h"
#include "gui/forms/component_lexer.h"

namespace lv {

bool PropertyValue::IsTrue() const {
    return Kind == ValueKind::Identifier && EqualsIgnoreCase(Text, "True");
}

bool PropertyValue::IsFalse() const {
    return Kind == ValueKind::Identifier && EqualsIgnoreCase(Text, "False");
}

const ComponentProperty* ComponentNode::FindProperty(std::string_view path) const {
    for (const auto& property : Properties)
        if (EqualsIgnoreCase(property.Path, path)) return &property;
    return nullptr;
}

namespace {

class ComponentParser {
public:
    ComponentParser(std::string_view text, const std::string& fileName, int firstLine)
        : lexer_(text, fileName, firstLine) {}

    ComponentNode ParseDocument() {
        ComponentNode root = ParseBlock(1);
        if (lexer_.Current().kind != TokenKind::EndOfFile) lexer_.Fail("end of file");
        return root;
    }

private:
    const Token& Current() const { return lexer_.Current(); }

    bool IsSymbol(char c) const {
        return Current().kind == TokenKind::Symbol && Current().text[0] == c;
    }

    bool IsKeyword(std::string_view word) const {
        return Current().kind == TokenKind::Identifier && EqualsIgnoreCase(Current().text, word);
    }

    std::optional<BlockKind> BlockStart() const {
        if (IsKeyword("object")) return BlockKind::Object;
        if (IsKeyword("inherited")) return BlockKind::Inherited;
        if (IsKeyword("inline")) return BlockKind::Inline;
        return std::nullopt;
    }

    void ExpectSymbol(char c) {
        if (!IsSymbol(c)) lexer_.Fail(std::string("'") + c + "'");
        lexer_.Advance();
    }

    // The words that open and close blocks are reserved in the language the authoring tool
    // belongs to, so no name, class or constant can be one; refusing them gives a missing
    // value or name the error message it deserves.
    bool IsReservedWord() const { return IsKeyword("end") || BlockStart().has_value(); }

    std::string ExpectIdentifier(std::string_view what) {
        if (Current().kind != TokenKind::Identifier || IsReservedWord()) lexer_.Fail(what);
        std::string name = Current().text;
        lexer_.Advance();
        return name;
    }

    // Every block, value, set element and collection item counts once.
    void CountItem() {
        if (++items_ > MaxComponentTextItems)
            lexer_.FailAt(Current().line, "more than " + std::to_string(MaxComponentTextItems) +
                                              " components, properties and values");
    }

    void CheckDepth(int depth) const {
        if (depth > MaxComponentNesting)
            lexer_.FailAt(Current().line,
                          "nesting deeper than " + std::to_string(MaxComponentNesting) + " levels");
    }

    // "[n]" after a block header or after "item".
    std::optional<int64_t> ParseOrderIndex() {
        if (!IsSymbol('[')) return std::nullopt;
        lexer_.Advance();
        if (Current().kind != TokenKind::Integer) lexer_.Fail("index");
        const int64_t index = SignedValue(false);
        lexer_.Advance();
        ExpectSymbol(']');
        return index;
    }

    ComponentNode ParseBlock(int depth) {
        CheckDepth(depth);
        CountItem();
        ComponentNode node;
        node.Line = Current().line;
        const auto kind = BlockStart();
        if (!kind) lexer_.Fail("'object'");
        node.Kind = *kind;
        lexer_.Advance();
        std::string first = ExpectIdentifier("component name");
        if (IsSymbol(':')) {
            lexer_.Advance();
            node.Name = std::move(first);
            node.ClassName = ExpectIdentifier("class name");
        } else {
            node.ClassName = std::move(first);
        }
        node.Index = ParseOrderIndex();
        while (Current().kind == TokenKind::Identifier && !BlockStart() && !IsKeyword("end"))
            node.Properties.push_back(ParseProperty(depth));
        while (BlockStart()) node.Children.push_back(ParseBlock(depth + 1));
        if (!IsKeyword("end"))
            lexer_.Fail(node.Children.empty() ? "property, 'object' or 'end'"
                                              : "'object' or 'end'");
        lexer_.Advance();
        return node;
    }

    ComponentProperty ParseProperty(int depth) {
        ComponentProperty property;
        property.Line = Current().line;
        property.Path = ExpectIdentifier("property name");
        while (IsSymbol('.')) {
            lexer_.Advance();
            property.Path += '.';
            property.Path += ExpectIdentifier("property name after '.'");
        }
        ExpectSymbol('=');
        property.Value = ParseValue(depth);
        return property;
    }

    // The current Integer token's value, negated when a '-' came before it. Decimal values must
    // fit a signed 64-bit integer; '$' values are 64-bit patterns, so $FFFFFFFFFFFFFFFF is -1.
    int64_t SignedValue(bool negative) const {
        const Token& token = Current();
        const uint64_t limit =
            static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
        if (!token.hexadecimal && token.magnitude > limit)
            lexer_.FailAt(token.line, "integer " + std::string(negative ? "-" : "") + token.text +
                                          " is out of range");
        const uint64_t bits = negative ? 0 - token.magnitude : token.magnitude;
        return static_cast<int64_t>(bits);
    }

    PropertyValue ParseValue(int depth) {
        CountItem();
        PropertyValue value;
        value.Line = Current().line;
        const Token& token = Current();
        switch (token.kind) {
            case TokenKind::Integer:
                value.Kind = ValueKind::Integer;
                value.Integer = SignedValue(false);
                lexer_.Advance();
                return value;
            case TokenKind::Real:
                value.Kind = ValueKind::Real;
                value.Real = token.real;
                value.RealType = token.realType;
                lexer_.Advance();
                return value;
            case TokenKind::String:
                value.Kind = ValueKind::String;
                value.Text = token.text;
                lexer_.Advance();
                // 'long text ' + 'goes on': the writer splits long strings over lines.
                while (IsSymbol('+')) {
                    lexer_.Advance();
                    if (Current().kind != TokenKind::String) lexer_.Fail("string after '+'");
                    value.Text += Current().text;
                    lexer_.Advance();
                }
                return value;
            case TokenKind::Binary:
                value.Kind = ValueKind::Binary;
                value.Text = token.text;
                lexer_.Advance();
                return value;
            case TokenKind::Identifier:
                if (IsReservedWord()) lexer_.Fail("value");
                value.Kind = ValueKind::Identifier;
                value.Text = token.text;
                lexer_.Advance();
                // A reference into another component or form: Form2.Edit1.
                while (IsSymbol('.')) {
                    lexer_.Advance();
                    value.Text += '.';
                    value.Text += ExpectIdentifier("name after '.'");
                }
                return value;
            case TokenKind::Symbol:
                break;
            case TokenKind::EndOfFile:
                lexer_.Fail("value");
        }
        switch (token.text[0]) {
            case '-':
                lexer_.Advance();
                if (Current().kind == TokenKind::Integer) {
                    value.Kind = ValueKind::Integer;
                    value.Integer = SignedValue(true);
                } else if (Current().kind == TokenKind::Real) {
                    value.Kind = ValueKind::Real;
                    value.Real = -Current().real;
                    value.RealType = Current().realType;
                } else {
                    lexer_.Fail("number after '-'");
                }
                lexer_.Advance();
                return value;
            case '[':
                ParseSet(value);
                return value;
            case '(':
                CheckDepth(depth + 1);
                value.Kind = ValueKind::List;
                lexer_.Advance();
                while (!IsSymbol(')')) {
                    if (Current().kind == TokenKind::EndOfFile) lexer_.Fail("value or ')'");
                    value.List.push_back(ParseValue(depth + 1));
                }
                lexer_.Advance();
                return value;
            case '<':
                ParseCollection(value, depth);
                return value;
            default:
                lexer_.Fail("value");
        }
    }

    void ParseSet(PropertyValue& value) {
        value.Kind = ValueKind::Set;
        lexer_.Advance();
        if (IsSymbol(']')) {
            lexer_.Advance();
            return;
        }
        for (;;) {
            if (Current().kind != TokenKind::Identifier && Current().kind != TokenKind::Integer)
                lexer_.Fail("set element");
            CountItem();
            value.Set.push_back(Current().text);
            lexer_.Advance();
            if (IsSymbol(']')) break;
            if (!IsSymbol(',')) lexer_.Fail("',' or ']'");
            lexer_.Advance();
        }
        lexer_.Advance();
    }

    void ParseCollection(PropertyValue& value, int depth) {
        value.Kind = ValueKind::Collection;
        lexer_.Advance();
        while (!IsSymbol('>')) {
            if (!IsKeyword("item")) lexer_.Fail("'item' or '>'");
            CheckDepth(depth + 1);
            CountItem();
            CollectionItem item;
            item.Line = Current().line;
            lexer_.Advance();
            item.Index = ParseOrderIndex();
            while (!IsKeyword("end")) {
                if (Current().kind != TokenKind::Identifier) lexer_.Fail("property or 'end'");
                item.Properties.push_back(ParseProperty(depth + 1));
            }
            lexer_.Advance();
            value.Items.push_back(std::move(item));
        }
        lexer_.Advance();
    }

    ComponentLexer lexer_;
    size_t items_ = 0;
};

}  // namespace

ComponentNode ParseComponentText(std::string_view text, const std::string& fileName,
                                 int firstLine) {
    return ComponentParser(text, fileName, firstLine).ParseDocument();
}

}  // namespace lv
