#include "common/name_case.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

// The look-ups themselves are tested where they are used: extraction, music and sounds.
TEST(SameNameIgnoringCase, FoldsAsciiAndLatinLettersOnly) {
    EXPECT_TRUE(SameNameIgnoringCase("Harbour.LVP", "harbour.lvp"));
    // "ÉtÉ" and "été" in Windows-1252; × and ÷ are no letters; "Été" and "été" in UTF-8.
    EXPECT_TRUE(SameNameIgnoringCase("\xC9t\xC9.jpg", "\xE9t\xE9.JPG"));
    EXPECT_FALSE(SameNameIgnoringCase("\xD7.jpg", "\xF7.jpg"));
    EXPECT_FALSE(SameNameIgnoringCase("\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9"));
    EXPECT_FALSE(SameNameIgnoringCase("a.jpg", "a.jpg "));
    EXPECT_FALSE(SameNameIgnoringCase("[.jpg", "{.jpg"));  // 0x5B and 0x7B are 32 apart too
}

}  // namespace
}  // namespace lv
