#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lvtool {

// A small JSON writer for lvtool's reports, indented two spaces. Commas and nesting are kept
// track of; a value inside an object needs its Key first. Strings are the system's 8-bit
// Windows-1252 texts and come out as UTF-8 with JSON escapes.
class JsonOut {
public:
    JsonOut& BeginObject();
    JsonOut& EndObject();
    JsonOut& BeginArray();
    JsonOut& EndArray();
    JsonOut& Key(std::string_view name);
    JsonOut& String(std::string_view value);
    JsonOut& Int(int64_t value);
    JsonOut& Bool(bool value);

    // The document so far, ending in a newline once the outermost value is closed.
    const std::string& Text() const { return text_; }

private:
    struct Level {
        bool isObject;
        bool empty;
    };
    void BeforeValue();
    void Close(char bracket);
    void Indent();
    void AppendQuoted(std::string_view text);

    std::string text_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace lvtool
