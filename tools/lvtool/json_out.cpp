#include "json_out.h"

#include <cstdio>

#include "text_1252.h"

namespace lvtool {

void JsonOut::Indent() {
    text_.push_back('\n');
    text_.append(levels_.size() * 2, ' ');
}

void JsonOut::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) return;
    if (!levels_.back().empty) text_.push_back(',');
    levels_.back().empty = false;
    Indent();
}

JsonOut& JsonOut::BeginObject() {
    BeforeValue();
    text_.push_back('{');
    levels_.push_back({true, true});
    return *this;
}

JsonOut& JsonOut::BeginArray() {
    BeforeValue();
    text_.push_back('[');
    levels_.push_back({false, true});
    return *this;
}

void JsonOut::Close(char bracket) {
    const bool empty = levels_.back().empty;
    levels_.pop_back();
    if (!empty) Indent();
    text_.push_back(bracket);
    if (levels_.empty()) text_.push_back('\n');
}

JsonOut& JsonOut::EndObject() {
    Close('}');
    return *this;
}

JsonOut& JsonOut::EndArray() {
    Close(']');
    return *this;
}

JsonOut& JsonOut::Key(std::string_view name) {
    BeforeValue();
    AppendQuoted(name);
    text_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonOut& JsonOut::String(std::string_view value) {
    BeforeValue();
    AppendQuoted(value);
    return *this;
}

JsonOut& JsonOut::Int(int64_t value) {
    BeforeValue();
    text_ += std::to_string(value);
    return *this;
}

JsonOut& JsonOut::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
    return *this;
}

void JsonOut::AppendQuoted(std::string_view text) {
    text_.push_back('"');
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                text_ += "\\\"";
                break;
            case '\\':
                text_ += "\\\\";
                break;
            case '\n':
                text_ += "\\n";
                break;
            case '\r':
                text_ += "\\r";
                break;
            case '\t':
                text_ += "\\t";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", byte);
                    text_ += escape;
                } else if (byte >= 0x80) {
                    AppendUtf8Of1252(text_, byte);
                } else {
                    text_.push_back(ch);
                }
        }
    }
    text_.push_back('"');
}

}  // namespace lvtool
