#include "saver/show_input.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

// Rules past the five ignored moves of a fresh program run.
ShowInputRules Settled() {
    ShowInputRules rules;
    for (int i = 0; i < MouseMovesIgnoredAfterClose; ++i) {
        EXPECT_EQ(rules.MouseMove(1000 * i, 1000 * i), InputResponse::None);
    }
    rules.StartShow();
    return rules;
}

TEST(ShowInputRules, TheFirstFiveMovesOfTheRunAreIgnored) {
    ShowInputRules rules;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(rules.MouseMove(i * 500, 0), InputResponse::None);
    }
    EXPECT_EQ(rules.LastMouseX(), -1);                        // ignored moves are not remembered
    EXPECT_EQ(rules.MouseMove(10, 10), InputResponse::None);  // first seen position
    EXPECT_EQ(rules.MouseMove(13, 10), InputResponse::RequestClose);
}

TEST(ShowInputRules, MovesOfUpToTwoPixelsPerEventNeverClose) {
    ShowInputRules rules = Settled();
    int x = 100;
    int y = 100;
    EXPECT_EQ(rules.MouseMove(x, y), InputResponse::None);
    for (int i = 0; i < 100; ++i) {  // drifts 200 pixels in all, 2 at a time
        x += 2;
        y -= 2;
        ASSERT_EQ(rules.MouseMove(x, y), InputResponse::None);
    }
    EXPECT_EQ(rules.MouseMove(x + 3, y), InputResponse::RequestClose);
    EXPECT_EQ(rules.MouseMove(x + 3, y - 3), InputResponse::RequestClose);
    EXPECT_EQ(rules.MouseMove(x + 4, y - 1), InputResponse::None);
}

TEST(ShowInputRules, ACloseRequestIgnoresTheNextFiveMovesAcrossShows) {
    ShowInputRules rules = Settled();
    rules.MouseMove(0, 0);
    EXPECT_EQ(rules.MouseMove(50, 50), InputResponse::RequestClose);
    rules.CloseQuery();  // refused, or the show ended and another starts in this run
    rules.StartShow();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(rules.MouseMove(i * 300, 0), InputResponse::None);
    }
    EXPECT_EQ(rules.MouseMove(700, 700), InputResponse::None);  // first seen again
    EXPECT_EQ(rules.MouseMove(800, 700), InputResponse::RequestClose);
}

TEST(ShowInputRules, ButtonsAndCharacterKeysCloseOtherKeysDoNot) {
    ShowInputRules rules;
    EXPECT_EQ(rules.MouseDown(), InputResponse::RequestClose);
    for (const char* text : {"a", "7", " ", "\r", "\x1b", "\b", "\t"}) {
        EXPECT_EQ(rules.KeyDown(OtherKey, text), InputResponse::RequestClose) << int(text[0]);
    }
    EXPECT_EQ(rules.KeyDown(VirtualKeyF2, ""), InputResponse::None);
    EXPECT_EQ(rules.KeyDown(OtherKey, ""), InputResponse::None);      // arrows, Shift, Ctrl, Alt
    EXPECT_EQ(rules.KeyDown(OtherKey, "\x7f"), InputResponse::None);  // Delete
}

TEST(ShowInputRules, EverySecondF1RestoresAndNoneCloses) {
    ShowInputRules rules;
    EXPECT_EQ(rules.KeyDown(VirtualKeyF1, ""), InputResponse::None);
    EXPECT_EQ(rules.KeyDown(VirtualKeyF1, ""), InputResponse::RestoreGenerator);
    EXPECT_EQ(rules.KeyDown(VirtualKeyF1, ""), InputResponse::None);
    EXPECT_TRUE(rules.F1Flag());
    rules.StartShow();  // a new show starts with the flag clear
    EXPECT_EQ(rules.KeyDown(VirtualKeyF1, ""), InputResponse::None);
    EXPECT_EQ(rules.KeyDown(VirtualKeyF1, ""), InputResponse::RestoreGenerator);
}

}  // namespace
}  // namespace lv
