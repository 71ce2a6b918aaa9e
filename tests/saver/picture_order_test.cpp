#include "saver/picture_order.h"

#include <gtest/gtest.h>

#include <set>

#include "common/random.h"
#include "project/project.h"

namespace lv {
namespace {

TEST(NextPictureIndex, ListOrderWrapsToTheFirstPicture) {
    std::vector<int> shown;
    int index = -1;
    for (int i = 0; i < 7; ++i) {
        index = NextPictureIndex(index, 3, AllImagesSequential);
        shown.push_back(index);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    // Mode 3 and unknown modes are list order too.
    EXPECT_EQ(NextPictureIndex(0, 3, SingleSelectedImage), 1);
    EXPECT_EQ(NextPictureIndex(0, 3, 17), 1);
    // An index left over from a longer list starts again at 0.
    EXPECT_EQ(NextPictureIndex(5, 3, AllImagesSequential), 0);
}

TEST(NextPictureIndex, RandomOrderWithTwoPicturesAlternatesStrictly) {
    SetRandomSeed(12345);
    for (int mode : {AllImagesRandom, FavoritesRandom}) {
        int index = NextPictureIndex(-1, 2, mode);
        for (int i = 0; i < 200; ++i) {
            const int next = NextPictureIndex(index, 2, mode);
            ASSERT_EQ(next, 1 - index);
            index = next;
        }
    }
}

TEST(NextPictureIndex, RandomOrderNeverRepeatsAndReachesEveryPicture) {
    SetRandomSeed(99);
    std::set<int> seen;
    int index = -1;
    for (int i = 0; i < 500; ++i) {
        const int next = NextPictureIndex(index, 5, AllImagesRandom);
        ASSERT_NE(next, index);
        ASSERT_GE(next, 0);
        ASSERT_LT(next, 5);
        seen.insert(next);
        index = next;
    }
    EXPECT_EQ(seen.size(), 5u);
}

TEST(NextPictureIndex, FewerThanTwoPicturesGiveIndexZeroWithoutDrawing) {
    SetRandomSeed(7);
    EXPECT_EQ(NextPictureIndex(-1, 1, AllImagesRandom), 0);
    EXPECT_EQ(NextPictureIndex(0, 1, AllImagesRandom), 0);
    EXPECT_EQ(NextPictureIndex(0, 0, AllImagesRandom), 0);
    EXPECT_EQ(RandomSeed(), 7u);  // the shared sequence is left alone
    EXPECT_EQ(NextPictureIndex(0, 1, AllImagesSequential), 0);
}

TEST(NextMusicIndex, InOrderAndRandomFollowTheSameRules) {
    EXPECT_EQ(NextMusicIndex(-1, 2, true), 0);
    EXPECT_EQ(NextMusicIndex(0, 2, true), 1);
    EXPECT_EQ(NextMusicIndex(1, 2, true), 0);
    EXPECT_EQ(NextMusicIndex(0, 1, true), 0);
    SetRandomSeed(3);
    EXPECT_EQ(NextMusicIndex(0, 2, false), 1);
    EXPECT_EQ(NextMusicIndex(1, 2, false), 0);
    EXPECT_EQ(NextMusicIndex(0, 1, false), 0);
}

TEST(EnabledPictures, KeepsTrueEntriesInProjectOrder) {
    ProjectFileList list;
    list.Files = {"/w/a.jpg", "/w/b.lvp", "/w/c.gif", "/w/d.bmp"};
    list.Enabled = {"TRUE", "FALSE", "TRUE"};  // d has no entry: not shown
    EXPECT_EQ(EnabledPictures(list), (std::vector<std::string>{"/w/a.jpg", "/w/c.gif"}));
}

}  // namespace
}  // namespace lv
