#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lvtool {

// Escapes 8-bit text for a JSON string (without the quotes): quotes, backslashes and control
// characters are escaped; bytes from 0x80 on are read as Windows-1252 and written as UTF-8
// (the five bytes that code page leaves undefined become \u00XX escapes).
std::string JsonEscape(std::string_view text);

// Writes one JSON value, indented by two spaces per level. Calls must nest properly: Key inside
// an object before each member value, values directly inside an array.
class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view name);
    void String(std::string_view text);
    void Integer(int64_t value);
    void Number(double value);
    void Bool(bool value);
    void Null();

    // The text written so far, ended by a line break once the outermost value is closed.
    const std::string& Text() const { return out_; }

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);
    void NewLine();

    struct Level {
        bool isObject;
        bool empty = true;
    };
    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace lvtool
