#pragma once

// Image packages built in memory for the loader tests.
#include <string>
#include <vector>

#include "codecs/picture_codecs.h"
#include "project/area_mask.h"
#include "project/package_writer.h"
#include "support/picture_fixtures.h"

namespace lv::test {

inline constexpr int PictureWidth = 24;
inline constexpr int PictureHeight = 16;

// The example record of a stored package: Amplitude 6, WaveCount 17, PhaseStep 15,
// Direction 1, Horizontal 0, Vertical 1, Perspective 1, Cycle 360, Jitter 0.
inline WaveParameters ExampleWave() {
    WaveParameters wave;
    wave.Amplitude = 6;
    wave.WaveCount = 17;
    wave.PhaseStep = 15;
    wave.Direction = 1;
    wave.Vertical = 1;
    wave.Perspective = 1;
    wave.Cycle = 360;
    return wave;
}

// Four distinct records, so a swapped or shifted record shows.
inline std::vector<WaveParameters> DistinctWaves() {
    std::vector<WaveParameters> waves;
    for (int i = 0; i < AreaCount; ++i) {
        WaveParameters wave = ExampleWave();
        wave.Amplitude += i;
        wave.WaveCount = -i;
        wave.PhaseStep = 1000 * i + 7;
        wave.Direction = i % 2;
        wave.Horizontal = static_cast<uint8_t>(i);
        wave.Vertical = static_cast<uint8_t>(255 - i);
        wave.Perspective = static_cast<uint8_t>(i * 3);
        wave.Cycle = 360 + i;
        wave.Jitter = i * 11;
        waves.push_back(wave);
    }
    return waves;
}

// A mask with all four areas and some pixels of none.
inline Bitmap32 AreaPicture(int width, int height) {
    Bitmap32 mask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) mask.SetPixel(x, y, ColourOfArea((x / 5 + y / 4) % 5));
    return mask;
}

inline PackageContents SampleContents() {
    PackageContents contents;
    contents.PictureName = "Harbour at dusk";
    contents.Comment = "Caf\xE9 \x80 50";  // 8-bit text
    const Bitmap32 picture = GradientPicture(PictureWidth, PictureHeight);
    contents.PictureJpeg = EncodeJpeg(picture, 95);
    contents.ThumbnailJpeg = EncodeJpeg(GradientPicture(8, 6), 90);
    contents.Waves = DistinctWaves();
    contents.MaskWords = EncodeAreaMask(AreaPicture(PictureWidth, PictureHeight));
    contents.SoundFile = "waves.wav";
    contents.Weather = {2, 150, 7, -15, 22, 0};
    return contents;
}

}  // namespace lv::test
