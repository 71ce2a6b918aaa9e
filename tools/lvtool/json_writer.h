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

// Writes one JSON value, indented by two spaces per level; calls can be chained. Calls must nest properly: Key inside
// an object before each member value, values directly inside an array.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view name);
    JsonWriter& String(std::string_view text);
    JsonWriter& Integer(int64_t value);
    JsonWriter& Number(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

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
