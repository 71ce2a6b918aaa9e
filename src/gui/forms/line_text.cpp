#include "gui/forms/line_text.h"

#include <charconv>

namespace lv {

std::string_view TrimBlanks(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    return text.substr(begin, end - begin);
}

bool ParseDecimalInteger(std::string_view text, int32_t& value) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);  // from_chars takes '-' only
    if (text.empty() || text.front() == '+') return false;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), last, value, 10);
    return ec == std::errc() && ptr == last;
}

}  // namespace lv
