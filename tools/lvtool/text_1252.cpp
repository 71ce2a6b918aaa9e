#include "text_1252.h"

#include <array>
#include <cstdint>

namespace lvtool {
namespace {

// Code points of the bytes 0x80 .. 0x9F; the rest of the page equals Latin-1.
constexpr std::array<uint16_t, 32> High1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint32_t CodePointOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? High1252[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at text[i]; false when it is not valid UTF-8.
bool NextCodePoint(std::string_view text, size_t& i, uint32_t& c) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = 0;
    if (b < 0x80) {
        c = b;
        ++i;
        return true;
    }
    if (b >= 0xC2 && b < 0xE0) {
        c = b & 0x1F;
        extra = 1;
    } else if (b >= 0xE0 && b < 0xF0) {
        c = b & 0x0F;
        extra = 2;
    } else if (b >= 0xF0 && b < 0xF5) {
        c = b & 0x07;
        extra = 3;
    } else
        return false;
    if (i + static_cast<size_t>(extra) >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
        const auto n = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if ((n & 0xC0) != 0x80) return false;
        c = c << 6 | (n & 0x3F);
    }
    // Overlong forms and surrogates are not valid UTF-8.
    if ((extra == 2 && (c < 0x800 || (c >= 0xD800 && c < 0xE000))) || (extra == 3 && c < 0x10000))
        return false;
    i += static_cast<size_t>(extra) + 1;
    return true;
}

}  // namespace

void AppendUtf8Of1252(std::string& out, unsigned char byte) { AppendUtf8(out, CodePointOf(byte)); }

std::string Utf8From1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) AppendUtf8Of1252(out, static_cast<unsigned char>(ch));
    return out;
}

std::optional<std::string> Windows1252FromUtf8(std::string_view text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        uint32_t c = 0;
        if (!NextCodePoint(text, i, c)) return std::string(text);
        if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        size_t k = 0;
        while (k < High1252.size() && High1252[k] != c) ++k;
        if (k == High1252.size()) return std::nullopt;
        out.push_back(static_cast<char>(0x80 + k));
    }
    return out;
}

}  // namespace lvtool
