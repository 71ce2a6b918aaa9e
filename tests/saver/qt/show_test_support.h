#pragma once

// Helpers of the show window tests: pictures on disk, a silent sound back-end and waiting on
// the event loop.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

#include "codecs/picture_codecs.h"
#include "common/bitmap32.h"
#include "common/file_util.h"
#include "saver/show_audio.h"
#include "saver/show_fixtures.h"

namespace lv::test {

class SilentAudio final : public ShowAudio {
public:
    void PlayMusic(const std::string& path) override { music.push_back(path); }
    void StopMusic() override {}
    bool TakeMusicTrackFinished() override { return false; }
    void PlayPictureSound(const std::string& path) override { sounds.push_back(path); }
    void StopPictureSound() override { ++soundStops; }

    std::vector<std::string> music;
    std::vector<std::string> sounds;
    int soundStops = 0;
};

// Writes `picture` as a JPEG of high quality into `folder` and returns its path.
inline std::string WriteJpegFile(const QTemporaryDir& folder, const std::string& name,
                                 const Bitmap32& picture) {
    const std::string path = folder.filePath(QString::fromStdString(name)).toStdString();
    WriteFileAtomically(path, EncodeJpeg(picture, 95));
    return path;
}

// Runs the event loop until `done` holds or `milliseconds` have passed; returns `done()`.
inline bool ProcessEventsUntil(const std::function<bool()>& done, int milliseconds = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

// True when two colours differ by at most `tolerance` in every channel (JPEG is lossy).
inline bool NearColour(QRgb pixel, uint32_t colour, int tolerance = 12) {
    const auto near = [tolerance](int a, int b) {
        return a - b <= tolerance && b - a <= tolerance;
    };
    return near(qRed(pixel), static_cast<int>((colour >> 16) & 0xFF)) &&
           near(qGreen(pixel), static_cast<int>((colour >> 8) & 0xFF)) &&
           near(qBlue(pixel), static_cast<int>(colour & 0xFF));
}

}  // namespace lv::test
