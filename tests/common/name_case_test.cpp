#include "common/name_case.h"

#include <gtest/gtest.h>

#include "support/picture_fixtures.h"

namespace lv {
namespace {

TEST(SameNameIgnoringCase, FoldsAsciiAndLatinLettersOnly) {
    EXPECT_TRUE(SameNameIgnoringCase("Harbour.LVP", "harbour.lvp"));
    EXPECT_TRUE(
        SameNameIgnoringCase("\xC9t\xC9.jpg", "\xE9t\xE9.JPG"));  // ÉtÉ, été in Windows-1252
    EXPECT_FALSE(SameNameIgnoringCase("\xD7.jpg", "\xF7.jpg"));   // × and ÷ are no letters
    EXPECT_FALSE(SameNameIgnoringCase("\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9"));  // UTF-8 É, é
    EXPECT_FALSE(SameNameIgnoringCase("a.jpg", "a.jpg "));
    EXPECT_FALSE(SameNameIgnoringCase("[.jpg", "{.jpg"));  // 0x5B and 0x7B are 32 apart too
}

TEST(FindNameIgnoringCase, ExactSpellingWinsThenTheFirstMatch) {
    const std::vector<std::string> names = {"Sea.jpg", "sea.JPG", "sky.jpg"};
    EXPECT_EQ(FindNameIgnoringCase(names, "sea.JPG"), &names[1]);
    EXPECT_EQ(FindNameIgnoringCase(names, "Sea.jpg"), &names[0]);
    EXPECT_EQ(FindNameIgnoringCase(names, "SEA.JPG"), &names[0]);
    EXPECT_EQ(FindNameIgnoringCase(names, "SKY.jpg"), &names[2]);
    EXPECT_EQ(FindNameIgnoringCase(names, "sea.jpeg"), nullptr);
}

TEST(FindFileIgnoringCase, LooksInTheFolderOnlyWhenTheExactNameIsAbsent) {
    test::TempDir dir;
    dir.Write("Theme.mid", "m");
    dir.Write("a.wav", "1");
    dir.Write("A.wav", "2");
    const std::string folder = dir.File("");
    EXPECT_EQ(FindFileIgnoringCase(folder, "THEME.MID"), folder + "Theme.mid");
    EXPECT_EQ(FindFileIgnoringCase(folder, "a.wav"), folder + "a.wav");
    EXPECT_EQ(FindFileIgnoringCase(folder, "A.WAV"), folder + "A.wav");  // first in byte order
    EXPECT_EQ(FindFileIgnoringCase(folder, "gone.wav"), folder + "gone.wav");
    EXPECT_EQ(FindFileIgnoringCase(dir.File("missing"), "a.wav"), dir.File("missing") + "/a.wav");
    EXPECT_EQ(FindFileIgnoringCase("", "a.wav"), "a.wav");
}

}  // namespace
}  // namespace lv
