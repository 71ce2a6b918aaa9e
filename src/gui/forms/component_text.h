#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

// The declarative component text that describes a window:
//
//   object MainWindow: TfmForm          <- header: keyword, name, ':' class
//     Caption = 'Sky'#13#10'Saver'      <- properties first, in order
//     Font.Style = [fsBold]
//     object Panel1: TPanel             <- then nested component blocks
//       Items.Strings = ('a' 'b')
//     end
//   end
//
// The parser keeps every property with its typed value and line, in the order written, and
// every child block in order; the builder decides what the names and values mean.

enum class ValueKind { Integer, Real, Identifier, String, Set, Binary, List, Collection };

struct CollectionItem;

struct PropertyValue {
    ValueKind Kind = ValueKind::Integer;
    int Line = 0;
    int64_t Integer = 0;
    double Real = 0;
    char RealType = 0;                  // 0 or the type letter after a real number: s, c, d, f
    std::string Text;                   // Identifier (dotted names joined), String (8-bit), Binary
    std::vector<std::string> Set;       // Set: element names (or integers) as written
    std::vector<PropertyValue> List;    // List: the values between ( and )
    std::vector<CollectionItem> Items;  // Collection: the items between < and >

    bool IsTrue() const;   // the identifier True, any letter case
    bool IsFalse() const;  // the identifier False, any letter case
};

struct ComponentProperty {
    std::string Path;  // "Caption", "Font.Style", "Picture.Data"
    PropertyValue Value;
    int Line = 0;
};

struct CollectionItem {
    std::optional<int64_t> Index;  // item [n]
    std::vector<ComponentProperty> Properties;
    int Line = 0;
};

// How a block starts. Only "object" appears in our definition files; "inherited" and "inline"
// blocks of the same text format parse the same way.
enum class BlockKind { Object, Inherited, Inline };

struct ComponentNode {
    BlockKind Kind = BlockKind::Object;
    std::string Name;  // may be empty: "object TPanel" names no component
    std::string ClassName;
    std::optional<int64_t> Index;  // "object A: TB [2]"
    int Line = 0;
    std::vector<ComponentProperty> Properties;
    std::vector<ComponentNode> Children;

    // The first property of that path, letter case ignored; nullptr when it is not set.
    const ComponentProperty* FindProperty(std::string_view path) const;
};

// Deepest nesting of component blocks, lists and collection items together. A deeper text is
// rejected: it is no real form, and the recursive parser must not exhaust the stack.
inline constexpr int MaxComponentNesting = 64;

// Most components, properties, values, set elements and collection items one text may hold.
// A parsed item takes far more memory than its few characters of text, so this bounds what a
// damaged or hostile text can claim; real windows hold a few thousand.
inline constexpr size_t MaxComponentTextItems = 200'000;

// Parses one component block (and nothing after it). Raises lv::Error naming `fileName` and
// "line N: expected X, found Y" for any text outside the grammar.
// `firstLine` numbers the text's first line, so that the lines of a description stored inside
// a larger file are named as that file counts them.
ComponentNode ParseComponentText(std::string_view text, const std::string& fileName,
                                 int firstLine = 1);

}  // namespace lv
