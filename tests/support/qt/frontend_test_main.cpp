// Runs the front-end tests in one QApplication on Qt's offscreen platform with a small screen,
// so no display is needed and full-screen windows stay cheap to draw.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "support/qt/offscreen_screen.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir configFolder;
    lv::test::UseOffscreenScreen(configFolder, lv::test::TestScreenWidth,
                                 lv::test::TestScreenHeight);
    // Sound goes nowhere in tests.
    if (std::getenv("SDL_AUDIODRIVER") == nullptr) {
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
