// Runs the scaled front-end tests in one QApplication on Qt's offscreen platform with a
// 1280 x 720 screen and QT_SCALE_FACTOR=2 (both unless the environment chooses otherwise).
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "scaled/scaled_screen.h"
#include "support/qt/offscreen_screen.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir configFolder;
    lv::test::UseOffscreenScreen(configFolder, lv::test::ScaledScreenWidth,
                                 lv::test::ScaledScreenHeight);
    if (std::getenv("QT_SCALE_FACTOR") == nullptr) {
        qputenv("QT_SCALE_FACTOR", QByteArray::number(lv::test::ScaleFactor));
    }
    if (std::getenv("SDL_AUDIODRIVER") == nullptr) {
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
