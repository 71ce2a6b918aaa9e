// Runs the front-end tests in one QApplication on Qt's offscreen platform with a small screen,
// so no display is needed and full-screen windows stay cheap to draw.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "support/qt/offscreen_screen.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir configFolder;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        const QString configPath = configFolder.filePath(QStringLiteral("screens.json"));
        QFile config(configPath);
        if (config.open(QIODevice::WriteOnly)) {
            config.write(lv::test::OffscreenScreenConfig().c_str());
            config.close();
        }
        const QByteArray platform = "offscreen:configfile=" + QFile::encodeName(configPath);
        qputenv("QT_QPA_PLATFORM", platform);
    }
    // Sound goes nowhere in tests.
    if (std::getenv("SDL_AUDIODRIVER") == nullptr) {
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
