#include "common/windows1252.h"

#include <gtest/gtest.h>

#include "common/ascii_case.h"

namespace lv {
namespace {

TEST(TextEncoding, ConvertsWindows1252ToUtf8) {
    EXPECT_EQ(Windows1252ToUtf8("plain"), "plain");
    EXPECT_EQ(Windows1252ToUtf8("Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(Windows1252ToUtf8("\x80\x9F\xFF"), "\xE2\x82\xAC\xC5\xB8\xC3\xBF");
    // Undefined bytes keep their number as C1 control characters.
    EXPECT_EQ(Windows1252ToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D");
    EXPECT_EQ(Windows1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
    for (int byte = 0; byte < 256; ++byte) {
        const std::string utf8 = Windows1252ToUtf8(std::string(1, static_cast<char>(byte)));
        // Back through the reverse table, every byte returns to itself.
        uint32_t code = static_cast<unsigned char>(utf8[0]);
        if (utf8.size() == 2) code = (code & 0x1F) << 6 | (utf8[1] & 0x3F);
        if (utf8.size() == 3) code = (code & 0x0F) << 12 | (utf8[1] & 0x3F) << 6 | (utf8[2] & 0x3F);
        EXPECT_EQ(UnicodeToWindows1252(code), static_cast<char>(byte)) << byte;
    }
    EXPECT_EQ(UnicodeToWindows1252(0x0410), '?');
    EXPECT_EQ(UnicodeToWindows1252(0x1F600), '?');
}

TEST(TextEncoding, ConvertsUtf8BackToWindows1252OrSaysItCannot) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(one)), one) << byte;
    }
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC 5"), "\x80 5");
    EXPECT_EQ(Utf8ToWindows1252("?"), "?");
    // Cyrillic, an emoji and U+0080 have no byte in the code page.
    EXPECT_EQ(Utf8ToWindows1252("\xD0\x90"), std::nullopt);
    EXPECT_EQ(Utf8ToWindows1252("\xF0\x9F\x98\x80"), std::nullopt);
    EXPECT_EQ(Utf8ToWindows1252("\xC2\x80"), std::nullopt);
    // Text that is not UTF-8 (a lone byte, an overlong form, a cut sequence) is already 8-bit.
    EXPECT_EQ(Utf8ToWindows1252("Caf\xE9"), "Caf\xE9");
    EXPECT_EQ(Utf8ToWindows1252("\xC0\xAF"), "\xC0\xAF");
    EXPECT_EQ(Utf8ToWindows1252("a\xE2\x82"), "a\xE2\x82");
}

TEST(AsciiCase, ChangesOnlyAsciiLetters) {
    EXPECT_EQ(AsciiUpperCase("/s:1 i\xE9\xFF"), "/S:1 I\xE9\xFF");
    EXPECT_EQ(AsciiLowerCase("LVC.RES \xC9"), "lvc.res \xC9");
    EXPECT_TRUE(EqualsIgnoreCase("MainWindow", "MAINwindow"));
    EXPECT_FALSE(EqualsIgnoreCase("[", "{"));  // 0x5B and 0x7B are 32 apart too
    EXPECT_FALSE(EqualsIgnoreCase("\xC9", "\xE9"));
}

}  // namespace
}  // namespace lv
