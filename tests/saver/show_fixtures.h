#pragma once

// Image packages for the show tests: a picture whose lower half is one water area, with or
// without rain.

#include <string>

#include "codecs/picture_codecs.h"
#include "common/bitmap32.h"
#include "common/file_util.h"
#include "project/area_mask.h"
#include "project/package_writer.h"

namespace lv::test {

enum class PackageWeather { None, Rain };

inline Bitmap32 SolidPicture(int width, int height, uint32_t colour) {
    Bitmap32 picture(width, height);
    picture.Fill(colour);
    return picture;
}

inline PackageContents ShowPackageContents(const Bitmap32& picture, PackageWeather weather) {
    PackageContents contents;
    contents.PictureName = "water";
    contents.PictureJpeg = EncodeJpeg(picture, 95);
    contents.ThumbnailJpeg = EncodeJpeg(Bitmap32(4, 4), 90);
    Bitmap32 mask(picture.Width(), picture.Height());
    for (int y = picture.Height() / 2; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            mask.SetPixel(x, y, AreaColours[0]);
        }
    }
    contents.MaskWords = EncodeAreaMask(mask);
    for (WaveParameters& wave : contents.Waves) {
        wave.Amplitude = 3;
        wave.WaveCount = 4;
        wave.PhaseStep = 10;
        wave.Direction = 1;
        wave.Horizontal = 1;
        wave.Vertical = 1;
        wave.Cycle = 360;
        wave.Jitter = 2;
    }
    if (weather == PackageWeather::Rain) {
        contents.Weather.Kind = 2;
        contents.Weather.Count = 200;
        contents.Weather.SpeedLevel = 10;
        contents.Weather.Angle = 90;
        contents.Weather.Length = 3;
    }
    return contents;
}

// Writes the package to `path` and returns the path.
inline std::string WriteShowPackage(const std::string& path, const Bitmap32& picture,
                                    PackageWeather weather) {
    WriteFileAtomically(path, BuildImagePackage(ShowPackageContents(picture, weather)));
    return path;
}

}  // namespace lv::test
