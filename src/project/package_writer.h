#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/bitmap32.h"
#include "project/image_package.h"

namespace lv {

// The record written for an area the package does not use: still water, but a valid Cycle,
// because the ripple generator divides by the Cycle of all four records.
inline WaveParameters UnusedAreaWave() {
    WaveParameters wave;
    wave.Cycle = 360;
    return wave;
}

// Everything an image package stores, as the authors' tool and the tests assemble it.
struct PackageContents {
    std::string PictureName;
    std::string Comment;
    std::string ThumbnailJpeg;  // JPEG file bytes
    // Records of areas 1, 2, ...; written with their count, which a loader accepts up to 4.
    std::vector<WaveParameters> Waves = std::vector<WaveParameters>(AreaCount, UnusedAreaWave());
    std::vector<int32_t> MaskWords;  // width, height, runs (see EncodeAreaMask)
    std::string PictureJpeg;         // JPEG file bytes
    std::string SoundFile = "<No Sound>";
    WeatherParameters Weather;
    // The creator ends every package with 1000 zero bytes that no reader looks at.
    int TrailingZeroBytes = 1000;
};

// The package's bytes, item after item. Texts and JPEGs are written as given; raises
// lv::Error when an item is too long for its 32-bit length.
std::string BuildImagePackage(const PackageContents& contents);

// Run-length words of a mask bitmap in the four area colours: width, height, then runs of
// length x 10 + area, row after row from the top, runs continuing across row ends. A pixel of
// any other colour belongs to no area (0).
std::vector<int32_t> EncodeAreaMask(const Bitmap32& mask);

// The words of a picture without areas: one run of area 0 over width x height pixels.
std::vector<int32_t> EmptyAreaMask(int width, int height);

}  // namespace lv
