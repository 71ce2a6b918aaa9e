#include "common/windows1252.h"

namespace lv {
namespace {

// Unicode characters of the bytes 0x80 .. 0x9F; the other bytes are their own code points.
constexpr uint16_t HighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes one UTF-8 sequence at text[i] and moves i past it; false when it is not valid UTF-8.
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
    } else {
        return false;
    }
    if (i + static_cast<size_t>(extra) >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
        const auto n = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if ((n & 0xC0) != 0x80) return false;
        c = c << 6 | (n & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not valid UTF-8.
    if ((extra == 2 && (c < 0x800 || (c >= 0xD800 && c < 0xE000))) ||
        (extra == 3 && (c < 0x10000 || c > 0x10FFFF)))
        return false;
    i += static_cast<size_t>(extra) + 1;
    return true;
}

}  // namespace

uint32_t Windows1252CodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? HighControlRange[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char ch : text)
        AppendUtf8(out, Windows1252CodePoint(static_cast<unsigned char>(ch)));
    return out;
}

char UnicodeToWindows1252(uint32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (int i = 0; i < 32; ++i)
        if (HighControlRange[i] == codePoint) return static_cast<char>(0x80 + i);
    return '?';
}

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        uint32_t c = 0;
        if (!NextCodePoint(text, i, c)) return std::string(text);
        const char byte = UnicodeToWindows1252(c);
        if (byte == '?' && c != '?') return std::nullopt;
        out.push_back(byte);
    }
    return out;
}

}  // namespace lv
