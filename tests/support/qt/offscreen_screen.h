#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

namespace lv::test {

// The screen the front-end tests run on, unless QT_QPA_PLATFORM chooses another.
inline constexpr int TestScreenWidth = 320;
inline constexpr int TestScreenHeight = 240;

// A configuration of Qt's offscreen platform with one screen of `width` x `height` pixels.
inline std::string OffscreenScreenConfig(int width = TestScreenWidth,
                                         int height = TestScreenHeight) {
    return R"({"screens":[{"name":"test","x":0,"y":0,"width":)" + std::to_string(width) +
           R"(,"height":)" + std::to_string(height) +
           R"(,"logicalDpi":96,"logicalBpi":96,"dpr":1}]})";
}

// Selects the offscreen platform with one screen of `width` x `height` pixels, unless
// QT_QPA_PLATFORM already chooses a platform. The configuration file lives in `folder`, which
// must outlive the application object.
inline void UseOffscreenScreen(const QTemporaryDir& folder, int width, int height) {
    if (std::getenv("QT_QPA_PLATFORM") != nullptr) return;
    const QString configPath = folder.filePath(QStringLiteral("screens.json"));
    QFile config(configPath);
    if (config.open(QIODevice::WriteOnly)) {
        config.write(OffscreenScreenConfig(width, height).c_str());
        config.close();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(configPath));
}

}  // namespace lv::test
